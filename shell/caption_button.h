#pragma once

#include <QPushButton>

namespace plexaro {

// A push button whose caption wraps onto several lines when it is wider than
// the button, as the narrow buttons of the main window need.
class CaptionButton : public QPushButton {
  Q_OBJECT

 public:
  CaptionButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int heldKey_ = 0;  // Space, Return or Enter while it is held down here
};

}  // namespace plexaro
