#include "caption_button.h"

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

  // Wrap the caption and, where even wrapped it does not fit the narrow
  // button, step the font down until it does.
  const QRect area = rect().adjusted(2, 1, -2, -1);
  const int flags = Qt::AlignCenter | Qt::TextWordWrap;
  painter.setFont(fitText(painter.font(), area, flags, caption));
  painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

}  // namespace plexaro
