#pragma once

#include <QByteArray>
#include <QImage>
#include <string>
#include <string_view>

namespace plexaro {

// "pattern1.bmp", "pattern2.bmp", ...: the n-th name of the series.
std::string patternName(int n);

// The outcome of a save: the name it wrote, or the name it was trying when
// it gave up, with the errno that stopped it.
struct SaveResult {
  std::string name;
  bool saved = false;
  int error = 0;
};

// Writes `bytes` into `dir` under the first free name of the series, never
// replacing or following anything that exists, be it a file, a folder or a
// dangling link. A pattern name only ever shows a complete, synced file: the
// bytes go to an unnamed file that is linked to its name when complete, so a
// crash, a full disk or a name taken meanwhile leaves nothing behind. Where
// the file system has no unnamed files or hard links (FAT and the like), a
// hidden file takes their place and is renamed without replacing anything;
// only a crash while it is written can leave it behind.
SaveResult savePatternBytes(const std::string& dir, std::string_view bytes);

// The image as an uncompressed 24-bit BMP; empty if it cannot be encoded.
QByteArray encodeBmp(const QImage& image);

// The image as a bitmap in `dir`, under the first free name of the series;
// why a save failed goes to the plexaro.save log.
SaveResult savePattern(const QImage& image, const std::string& dir);

}  // namespace plexaro
