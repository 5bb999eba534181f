#pragma once

#include <QImage>
#include <QWidget>
#include <cmath>
#include <vector>

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

  // The drawing as it stands. This is a view of the canvas's pixels: keep
  // a snapshot with copy(), not with a plain QImage copy.
  const QImage& image() const { return image_; }

  void line(float x1, float y1, float x2, float y2, std::int32_t color, LineMode mode) {
    const QRgb pixel = toScreen(color);
    // The generators set one pixel at a time with a unit diagonal inside the
    // area; that is the hot path. Everything else is rasterised in general.
    if (mode == LineMode::Plain && x2 == x1 + 1 && y2 == y1 + 1 && x1 >= 0 && y1 >= 0 &&
        x1 < kWidth && y1 < kHeight) {
      const int x = static_cast<int>(x1), y = static_cast<int>(y1);
      if (x == x1 && y == y1) {
        pixels_[static_cast<std::size_t>(y) * kWidth + x] = pixel;
        return;
      }
    }
    rasterize(kWidth, kHeight, x1, y1, x2, y2, mode,
              [&](int x, int y) { pixels_[static_cast<std::size_t>(y) * kWidth + x] = pixel; });
  }

 signals:
  // A click on the drawing area itself, not on one of its children.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The pixels live here; image_ wraps them without owning them, so drawing
  // writes straight into memory without QImage's copy-on-write checks.
  std::vector<QRgb> pixels_;
  QImage image_;
  bool pressed_ = false;
};

}  // namespace plexaro
