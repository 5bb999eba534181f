#include "caption_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "fit_text.h"

namespace plexaro {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  const QRect area = rect().adjusted(2, 1, -2, -1);
  const int flags = Qt::AlignCenter | Qt::TextWordWrap;
  painter.setFont(fitText(painter.font(), area, flags, caption, devicePixelRatioF()));
  painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
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
