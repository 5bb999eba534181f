// Saving and printing the pattern: the logic on its own, then the window's
// two menu items. The window's prints go to a print server that does not
// exist (see window_test_main.cpp).
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>

#include "output/pattern_file.h"
#include "output/print_page.h"
#include "output/print_pattern.h"
#include "shell/canvas.h"
#include "shell/world5.h"
#include "support/window_fixture.h"
#include "support/world_fixture.h"

inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

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

const QString kPrintError = QStringLiteral("Error: cannot access printer");

// Every entry of `dir`, hidden ones (a temporary left behind) and dangling
// links too, by name.
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
  QTemporaryDir tmp;
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

// A print system in memory: what it is asked and what it answers.
class FakeSpooler : public Spooler {
 public:
  std::optional<PrintDestination> destination;
  int jobId = 0;
  std::vector<QByteArray> jobs;  // each page as it was submitted

  std::optional<PrintDestination> defaultDestination() override { return destination; }
  int submit(const PrintDestination&, const std::string& path, const std::string&) override {
    jobs.push_back(readAll(QString::fromStdString(path)));
    return jobId;
  }
  std::string lastError() const override { return "client-error-not-possible"; }
};

TEST(Print, IsPrintedOnlyWhenTheSpoolerTakesTheJob) {
  const PrintDestination open{"office", true};
  const struct {
    const char* what;
    std::optional<PrintDestination> destination;
    int jobId;
    bool printed;
  } cases[] = {{"no destination", std::nullopt, 7, false},
               {"not accepting jobs", PrintDestination{"office", false}, 7, false},
               {"job refused", open, 0, false},
               {"taken by a paused queue", open, 7, true}};  // held, but taken
  QImage image(503, 533, QImage::Format_RGB32);
  image.fill(Qt::black);
  image.setPixel(10, 10, qRgb(255, 0, 0));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSpooler spooler;
    spooler.destination = c.destination;
    spooler.jobId = c.jobId;
    EXPECT_EQ(printPattern(image, spooler).printed, c.printed);
    // Only a destination that accepts jobs is sent one.
    ASSERT_EQ(spooler.jobs.size(), c.destination && c.destination->acceptingJobs ? 1u : 0u);
    if (spooler.jobs.empty()) continue;
    // Single pixels keep their colours: an image, not a JPEG.
    const QString pdf = QString::fromLatin1(spooler.jobs[0]);
    EXPECT_EQ(pdf.count(QRegularExpression("/Subtype\\s*/Image")), 1);
    EXPECT_FALSE(pdf.contains("/DCTDecode"));
  }
}

TEST(Print, ImageFitsInsideThePrintableAreaCentred) {
  const std::pair<QRectF, QRectF> cases[] = {
      {{10, 20, 1000, 533}, {10 + (1000 - 503) / 2.0, 20, 503, 533}},  // limited by the height
      {{0, 0, 1006, 2000}, {0, (2000 - 1066) / 2.0, 1006, 1066}},      // by the width, scaled up
      {{5, 5, 251.5, 1000}, {5, 5 + (1000 - 266.5) / 2.0, 251.5, 266.5}}};  // scaled down
  for (const auto& [area, expected] : cases) {
    const QRectF r = fitCentered(QSizeF(503, 533), area);
    EXPECT_TRUE(r == expected) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
  }
}

// --- the window ----------------------------------------------------------------

class OutputWindow : public testing::WindowInTempFolder {
 protected:
  void ctrl(Qt::Key key) { QTest::keyClick(&w, key, Qt::ControlModifier); }
};

// A refused save names the file it tried, leaves nothing and keeps the item
// on (saves that succeed: the e2e and random tests). Full, read-only: one-page
// tmpfs mounts, root only, in a mount namespace of this process, detached at once.
TEST_F(OutputWindow, SaveRefusedSaysWhichFileAndLeavesNothing) {
  const std::tuple<QString, int, unsigned long> cases[] = {
      {"vanished", -1, 0}, {"full", 4096, 0}, {"read-only", 3, MS_RDONLY}};  // bytes in pattern1
  w.Command5->click();
  for (const auto& [folder, filled, flags] : cases) {
    SCOPED_TRACE(folder.toStdString());
    const QByteArray dir = QFile::encodeName(tmp.filePath(folder));
    ASSERT_TRUE(QDir().mkdir(dir));
    static const bool isolated = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (filled >= 0) {
      if (!isolated) GTEST_SKIP() << "mounting a file system needs root";
      ASSERT_EQ(::mount("plexaro-test", dir, "tmpfs", 0, "size=4k"), 0);
      QFile one(dir + "/pattern1.bmp");
      ASSERT_TRUE(one.open(QIODevice::WriteOnly) && one.write(QByteArray(filled, 'x')) == filled);
    }  // closed: a file open for writing would keep it from being remounted read-only
    ASSERT_TRUE(filled < 0 || ::mount(nullptr, dir, nullptr, MS_REMOUNT | flags, nullptr) == 0);
    ASSERT_TRUE(QDir::setCurrent(dir) &&
                (filled < 0 ? QDir().rmdir(dir) : !::umount2(dir, MNT_DETACH)));
    const QStringList before = entries();
    w.savepattern->trigger();
    EXPECT_EQ(messages.join('|'),
              QStringLiteral("Error: cannot save pattern%1.bmp").arg(filled < 0 ? 1 : 2));
    EXPECT_TRUE(w.savepattern->isEnabled());
    EXPECT_EQ(entries(), before);
    messages.clear();
  }
}

TEST_F(OutputWindow, PrintWithoutSpoolerSaysSoOncePerRequestAndChangesNothing) {
  w.Command4->click();
  const QImage drawing = w.canvas()->image().copy();
  const std::vector<CellValue> grids = testing::allCells(w.world());

  w.printpattern->trigger();
  EXPECT_EQ(messages, QStringList{kPrintError});
  ctrl(Qt::Key_P);
  EXPECT_EQ(messages, QStringList(2, kPrintError));
  EXPECT_TRUE(w.canvas()->image() == drawing);
  EXPECT_TRUE(testing::allCells(w.world()) == grids);
  EXPECT_TRUE(w.savepattern->isEnabled());

  // Nothing is left pending: a save goes through quietly, the next print
  // says it once more.
  w.savepattern->trigger();
  EXPECT_EQ(messages.size(), 2);
  EXPECT_EQ(entries(), QStringList{"pattern1.bmp"});
  w.printpattern->trigger();
  EXPECT_EQ(messages.size(), 3);
  EXPECT_FALSE(w.savepattern->isEnabled());
}

}  // namespace
}  // namespace plexaro
