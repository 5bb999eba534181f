// Runs under QT_SCALE_FACTOR (1.5 or 2, set by the test registration): the
// drawing area keeps its logical size and every canvas pixel reaches the
// screen as a solid block of its own colour, never blended with its
// neighbours.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <random>

#include "shell/canvas.h"
#include "shell/world5.h"
#include "world/color.h"

namespace plexaro {
namespace {

TEST(Scaled, CanvasPixelsStaySolidBlocksAndControlsKeepTheirPlaces) {
  world5 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const qreal scale = w.devicePixelRatioF();
  ASSERT_GT(scale, 1.0) << "run with QT_SCALE_FACTOR set";

  EXPECT_EQ(w.canvas()->size(), QSize(503, 533));
  EXPECT_EQ(w.Command3->geometry(), QRect(16, 104, 89, 33));
  EXPECT_EQ(w.Command4->geometry(), QRect(16, 240, 89, 33));
  EXPECT_EQ(w.Label2->geometry(), QRect(16, 32, 137, 81));
  EXPECT_EQ(w.Picture1->geometry(), QRect(168, 32, 145, 193));

  // Random colours in a region clear of the buttons: a smoothed edge would
  // produce a colour that no canvas pixel has.
  std::mt19937 rng(7);
  const QRect region(200, 300, 60, 40);
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      w.line(x, y, x + 1, y + 1, static_cast<std::int32_t>(rng() & 0xffffff), LineMode::Plain);
  w.canvas()->update();

  const QImage screen = w.canvas()->grab().toImage();
  ASSERT_EQ(screen.size(), (QSizeF(503, 533) * scale).toSize());
  const QImage& canvas = w.canvas()->image();
  auto canvasPixel = [&](int x, int y) {
    return canvas.pixel(std::clamp(x, 0, 502), std::clamp(y, 0, 532));
  };
  long checked = 0;
  for (int dy = static_cast<int>(std::ceil(region.top() * scale));
       dy < static_cast<int>(region.bottom() * scale); ++dy)
    for (int dx = static_cast<int>(std::ceil(region.left() * scale));
         dx < static_cast<int>(region.right() * scale); ++dx) {
      const QRgb got = screen.pixel(dx, dy);
      const int sx = static_cast<int>(dx / scale), sy = static_cast<int>(dy / scale);
      // Nearest-neighbour sampling may round to the next pixel at a
      // fractional boundary, but must never mix two of them.
      bool matches = false;
      for (int oy = -1; oy <= 1 && !matches; ++oy)
        for (int ox = -1; ox <= 1 && !matches; ++ox)
          matches = got == canvasPixel(sx + ox, sy + oy);
      ASSERT_TRUE(matches) << "device pixel " << dx << "," << dy << " is a blend";
      if (scale == 2.0) {
        ASSERT_EQ(got, canvasPixel(sx, sy));
      }
      ++checked;
    }
  EXPECT_GT(checked, 2000);
}

}  // namespace
}  // namespace plexaro
