// Saving and printing the pattern: the logic on its own, then the window's
// two menu items. The window's prints go to a print server that does not
// exist (see window_test_main.cpp).
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cerrno>
#include <cstring>

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

// Each case plants entries of the series ('f' a file, 'd' a folder, 'l' a
// link to nowhere) and saves once: the first free name is taken, with the
// user's usual mode, and every other entry is left as it was.
TEST(SaveFolder, TakesTheFirstFreeNameAndTouchesNothingElse) {
  const struct {
    std::vector<std::pair<char, int>> present;
    QString expected;
  } cases[] = {{{}, "pattern1.bmp"},
               {{{'f', 1}, {'f', 2}}, "pattern3.bmp"},
               {{{'f', 2}}, "pattern1.bmp"},
               {{{'d', 1}}, "pattern2.bmp"},
               {{{'l', 1}}, "pattern2.bmp"}};
  const mode_t oldMask = ::umask(022);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected.toStdString());
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    QStringList expected = {c.expected};
    for (const auto& [kind, n] : c.present) {
      const QString name = QStringLiteral("pattern%1.bmp").arg(n);
      expected << name;
      QFile f(dir.filePath(name));
      ASSERT_TRUE(kind == 'd'   ? dir.mkpath(name + "/inside")
                  : kind == 'l' ? QFile::link(dir.filePath("missing-target"), f.fileName())
                                : f.open(QIODevice::WriteOnly) && f.write("old") == 3);
    }
    const SaveResult r = savePatternBytes(tmp.path().toStdString(), "new");
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(QString::fromStdString(r.name), c.expected);
    expected.sort();
    EXPECT_EQ(entries(tmp.path()), expected);  // no temporary left, no link followed
    EXPECT_EQ(readAll(dir.filePath(c.expected)), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(c.expected)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    for (const auto& [kind, n] : c.present) {
      const QString name = dir.filePath(QStringLiteral("pattern%1.bmp").arg(n));
      EXPECT_TRUE(kind == 'l' ||
                  (kind == 'f' ? readAll(name) == "old" : entries(name) == QStringList{"inside"}))
          << name.toStdString() << " was changed";
    }
  }
  ::umask(oldMask);
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
  void TearDown() override {
    WindowInTempFolder::TearDown();
    if (!mountPoint.empty()) ::umount2(mountPoint.c_str(), MNT_DETACH);
  }

  void ctrl(Qt::Key key) { QTest::keyClick(&w, key, Qt::ControlModifier); }

  // Makes a small tmpfs holding pattern1.bmp the current folder: empty, or
  // why not. It lives in a mount namespace of this process, so nothing is
  // seen outside or outlives the test.
  std::string mountScratch() {
    if (::geteuid() != 0) return "mounting a file system needs root";
    static const bool isolated = ::unshare(CLONE_NEWNS) == 0 &&
                                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    (void)isolated;  // without it the mount is still removed by TearDown
    const std::string dir = tmp.filePath("scratch").toStdString();
    if (!QDir().mkdir("scratch") || ::mount("plexaro-test", dir.c_str(), "tmpfs", 0, "size=2m"))
      return std::string("mount tmpfs: ") + std::strerror(errno);
    mountPoint = dir;
    QDir::setCurrent("scratch");
    return QFile("pattern1.bmp").open(QIODevice::WriteOnly) ? "" : "cannot write into it";
  }

  // A world and a save into the current folder, which refuses it: the user
  // is told which file failed, nothing is written, the item stays on.
  void expectRefusedSave() {
    const QStringList before = entries();
    button("Command5")->click();
    item("savepattern")->trigger();
    EXPECT_EQ(messages, QStringList{"Error: cannot save pattern2.bmp"});
    EXPECT_TRUE(item("savepattern")->isEnabled());
    EXPECT_EQ(entries(), before);
  }

  std::string mountPoint;
};

TEST_F(OutputWindow, SaveIsOnOncePerWorldByMenuAndShortcutAlike) {
  EXPECT_FALSE(item("savepattern")->isEnabled());
  item("savepattern")->trigger();
  ctrl(Qt::Key_S);
  EXPECT_EQ(entries(), QStringList());

  item("manycolors")->trigger();  // colours: swapped channels would show
  const std::pair<QPushButton*, bool> steps[] = {
      {button("Command3"), false}, {button("Command4"), true}, {button("Command5"), false}, {button("Command5"), true}};
  int n = 0;
  for (const auto& [button, byShortcut] : steps) {
    SCOPED_TRACE(button->text().toStdString() + (byShortcut ? " + Ctrl+S" : " + menu"));
    button->click();
    EXPECT_TRUE(item("savepattern")->isEnabled());
    byShortcut ? ctrl(Qt::Key_S) : item("savepattern")->trigger();
    EXPECT_FALSE(item("savepattern")->isEnabled());
    item("savepattern")->trigger();  // the same world cannot be saved twice
    ctrl(Qt::Key_S);
    ASSERT_EQ(entries().size(), ++n);

    // An uncompressed 24-bit BMP of exactly the canvas's pixels.
    const QByteArray bmp = readAll(QStringLiteral("pattern%1.bmp").arg(n));
    ASSERT_GT(bmp.size(), 54);
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);  // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 30), 0u);  // compression
    const QImage saved = QImage::fromData(bmp, "BMP");
    EXPECT_TRUE(saved.size() == QSize(503, 533) &&
                saved.convertToFormat(QImage::Format_RGB32) == image());
  }
  EXPECT_EQ(messages, QStringList());
}

TEST_F(OutputWindow, SaveIntoAReadOnlyFolderFails) {
  if (::geteuid() == 0) {  // permissions do not stop root: a read-only mount
    const std::string why = mountScratch();
    if (!why.empty()) GTEST_SKIP() << "cannot mount a read-only file system: " << why;
    ASSERT_EQ(::mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  } else {
    ASSERT_TRUE(QDir().mkdir("locked") && QDir::setCurrent("locked"));
    ASSERT_TRUE(QFile("pattern1.bmp").open(QIODevice::WriteOnly));
    ASSERT_EQ(::chmod(".", 0555), 0);
  }
  expectRefusedSave();
  ::chmod(".", 0755);  // so that the folder can be removed
}

TEST_F(OutputWindow, SaveOnAFullFileSystemFails) {
  const std::string why = mountScratch();
  if (!why.empty()) GTEST_SKIP() << "needs a small tmpfs to fill up: " << why;
  QFile filler("filler");  // tmpfs counts whole pages: filled in steps of 512 bytes
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
  for (const QByteArray block(512, 'x'); filler.write(block) == block.size();) {
  }
  filler.close();
  expectRefusedSave();
}

TEST_F(OutputWindow, PrintWithoutSpoolerSaysSoOncePerRequestAndChangesNothing) {
  button("Command4")->click();
  const QImage drawing = image().copy();
  const std::vector<CellValue> grids(w.world().cellGrid.row(0),
                                     w.world().cellGrid.row(0) + w.world().cellGrid.size());

  item("printpattern")->trigger();
  EXPECT_EQ(messages, QStringList{kPrintError});
  ctrl(Qt::Key_P);
  EXPECT_EQ(messages, QStringList(2, kPrintError));
  EXPECT_TRUE(image() == drawing);
  EXPECT_TRUE(std::equal(grids.begin(), grids.end(), w.world().cellGrid.row(0)));
  EXPECT_TRUE(item("savepattern")->isEnabled());

  // Nothing is left pending: a save goes through quietly, the next print
  // says it once more.
  item("savepattern")->trigger();
  EXPECT_EQ(messages.size(), 2);
  EXPECT_EQ(entries(), QStringList{"pattern1.bmp"});
  item("printpattern")->trigger();
  EXPECT_EQ(messages.size(), 3);
  EXPECT_FALSE(item("savepattern")->isEnabled());
}

}  // namespace
}  // namespace plexaro
