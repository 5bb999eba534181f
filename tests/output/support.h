#pragma once

// Shared by the save and print tests. Folders that refuse writes: a small
// tmpfs that can be filled up or made read-only. Mounting needs root; as
// root the tests run in a mount namespace of their own, so nothing they
// mount is seen outside or outlives them.

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

namespace plexaro::testing {

inline bool isRoot() {
  return ::geteuid() == 0;
}

class ScratchMount {
 public:
  ScratchMount() = default;
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;
  ~ScratchMount() {
    if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
  }

  // Mounts a tmpfs of `size` (e.g. "64k") on `dir`. Empty on success, else
  // why not.
  std::string mount(const std::string& dir, const std::string& size) {
    if (!isRoot()) return "mounting a file system needs root";
    privateNamespace();
    const std::string options = "size=" + size + ",mode=0755";
    if (::mount("plexaro-test", dir.c_str(), "tmpfs", 0, options.c_str()) != 0)
      return std::string("mount tmpfs: ") + std::strerror(errno);
    dir_ = dir;
    mounted_ = true;
    return {};
  }

  std::string remount(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
    if (::mount(nullptr, dir_.c_str(), nullptr, flags, nullptr) != 0)
      return std::string("remount: ") + std::strerror(errno);
    return {};
  }

 private:
  static void privateNamespace() {
    static const bool done = ::unshare(CLONE_NEWNS) == 0 &&
                             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    (void)done;  // without it the mounts are still removed by the destructor
  }

  std::string dir_;
  bool mounted_ = false;
};

// Fills the file system holding `dir` with one file until no byte more fits.
inline void fillUp(const std::string& dir) {
  const int fd = ::open((dir + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  const std::string block(4096, 'x');
  for (std::size_t size = block.size(); size > 0; size /= 2)
    while (::write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
    }
  ::close(fd);
}

// Every entry of `dir`, hidden ones too.
inline QStringList entries(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
}

}  // namespace plexaro::testing

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}
