#pragma once

#include <QImage>
#include <QWidget>
#include <cmath>

#include "screen_color.h"
#include "world/platform.h"
#include "world/raster.h"

namespace plexaro {

// The drawing area: a fixed 503 x 533 surface that keeps every pixel drawn
// on it in an image, so the drawing survives being covered or minimised and
// can be saved and printed as it is. Buttons, label and picture are its
// children and stay in front of it.
class Canvas : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 503;
  static constexpr int kHeight = 533;

  explicit Canvas(QWidget* parent = nullptr);

  const QImage& image() const { return image_; }

  void line(float x1, float y1, float x2, float y2, std::int32_t color, LineMode mode) {
    const QRgb pixel = toScreen(color);
    // The generators set one pixel at a time with a unit diagonal; that is
    // the hot path, everything else goes through the general rasteriser.
    if (mode == LineMode::Plain && x2 == x1 + 1 && y2 == y1 + 1) {
      const long x = std::lrint(x1), y = std::lrint(y1);
      if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
        reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)))[x] = pixel;
      return;
    }
    rasterize(kWidth, kHeight, x1, y1, x2, y2, mode, [&](int x, int y) {
      reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = pixel;
    });
  }

 signals:
  // A click on the drawing area itself, not on one of its children.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  bool pressed_ = false;
};

}  // namespace plexaro
