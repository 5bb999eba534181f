#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

#include "world/random.h"
#include "world/world_state.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace plexaro {

class Announcer;
class Canvas;
class CaptionButton;
class PatternPrinter;

// Owns the world state, implements the window side of the platform that the
// world and the generators draw through, and carries one thin handler per
// control.
//
// The controls and menu items keep the object names they were designed
// with, by which tests, scripts and accessibility tools find them:
//   Command3      regularButton_     "Create Regular World"
//   Command4      spiralButton_      "Create Spiral World"
//   Command5      rainbowButton_     "Create Rainbow World"
//   Command6      resetButton_       "Reset World"
//   Label2        aboutText_         the About panel's text
//   Picture1      aboutPicture_      the About panel's picture
//   options                          the "Options" menu
//   savepattern   saveAction_        "Save Pattern"
//   printpattern                     "Print Pattern"
//   colormode                        the "Color mode" submenu
//   twocolors     twoColorsAction_   "Two colors"
//   manycolors    manyColorsAction_  "Many colors"
//   about                            "About", a command on the menu bar itself
class MainWindow : public QMainWindow, public WindowPlatform {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = QT_TR_NOOP("Plexaro - By Quennel");

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // WindowPlatform
  AreaSize drawingArea() const override;
  PixelView pixels() override;
  double random() override { return random_.next(); }

  const WorldState& world() const { return world_; }
  // The random source, for replaying a run from a known seed.
  UniformRandom& randomSource() { return random_; }

  // How messages reach the user; tests replace it to read them.
  using MessageSink = std::function<void(const QString& text)>;
  void setMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildButtons();
  void buildAboutPanel();
  void buildMenus();
  void buildColorMenu(QMenu* options);

  void startUp();
  void createRegularWorld();
  void createSpiralWorld();
  void createRainbowWorld();
  void resetWorld();
  void setColorMode(QAction* chosen);
  void savePattern();
  void printPattern();
  void showAbout();
  void hideAbout();
  void setAboutShown(bool shown);
  void showMessage(const QString& text);
  // Shows what a handler drew, and says it in words; a world grown makes
  // "Save Pattern" available.
  void present(bool grown);
  QString worldInWords() const;
  QString describeShown() const;

  Canvas* canvas_ = nullptr;
  CaptionButton* regularButton_ = nullptr;
  CaptionButton* spiralButton_ = nullptr;
  CaptionButton* rainbowButton_ = nullptr;
  CaptionButton* resetButton_ = nullptr;
  std::array<CaptionButton*, 4> buttons_{};  // all four, in tab order
  QLabel* aboutText_ = nullptr;
  QLabel* aboutPicture_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* twoColorsAction_ = nullptr;
  QAction* manyColorsAction_ = nullptr;
  QPushButton* buttonWithFocus_ = nullptr;
  PatternPrinter* printer_ = nullptr;
  Announcer* announcer_ = nullptr;

  // What the drawing area shows: the world drawn last, in the colours it was
  // drawn in, and whether it has been reset since.
  struct Shown {
    WorldKind kind = kNoWorld;
    ColorMode colors = ColorMode::TwoColors;
    bool reset = false;
  };
  Shown shown_;

  WorldState world_;
  UniformRandom random_;
  MessageSink messageSink_;
  bool started_ = false;
};

}  // namespace plexaro
