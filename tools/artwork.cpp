// Grows the program's own artwork: the About picture and the application
// icon are worlds made by the program's generators.
//
//   plexaro_artwork <about.jpg> <icon.png>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "generators/generators.h"
#include "world/color.h"
#include "world/memory_platform.h"

namespace {

QImage grow(int width, int height,
            void (*generator)(plexaro::WorldState&, plexaro::WindowPlatform&), int presses,
            std::int16_t colorMode, std::uint64_t seed) {
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
  const QImage about = grow(148, 191, plexaro::createSpiralWorld, 1, 0, 7);
  const QImage icon = grow(128, 128, plexaro::createRainbowWorld, 1, 0, 3);
  if (!about.save(QString::fromLocal8Bit(argv[1]), "JPG", 92) ||
      !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot write the artwork\n");
    return 1;
  }
  return 0;
}
