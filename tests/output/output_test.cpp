// Saving the pattern: the file logic, then through the window; a print outliving its printer.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "output/pattern_file.h"
#include "output/print_pattern.h"
#include "support/window_fixture.h"

// Every write(2) of this test goes through here. Set, midWrite runs once,
// halfway through the next one of two bytes or more, which then comes back
// short: a save caught while writing.
static std::function<void()> midWrite;

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  static const auto real = reinterpret_cast<decltype(&write)>(dlsym(RTLD_NEXT, "write"));
  if (!midWrite || size < 2) return real(fd, data, size);
  const ssize_t n = real(fd, data, size / 2);
  std::exchange(midWrite, nullptr)();
  return n;
}

namespace plexaro {
namespace {

// Every entry of `dir` by name, hidden ones and dangling links too.
QStringList entries(const QString& dir = QStringLiteral(".")) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Stops this process halfway through its n-th write(2) from now.
void stopInWrite(int n) {
  midWrite = [n] { n > 1 ? stopInWrite(n - 1) : (void)::raise(SIGSTOP); };
}

// Each case plants entries of the series ('f' a file, 'd' a folder, 'l' a
// link to nowhere, 'F' a file made while the save is writing) and saves: the
// first free name is taken, 0666 less the umask, and nothing else is touched
// or left over.
TEST(SaveFolder, TakesTheFirstFreeNameAndTouchesNothingElse) {
  const std::pair<std::vector<std::pair<char, int>>, int> cases[] = {
      {{}, 1},         {{{'f', 1}, {'f', 2}}, 3}, {{{'f', 2}}, 1},
      {{{'d', 1}}, 2}, {{{'l', 1}}, 2},           {{{'F', 1}}, 2}};
  const mode_t oldMask = ::umask(027);
  for (const auto& [present, expected] : cases) {
    SCOPED_TRACE(expected);
    QTemporaryDir tmp;
    const auto path = [&](int n) { return tmp.filePath(QStringLiteral("pattern%1.bmp").arg(n)); };
    const auto plant = [&](char kind, int n) {
      QFile f(path(n));
      ASSERT_TRUE(kind == 'd'   ? QDir().mkpath(path(n) + "/inside")
                  : kind == 'l' ? QFile::link("missing", path(n))
                                : f.open(QIODevice::WriteOnly) && f.write("old") == 3);
    };
    QStringList listing = {QFileInfo(path(expected)).fileName()};
    for (const auto& [kind, n] : present) {
      listing << QFileInfo(path(n)).fileName();
      kind == 'F' ? void(midWrite = [=] { plant('f', n); }) : plant(kind, n);
    }
    const SaveResult r = savePatternBytes(tmp.path().toStdString(), "new");
    EXPECT_TRUE(r.saved && tmp.filePath(QString::fromStdString(r.name)) == path(expected))
        << r.name;
    listing.sort();
    EXPECT_EQ(entries(tmp.path()), listing);
    EXPECT_EQ(readAll(path(expected)), "new");
    struct stat st {};
    ::stat(QFile::encodeName(path(expected)).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    for (const auto& [kind, n] : present)
      EXPECT_TRUE(kind == 'd'   ? entries(path(n)) == QStringList{"inside"}
                  : kind == 'l' ? QFileInfo(path(n)).isSymLink()
                                : readAll(path(n)) == "old")
          << n;
  }
  ::umask(oldMask);
}

// A save killed in any of its writes leaves no pattern file, not even a
// partial one: nothing at all where files can be made unnamed, elsewhere
// (FAT) the one hidden file it was filling.
TEST(SaveFolder, AKillWhileWritingLeavesNoPatternFile) {
  QTemporaryDir tmp;  // emptied after every kill: never the current folder
  ASSERT_TRUE(tmp.isValid());
  const bool unnamed =
      ::close(::openat(AT_FDCWD, tmp.path().toLocal8Bit(), O_TMPFILE | O_WRONLY, 0600)) == 0;
  int status = 0;
  for (int stop = 1; stop < 100; ++stop) {
    SCOPED_TRACE(stop);
    const pid_t child = ::fork();
    if (child == 0) {
      stopInWrite(stop);
      ::_exit(savePatternBytes(tmp.path().toStdString(), "a picture").saved ? 0 : 1);
    }
    ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
    if (!WIFSTOPPED(status)) break;  // the save got past all its writes
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const QStringList left = entries(tmp.path());
    EXPECT_TRUE(unnamed ? left.isEmpty() : left.size() == 1 && left[0].startsWith('.'))
        << left.join(' ').toStdString();
    ASSERT_TRUE(QDir(tmp.path()).removeRecursively() && QDir().mkdir(tmp.path()));
  }
  EXPECT_EQ(status, 0);
  EXPECT_EQ(entries(tmp.path()), QStringList{"pattern1.bmp"});
}


using OutputWindow = testing::WindowInTempFolder;

// Each world may be saved once: a 24-bit bitmap of exactly what is drawn, colours and all.
TEST_F(OutputWindow, SavesEachWorldOnceAsABitmapOfTheDrawing) {
  item("manycolors")->trigger();
  for (int n = 1; n <= 2; ++n) {
    button(n == 1 ? "Command3" : "Command5")->click();
    item("savepattern")->trigger();
    item("savepattern")->trigger();  // not twice
    ASSERT_EQ(entries().size(), n);
    const QByteArray bmp = readAll(QStringLiteral("pattern%1.bmp").arg(n));
    EXPECT_EQ(bmp.size() > 28 ? bmp[28] : 0, 24);  // bits per pixel
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), image());
  }
  EXPECT_TRUE(messages.isEmpty());
}

// A refused save on a full or read-only file system names the file it
// tried and why, leaves nothing and keeps the item on. One-page tmpfs mounts, root
// only, in a mount namespace of this process, detached at once.
TEST_F(OutputWindow, SaveRefusedSaysWhichFileAndLeavesNothing) {
  if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0 ||
      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    GTEST_SKIP() << "mounting a file system needs root";
  button("Command5")->click();
  for (auto [filled, flags] : {std::pair{4096, 0ul}, {3, MS_RDONLY}}) {  // bytes in pattern1.bmp
    SCOPED_TRACE(filled);
    const QByteArray dir = QFile::encodeName(tmp.filePath(QString::number(filled)));
    ASSERT_TRUE(QDir().mkdir(dir) && ::mount("plexaro-test", dir, "tmpfs", 0, "size=4k") == 0);
    QFile one(dir + "/pattern1.bmp");
    ASSERT_TRUE(one.open(QIODevice::WriteOnly) && one.write(QByteArray(filled, 'x')) == filled);
    one.close();  // a file open for writing would keep it from being remounted read-only
    ASSERT_EQ(::mount(nullptr, dir, nullptr, MS_REMOUNT | flags, nullptr), 0);
    ASSERT_TRUE(QDir::setCurrent(dir) && ::umount2(dir, MNT_DETACH) == 0);
    const QStringList before = entries();
    item("savepattern")->trigger();
    EXPECT_EQ(messages.join('|').toStdString(),
              "Error: cannot save pattern2.bmp in the working folder: " +
                  std::string(flags ? "Read-only file system" : "No space left on device"));
    EXPECT_TRUE(item("savepattern")->isEnabled());
    EXPECT_EQ(entries(), before);
    messages.clear();
  }
}


// The printer is destroyed, without waiting, while its print waits on a server that takes the
// connection and never answers; the print's thread ends later, on its own. It must touch nothing
// of the printer: the sanitizers' build fails on any touch.
TEST(PrintThread, EndsAfterItsPrinterTouchingNothingOfIt) {
  const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t size = sizeof address;
  auto* at = reinterpret_cast<sockaddr*>(&address);
  ASSERT_TRUE(::bind(server, at, size) == 0 && ::listen(server, 1) == 0 &&
              ::getsockname(server, at, &size) == 0);
  qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(ntohs(address.sin_port)));
  const auto threads = [] { return entries(QStringLiteral("/proc/self/task")).size(); };
  const auto before = threads();
  auto printer = std::make_unique<PatternPrinter>(nullptr, std::chrono::milliseconds(0));
  printer->print(QImage(8, 8, QImage::Format_RGB32));
  pollfd connected{server, POLLIN, 0};
  ASSERT_EQ(::poll(&connected, 1, 10'000), 1);
  printer.reset();
  EXPECT_TRUE(QTest::qWaitFor([&] { return threads() <= before; }, 10'000));
  ::close(server);
}

}  // namespace
}  // namespace plexaro
