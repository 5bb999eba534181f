#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <optional>
#include <random>

#include "shell/caption_button.h"
#include "shell/translations.h"
#include "support/window_fixture.h"
#include "support/world_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

class Window : public testing::WindowInTempFolder {
 protected:
  // What the screen shows of the drawing area right of the buttons, and what
  // the canvas holds there.
  QImage shown() {
    QCoreApplication::processEvents();
    const QPoint at = canvas()->mapTo(&w, QPoint(120, 0));
    return w.screen()->grabWindow(w.winId(), at.x(), at.y(), 383, 533).toImage();
  }
  QImage held() { return image().copy(120, 0, 383, 533); }
  Canvas* canvas() { return w.findChild<Canvas*>(); }
};

TEST_F(Window, StartsBlackAndShowsEachButtonsWorldAtOnceInTrueColors) {
  QImage black(503, 533, QImage::Format_RGB32);
  black.fill(Qt::black);
  EXPECT_TRUE(image() == black);

  w.randomSource().seed(5);  // the first Regular World's colour, red in the low byte
  const CellValue fg = randomColor(UniformRandom(5).next());
  for (std::string name : {"Command3", "Command4", "Command5", "Command6"}) {
    const QImage before = canvas()->snapshot();
    button(name.c_str())->click();
    EXPECT_EQ(image() == before, name == "Command6") << name;  // Reset leaves the picture
    EXPECT_TRUE(shown() == held()) << name;
    EXPECT_TRUE(item("savepattern")->isEnabled());
    if (name == "Command3") {
      EXPECT_EQ(image().pixel(251, 266), qRgb(fg & 255, (fg >> 8) & 255, fg >> 16));
    }
  }
}

// Hidden and shown again, as when minimised and restored: start-up does not
// run again, and the picture, the world and "Save Pattern" stay. A panel over
// part of the picture, taken away, leaves the very pixels it covered.
TEST_F(Window, KeepsItsPictureAndWorldWhenHiddenOrCovered) {
  button("Command3")->click();
  const QImage grown = canvas()->snapshot();
  const std::string cells = testing::centreBlock(w.world().cellGrid);
  w.hide();
  QLabel cover(canvas());  // shown with the window
  cover.setGeometry(200, 100, 150, 120);
  cover.setAutoFillBackground(true);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  shown();
  cover.hide();  // what it uncovers is repainted alone
  EXPECT_TRUE(shown() == held() && image() == grown);
  EXPECT_TRUE(item("savepattern")->isEnabled());
  EXPECT_EQ(testing::centreBlock(w.world().cellGrid), cells);
}

TEST_F(Window, EachRunTakesItsColorsFromTheClock) {
  QTest::qWait(1000);  // a run started a second after this one
  MainWindow later;
  later.show();
  button("Command3")->click();
  later.findChild<QPushButton*>("Command3")->click();
  EXPECT_NE(image().pixel(251, 266), later.findChild<Canvas*>()->image().pixel(251, 266));
}

// What the box says is heard in the screen-reader test; here, how it looks.
TEST_F(Window, AFailureIsToldInABoxWithOnlyOkAndNoIcon) {
  w.setMessageSink(nullptr);  // the real box: read it and close it once it is up
  bool plain = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    plain = box->standardButtons() == QMessageBox::Ok && box->icon() == QMessageBox::NoIcon;
    box->accept();
  });
  button("Command3")->click();
  ASSERT_TRUE(tmp.remove());  // the folder is gone: the save cannot succeed
  item("savepattern")->trigger();
  EXPECT_TRUE(plain);
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

// `text` laid out in `area`, each word whole on its line.
bool fits(const QString& text, const QFont& font, const QRect& area, int flags) {
  const QFontMetrics metrics(font);
  const QStringList words = text.split(u' ');
  return area.contains(metrics.boundingRect(area, flags | Qt::TextWordWrap, text)) &&
         std::all_of(words.begin(), words.end(), [&](const QString& word) {
           return metrics.horizontalAdvance(word) <= area.width();
         });
}

// The window in the language of LANG, the locale's other variables unset.
class InEachLanguage : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
      qunsetenv(name);
    qputenv("LANG", GetParam());
    translations.emplace();
    w.emplace();
  }
  std::optional<Translations> translations;
  std::optional<MainWindow> w;
};

// The four captions at one size, the largest at which all fit, never below
// 6.5 points; the About text whole; in each menu a letter for each item.
TEST_P(InEachLanguage, ReadsWholeAndEachMenuItemHasALetterOfItsOwn) {
  const auto buttons = w->findChildren<CaptionButton*>(QRegularExpression("^Command"));
  auto captionsFit = [&](qreal points) {
    QFont font = buttons[0]->font();
    font.setPointSizeF(points);
    return std::all_of(buttons.begin(), buttons.end(), [&](CaptionButton* button) {
      return fits(button->text(), font, button->captionArea(), Qt::AlignCenter);
    });
  };
  const qreal shared = buttons[0]->font().pointSizeF();
  for (CaptionButton* button : buttons)
    EXPECT_EQ(button->font().pointSizeF(), shared) << button->text().toStdString();
  EXPECT_TRUE(shared >= 6.5 && captionsFit(shared));
  EXPECT_TRUE(shared == QApplication::font().pointSizeF() || !captionsFit(shared + 0.5));
  const QLabel* about = w->findChild<QLabel*>("Label2");
  EXPECT_TRUE(about->font().pointSizeF() >= 6.5 &&
              fits(about->text(), about->font(), about->contentsRect(), Qt::AlignTop));
  for (QWidget* menu : QWidgetList{w->menuBar(), w->findChild<QMenu*>("options"),
                                   w->findChild<QMenu*>("colormode")}) {
    QSet<int> letters;
    for (const QAction* item : menu->actions()) {
      const int letter = QKeySequence::mnemonic(item->text())[0].key();
      EXPECT_TRUE(letter != 0 && !letters.contains(letter)) << item->text().toStdString();
      letters << letter;
    }
  }
  if (QString(GetParam()).startsWith("es")) {  // Qt's own words too: a box's button
    QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().toStdString(), "Aceptar");
  }
}

INSTANTIATE_TEST_SUITE_P(Window, InEachLanguage,
                         ::testing::Values("de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8",
                                           "ru_RU.UTF-8", "C"));

}  // namespace
}  // namespace plexaro
