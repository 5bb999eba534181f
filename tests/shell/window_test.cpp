#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "generators/generators.h"
#include "shell/canvas.h"
#include "shell/world5.h"
#include "support/window_fixture.h"
#include "support/world_fixture.h"
#include "world/color.h"
#include "world/memory_platform.h"

namespace plexaro {
namespace {

QString plain(QString text) {
  return text.remove(QLatin1Char('&'));
}

bool allPixels(const QImage& image, QRgb value) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != value) return false;
  return true;
}

class Window : public testing::WindowInTempFolder {
 protected:
  const QImage& image() const { return w.canvas()->image(); }
};

TEST_F(Window, HasItsCaptionFixedDrawingAreaAndButtons) {
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Plexaro - By Quennel"));
  EXPECT_EQ(w.centralWidget(), w.canvas());
  EXPECT_EQ(w.canvas()->size(), QSize(503, 533));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());  // not resizable
  EXPECT_EQ(w.drawingArea().width, 503.0f);
  EXPECT_EQ(w.drawingArea().height, 533.0f);

  struct Expected {
    QPushButton* button;
    const char* caption;
    QRect geometry;
  };
  for (const Expected& e : {Expected{w.Command6, "Reset World", {16, 40, 89, 33}},
                            Expected{w.Command3, "Create Regular World", {16, 104, 89, 33}},
                            Expected{w.Command5, "Create Rainbow World", {16, 168, 89, 33}},
                            Expected{w.Command4, "Create Spiral World", {16, 240, 89, 33}}}) {
    EXPECT_EQ(e.button->text(), QString::fromLatin1(e.caption));
    EXPECT_EQ(e.button->geometry(), e.geometry) << e.caption;
    EXPECT_EQ(e.button->parentWidget(), w.canvas());
    EXPECT_TRUE(e.button->isVisible());
  }
  // Tab order: Regular, Spiral, Rainbow, Reset.
  std::vector<QWidget*> order;
  QWidget* start = w.Command3;
  QWidget* it = start;
  do {
    if (qobject_cast<QPushButton*>(it)) order.push_back(it);
    it = it->nextInFocusChain();
  } while (it != start);
  const std::vector<QWidget*> expected = {w.Command3, w.Command4, w.Command5, w.Command6};
  EXPECT_EQ(order, expected);

  EXPECT_FALSE(w.Label2->isVisible());
  EXPECT_FALSE(w.Picture1->isVisible());
  EXPECT_EQ(w.Label2->geometry(), QRect(16, 32, 137, 81));
  EXPECT_EQ(w.Picture1->geometry(), QRect(168, 32, 145, 193));
}

TEST_F(Window, MenusStartWithSaveDisabledAndTwoColoursChecked) {
  const QList<QAction*> bar = w.menuBar()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0]->menu(), w.options);
  EXPECT_EQ(plain(w.options->title()), QStringLiteral("Options"));
  EXPECT_EQ(bar[1], w.about);
  EXPECT_EQ(w.about->menu(), nullptr);  // a command on the bar itself
  EXPECT_EQ(plain(w.about->text()), QStringLiteral("About"));

  const QList<QAction*> items = w.options->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0], w.savepattern);
  EXPECT_EQ(items[1], w.printpattern);
  EXPECT_EQ(items[2]->menu(), w.colormode);
  EXPECT_EQ(plain(w.savepattern->text()), QStringLiteral("Save Pattern"));
  EXPECT_EQ(plain(w.printpattern->text()), QStringLiteral("Print Pattern"));
  EXPECT_EQ(plain(w.colormode->title()), QStringLiteral("Color mode"));
  EXPECT_FALSE(w.savepattern->isEnabled());
  EXPECT_TRUE(w.printpattern->isEnabled());
  EXPECT_EQ(w.savepattern->shortcut(), QKeySequence(QKeySequence::Save));
  EXPECT_EQ(w.printpattern->shortcut(), QKeySequence(QKeySequence::Print));

  const QList<QAction*> modes = w.colormode->actions();
  ASSERT_EQ(modes.size(), 2);
  EXPECT_EQ(plain(modes[0]->text()), QStringLiteral("Two colors"));
  EXPECT_EQ(plain(modes[1]->text()), QStringLiteral("Many colors"));
  EXPECT_TRUE(w.twocolors->isChecked());
  EXPECT_FALSE(w.manycolors->isChecked());
  EXPECT_EQ(w.world().colorMode, 0);
}

TEST_F(Window, StartsBlackWithGridsOfTheDrawingAreaAndDrawsSinglePixels) {
  EXPECT_TRUE(allPixels(image(), qRgb(0, 0, 0)));
  EXPECT_EQ(w.world().cellGrid.columns(), 506);
  EXPECT_EQ(w.world().blueGrid.rows(), 536);

  // A plain unit diagonal sets exactly its start pixel; red and blue must
  // not swap on the way to the screen.
  w.line(10, 20, 11, 21, rgb(255, 0, 10), LineMode::Plain);
  EXPECT_EQ(image().pixel(10, 20), qRgb(255, 0, 10));
  EXPECT_EQ(image().pixel(11, 21), qRgb(0, 0, 0));
  w.line(10, 20, 11, 21, 0, LineMode::Plain);
  EXPECT_TRUE(allPixels(image(), qRgb(0, 0, 0)));

  // Colours above 24 bits show their low 24 bits.
  w.line(3, 3, 4, 4, 16777216 + rgb(1, 2, 3), LineMode::Plain);
  EXPECT_EQ(image().pixel(3, 3), qRgb(1, 2, 3));
  // A longer line leaves out its end point; a box covers its rectangle,
  // clipped to the drawing area.
  w.line(0, 0, 3, 0, rgb(0, 0, 255), LineMode::Plain);
  EXPECT_EQ(image().pixel(2, 0), qRgb(0, 0, 255));
  EXPECT_EQ(image().pixel(3, 0), qRgb(0, 0, 0));
  w.line(500, 530, 600, 600, rgb(0, 255, 0), LineMode::FilledBox);
  EXPECT_EQ(image().pixel(500, 530), qRgb(0, 255, 0));
  EXPECT_EQ(image().pixel(502, 532), qRgb(0, 255, 0));
  EXPECT_EQ(image().pixel(499, 532), qRgb(0, 0, 0));
}

TEST_F(Window, ButtonsPaintExactlyWhatTheModelPredicts) {
  // The model: the same core on an in-memory platform with the same
  // random sequence, started the same way.
  constexpr std::uint64_t kSeed = 20261206;
  w.randomSource().seed(kSeed);
  MemoryPlatform model(503, 533, kSeed);
  WorldState world;
  world.create(model.drawingArea());
  model.line(-10, -10, 513, 543, 0, LineMode::FilledBox);

  auto expectSame = [&](const char* step) {
    for (int y = 0; y < 533; ++y)
      for (int x = 0; x < 503; ++x)
        ASSERT_EQ(image().pixel(x, y), toScreen(model.pixel(x, y)))
            << step << " at " << x << "," << y;
  };
  // Each step is a button press (mirrored by its generator or the reset in
  // the model) or a colour-mode choice; a reset draws nothing on either side.
  const std::vector<std::pair<const char*, int>> steps = {
      {"regular", 3}, {"regular", 3}, {"spiral", 4}, {"rainbow", 5}, {"many", 1},  {"regular", 3},
      {"spiral", 4},  {"rainbow", 5}, {"reset", 6},  {"two", 0},     {"spiral", 4}};
  for (auto [name, what] : steps) {
    switch (what) {
      case 0:
      case 1:
        (what ? w.manycolors : w.twocolors)->trigger();
        world.colorMode = static_cast<std::int16_t>(what);
        break;
      case 6:
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        world.worldKind = 0;
        resetpattern(world, model);
        break;
      default: {
        QPushButton* button = what == 3 ? w.Command3 : what == 4 ? w.Command4 : w.Command5;
        QTest::mouseClick(button, Qt::LeftButton);
        (what == 3   ? createRegularWorld
         : what == 4 ? createSpiralWorld
                     : createRainbowWorld)(world, model);
      }
    }
    expectSame(name);
    EXPECT_EQ(w.world().worldKind, world.worldKind) << name;
    EXPECT_EQ(w.world().colorMode, world.colorMode) << name;
  }
  EXPECT_TRUE(w.savepattern->isEnabled());
}

TEST_F(Window, ColourModeItemsBehaveAsRadioItemsAndDrawNothing) {
  QTest::mouseClick(w.Command3, Qt::LeftButton);
  const QImage before = image().copy();
  for (auto [item, mode] : {std::pair{w.manycolors, 1},
                            {w.manycolors, 1},
                            {w.twocolors, 0},
                            {w.twocolors, 0},
                            {w.manycolors, 1}}) {
    item->trigger();
    EXPECT_EQ(w.world().colorMode, mode);
    EXPECT_EQ(w.manycolors->isChecked(), mode == 1);
    EXPECT_EQ(w.twocolors->isChecked(), mode == 0);
  }
  EXPECT_EQ(image(), before);
  // In many colours every generator grows in colours: the channel grids
  // change and most grown cells hold a colour rather than 0 or 1.
  for (QPushButton* button : {w.Command3, w.Command4, w.Command5}) {
    const std::vector<CellValue> red(w.world().redGrid.row(0),
                                     w.world().redGrid.row(0) + 506 * 536);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(std::equal(red.begin(), red.end(), w.world().redGrid.row(0)));
    EXPECT_EQ(w.world().cellGrid.at(251, 266), 65793);
    long coloured = 0;
    for (int y = 16; y <= 517; ++y)
      for (int x = 1; x <= 502; ++x)
        coloured += w.world().cellGrid.at(x, y) > 1;
    EXPECT_GT(coloured, 200000) << button->text().toStdString();
  }
}

TEST_F(Window, AboutPanelReplacesTheButtonsUntilTheDrawingAreaIsClicked) {
  QTest::mouseClick(w.Command3, Qt::LeftButton);
  const std::vector<CellValue> cells = testing::allCells(w.world());
  const QImage before = image().copy();
  // Either the four buttons or the label and the picture, never a mix.
  auto panelShown = [&] {
    const bool shown = w.Label2->isVisible();
    for (QWidget* c : {(QWidget*)w.Picture1, (QWidget*)w.Command3, (QWidget*)w.Command4,
                       (QWidget*)w.Command5, (QWidget*)w.Command6})
      EXPECT_EQ(c->isVisible(), shown == (c == w.Picture1));
    return shown;
  };

  QTest::mouseClick(w.canvas(), Qt::LeftButton, {}, QPoint(400, 400));  // panel hidden: nothing
  EXPECT_FALSE(panelShown());
  w.about->trigger();
  w.about->trigger();
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(w.Label2->text(),
            QStringLiteral("This program creates unique diverse two-dimensional worlds. All ideas "
                           "and code were created completely from scratch by me (Quennel) "));
  EXPECT_TRUE(w.Label2->wordWrap());
  // The whole text is readable inside the label's fixed box.
  const QRect box = w.Label2->contentsRect();
  EXPECT_TRUE(box.contains(
      QFontMetrics(w.Label2->font()).boundingRect(box, Qt::TextWordWrap, w.Label2->text())));
  EXPECT_EQ(w.Label2->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(w.Picture1->pixmap().size(), QSize(148, 191));

  // Clicks on the label or the picture belong to them, not to the window.
  QTest::mouseClick(w.Label2, Qt::LeftButton);
  QTest::mouseClick(w.Picture1, Qt::LeftButton);
  EXPECT_TRUE(panelShown());
  QTest::mouseClick(w.canvas(), Qt::LeftButton, {}, QPoint(400, 400));
  EXPECT_FALSE(panelShown());

  EXPECT_EQ(testing::allCells(w.world()), cells);
  EXPECT_EQ(image(), before);
  EXPECT_EQ(w.world().colorMode, 0);
  EXPECT_TRUE(w.savepattern->isEnabled());
}

TEST_F(Window, AFailedPrintSaysSoInAModalBoxCaptionedPlexaroWithOnlyOk) {
  // No sink: the real message box. Read it and close it once it is up.
  w.setMessageSink(nullptr);
  QString caption, text;
  QMessageBox::StandardButtons buttons;
  QTimer poll;  // the box comes up once the print has failed
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      caption = box->windowTitle();
      text = box->text();
      buttons = box->standardButtons();
      box->accept();
    }
  });
  poll.start(10);
  w.printpattern->trigger();  // the tests never reach a printer
  EXPECT_TRUE(QTest::qWaitFor([&] { return !text.isEmpty(); }, 15000));
  EXPECT_EQ(caption, QStringLiteral("Plexaro"));
  EXPECT_EQ(text, QStringLiteral("Error: cannot access printer"));
  EXPECT_EQ(buttons, QMessageBox::Ok);
}

}  // namespace
}  // namespace plexaro
