#include <gtest/gtest.h>
#include <unistd.h>

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <random>

#include "support/window_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

class Window : public testing::WindowInTempFolder {
 protected:
  struct PaintCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      count += event->type() == QEvent::Paint;
      return false;
    }
  } painted;
  void SetUp() override {
    WindowInTempFolder::SetUp();
    w.findChild<Canvas*>()->installEventFilter(&painted);
  }
  // Paint events the drawing area has had so far.
  int paints() {
    QCoreApplication::processEvents();
    return painted.count;
  }
};

TEST_F(Window, StartsBlackAndShowsEachButtonsWorldInTrueColours) {
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Plexaro - By Quennel"));
  EXPECT_EQ(image().size(), QSize(503, 533));
  for (int y = 0; y < 533; ++y)
    for (int x = 0; x < 503; ++x)
      ASSERT_EQ(image().pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
  EXPECT_FALSE(item("savepattern")->isEnabled());
  EXPECT_TRUE(item("twocolors")->isChecked());

  // The first Regular World paints its centre in the first random colour,
  // red in the packed value's low byte.
  w.randomSource().seed(5);
  const CellValue fg = randomColor(UniformRandom(5).next());
  const std::pair<const char*, std::int16_t> presses[] = {{"Command3", kRegularWorld},
                                                          {"Command4", kSpiralWorld},
                                                          {"Command5", kRainbowWorld},
                                                          {"Command6", kNoWorld}};
  for (auto [name, kind] : presses) {
    const QImage before = image().copy();
    const int paintsBefore = paints();
    button(name)->click();
    EXPECT_EQ(w.world().worldKind, kind) << name;
    // A world is shown at once; a reset leaves the picture as it is.
    EXPECT_EQ(paints() > paintsBefore, kind != kNoWorld) << name;
    EXPECT_EQ(image() == before, kind == kNoWorld) << name;
    if (kind == kRegularWorld)
      EXPECT_EQ(image().pixel(251, 266), qRgb(fg & 255, (fg >> 8) & 255, fg >> 16));
    EXPECT_TRUE(item("savepattern")->isEnabled());
  }
}

TEST_F(Window, ColourModeIsARadioPairThatOnlyTheNextWorldShows) {
  button("Command3")->click();
  const QImage before = image().copy();
  for (const char* name : {"manycolors", "manycolors", "twocolors", "manycolors"}) {
    item(name)->trigger();
    const bool many = std::string(name) == "manycolors";
    EXPECT_EQ(w.world().colorMode, many ? 1 : 0);
    EXPECT_EQ(item("manycolors")->isChecked(), many);
    EXPECT_EQ(item("twocolors")->isChecked(), !many);
  }
  EXPECT_EQ(image(), before);
  button("Command6")->click();
  button("Command3")->click();  // the seed's colour: RGB(1, 1, 1)
  EXPECT_EQ(image().pixel(251, 266), qRgb(1, 1, 1));
}

TEST_F(Window, AboutPanelReplacesTheButtonsUntilTheDrawingAreaIsClicked) {
  button("Command4")->click();
  const QImage before = image().copy();
  auto* label = w.findChild<QLabel*>("Label2");
  auto* picture = w.findChild<QLabel*>("Picture1");
  auto panelShown = [&] {  // either the panel or the four buttons, never a mix
    for (const char* name : {"Command3", "Command4", "Command5", "Command6"})
      EXPECT_EQ(button(name)->isVisible(), !label->isVisible()) << name;
    EXPECT_EQ(picture->isVisible(), label->isVisible());
    return label->isVisible();
  };
  auto clickSurface = [&] {
    QTest::mouseClick(w.findChild<Canvas*>(), Qt::LeftButton, {}, {400, 400});
  };
  clickSurface();
  EXPECT_FALSE(panelShown());
  item("about")->trigger();
  item("about")->trigger();
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(picture->pixmap().size(), QSize(148, 191));
  EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 255, 0));
  QTest::mouseClick(label, Qt::LeftButton);  // the panel's own clicks
  QTest::mouseClick(picture, Qt::LeftButton);
  EXPECT_TRUE(panelShown());
  clickSurface();
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(image(), before);
  EXPECT_EQ(w.world().worldKind, kSpiralWorld);
}

TEST_F(Window, KeysReachOnlyTheButtonsTheUserCanSee) {
  // Focus starts on "Create Regular World": Space grows a Regular World.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(w.world().worldKind, kRegularWorld);
  // With the About panel up, no key reaches a hidden button.
  item("about")->trigger();
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space})
    QTest::keyClick(QApplication::focusWidget(), key);
  EXPECT_EQ(w.world().worldKind, kRegularWorld);
  // Escape closes the panel, and the keys work again.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_TRUE(w.findChild<QLabel*>("Label2")->isHidden());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(w.world().worldKind, kSpiralWorld);
}

TEST_F(Window, AFailureIsToldInABoxCaptionedPlexaroWithOnlyOk) {
  w.setMessageSink(nullptr);  // the real box: read it and close it once it is up
  QString caption, text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle(), text = box->text();
    buttons = box->standardButtons(), icon = box->icon();
    box->accept();
  });
  button("Command3")->click();
  ASSERT_TRUE(tmp.remove());  // the folder is gone: the save cannot succeed
  item("savepattern")->trigger();
  EXPECT_EQ(caption, QStringLiteral("Plexaro"));
  EXPECT_EQ(text, QStringLiteral("Error: cannot save pattern1.bmp"));
  EXPECT_EQ(buttons, QMessageBox::Ok);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
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
    if (auto* b = button(name))
      b->click();
    else
      item(name)->trigger();
    for (int y = 0; y < 533; ++y)
      add(image().constScanLine(y), 503);
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
  const QImage shown = w.findChild<Canvas*>()->grab().toImage();
  ASSERT_EQ(shown.size(), QSize(1006, 1066));
  for (int y = 300; y < 533; ++y)  // below the buttons
    for (int x = 0; x < 503; ++x)
      ASSERT_EQ(shown.pixel(2 * x + 1, 2 * y + 1), image().pixel(x, y)) << x << "," << y;
}

}  // namespace
}  // namespace plexaro
