#pragma once

#include <QMainWindow>
#include <functional>

#include "world/random.h"
#include "world/world_state.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace plexaro {

class Canvas;
class PatternPrinter;

// The main window. It owns the world state, implements the window side of
// the platform the world and the generators draw through, and carries one
// thin handler per control, named after the control and its event. Its
// controls and menu items carry their names as object names.
class world5 : public QMainWindow, public WindowPlatform {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Plexaro - By Quennel";

  explicit world5(QWidget* parent = nullptr);
  ~world5() override;

  // WindowPlatform
  AreaSize drawingArea() const override;
  PixelView pixels() override;
  double rnd() override { return random_.next(); }
  void enableSavePattern() override;

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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void Form_Activate();
  void Form_Unload();
  void Form_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void twocolors_Click();
  void manycolors_Click();
  void savepattern_Click();
  void printpattern_Click();
  void about_Click();
  void showMessage(const QString& text);
  // Shows what a handler drew.
  void present();

  Canvas* canvas_ = nullptr;
  QPushButton* Command3 = nullptr;  // "Create Regular World"
  QPushButton* Command4 = nullptr;  // "Create Spiral World"
  QPushButton* Command5 = nullptr;  // "Create Rainbow World"
  QPushButton* Command6 = nullptr;  // "Reset World"
  QLabel* Label2 = nullptr;
  QLabel* Picture1 = nullptr;
  QAction* savepattern = nullptr;
  QAction* twocolors = nullptr;
  QAction* manycolors = nullptr;
  QPushButton* buttonWithFocus_ = nullptr;
  PatternPrinter* printer_ = nullptr;

  WorldState world_;
  UniformRandom random_;
  MessageSink messageSink_;
  bool activated_ = false;
  bool barLitByKeys_ = false;
};

}  // namespace plexaro
