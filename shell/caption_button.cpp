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
