#include "caption_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "fit_text.h"

namespace plexaro {

namespace {
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

QRect CaptionButton::captionArea() const {
  const int room = roomForScale(width(), devicePixelRatioF()) / 2;
  return rect().adjusted(2 + room, 1, -2 - room, -1);
}

void CaptionButton::shareCaptionSize(std::span<CaptionButton* const> buttons) {
  if (buttons.empty()) return;
  QStringList captions;
  for (const CaptionButton* button : buttons)
    captions << button->text();
  const CaptionButton* first = buttons.front();
  const QFont shared = fitText(first->font(), first->captionArea(), kCaptionFlags, captions);
  for (CaptionButton* button : buttons)
    button->setFont(shared);
}

void CaptionButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  painter.drawItemText(captionArea(), kCaptionFlags, option.palette, isEnabled(), caption,
                       QPalette::ButtonText);
}

// A held key presses once: its repeats come as presses flagged as repeats,
// or, from an X server (see repeatHeldKeysAsPresses), as presses alone.
void CaptionButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (enter || key == Qt::Key_Space) {
    if (event->isAutoRepeat() || key == heldKey_) return;
    heldKey_ = key;
  }
  // Outside a dialog Qt leaves Return and Enter to the window; on these
  // buttons they press the focused one, as Space does.
  if (enter) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void CaptionButton::keyReleaseEvent(QKeyEvent* event) {
  if (!event->isAutoRepeat() && event->key() == heldKey_) heldKey_ = 0;
  QPushButton::keyReleaseEvent(event);
}

// A key let go elsewhere is let go here too.
void CaptionButton::focusOutEvent(QFocusEvent* event) {
  heldKey_ = 0;
  QPushButton::focusOutEvent(event);
}

}  // namespace plexaro
