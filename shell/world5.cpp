#include "world5.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTime>

#include "canvas.h"
#include "caption_button.h"
#include "fit_text.h"
#include "generators/generators.h"
#include "output/pattern_file.h"
#include "output/print_pattern.h"
#include "world/color.h"

namespace plexaro {

namespace {

QPushButton* makeButton(const char* name, const QString& caption, QRect geometry, QWidget* parent) {
  auto* button = new CaptionButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

// The drawing area in words, for screen readers: which world, in which
// colours, at what size. Reset leaves the picture, and the words say so.
const QString kNoWorldYet = QStringLiteral("No world yet");
const QString kResetNote = QStringLiteral(" (reset: the next world starts from one cell)");
QString describeWorld(const WorldState& world, AreaSize area) {
  if (world.worldKind == kNoWorld) return kNoWorldYet;
  const char* kind = world.worldKind == kRegularWorld  ? "Regular World"
                     : world.worldKind == kSpiralWorld ? "Spiral World"
                                                       : "Rainbow World";
  return QStringLiteral("%1, %2, %3 x %4 pixels")
      .arg(QLatin1String(kind),
           world.colorMode == ColorMode::ManyColors ? QStringLiteral("many colors") : QStringLiteral("two colors"))
      .arg(area.width)
      .arg(area.height);
}

}  // namespace

world5::world5(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromUtf8(kCaption));
  canvas_ = new Canvas(this);
  setCentralWidget(canvas_);
  buildControls();
  buildMenus();
  // The window keeps the size of its drawing area plus the menu bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(canvas_, &Canvas::clicked, this, &world5::Form_Click);
  printer_ = new PatternPrinter(this);
  connect(printer_, &PatternPrinter::failed, this,
          [this] { showMessage(QStringLiteral("Error: cannot access printer")); });
}

world5::~world5() = default;

void world5::buildControls() {
  // Made in tab order (Regular, Spiral, Rainbow, Reset), so that the focus
  // chain runs that way and "Create Regular World" holds the focus at start.
  Command3 =
      makeButton("Command3", QStringLiteral("Create Regular World"), {16, 104, 89, 33}, canvas_);
  Command4 =
      makeButton("Command4", QStringLiteral("Create Spiral World"), {16, 240, 89, 33}, canvas_);
  Command5 =
      makeButton("Command5", QStringLiteral("Create Rainbow World"), {16, 168, 89, 33}, canvas_);
  Command6 = makeButton("Command6", QStringLiteral("Reset World"), {16, 40, 89, 33}, canvas_);
  connect(Command3, &QPushButton::clicked, this, &world5::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &world5::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &world5::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &world5::Command6_Click);
  Command3->setFocus();
  // The panel gives the focus back to the button that last held it, whether
  // "About" was chosen with the mouse, a shortcut or the menu bar's keys.
  buttonWithFocus_ = Command3;
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (auto* button = qobject_cast<QPushButton*>(now); button && button->parent() == canvas_)
      buttonWithFocus_ = button;
  });

  Label2 = new QLabel(
      QStringLiteral("This program creates unique diverse two-dimensional worlds. All ideas "
                     "and code were created completely from scratch by me (Quennel) "),
      canvas_);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(16, 32, 137, 81);
  Label2->setWordWrap(true);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setFont(fitText(Label2->font(), Label2->contentsRect(),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Label2->text()));
  Label2->setAutoFillBackground(true);
  QPalette green = Label2->palette();
  green.setColor(QPalette::Window, QColor::fromRgb(toScreen(rgb(0, 255, 0))));
  Label2->setPalette(green);

  Picture1 = new QLabel(canvas_);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setGeometry(168, 32, 145, 193);
  Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture1->setAccessibleName(QStringLiteral("A world grown by Plexaro"));
  Picture1->setAccessibleDescription(
      QStringLiteral("A small Spiral World in two colors: square rings of yellow and blue "
                     "specks around its centre, 148 x 191 pixels"));

  // A click on the panel is not a click on the drawing area beneath it.
  for (QLabel* label : {Label2, Picture1}) {
    label->setAttribute(Qt::WA_NoMousePropagation);
    label->hide();
  }
}

void world5::buildMenus() {
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("options"));
  savepattern = options->addAction(QStringLiteral("&Save Pattern"));
  savepattern->setObjectName(QStringLiteral("savepattern"));
  savepattern->setShortcut(QKeySequence::Save);
  savepattern->setEnabled(false);
  QAction* printpattern = options->addAction(QStringLiteral("&Print Pattern"));
  printpattern->setObjectName(QStringLiteral("printpattern"));
  printpattern->setShortcut(QKeySequence::Print);

  QMenu* colormode = options->addMenu(QStringLiteral("&Color mode"));
  colormode->setObjectName(QStringLiteral("colormode"));
  twocolors = colormode->addAction(QStringLiteral("&Two colors"));
  twocolors->setObjectName(QStringLiteral("twocolors"));
  manycolors = colormode->addAction(QStringLiteral("&Many colors"));
  manycolors->setObjectName(QStringLiteral("manycolors"));
  // Shown as radio items; the handlers still set both marks themselves.
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (QAction* item : {twocolors, manycolors}) {
    item->setCheckable(true);
    group->addAction(item);
  }
  twocolors->setChecked(true);

  QAction* about = menuBar()->addAction(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("about"));
  // Qt lights a menu-bar item and gives the bar the focus while it moves
  // there from an open menu. Left with Right onto "About", a menu opened with
  // the mouse closes, and Qt hands the focus back to the button that had it:
  // "About" stays lit, but Return would not choose it and Space would press
  // the button. Remember that the bar was reached that way.
  connect(menuBar(), &QMenuBar::hovered, this,
          [this] { barLitByKeys_ = focusWidget() == menuBar(); });
  for (QWidget* w :
       std::initializer_list<QWidget*>{Command3, Command4, Command5, Command6, canvas_})
    w->installEventFilter(this);

  connect(savepattern, &QAction::triggered, this, &world5::savepattern_Click);
  connect(printpattern, &QAction::triggered, this, &world5::printpattern_Click);
  connect(twocolors, &QAction::triggered, this, &world5::twocolors_Click);
  connect(manycolors, &QAction::triggered, this, &world5::manycolors_Click);
  connect(about, &QAction::triggered, this, &world5::about_Click);
}

// --- the platform -----------------------------------------------------------

AreaSize world5::drawingArea() const {
  return {static_cast<float>(canvas_->width()), static_cast<float>(canvas_->height())};
}

PixelView world5::pixels() {
  return canvas_->pixels();
}

void world5::enableSavePattern() {
  savepattern->setEnabled(true);
}

void world5::present() {
  canvas_->update();
  canvas_->describe(describeWorld(world_, drawingArea()));
}

// --- start-up and the end -----------------------------------------------------

void world5::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Start-up runs once, when the window is first shown: a window manager may
  // never send an activation (offscreen, or a bare X server).
  if (!activated_) {
    activated_ = true;
    Form_Activate();
  }
}

void world5::Form_Activate() {
  random_.seed(static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay()));
  world_.create(drawingArea());
  canvas_->fill(toScreen(kBlack));
  world_.colorMode = ColorMode::TwoColors;
  present();
  // From here Qt's event loop runs every handler, one at a time, and sleeps
  // while nothing happens.
}

void world5::closeEvent(QCloseEvent* event) {
  event->accept();
  Form_Unload();
}

void world5::Form_Unload() {
  // Nothing is kept: the world goes with the program.
  QCoreApplication::exit(0);
}

// --- the buttons -------------------------------------------------------------

void world5::Command3_Click() {
  createRegularWorld(world_, *this);
  present();
}

void world5::Command4_Click() {
  createSpiralWorld(world_, *this);
  present();
}

void world5::Command5_Click() {
  createRainbowWorld(world_, *this);
  present();
}

void world5::Command6_Click() {
  world_.worldKind = kNoWorld;
  resetpattern(world_, *this);
  const QString shown = canvas_->accessibleDescription();
  if (shown != kNoWorldYet && !shown.endsWith(kResetNote)) canvas_->describe(shown + kResetNote);
}

// --- the colour mode ---------------------------------------------------------

void world5::twocolors_Click() {
  twocolors->setChecked(true);
  manycolors->setChecked(false);
  world_.colorMode = ColorMode::TwoColors;
}

void world5::manycolors_Click() {
  twocolors->setChecked(false);
  manycolors->setChecked(true);
  world_.colorMode = ColorMode::ManyColors;
}

// --- the About panel ---------------------------------------------------------

void world5::about_Click() {
  // A hidden button keeps the focus unless it is taken away: Space would
  // still press it. The drawing area holds it while the panel is shown; it
  // takes it first, so that it does not pass from button to button as they
  // are hidden.
  canvas_->setFocus();
  // Decoded when first shown: most runs never open the panel.
  if (Picture1->pixmap().isNull()) Picture1->setPixmap(QPixmap(QStringLiteral(":/about.jpg")));
  for (QWidget* w : {Command3, Command4, Command5, Command6})
    w->hide();
  Label2->show();
  Picture1->show();
}

void world5::Form_Click() {
  if (Label2->isHidden()) return;
  Label2->hide();
  Picture1->hide();
  for (QWidget* w : {Command3, Command4, Command5, Command6})
    w->show();
  buttonWithFocus_->setFocus();
}

bool world5::eventFilter(QObject* watched, QEvent* event) {
  // While the bar shows an item lit that the keys moved to, the keys that
  // move along it, choose or leave it are its own.
  if (event->type() == QEvent::KeyPress && barLitByKeys_ && menuBar()->activeAction()) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
      case Qt::Key_Escape:
        event->accept();
        QCoreApplication::sendEvent(menuBar(), event);
        if (event->isAccepted()) return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void world5::keyPressEvent(QKeyEvent* event) {
  // Escape puts the buttons back, as a click on the drawing area does.
  if (event->key() == Qt::Key_Escape && !Label2->isHidden()) {
    Form_Click();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

// --- output --------------------------------------------------------------------

void world5::savepattern_Click() {
  const SaveResult result = savePattern(canvas_->image(), ".");
  if (!result.saved) {
    // Nothing was written; the item stays on so the user can try again.
    showMessage(QStringLiteral("Error: cannot save ") + QString::fromStdString(result.name));
    return;
  }
  savepattern->setEnabled(false);
}

void world5::printpattern_Click() {
  // Returns at once; a failure comes back through PatternPrinter::failed.
  printer_->print(canvas_->image());
}

void world5::showMessage(const QString& text) {
  if (messageSink_) {
    messageSink_(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Plexaro"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace plexaro
