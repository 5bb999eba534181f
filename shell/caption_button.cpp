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

void CaptionButton::keyPressEvent(QKeyEvent* event) {
  // Outside a dialog Qt leaves Return and Enter to the window; on these
  // buttons they press the focused one, as Space does.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

}  // namespace plexaro
