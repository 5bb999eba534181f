// "Save Pattern" and "Print Pattern" on the real window. Every test works in
// a fresh current folder of its own; print requests go to a print server
// that does not exist (see window_test_main.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "shell/canvas.h"
#include "shell/world5.h"
#include "support.h"

namespace plexaro {
namespace {

using testing::entries;

const QString kPrintError = QStringLiteral("Error: cannot access printer");

std::vector<CellValue> allCells(const WorldState& s) {
  std::vector<CellValue> out;
  for (const Grid* g : {&s.cellGrid, &s.shadowGrid, &s.redGrid, &s.greenGrid, &s.blueGrid})
    for (int y = 0; y < g->rows(); ++y)
      out.insert(out.end(), g->row(y), g->row(y) + g->columns());
  return out;
}

class OutputWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    oldDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    w.setMessageSink([this](const QString& text) { messages << text; });
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }
  void TearDown() override { QDir::setCurrent(oldDir); }

  const QImage& canvas() const { return w.canvas()->image(); }
  QStringList files() const { return entries(QDir::currentPath()); }
  void pressCtrl(Qt::Key key) { QTest::keyClick(&w, key, Qt::ControlModifier); }

  QTemporaryDir tmp;
  QString oldDir;
  world5 w;
  QStringList messages;
};

TEST_F(OutputWindow, SaveIsAllowedOncePerWorldByMenuAndShortcut) {
  EXPECT_FALSE(w.savepattern->isEnabled());
  w.savepattern->trigger();
  pressCtrl(Qt::Key_S);
  EXPECT_EQ(files(), QStringList());

  struct Step {
    QPushButton* button;
    bool byShortcut;
  };
  const Step steps[] = {
      {w.Command3, false}, {w.Command4, true}, {w.Command5, false}, {w.Command3, true}};
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.button->text().toStdString() + (step.byShortcut ? " + Ctrl+S" : " + menu"));
    step.button->click();
    EXPECT_TRUE(w.savepattern->isEnabled());
    step.byShortcut ? pressCtrl(Qt::Key_S) : w.savepattern->trigger();
    EXPECT_FALSE(w.savepattern->isEnabled());

    const QString name = QStringLiteral("pattern%1.bmp").arg(++n);
    const QImage saved(name);
    EXPECT_EQ(saved.size(), QSize(503, 533));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), canvas()) << name.toStdString();

    // Once saved, the same world cannot be saved again.
    w.savepattern->trigger();
    pressCtrl(Qt::Key_S);
    EXPECT_EQ(files().size(), n);
  }
  EXPECT_EQ(messages, QStringList());
}

TEST_F(OutputWindow, FailedSaveSaysSoAndCanBeRetried) {
  // A folder that refuses writes: read-only mounted as root (for whom
  // permissions are no obstacle), read-only by its mode otherwise.
  ASSERT_TRUE(QDir().mkdir("locked"));
  const std::string locked = tmp.filePath("locked").toStdString();
  testing::ScratchMount mount;
  if (testing::isRoot()) {
    const std::string why = mount.mount(locked, "2m");
    if (!why.empty()) GTEST_SKIP() << "cannot mount a read-only file system: " << why;
    ASSERT_EQ(mount.remount(true), "");
  } else {
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
  }
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(locked)));

  w.Command3->click();
  w.savepattern->trigger();
  EXPECT_EQ(messages, QStringList({"Error: cannot save pattern1.bmp"}));
  EXPECT_TRUE(w.savepattern->isEnabled());
  EXPECT_EQ(files(), QStringList());

  testing::isRoot() ? (void)mount.remount(false) : (void)::chmod(locked.c_str(), 0755);
  w.savepattern->trigger();
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(files(), QStringList({"pattern1.bmp"}));
  EXPECT_FALSE(w.savepattern->isEnabled());
}

TEST_F(OutputWindow, SaveOnAFullDiskSaysSoAndLeavesNothing) {
  if (!testing::isRoot()) GTEST_SKIP() << "needs root to mount a small tmpfs and fill it";
  ASSERT_TRUE(QDir().mkdir("full"));
  const std::string full = tmp.filePath("full").toStdString();
  testing::ScratchMount mount;
  const std::string why = mount.mount(full, "2m");
  if (!why.empty()) GTEST_SKIP() << "cannot mount a scratch file system: " << why;
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(full)));
  testing::fillUp(full);

  w.Command4->click();
  w.savepattern->trigger();
  EXPECT_EQ(messages, QStringList({"Error: cannot save pattern1.bmp"}));
  EXPECT_TRUE(w.savepattern->isEnabled());
  EXPECT_EQ(files(), QStringList({"filler"}));
}

TEST_F(OutputWindow, PrintWithoutSpoolerSaysSoOncePerRequestAndChangesNothing) {
  w.Command4->click();
  const QImage drawing = canvas().copy();
  const std::vector<CellValue> grids = allCells(w.world());

  w.printpattern->trigger();
  EXPECT_EQ(messages, QStringList({kPrintError}));
  w.printpattern->trigger();
  pressCtrl(Qt::Key_P);
  EXPECT_EQ(messages, QStringList({kPrintError, kPrintError, kPrintError}));

  EXPECT_EQ(canvas(), drawing);
  EXPECT_TRUE(allCells(w.world()) == grids);
  EXPECT_TRUE(w.savepattern->isEnabled());

  // The failed prints leave nothing pending: the save goes through quietly,
  // and a disabled item stays so through the next failed print.
  w.savepattern->trigger();
  EXPECT_EQ(messages.size(), 3);
  EXPECT_EQ(files(), QStringList({"pattern1.bmp"}));
  w.printpattern->trigger();
  EXPECT_EQ(messages.size(), 4);
  EXPECT_FALSE(w.savepattern->isEnabled());
}

TEST(OutputMessageBox, IsCaptionedPlexaroWithOkOnly) {
  world5 w;  // no message sink: the real box
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QString caption, text;
  QMessageBox::StandardButtons buttons;
  // Looks for the box while it waits for the user, and closes it.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    caption = box->windowTitle();
    text = box->text();
    buttons = box->standardButtons();
    box->button(QMessageBox::Ok)->click();
  });
  poll.start(10);
  w.printpattern_Click();  // returns once the box is closed
  poll.stop();
  EXPECT_EQ(caption, QStringLiteral("Plexaro"));
  EXPECT_EQ(text, kPrintError);
  EXPECT_EQ(buttons, QMessageBox::Ok);
}

}  // namespace
}  // namespace plexaro
