#pragma once

#include <QByteArray>
#include <QImage>
#include <string>
#include <string_view>

namespace plexaro {

// "pattern1.bmp", "pattern2.bmp", ...: the n-th name of the series.
std::string patternName(int n);

// How one name of the series stands in a folder.
enum class NameState {
  Free,     // nothing of that name exists
  Taken,    // something exists: a file, a folder, a link (even a dangling one)
  Unknown,  // the folder cannot be looked into (no search permission, ...)
};
NameState probePatternName(const std::string& dir, int n, int* error = nullptr);

// The outcome of a save: the name it wrote, or the name it was trying when
// it gave up, with the errno that stopped it.
struct SaveResult {
  std::string name;
  bool saved = false;
  int error = 0;
};

// Writes `bytes` into `dir` under the first free name of the series, never
// touching anything that already exists. The file appears complete or not
// at all: the bytes go to a hidden temporary file that is synced and then
// linked to its final name, so a crash, a full disk or a name taken meanwhile
// leaves no partial file behind.
SaveResult savePatternBytes(const std::string& dir, std::string_view bytes);

// The image as an uncompressed 24-bit BMP; empty if it cannot be encoded.
QByteArray encodeBmp(const QImage& image);

// encodeBmp + savePatternBytes.
SaveResult savePattern(const QImage& image, const std::string& dir);

}  // namespace plexaro
