#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

#include "shell/caption_button.h"
#include "shell/main_window.h"
#include "shell/translations.h"

namespace plexaro {
namespace {

// Sets the locale's variables ("NAME=value ..."), the others unset.
bool useLocale(const char* variables) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
    qunsetenv(name);
  for (const QString& variable : QString::fromUtf8(variables).split(u' ', Qt::SkipEmptyParts))
    qputenv(variable.section(u'=', 0, 0).toLatin1(), variable.section(u'=', 1).toUtf8());
  return true;
}

// The window, made under the given locale.
struct Localised {
  explicit Localised(const char* variables) : set(useLocale(variables)) {}
  bool set;
  Translations translations;
  MainWindow w;
};

// `text` laid out in `area`, each word whole on its line.
bool fits(const QString& text, const QFont& font, const QRect& area, int flags) {
  const QFontMetrics metrics(font);
  const QStringList words = text.split(u' ');
  return area.contains(metrics.boundingRect(area, flags | Qt::TextWordWrap, text)) &&
         std::all_of(words.begin(), words.end(), [&](const QString& word) {
           return metrics.horizontalAdvance(word) <= area.width();
         });
}

class InEachLanguage : public testing::TestWithParam<const char*> {};

// The four captions at one size, the largest at which all fit, and never
// below 6.5 points; the About text whole. Within each menu every item has a
// letter of its own; Alt and the menu's letter open it.
TEST_P(InEachLanguage, ReadsWholeAndEachMenuItemHasALetterOfItsOwn) {
  Localised run(GetParam());
  const auto buttons = run.w.findChildren<CaptionButton*>(QRegularExpression("^Command"));
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
  if (shared < QApplication::font().pointSizeF()) {
    EXPECT_FALSE(captionsFit(shared + 0.5));
  }
  const QLabel* about = run.w.findChild<QLabel*>("Label2");
  EXPECT_GE(about->font().pointSizeF(), 6.5);
  EXPECT_TRUE(fits(about->text(), about->font(), about->contentsRect(), Qt::AlignTop));

  auto* options = run.w.findChild<QMenu*>("options");
  for (QWidget* menu :
       QWidgetList{run.w.menuBar(), options, run.w.findChild<QMenu*>("colormode")}) {
    QSet<int> letters;
    for (const QAction* item : menu->actions()) {
      const int letter = QKeySequence::mnemonic(item->text())[0].key();
      EXPECT_TRUE(letter != 0 && !letters.contains(letter)) << item->text().toStdString();
      letters << letter;
    }
  }
  if (QString(GetParam()).startsWith("LANG=es")) {  // Qt's own words too: a box's button
    QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().toStdString(), "Aceptar");
  }
  run.w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&run.w));
  const int letter = QKeySequence::mnemonic(options->title())[0].key();
  QTest::sendKeyEvent(QTest::Click, &run.w, Qt::Key(letter), QChar(letter).toLower(),
                      Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return options->isVisible(); }));
}

INSTANTIATE_TEST_SUITE_P(Window, InEachLanguage,
                         testing::Values("LANG=de_DE.UTF-8", "LANG=fr_FR.UTF-8", "LANG=es_ES.UTF-8",
                                         "LANG=ru_RU.UTF-8", "LANG=C"));

}  // namespace
}  // namespace plexaro
