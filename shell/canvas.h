#pragma once

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "world/platform.h"

namespace plexaro {

// The drawing area: a fixed 503 x 533 surface that keeps every pixel drawn
// on it, so the drawing survives being covered or minimised and can be saved
// and printed as it is. Buttons, label and picture are its children and stay
// in front of it. Screen readers hear it as a picture named "World" whose
// description says what it shows.
class Canvas : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 503;
  static constexpr int kHeight = 533;

  explicit Canvas(QWidget* parent = nullptr);

  // The pixels, for drawing into; the start-up paints every one of them.
  PixelView pixels() { return {pixels_.get(), kWidth, kHeight}; }
  // Sets every pixel to `pixel` (0xffRRGGBB).
  void fill(std::uint32_t pixel) { std::fill_n(pixels_.get(), kWidth * kHeight, pixel); }

  // The drawing, live: a view of the pixels that the next press changes,
  // for painting and reading in place.
  const QImage& image() const { return image_; }
  // The drawing as it stands now, in pixels of its own, for whatever
  // outlives this moment: a saved file, a print.
  QImage snapshot() const { return image_.copy(); }

  // Says in words what the drawing area now shows, and tells screen readers
  // so, even when the words are those of the picture before.
  void describe(const QString& text);

 signals:
  // A click on the drawing area itself, not on one of its children.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The pixels live here, left unset until start-up paints them; image_
  // wraps them without owning them, so drawing writes straight into memory
  // without QImage's copy-on-write checks.
  std::unique_ptr<std::uint32_t[]> pixels_;
  QImage image_;
  bool pressed_ = false;
};

}  // namespace plexaro
