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
};

}  // namespace plexaro
