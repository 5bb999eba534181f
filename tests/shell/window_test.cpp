#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <random>

#include "support/window_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

class Window : public testing::WindowInTempFolder {
 protected:
  // The drawing area right of the buttons, as the screen shows it and as
  // the canvas holds it.
  QImage shown() {
    QCoreApplication::processEvents();
    const QPoint at = w.findChild<Canvas*>()->mapTo(&w, QPoint(120, 0));
    return w.screen()->grabWindow(w.winId(), at.x(), at.y(), 383, 533).toImage();
  }
  QImage held() { return image().copy(120, 0, 383, 533); }
};

TEST_F(Window, StartsBlackAndShowsEachButtonsWorldAtOnceInTrueColours) {
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Plexaro - By Quennel"));
  QImage black(503, 533, QImage::Format_RGB32);
  black.fill(Qt::black);
  EXPECT_TRUE(image() == black);

  w.randomSource().seed(5);  // the first Regular World's colour, red in the low byte
  const CellValue fg = randomColor(UniformRandom(5).next());
  const std::pair<const char*, std::int16_t> presses[] = {{"Command3", kRegularWorld},
                                                          {"Command4", kSpiralWorld},
                                                          {"Command5", kRainbowWorld},
                                                          {"Command6", kNoWorld}};
  for (auto [name, kind] : presses) {
    const QImage before = image().copy();
    button(name)->click();
    EXPECT_EQ(w.world().worldKind, kind) << name;
    EXPECT_EQ(image() == before, kind == kNoWorld) << name;  // Reset leaves the picture
    EXPECT_TRUE(shown() == held()) << name;
    if (kind == kRegularWorld) {
      EXPECT_EQ(image().pixel(251, 266), qRgb(fg & 255, (fg >> 8) & 255, fg >> 16));
    }
  }
}

TEST_F(Window, KeysReachOnlyTheButtonsTheUserCanSee) {
  auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
  key(Qt::Key_Space);  // the focus starts on "Create Regular World"
  EXPECT_EQ(w.world().worldKind, kRegularWorld);
  item("about")->trigger();  // no key reaches a hidden button
  for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space})
    key(k);
  EXPECT_EQ(w.world().worldKind, kRegularWorld);
  key(Qt::Key_Escape);  // closes the panel, and the keys work again
  EXPECT_TRUE(w.findChild<QLabel*>("Label2")->isHidden());
  key(Qt::Key_Tab);
  key(Qt::Key_Space);
  EXPECT_EQ(w.world().worldKind, kSpiralWorld);
}

TEST_F(Window, AFailureIsToldInABoxCaptionedPlexaroWithOnlyOk) {
  w.setMessageSink(nullptr);  // the real box: read it and close it once it is up
  QString seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = QStringLiteral("%1|%2|%3|%4")
               .arg(box->windowTitle(), box->text())
               .arg(box->standardButtons() == QMessageBox::Ok)
               .arg(box->icon() == QMessageBox::NoIcon);
    box->accept();
  });
  button("Command3")->click();
  ASSERT_TRUE(tmp.remove());  // the folder is gone: the save cannot succeed
  item("savepattern")->trigger();
  EXPECT_EQ(seen, QStringLiteral("Plexaro|Error: cannot save pattern1.bmp|1|1"));
  EXPECT_TRUE(item("savepattern")->isEnabled());  // to try again elsewhere
}

// A few hundred seeded actions, digested: the picture and all five grids
// after every one must come out exactly as they always have. Any change to
// growth, painting or the order of random draws shows here.
TEST_F(Window, ReplaysSeededActionsByteForByte) {
  w.randomSource().seed(20261206);
  const char* actions[] = {"Command3", "Command3",   "Command4",  "Command5",
                           "Command6", "manycolors", "twocolors", "twocolors"};
  std::mt19937 dice(7);
  std::uint64_t digest = 14695981039346656037ull;  // FNV-1a over 32-bit words
  auto add = [&](const void* data, std::size_t words) {
    for (const auto* p = static_cast<const std::uint32_t*>(data); words--; ++p)
      digest = (digest ^ *p) * 1099511628211ull;
  };
  for (int i = 0; i < 300; ++i) {
    const char* name = actions[dice() % 8];
    button(name) ? button(name)->click() : item(name)->trigger();
    add(image().constBits(), 503 * 533);
    const WorldState& s = w.world();
    for (const Grid* g : {&s.cellGrid, &s.shadowGrid, &s.redGrid, &s.greenGrid, &s.blueGrid})
      add(g->row(0), g->size());
  }
  EXPECT_EQ(digest, 7892432102687752154u);
}

// Run with QT_SCALE_FACTOR=2: every canvas pixel reaches the screen as a
// solid 2 x 2 block of its own colour, never blended with its neighbours.
TEST_F(Window, ScaledScreensShowPixelsAsSolidBlocks) {
  if (w.devicePixelRatio() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
  button("Command5")->click();
  const QImage screen = w.findChild<Canvas*>()->grab().toImage();
  for (int y = 300; y < 533; ++y)  // below the buttons
    for (int x = 0; x < 503; ++x)
      ASSERT_EQ(screen.pixel(2 * x + 1, 2 * y + 1), image().pixel(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace plexaro

// Offscreen, and with a print system that does not exist: no test prints.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("CUPS_SERVER", "/nonexistent/plexaro-test/cups.sock", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
