#include "pattern_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <cerrno>
#include <random>

namespace plexaro {

namespace {

// Past this the series is considered exhausted rather than searched forever.
constexpr int kLastNumber = 1'000'000;

std::string inDir(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + '/' + name;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes everything, syncs and closes `fd`. On failure errno tells why; the
// descriptor is closed either way.
bool writeSyncClose(int fd, std::string_view bytes) {
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  // A network file system may report a failed write only here.
  if (::close(fd) != 0 && ok && errno != EINTR) {
    ok = false;
    error = errno;
  }
  errno = error;
  return ok;
}

// Makes a new link in `dir` durable; a folder that cannot be synced is no
// reason to call the save failed, the file itself is already on disk.
void syncDir(const std::string& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// File systems without hard links (FAT, some network and FUSE ones) say so
// with one of these.
bool linkUnsupported(int error) {
  return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

// The bytes in a hidden file of their own in the target folder, so that the
// final name can be given to them in one step, with link(2).
class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile() { discard(); }

  bool ready() const { return !path_.empty(); }
  const std::string& path() const { return path_; }

  // Creates the file exclusively under a fresh hidden name and fills it.
  // The mode 0666 is narrowed by the umask, like any file the user creates.
  bool write(const std::string& dir, std::string_view bytes) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string path = inDir(dir, ".pattern-" + std::to_string(::getpid()) + "-" +
                                              std::to_string(random() % 1000000) + ".tmp");
      const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0) {
        if (errno == EEXIST) continue;
        return false;
      }
      path_ = path;
      if (writeSyncClose(fd, bytes)) return true;
      const int error = errno;
      discard();
      errno = error;
      return false;
    }
    errno = EEXIST;
    return false;
  }

  void discard() {
    if (path_.empty()) return;
    ::unlink(path_.c_str());
    path_.clear();
  }

 private:
  std::string path_;
};

enum class Placed { Done, NameTaken, Unsupported, Failed };

Placed linkInto(const StagedFile& staged, const std::string& target) {
  if (::link(staged.path().c_str(), target.c_str()) == 0) return Placed::Done;
  if (errno == EEXIST) return Placed::NameTaken;
  return linkUnsupported(errno) ? Placed::Unsupported : Placed::Failed;
}

// For file systems without hard links: create the final name exclusively and
// write into it, removing it again if anything goes wrong.
Placed createDirectly(const std::string& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? Placed::NameTaken : Placed::Failed;
  if (writeSyncClose(fd, bytes)) return Placed::Done;
  const int error = errno;
  ::unlink(target.c_str());
  errno = error;
  return Placed::Failed;
}

}  // namespace

std::string patternName(int n) {
  return "pattern" + std::to_string(n) + ".bmp";
}

NameState probePatternName(const std::string& dir, int n, int* error) {
  struct stat st;
  // lstat, not open or stat: a folder, an unreadable file or a dangling link
  // of that name exists all the same and must not be written over.
  if (::lstat(inDir(dir, patternName(n)).c_str(), &st) == 0) return NameState::Taken;
  if (error) *error = errno;
  return errno == ENOENT ? NameState::Free : NameState::Unknown;
}

SaveResult savePatternBytes(const std::string& dir, std::string_view bytes) {
  SaveResult result;
  StagedFile staged;
  bool linking = true;
  for (int n = 1; n <= kLastNumber; ++n) {
    result.name = patternName(n);
    int error = 0;
    const NameState state = probePatternName(dir, n, &error);
    if (state == NameState::Taken) continue;
    if (state == NameState::Unknown) {
      result.error = error;
      return result;
    }
    if (linking && !staged.ready() && !staged.write(dir, bytes)) {
      result.error = errno;
      return result;
    }
    const std::string target = inDir(dir, result.name);
    Placed placed = linking ? linkInto(staged, target) : createDirectly(target, bytes);
    if (placed == Placed::Unsupported) {
      staged.discard();
      linking = false;
      placed = createDirectly(target, bytes);
    }
    if (placed == Placed::NameTaken) continue;  // someone was quicker; try the next
    if (placed == Placed::Failed) {
      result.error = errno;
      return result;
    }
    staged.discard();
    syncDir(dir);
    result.saved = true;
    return result;
  }
  result.error = EEXIST;
  return result;
}

QByteArray encodeBmp(const QImage& image) {
  if (image.isNull()) return {};
  // Qt writes RGB32 as 24 bits per pixel, uncompressed; an alpha channel
  // would make it 32.
  const QImage rgb =
      image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !rgb.save(&buffer, "BMP")) return {};
  return bytes;
}

SaveResult savePattern(const QImage& image, const std::string& dir) {
  const QByteArray bytes = encodeBmp(image);
  if (bytes.isEmpty()) {
    // Name the file the save would have written.
    SaveResult result;
    int n = 1;
    while (n < kLastNumber && probePatternName(dir, n) == NameState::Taken)
      ++n;
    result.name = patternName(n);
    result.error = EINVAL;
    return result;
  }
  return savePatternBytes(dir, std::string_view(bytes.constData(), bytes.size()));
}

}  // namespace plexaro
