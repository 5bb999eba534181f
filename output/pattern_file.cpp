#include "pattern_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QLoggingCategory>
#include <cerrno>
#include <cstdio>  // renameat2
#include <cstring>
#include <optional>
#include <utility>

namespace plexaro {

// Why a save failed, for whoever looks into it:
// QT_LOGGING_RULES="plexaro.save.info=true". The user sees one message only.
Q_LOGGING_CATEGORY(lcSave, "plexaro.save", QtWarningMsg)

namespace {

// Past this the series is considered exhausted rather than searched forever.
constexpr int kLastNumber = 1'000'000;

// How a file system says that it cannot do a thing at all, rather than that
// it failed this time: no unnamed files (EOPNOTSUPP, or EISDIR from kernels
// that predate them), no hard links (EPERM on FAT), no renaming flags (EINVAL).
bool unsupported(int error) {
  return error == EOPNOTSUPP || error == ENOTSUP || error == EISDIR || error == EPERM ||
         error == EINVAL || error == ENOSYS;
}

// A descriptor closed with its scope; for an unnamed file, the end of it.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now: a network file system may report a failed write only here.
  bool close() { return ::close(std::exchange(fd_, -1)) == 0 || errno == EINTR; }

 private:
  int fd_;
};

bool writeAndSync(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return ::fsync(fd) == 0;
}

// One save into one folder, opened once: every name is looked up, made and
// given relative to it. n_ and result_.name follow the name being tried.
class Save {
 public:
  explicit Save(const std::string& dir)
      : dir_(::open(dir.empty() ? "." : dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}

  SaveResult run(std::optional<std::string_view> bytes) {
    if (dir_.get() < 0) return failed(errno);
    if (!findFreeName()) return result_;
    if (!bytes) return failed(EINVAL);  // nothing to save: only the name is wanted
    int error = saveUnnamed(*bytes);
    if (unsupported(error)) error = saveStaged(*bytes);
    if (error != 0) return failed(error);
    // Makes the new name durable. A folder that cannot be synced is no reason
    // to call the save failed: the file itself is on disk already.
    const Fd sync(::openat(dir_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (sync.get() >= 0) ::fsync(sync.get());
    result_.saved = true;
    return result_;
  }

 private:
  SaveResult failed(int error) {
    result_.error = error;
    return result_;
  }

  // Moves on to the first free name from n_ on. Looked at without following
  // links: a folder, an unreadable file or a dangling link of that name is
  // taken all the same. False, with the error, if the folder cannot be looked
  // into or the series is used up.
  bool findFreeName() {
    for (; n_ <= kLastNumber; ++n_) {
      result_.name = patternName(n_);
      struct stat st;
      if (::fstatat(dir_.get(), result_.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) continue;
      if (errno == ENOENT) return true;
      result_.error = errno;
      return false;
    }
    result_.error = EEXIST;
    return false;
  }

  // Gives the complete file a free name with `place`, which makes one name
  // and returns 0 or errno. A name taken meanwhile sends it on to the next.
  template <class Place>
  int giveName(Place place) {
    for (;;) {
      const int error = place(result_.name.c_str());
      if (error != EEXIST) return error;
      ++n_;
      if (!findFreeName()) return result_.error;
    }
  }

  // The bytes in an unnamed file of the folder (the umask applies to its
  // mode), linked to a name once complete.
  int saveUnnamed(std::string_view bytes) {
    const Fd file(::openat(dir_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.get() < 0 || !writeAndSync(file.get(), bytes)) return errno;
    const std::string self = "/proc/self/fd/" + std::to_string(file.get());
    const int error = giveName([&](const char* name) {
      return ::linkat(AT_FDCWD, self.c_str(), dir_.get(), name, AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
    });
    return error == ENOENT ? EOPNOTSUPP : error;  // ENOENT: no /proc to reach the file by
  }

  // For file systems without unnamed files or hard links: the bytes in a
  // hidden file, renamed to a name once complete, never over anything. Where
  // that rename is missing too, a hard link does (NFS); where both are, the
  // save fails rather than risk a file of the user's.
  int saveStaged(std::string_view bytes) {
    const int dir = dir_.get();
    std::string staged;
    int fd = -1;
    for (int i = 0; fd < 0 && i < 100; ++i) {
      staged = ".pattern-" + std::to_string(::getpid()) + "-" + std::to_string(i) + ".tmp";
      fd = ::openat(dir, staged.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    Fd file(fd);
    int error = writeAndSync(fd, bytes) && file.close() ? 0 : errno;
    bool renames = true;
    if (error == 0)
      error = giveName([&](const char* name) {
        if (renames && ::renameat2(dir, staged.c_str(), dir, name, RENAME_NOREPLACE) == 0) return 0;
        if (renames && !unsupported(errno)) return errno;
        renames = false;  // from now on a link, and the hidden name removed after
        return ::linkat(dir, staged.c_str(), dir, name, 0) == 0 ? 0 : errno;
      });
    if (error != 0 || !renames) ::unlinkat(dir, staged.c_str(), 0);
    return error;
  }

  int n_ = 1;
  SaveResult result_{patternName(1)};
  const Fd dir_;  // opened last, so that errno still tells why it could not be
};

}  // namespace

std::string patternName(int n) {
  return "pattern" + std::to_string(n) + ".bmp";
}

SaveResult savePatternBytes(const std::string& dir, std::string_view bytes) {
  return Save(dir).run(bytes);
}

QByteArray encodeBmp(const QImage& image) {
  if (image.isNull()) return {};
  // Qt writes every image of more than 8 bits per pixel as 24 bits, dropping
  // any alpha, but keeps a palette of 1, 4 or 8 bits for indexed and mono
  // ones: converted to RGB32 first, every image comes out as 24 bits.
  const QImage rgb =
      image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !rgb.save(&buffer, "BMP")) return {};
  return bytes;
}

SaveResult savePattern(const QImage& image, const std::string& dir) {
  const QByteArray bytes = encodeBmp(image);
  const SaveResult result =
      bytes.isEmpty() ? Save(dir).run(std::nullopt)  // names the file it would have written
                      : Save(dir).run(std::string_view(bytes.constData(),
                                                       static_cast<std::size_t>(bytes.size())));
  if (!result.saved)
    qCInfo(lcSave, "not saved as %s: %s", result.name.c_str(), std::strerror(result.error));
  return result;
}

}  // namespace plexaro
