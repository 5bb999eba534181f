// Preloaded into a test, makes every folder behave like one on a FAT stick:
// files can be neither made unnamed (O_TMPFILE) nor hard-linked.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

extern "C" int openat(int dir, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = flags & O_CREAT ? va_arg(args, mode_t) : 0;
  va_end(args);
  if ((flags & O_TMPFILE) != O_TMPFILE)
    return reinterpret_cast<decltype(&openat)>(dlsym(RTLD_NEXT, "openat"))(dir, path, flags, mode);
  errno = EOPNOTSUPP;
  return -1;
}
extern "C" int openat64(int, const char*, int, ...) __attribute__((alias("openat")));

extern "C" int linkat(int, const char*, int, const char*, int) {
  errno = EPERM;
  return -1;
}
