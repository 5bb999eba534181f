// Grows the program's own artwork: the About picture and the application
// icon are worlds made by the program's generators.
//
//   plexaro_artwork <about.jpg> <icon.png>
//
// The icon is grown at 128 x 128; the sizes a desktop also asks for are the
// same picture, doubled pixel for pixel (icon-256.png) or smoothly shrunk
// (icon-64.png, icon-48.png), or grown at their own size (icon-32.png down
// to icon-16.png), written beside it.

#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "generators/generators.h"
#include "world/color.h"
#include "world/memory_platform.h"

namespace {

QImage grow(int width, int height,
            bool (*generator)(plexaro::WorldState&, plexaro::WindowPlatform&), int presses,
            plexaro::ColorMode colorMode, std::uint64_t seed) {
  plexaro::MemoryPlatform platform(width, height, seed);
  plexaro::WorldState world;
  world.create(platform.drawingArea());
  world.colorMode = colorMode;
  for (int i = 0; i < presses; ++i)
    generator(world, platform);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::int32_t c = platform.pixel(x, y);
      image.setPixel(x, y, plexaro::toScreen(c < 0 ? 0 : c));
    }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ABOUT.jpg ICON.png\n", argv[0]);
    return 2;
  }
  const QImage about =
      grow(148, 191, plexaro::createSpiralWorld, 1, plexaro::ColorMode::TwoColors, 7);
  const QImage icon =
      grow(128, 128, plexaro::createRainbowWorld, 1, plexaro::ColorMode::TwoColors, 3);
  const QString iconPath = QString::fromLocal8Bit(argv[2]);
  bool saved = about.save(QString::fromLocal8Bit(argv[1]), "JPG", 92) && icon.save(iconPath, "PNG");
  const QString stem = iconPath.endsWith(QLatin1String(".png")) ? iconPath.chopped(4) : iconPath;
  for (const int size : {256, 64, 48}) {
    const QImage scaled =
        icon.scaled(size, size, Qt::IgnoreAspectRatio,
                    size > icon.width() ? Qt::FastTransformation : Qt::SmoothTransformation);
    saved = saved && scaled.save(stem + QStringLiteral("-%1.png").arg(size), "PNG");
  }
  // Shrunk below 48 pixels the world turns to mud: the small sizes are grown
  // at their own size instead, one cell a pixel.
  for (const int size : {32, 24, 22, 16}) {
    const QImage small =
        grow(size, size, plexaro::createRainbowWorld, 1, plexaro::ColorMode::TwoColors, 3);
    saved = saved && small.save(stem + QStringLiteral("-%1.png").arg(size), "PNG");
  }
  if (!saved) {
    std::fprintf(stderr, "cannot write the artwork\n");
    return 1;
  }
  return 0;
}
