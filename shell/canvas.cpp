#include "canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "accessible_role.h"

namespace plexaro {

Canvas::Canvas(QWidget* parent)
    : QWidget(parent),
      pixels_(new std::uint32_t[static_cast<std::size_t>(kWidth) * kHeight]),
      image_(reinterpret_cast<const uchar*>(pixels_.get()), kWidth, kHeight,
             kWidth * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_RGB32) {
  setFixedSize(kWidth, kHeight);
  // The image covers the whole widget: no background needs erasing first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  giveAccessibleRole<Canvas, QAccessible::Graphic>();
  setAccessibleName(tr("World"));
}

void Canvas::describe(const QString& text) {
  if (text != accessibleDescription()) {
    setAccessibleDescription(text);  // which tells screen readers itself
    return;
  }
  QAccessibleEvent event(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&event);
}

void Canvas::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // One canvas pixel per logical pixel. On a scaled screen each becomes a
  // solid block: no smoothing between neighbouring pixels.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QRect dirty = event->rect();
  painter.drawImage(dirty, image_, dirty);
}

void Canvas::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace plexaro
