// Thousands of random user actions on the real window: the four buttons,
// every menu command, Ctrl+S and Ctrl+P, and clicks anywhere on the drawing
// area, each followed by the checks of what a user could notice. The seed is
// printed first; PLEXARO_RANDOM_SEED and PLEXARO_RANDOM_ACTIONS replay a
// failure or explore other runs. CI runs the default ones.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include "shell/canvas.h"
#include "shell/world5.h"
#include "support/window_fixture.h"

namespace plexaro {
namespace {

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

// What tells a directory entry apart: its type, size, inode and mtime. A file
// rewritten in place keeps its inode but not its mtime; one replaced by a
// rename keeps neither.
using Stamp = std::tuple<mode_t, off_t, ino_t, long long>;
using Listing = std::map<std::string, Stamp>;

// Every entry of the current folder, hidden ones and dangling links too: a
// save must not leave a temporary file behind either.
Listing listFolder() {
  Listing out;
  for (const QString& name :
       QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    struct stat st {};
    ::lstat(QFile::encodeName(name).constData(), &st);
    out[name.toStdString()] = {st.st_mode, st.st_size, st.st_ino,
                               st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
  }
  return out;
}

class RandomActions : public testing::WindowInTempFolder {
 protected:
  void SetUp() override {
    WindowInTempFolder::SetUp();
    if (HasFatalFailure()) return;
    // What a save must step over and never touch: a name of the series
    // holding bytes of its own, a folder, a link to nowhere (writing
    // through it would create elsewhere.bmp).
    QFile own("pattern1.bmp");
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    ASSERT_EQ(own.write(ownBytes), ownBytes.size());
    own.close();
    ASSERT_TRUE(QDir().mkdir("pattern3.bmp"));
    ASSERT_EQ(::symlink("elsewhere.bmp", "pattern5.bmp"), 0);
    files = listFolder();

    QApplication::setStyle(QStringLiteral("Fusion"));  // buttons take clicks on all their rectangle
    w.randomSource().seed(seed * 0x9E3779B97F4A7C15u + 1);  // the worlds replay too
  }
  int below(int n) { return static_cast<int>(dice() % static_cast<std::uint64_t>(n)); }
  QPoint inside(const QRect& r) {
    return {r.left() + below(r.width()), r.top() + below(r.height())};
  }

  // A menu command, or its shortcut typed into the window.
  void command(QAction* item, Qt::Key key, bool byKey) {
    if (!byKey) return item->trigger();
    if (QApplication::activeWindow() != &w) QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, key, Qt::ControlModifier);
  }

  // A click at `p` on the drawing area, delivered to the window as the
  // platform would, so that Qt decides which widget gets it; what should lie
  // there follows from the test's own account of the About panel.
  void clickAt(QPoint p) {
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, w.canvas()->mapTo(&w, p));
    if (panel) {  // the label and the picture keep their clicks; elsewhere closes the panel
      panel = w.Label2->geometry().contains(p) || w.Picture1->geometry().contains(p);
      return;
    }
    for (int i = 0; i < 4; ++i)
      if (buttons[i]->geometry().contains(p)) {
        kind = kinds[i];
        savable = savable || kind != kNoWorld;
      }
  }

  void save(bool byKey) {
    int n = 1;
    while (files.count("pattern" + std::to_string(n) + ".bmp"))
      ++n;
    const std::string name = "pattern" + std::to_string(n) + ".bmp";
    ASSERT_NO_FATAL_FAILURE(command(w.savepattern, Qt::Key_S, byKey));
    if (!savable) return;  // disabled: check() sees the folder untouched
    savable = false;
    Listing now = listFolder(), expected = files;
    expected[name] = now[name];
    ASSERT_EQ(now, expected) << "the save should add just " << name;
    ASSERT_TRUE(S_ISREG(std::get<0>(now[name]))) << name;
    ASSERT_TRUE(QImage(QString::fromStdString(name)).convertToFormat(QImage::Format_RGB32) ==
                w.canvas()->image())
        << name << " is not the drawing";
    QFile own("pattern1.bmp");
    ASSERT_TRUE(own.open(QIODevice::ReadOnly) && own.readAll() == ownBytes)
        << "pattern1.bmp changed";
    files = now;
    saved.push_back(name);
    if (++saves % 40) return;
    // Delete about three saved files in four: the disk stays bounded and
    // later saves have gaps to fill.
    std::erase_if(saved, [&](const std::string& f) {
      if (!below(4)) return false;
      EXPECT_EQ(::unlink(f.c_str()), 0) << f;
      return files.erase(f) == 1;
    });
  }

  void print(bool byKey) {
    ASSERT_NO_FATAL_FAILURE(command(w.printpattern, Qt::Key_P, byKey));
    // No print system can be reached: one message for each request, once
    // the print has failed.
    (void)QTest::qWaitFor([&] { return !messages.isEmpty(); }, 15000);
    ASSERT_EQ(messages.join(" | ").toStdString(), "Error: cannot access printer");
    messages.clear();
  }

  void colorMode(QAction* item, int m) {
    item->trigger();
    mode = m;
  }

  void check() {
    ASSERT_NE(w.twocolors->isChecked(), w.manycolors->isChecked()) << "one colour mark";
    ASSERT_EQ(w.manycolors->isChecked(), w.world().colorMode == 1);
    ASSERT_EQ(w.world().colorMode, mode);
    ASSERT_EQ(w.world().worldKind, kind);
    ASSERT_EQ(w.savepattern->isEnabled(), savable) << "Save Pattern";
    ASSERT_EQ(w.canvas()->size(), QSize(503, 533));
    ASSERT_TRUE(w.drawingArea().width == 503 && w.drawingArea().height == 533);
    ASSERT_EQ(w.Label2->isVisible(), panel);
    ASSERT_EQ(w.Picture1->isVisible(), panel);
    for (QPushButton* b : buttons)
      ASSERT_EQ(b->isVisible(), !panel) << b->objectName().toStdString();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    const Listing now = listFolder();
    ASSERT_EQ(now, files) << "the folder changed";
  }

  const std::uint64_t seed = fromEnvironment("PLEXARO_RANDOM_SEED", 20260412);
  std::mt19937_64 dice{seed};  // the same sequence with every standard library
  const QByteArray ownBytes = QByteArray("BM not a bitmap, but mine\n").repeated(150);
  Listing files;                   // the folder as it should be
  std::vector<std::string> saved;  // what this run saved and still keeps
  long saves = 0;

  QPushButton* const buttons[4] = {w.Command3, w.Command4, w.Command5, w.Command6};
  const int kinds[4] = {kRegularWorld, kSpiralWorld, kRainbowWorld, kNoWorld};
  int mode = 0, kind = kNoWorld;
  bool savable = false, panel = false;
};

TEST_F(RandomActions, EveryActionLeavesTheWindowAndTheFolderAsExpected) {
  const long actions = static_cast<long>(fromEnvironment("PLEXARO_RANDOM_ACTIONS", 10000));
  std::cout << "random actions: seed " << seed << ", " << actions << " actions (replay with "
            << "PLEXARO_RANDOM_SEED=" << seed << " PLEXARO_RANDOM_ACTIONS=" << actions << ")"
            << std::endl;
  // Clicks on the buttons, the label and the picture go to where they lie,
  // whether shown or hidden under the About panel.
  const struct {
    const char* name;
    int weight;
    std::function<void()> run;
  } steps[] = {
      {"regular", 35, [&] { clickAt(inside(w.Command3->geometry())); }},
      {"spiral", 30, [&] { clickAt(inside(w.Command4->geometry())); }},
      {"rainbow", 30, [&] { clickAt(inside(w.Command5->geometry())); }},
      {"reset", 30, [&] { clickAt(inside(w.Command6->geometry())); }},
      {"save (menu)", 60, [&] { save(false); }},
      {"save (Ctrl+S)", 40, [&] { save(true); }},
      {"print (menu)", 30, [&] { print(false); }},
      {"print (Ctrl+P)", 20, [&] { print(true); }},
      {"two colors", 50, [&] { colorMode(w.twocolors, 0); }},
      {"many colors", 50, [&] { colorMode(w.manycolors, 1); }},
      {"about", 55, [&] { panel = (w.about->trigger(), true); }},
      {"click drawing area", 210, [&] { clickAt(inside(w.canvas()->rect())); }},
      {"click label", 50, [&] { clickAt(inside(w.Label2->geometry())); }},
      {"click picture", 50, [&] { clickAt(inside(w.Picture1->geometry())); }},
  };
  std::vector<int> deck;  // each step as many times as its weight
  for (int k = 0; k < static_cast<int>(std::size(steps)); ++k)
    deck.insert(deck.end(), steps[k].weight, k);

  ASSERT_NO_FATAL_FAILURE(check());
  for (long i = 0; i < actions && !HasFatalFailure(); ++i) {
    const int k = deck[below(static_cast<int>(deck.size()))];
    SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(i) + ": " +
                 steps[k].name);
    steps[k].run();
    QCoreApplication::processEvents();  // between two user actions the event loop runs
    if (!HasFatalFailure()) check();
  }
}

}  // namespace
}  // namespace plexaro
