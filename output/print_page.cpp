#include "print_page.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace plexaro {

QRectF fitCentered(QSizeF image, const QRectF& area) {
  if (image.isEmpty() || area.isEmpty()) return {area.center(), QSizeF(0, 0)};
  const double scale = std::min(area.width() / image.width(), area.height() / image.height());
  const QSizeF size = image * scale;
  return {area.left() + (area.width() - size.width()) / 2,
          area.top() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

bool writePrintPdf(const QImage& image, QIODevice* device, const QPageSize& pageSize,
                   const QMarginsF& marginsMm, const QString& title) {
  QPdfWriter writer(device);
  writer.setTitle(title);
  writer.setCreator(title);
  if (!writer.setPageLayout(
          QPageLayout(pageSize, QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter)))
    return false;
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  // The painter's origin is the top left of the area inside the margins.
  const QRectF area(0, 0, writer.width(), writer.height());
  // The pattern is made of single pixels: scaled up they must stay blocks,
  // not blur into each other, and keep their exact colours (without the
  // lossless hint Qt stores the image as JPEG).
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  painter.drawImage(fitCentered(image.size(), area), image);
  return painter.end();
}

}  // namespace plexaro
