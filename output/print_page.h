#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QString>

class QIODevice;

namespace plexaro {

// Where an image of `image` size goes inside `area`: as large as fits,
// keeping its proportions, centred.
QRectF fitCentered(QSizeF image, const QRectF& area);

// The printed page: `image` on one page of `pageSize` (portrait), scaled to
// fit inside `marginsMm` and centred, every pixel a sharp block. Written as
// PDF to `device`, which must be open for writing. False if it could not be
// written.
bool writePrintPdf(const QImage& image, QIODevice* device, const QPageSize& pageSize,
                   const QMarginsF& marginsMm, const QString& title);

}  // namespace plexaro
