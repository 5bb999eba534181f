#include "main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTime>
#include <cstring>

#include "announcer.h"
#include "canvas.h"
#include "caption_button.h"
#include "fit_text.h"
#include "generators/generators.h"
#include "menu_bar_keys.h"
#include "output/pattern_file.h"
#include "output/print_pattern.h"
#include "world/color.h"

namespace plexaro {

namespace {

CaptionButton* makeButton(const char* name, const QString& caption, QRect geometry,
                          QWidget* parent) {
  auto* button = new CaptionButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  return button;
}

QAction* makeAction(QMenu* menu, const char* name, const QString& text) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

// --- what the drawing area shows, in words ----------------------------------

QString MainWindow::worldInWords() const {
  const QString kind = shown_.kind == kRegularWorld  ? tr("Regular World")
                       : shown_.kind == kSpiralWorld ? tr("Spiral World")
                                                     : tr("Rainbow World");
  const QString colors =
      shown_.colors == ColorMode::ManyColors ? tr("many colors") : tr("two colors");
  return tr("%1, %2").arg(kind, colors);
}

// Reset leaves the picture as it was, so the words tell that the next world
// starts afresh.
QString MainWindow::describeShown() const {
  if (shown_.kind == kNoWorld) return tr("No world yet");
  const AreaSize area = drawingArea();
  const QString world = tr("%1, %2 x %n pixels", nullptr, static_cast<int>(area.height))
                            .arg(worldInWords())
                            .arg(area.width);
  return shown_.reset ? tr("%1 (reset: the next world starts from one cell)").arg(world) : world;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(tr(kCaption));
  canvas_ = new Canvas(this);
  setCentralWidget(canvas_);
  buildButtons();
  buildAboutPanel();
  buildMenus();
  announcer_ = new Announcer(canvas_);
  new MenuBarKeys(menuBar(),
                  {regularButton_, spiralButton_, rainbowButton_, resetButton_, canvas_});
  // The world is grown for the drawing area's size; the window must not
  // stretch it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(canvas_, &Canvas::clicked, this, &MainWindow::hideAbout);
  printer_ = new PatternPrinter(this);
  connect(printer_, &PatternPrinter::failed, this,
          [this] { showMessage(tr("Error: cannot access printer")); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildButtons() {
  // Made in tab order (Regular, Spiral, Rainbow, Reset), so that the focus
  // chain runs that way and "Create Regular World" holds the focus at start.
  regularButton_ = makeButton("Command3", tr("Create Regular World"), {16, 104, 89, 33}, canvas_);
  spiralButton_ = makeButton("Command4", tr("Create Spiral World"), {16, 240, 89, 33}, canvas_);
  rainbowButton_ = makeButton("Command5", tr("Create Rainbow World"), {16, 168, 89, 33}, canvas_);
  resetButton_ = makeButton("Command6", tr("Reset World"), {16, 40, 89, 33}, canvas_);
  buttons_ = {regularButton_, spiralButton_, rainbowButton_, resetButton_};
  CaptionButton::shareCaptionSize(buttons_);
  connect(regularButton_, &QPushButton::clicked, this, &MainWindow::createRegularWorld);
  connect(spiralButton_, &QPushButton::clicked, this, &MainWindow::createSpiralWorld);
  connect(rainbowButton_, &QPushButton::clicked, this, &MainWindow::createRainbowWorld);
  connect(resetButton_, &QPushButton::clicked, this, &MainWindow::resetWorld);
  regularButton_->setFocus();
  // The panel gives the focus back to the button that last held it, whether
  // "About" was chosen with the mouse, a shortcut or the menu bar's keys.
  buttonWithFocus_ = regularButton_;
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (auto* button = qobject_cast<QPushButton*>(now); button && button->parent() == canvas_)
      buttonWithFocus_ = button;
  });
}

void MainWindow::buildAboutPanel() {
  aboutText_ =
      new QLabel(tr("This program creates unique diverse two-dimensional worlds. All ideas "
                    "and code were created completely from scratch by me (Quennel) "),
                 canvas_);
  aboutText_->setObjectName(QStringLiteral("Label2"));
  aboutText_->setGeometry(16, 32, 137, 81);
  aboutText_->setWordWrap(true);
  aboutText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  aboutText_->setContentsMargins(0, 0, roomForScale(137, aboutText_->devicePixelRatioF()), 0);
  aboutText_->setFont(fitText(aboutText_->font(), aboutText_->contentsRect(),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                              {aboutText_->text()}));
  aboutText_->setAutoFillBackground(true);
  // Black on the green whatever the desktop's theme: a dark theme's light
  // text would all but vanish on it.
  QPalette green = aboutText_->palette();
  green.setColor(QPalette::Window, QColor::fromRgb(toScreen(rgb(0, 255, 0))));
  green.setColor(QPalette::WindowText, Qt::black);
  aboutText_->setPalette(green);

  aboutPicture_ = new QLabel(canvas_);
  aboutPicture_->setObjectName(QStringLiteral("Picture1"));
  aboutPicture_->setGeometry(168, 32, 145, 193);
  aboutPicture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  aboutPicture_->setAccessibleName(tr("A world grown by Plexaro"));
  aboutPicture_->setAccessibleDescription(
      tr("A small Spiral World in two colors: square rings of yellow and blue "
         "specks around its centre, 148 x 191 pixels"));

  // A click on the panel is not a click on the drawing area beneath it.
  for (QLabel* part : {aboutText_, aboutPicture_}) {
    part->setAttribute(Qt::WA_NoMousePropagation);
    part->hide();
  }
}

void MainWindow::buildMenus() {
  QMenu* options = menuBar()->addMenu(tr("&Options"));
  options->setObjectName(QStringLiteral("options"));
  saveAction_ = makeAction(options, "savepattern", tr("&Save Pattern"));
  saveAction_->setShortcut(QKeySequence::Save);
  saveAction_->setEnabled(false);
  connect(saveAction_, &QAction::triggered, this, &MainWindow::savePattern);
  QAction* printAction = makeAction(options, "printpattern", tr("&Print Pattern"));
  printAction->setShortcut(QKeySequence::Print);
  connect(printAction, &QAction::triggered, this, &MainWindow::printPattern);
  buildColorMenu(options);

  QAction* aboutAction = menuBar()->addAction(tr("&About"));
  aboutAction->setObjectName(QStringLiteral("about"));
  connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildColorMenu(QMenu* options) {
  QMenu* colorMenu = options->addMenu(tr("&Color mode"));
  colorMenu->setObjectName(QStringLiteral("colormode"));
  twoColorsAction_ = makeAction(colorMenu, "twocolors", tr("&Two colors"));
  manyColorsAction_ = makeAction(colorMenu, "manycolors", tr("&Many colors"));
  auto* group = new QActionGroup(this);
  for (QAction* item : {twoColorsAction_, manyColorsAction_}) {
    item->setCheckable(true);
    group->addAction(item);
  }
  twoColorsAction_->setChecked(true);
  connect(group, &QActionGroup::triggered, this, &MainWindow::setColorMode);
}

// --- the platform -----------------------------------------------------------

AreaSize MainWindow::drawingArea() const {
  return {static_cast<float>(canvas_->width()), static_cast<float>(canvas_->height())};
}

PixelView MainWindow::pixels() {
  return canvas_->pixels();
}

void MainWindow::present(bool grown) {
  if (grown) saveAction_->setEnabled(true);
  shown_ = {world_.worldKind, world_.colorMode, false};
  canvas_->update();
  canvas_->describe(describeShown());
  announcer_->say(worldInWords());
}

// --- start-up and the end -----------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Start-up runs once, when the window is first shown: a window manager may
  // never send an activation (offscreen, or a bare X server).
  if (!started_) {
    started_ = true;
    startUp();
  }
}

void MainWindow::startUp() {
  random_.seed(static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay()));
  world_.create(drawingArea());
  canvas_->fill(toScreen(kBlack));
  world_.colorMode = ColorMode::TwoColors;
  canvas_->update();
  canvas_->describe(describeShown());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  // Nothing is kept: the world goes with the program.
  QCoreApplication::exit(0);
}

// --- the buttons -------------------------------------------------------------

void MainWindow::createRegularWorld() {
  present(plexaro::createRegularWorld(world_, *this));
}

void MainWindow::createSpiralWorld() {
  present(plexaro::createSpiralWorld(world_, *this));
}

void MainWindow::createRainbowWorld() {
  present(plexaro::createRainbowWorld(world_, *this));
}

void MainWindow::resetWorld() {
  world_.worldKind = kNoWorld;
  resetPattern(world_, *this);
  if (shown_.kind == kNoWorld) {
    announcer_->say(tr("Reset: the next world starts from one cell"));
    return;
  }
  if (!shown_.reset) {
    shown_.reset = true;
    canvas_->describe(describeShown());
  }
  announcer_->say(tr("%1, reset: the next world starts from one cell").arg(worldInWords()));
}

// --- the colour mode ---------------------------------------------------------

void MainWindow::setColorMode(QAction* chosen) {
  world_.colorMode = chosen == manyColorsAction_ ? ColorMode::ManyColors : ColorMode::TwoColors;
}

// --- the About panel ---------------------------------------------------------

void MainWindow::showAbout() {
  // A hidden button keeps the focus unless it is taken away: Space would
  // still press it. The drawing area holds it while the panel is shown; it
  // takes it first, so that it does not pass from button to button as they
  // are hidden.
  canvas_->setFocus();
  // Decoded when first shown: most runs never open the panel.
  if (aboutPicture_->pixmap().isNull())
    aboutPicture_->setPixmap(QPixmap(QStringLiteral(":/about.jpg")));
  setAboutShown(true);
  announcer_->say(aboutText_->text());
}

void MainWindow::hideAbout() {
  if (aboutText_->isHidden()) return;
  setAboutShown(false);
  buttonWithFocus_->setFocus();
}

// Either the panel or the four buttons, never a mix.
void MainWindow::setAboutShown(bool shown) {
  for (QPushButton* button : buttons_)
    button->setVisible(!shown);
  aboutText_->setVisible(shown);
  aboutPicture_->setVisible(shown);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Escape puts the buttons back, as a click on the drawing area does.
  if (event->key() == Qt::Key_Escape && !aboutText_->isHidden()) {
    hideAbout();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

// --- output --------------------------------------------------------------------

void MainWindow::savePattern() {
  const SaveResult result = plexaro::savePattern(canvas_->snapshot(), ".");
  // A folder that cannot even be looked into stops the save before any name.
  const QString name = QString::fromStdString(result.name.empty() ? patternName(1) : result.name);
  QString folder = QDir::toNativeSeparators(QDir::currentPath());
  if (folder.isEmpty()) folder = tr("the working folder");  // removed, or out of reach
  if (!result.saved) {
    // Nothing was written; the item stays on so the user can try again.
    showMessage(tr("Error: cannot save %1 in %2: %3")
                    .arg(name, folder, QString::fromLocal8Bit(std::strerror(result.error))));
    return;
  }
  saveAction_->setEnabled(false);
  announcer_->say(tr("Saved %1 in %2").arg(name, folder));
}

void MainWindow::printPattern() {
  // Returns at once; a failure comes back through PatternPrinter::failed.
  printer_->print(canvas_->snapshot());
}

void MainWindow::showMessage(const QString& text) {
  if (messageSink_) {
    messageSink_(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, tr("Plexaro"), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace plexaro
