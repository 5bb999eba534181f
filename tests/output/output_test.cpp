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
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cerrno>
#include <cstring>

#include "output/pattern_file.h"
#include "shell/canvas.h"
#include "shell/world5.h"
#include "support/window_fixture.h"
#include "support/world_fixture.h"

inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace plexaro {
namespace {

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
    w.Command5->click();
    w.savepattern->trigger();
    EXPECT_EQ(messages, QStringList{"Error: cannot save pattern2.bmp"});
    EXPECT_TRUE(w.savepattern->isEnabled());
    EXPECT_EQ(entries(), before);
  }

  std::string mountPoint;
};

TEST_F(OutputWindow, SaveIsOnOncePerWorldByMenuAndShortcutAlike) {
  EXPECT_FALSE(w.savepattern->isEnabled());
  w.savepattern->trigger();
  ctrl(Qt::Key_S);
  EXPECT_EQ(entries(), QStringList());

  w.manycolors->trigger();  // colours: swapped channels would show
  const std::pair<QPushButton*, bool> steps[] = {
      {w.Command3, false}, {w.Command4, true}, {w.Command5, false}, {w.Command5, true}};
  int n = 0;
  for (const auto& [button, byShortcut] : steps) {
    SCOPED_TRACE(button->text().toStdString() + (byShortcut ? " + Ctrl+S" : " + menu"));
    button->click();
    EXPECT_TRUE(w.savepattern->isEnabled());
    byShortcut ? ctrl(Qt::Key_S) : w.savepattern->trigger();
    EXPECT_FALSE(w.savepattern->isEnabled());
    w.savepattern->trigger();  // the same world cannot be saved twice
    ctrl(Qt::Key_S);
    ASSERT_EQ(entries().size(), ++n);

    // An uncompressed 24-bit BMP of exactly the canvas's pixels.
    const QByteArray bmp = readAll(QStringLiteral("pattern%1.bmp").arg(n));
    ASSERT_GT(bmp.size(), 54);
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24);  // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 30), 0u);  // compression
    const QImage saved = QImage::fromData(bmp, "BMP");
    EXPECT_TRUE(saved.size() == QSize(503, 533) &&
                saved.convertToFormat(QImage::Format_RGB32) == w.canvas()->image());
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

}  // namespace
}  // namespace plexaro
