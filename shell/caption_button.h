#pragma once

#include <QPushButton>
#include <span>

namespace plexaro {

// A push button whose caption wraps onto several lines when it is wider than
// the button, as the narrow buttons of the main window need.
class CaptionButton : public QPushButton {
  Q_OBJECT

 public:
  CaptionButton(const QString& caption, QWidget* parent);

  // Gives `buttons` one font, the largest at which every caption fits whole,
  // so that a column of them reads as one.
  static void shareCaptionSize(std::span<CaptionButton* const> buttons);

  // Where the caption is drawn.
  QRect captionArea() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int heldKey_ = 0;  // Space, Return or Enter while it is held down here
};

}  // namespace plexaro
