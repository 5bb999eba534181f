// Thousands of random user actions on the real window: the four buttons, every
// menu command, the two shortcuts and clicks anywhere on the drawing area.
// After each one the test checks everything a user could notice against its
// own account of what should have happened: the colour-mode marks, which
// world is held, whether "Save Pattern" is on, the About panel, the files in
// the current folder, the messages and the drawing itself, which a copy of
// the core, fed the same random numbers, predicts pixel for pixel.
//
// The run is reproducible: the seed and the number of actions are printed at
// the start. PLEXARO_RANDOM_SEED and PLEXARO_RANDOM_ACTIONS replay a failure
// or explore other sequences; CI always runs the default ones.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include "generators/generators.h"
#include "shell/canvas.h"
#include "shell/world5.h"
#include "world/random.h"
#include "world/raster.h"

namespace plexaro {
namespace {

constexpr std::uint64_t kDefaultSeed = 20260412;
constexpr long kDefaultActions = 10000;
// Saved patterns are thinned out after this many saves, so the folder stays
// small and later saves land in the gaps.
constexpr int kSavesBetweenCleanups = 40;

const QString kPrintError = QStringLiteral("Error: cannot access printer");

template <typename T>
T fromEnvironment(const char* name, T fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 0);
  if (*end) {
    ADD_FAILURE() << name << "=" << text << " is not a number";
    return fallback;
  }
  return static_cast<T>(value);
}

// --- the folder --------------------------------------------------------------

// What identifies a directory entry: a file rewritten in place keeps its
// inode but not its mtime or size; one replaced by rename keeps neither.
struct Stamp {
  mode_t mode = 0;
  off_t size = 0;
  ino_t inode = 0;
  std::int64_t mtimeNs = 0;
  bool operator==(const Stamp&) const = default;
};

using Listing = std::map<std::string, Stamp>;

Stamp stampOf(const std::string& name) {
  struct stat st {};
  if (::lstat(name.c_str(), &st) != 0) return {};
  return {st.st_mode, st.st_size, st.st_ino,
          std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// Every entry of the current folder, hidden ones included: a save must not
// leave a temporary file behind either.
Listing listCurrentFolder() {
  Listing out;
  DIR* dir = ::opendir(".");
  if (!dir) return out;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") out[name] = stampOf(name);
  }
  ::closedir(dir);
  return out;
}

// How `found` differs from `expected`, one entry a line.
std::string difference(const Listing& expected, const Listing& found) {
  std::string out;
  for (const auto& [name, stamp] : expected) {
    const auto it = found.find(name);
    if (it == found.end())
      out += "  missing: " + name + "\n";
    else if (!(it->second == stamp))
      out += "  changed: " + name + " (size " + std::to_string(stamp.size) + " -> " +
             std::to_string(it->second.size) + ", inode " + std::to_string(stamp.inode) + " -> " +
             std::to_string(it->second.inode) + ")\n";
  }
  for (const auto& [name, stamp] : found)
    if (!expected.count(name)) out += "  new: " + name + "\n";
  return out;
}

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

std::string patternFileName(int n) {
  return "pattern" + std::to_string(n) + ".bmp";
}

// --- actions -----------------------------------------------------------------

enum class Action {
  Regular,       // "Create Regular World", or a click where it lies
  Spiral,        // "Create Spiral World"
  Rainbow,       // "Create Rainbow World"
  Reset,         // "Reset World"
  SaveMenu,      // Options > Save Pattern
  SaveKey,       // Ctrl+S
  PrintMenu,     // Options > Print Pattern
  PrintKey,      // Ctrl+P
  TwoColors,     // Options > Color mode > Two colors
  ManyColors,    // Options > Color mode > Many colors
  About,         // the About menu
  CanvasClick,   // a click at a random point of the drawing area
  LabelClick,    // a click on the label, or where it lies when hidden
  PictureClick,  // the same for the picture
  Count
};

constexpr std::array<const char*, static_cast<int>(Action::Count)> kActionNames = {
    "regular",     "spiral",        "rainbow",      "reset",
    "save (menu)", "save (Ctrl+S)", "print (menu)", "print (Ctrl+P)",
    "two colors",  "many colors",   "about",        "click drawing area",
    "click label", "click picture"};

// Relative frequencies. A world press is the expensive action: it grows and
// paints a whole world, and the model does it again. The three world
// buttons get one action in eight (clicks on the drawing area hit them now
// and then too), enough for saves to find a new world most of the time;
// clicks come often enough that the About panel is shown, and closed again,
// many times in a run.
constexpr std::array<int, static_cast<int>(Action::Count)> kWeights = {
    35,  30, 30, 30,  // regular, spiral, rainbow, reset
    60,  40,          // save: menu, key
    30,  20,          // print: menu, key
    50,  50, 55,      // two colors, many colors, about
    210, 50, 50};     // clicks: drawing area, label, picture

// A random generator whose sequence for a given seed is the same with every
// standard library: only mt19937_64's raw output is used.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  QPoint inside(const QRect& r) {
    return {r.left() + below(r.width()), r.top() + below(r.height())};
  }
  Action action() {
    static const int total = [] {
      int sum = 0;
      for (int w : kWeights)
        sum += w;
      return sum;
    }();
    int roll = below(total);
    for (int i = 0; i < static_cast<int>(Action::Count); ++i) {
      if (roll < kWeights[i]) return static_cast<Action>(i);
      roll -= kWeights[i];
    }
    return Action::CanvasClick;
  }

 private:
  std::mt19937_64 engine_;
};

// --- what the user should see -----------------------------------------------

// The model's window: the core, run beside the real one on the same random
// numbers, draws straight into the picture the canvas should show.
class ModelPlatform : public WindowPlatform {
 public:
  // White, so that start-up has to paint it all black as the canvas is.
  ModelPlatform()
      : pixels_(std::size_t{Canvas::kWidth} * Canvas::kHeight, qRgb(255, 255, 255)),
        image_(reinterpret_cast<const uchar*>(pixels_.data()), Canvas::kWidth, Canvas::kHeight,
               Canvas::kWidth * static_cast<int>(sizeof(QRgb)), QImage::Format_RGB32) {}

  void seed(std::uint64_t s) { random_.seed(s); }
  const QImage& image() const { return image_; }

  AreaSize drawingArea() const override { return {Canvas::kWidth, Canvas::kHeight}; }
  double rnd() override { return random_.next(); }
  void enableSavePattern() override {}

  void line(float x1, float y1, float x2, float y2, std::int32_t color, LineMode mode) override {
    const QRgb pixel = toScreen(color);
    // Almost every call sets one pixel; spare those the general rasteriser.
    const int x = static_cast<int>(x1), y = static_cast<int>(y1);
    if (mode == LineMode::Plain && x == x1 && y == y1 && x2 == x1 + 1 && y2 == y1 + 1 &&
        image_.rect().contains(x, y)) {
      put(x, y, pixel);
      return;
    }
    rasterize(Canvas::kWidth, Canvas::kHeight, x1, y1, x2, y2, mode,
              [&](int px, int py) { put(px, py, pixel); });
  }

 private:
  void put(int x, int y, QRgb pixel) { pixels_[std::size_t{Canvas::kWidth} * y + x] = pixel; }

  std::vector<QRgb> pixels_;
  QImage image_;  // a view of pixels_
  UniformRandom random_;
};

struct Expected {
  int colorMode = 0;
  int worldKind = kNoWorld;
  bool savable = false;  // a world was grown since the last save
  bool panelShown = false;
  int printMessages = 0;
};

class RandomActions : public ::testing::Test {
 protected:
  void SetUp() override {
    seed_ = fromEnvironment<std::uint64_t>("PLEXARO_RANDOM_SEED", kDefaultSeed);
    actions_ = fromEnvironment<long>("PLEXARO_RANDOM_ACTIONS", kDefaultActions);
    std::cout << "random actions: seed " << seed_ << ", " << actions_
              << " actions (replay with PLEXARO_RANDOM_SEED=" << seed_
              << " PLEXARO_RANDOM_ACTIONS=" << actions_ << ")" << std::endl;

    ASSERT_TRUE(tmp_.isValid());
    oldDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp_.path()));
    ASSERT_NO_FATAL_FAILURE(plantSentinels());
    files_ = listCurrentFolder();

    QApplication::setStyle(QStringLiteral("Fusion"));
    w_.setMessageSink([this](const QString& text) { messages_ << text; });
    w_.show();
    QApplication::setActiveWindow(&w_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));

    // The window seeded itself from the clock; from here on it and the
    // model draw from one sequence, independent of the dice's.
    const std::uint64_t worldSeed = seed_ * 0x9E3779B97F4A7C15u + 1;
    w_.randomSource().seed(worldSeed);
    model_.seed(worldSeed);
    modelWorld_.create(model_.drawingArea());
    model_.line(-10, -10, 513, 543, 0, LineMode::FilledBox);
    dice_ = Dice(seed_);
  }

  void TearDown() override { QDir::setCurrent(oldDir_); }

  // Files a save must step over and never touch: its own kind of name
  // holding something else, a folder, a read-only file, a link to nowhere
  // (writing through it would create "elsewhere.bmp"), and names that only
  // look like the series.
  void plantSentinels() {
    auto plant = [this](const QString& name, const QByteArray& bytes) {
      QFile f(name);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      ASSERT_EQ(f.write(bytes), bytes.size());
      f.close();
      sentinels_[name] = bytes;
    };
    QByteArray noise;
    std::mt19937_64 bytes(seed_);
    for (int i = 0; i < 4096; ++i)
      noise.append(static_cast<char>(bytes() & 0xff));
    plant("pattern1.bmp", "BM not a bitmap, but mine\n" + noise);
    ASSERT_TRUE(QDir().mkdir("pattern3.bmp"));
    plant("pattern3.bmp/keep.txt", "inside a folder named like a pattern\n");
    plant("pattern5.bmp", "read-only\n" + noise.left(777));
    ASSERT_EQ(::chmod("pattern5.bmp", 0444), 0);
    ASSERT_EQ(::symlink("elsewhere.bmp", "pattern7.bmp"), 0);
    plant("pattern02.bmp", "leading zero\n");
    plant("Pattern2.bmp", "capital P\n");
    plant("pattern.bmp", "no number\n");
  }

  // --- the actions ---------------------------------------------------------

  QPushButton* buttonFor(Action a) const {
    switch (a) {
      case Action::Regular:
        return w_.Command3;
      case Action::Spiral:
        return w_.Command4;
      case Action::Rainbow:
        return w_.Command5;
      case Action::Reset:
        return w_.Command6;
      default:
        return nullptr;
    }
  }

  // What a press of `button` does to the model.
  void pressed(QPushButton* button) {
    if (button == w_.Command3) {
      createRegularWorld(modelWorld_, model_);
      expected_.worldKind = kRegularWorld;
    } else if (button == w_.Command4) {
      createSpiralWorld(modelWorld_, model_);
      expected_.worldKind = kSpiralWorld;
    } else if (button == w_.Command5) {
      createRainbowWorld(modelWorld_, model_);
      expected_.worldKind = kRainbowWorld;
    } else {
      modelWorld_.worldKind = kNoWorld;
      resetpattern(modelWorld_, model_);
      expected_.worldKind = kNoWorld;
      return;  // clearing draws nothing and grows nothing
    }
    expected_.savable = true;
  }

  // The widget a click at `p` (drawing-area coordinates) should reach:
  // nullptr for the drawing area itself.
  QWidget* expectedTargetAt(QPoint p) const {
    if (expected_.panelShown) {
      if (w_.Picture1->geometry().contains(p)) return w_.Picture1;
      if (w_.Label2->geometry().contains(p)) return w_.Label2;
      return nullptr;
    }
    for (QPushButton* b : {w_.Command3, w_.Command4, w_.Command5, w_.Command6})
      if (b->geometry().contains(p)) return b;
    return nullptr;
  }

  // A click at `p` delivered to the window as the platform would deliver
  // it, so Qt itself decides which widget gets it. (A push button under the
  // Fusion style, which SetUp fixes, takes clicks on all of its rectangle;
  // other styles leave out a rim.)
  void clickAt(QPoint p) {
    QWidget* target = expectedTargetAt(p);
    detail_ = " at " + std::to_string(p.x()) + "," + std::to_string(p.y()) + " on " +
              (target ? target->objectName().toStdString() : "the drawing area");
    ASSERT_EQ(w_.canvas()->childAt(p), target)
        << "at " << p.x() << "," << p.y() << " the window has another widget than expected";
    QTest::mouseClick(w_.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      w_.canvas()->mapTo(&w_, p));
    if (!target) {
      ++stats_.surfaceClicks;
      if (expected_.panelShown) {
        expected_.panelShown = false;  // the window's surface closes the panel
        ++stats_.panelClosed;
      }
    } else if (auto* button = qobject_cast<QPushButton*>(target)) {
      pressed(button);
    }
    // The label and the picture keep their clicks to themselves.
  }

  void pressButton(Action a) {
    QPushButton* button = buttonFor(a);
    if (expected_.panelShown) {
      // The button is hidden: the click lands on whatever lies beneath.
      ++stats_.hiddenButtonClicks;
      clickAt(dice_.inside(button->geometry()));
      return;
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, dice_.inside(button->rect()));
    pressed(button);
  }

  void clickPanelPart(QLabel* part) {
    if (expected_.panelShown) {
      QTest::mouseClick(part, Qt::LeftButton, Qt::NoModifier, dice_.inside(part->rect()));
      return;
    }
    clickAt(dice_.inside(part->geometry()));
  }

  void ensureActive() {
    if (QApplication::activeWindow() == &w_) return;
    QApplication::setActiveWindow(&w_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w_));
  }

  void save(bool byKey) {
    const bool savable = expected_.savable;
    const std::string name = firstFreeName();
    if (byKey) {
      ensureActive();
      ASSERT_FALSE(HasFatalFailure());
      QTest::keyClick(&w_, Qt::Key_S, Qt::ControlModifier);
    } else {
      w_.savepattern->trigger();
    }
    if (!savable) {
      ++stats_.refusedSaves;  // disabled: the checks below see that nothing happened
      return;
    }
    expected_.savable = false;
    ++stats_.saves;
    detail_ = " as " + name;

    Listing now = listCurrentFolder();
    Listing expected = files_;
    expected[name] = now.count(name) ? now[name] : Stamp{};
    ASSERT_TRUE(now == expected) << "the save should have added just " << name << ":\n"
                                 << difference(expected, now);
    ASSERT_TRUE(S_ISREG(now[name].mode)) << name;
    files_ = now;
    saved_.push_back(name);

    const QImage image(QString::fromStdString(name));
    ASSERT_EQ(image.size(), QSize(503, 533)) << name << " does not decode as the drawing";
    ASSERT_TRUE(image.convertToFormat(QImage::Format_RGB32) == model_.image())
        << name << " is not the drawing at the time of the save";
    for (const auto& [sentinel, bytes] : sentinels_)
      ASSERT_EQ(readAll(sentinel), bytes) << sentinel.toStdString() << " was changed";

    if (++savesSinceCleanup_ >= kSavesBetweenCleanups) thinOutSaves();
  }

  // Deletes about three in four saved files, leaving gaps for later saves.
  void thinOutSaves() {
    savesSinceCleanup_ = 0;
    std::vector<std::string> kept;
    for (const std::string& name : saved_) {
      if (dice_.chance(25)) {
        kept.push_back(name);
        continue;
      }
      ASSERT_EQ(::unlink(name.c_str()), 0) << name;
      files_.erase(name);
    }
    saved_ = kept;
  }

  // The first name of the series with nothing of that name in the folder.
  std::string firstFreeName() const {
    for (int n = 1;; ++n)
      if (!files_.count(patternFileName(n))) return patternFileName(n);
  }

  void print(bool byKey) {
    if (byKey) {
      ensureActive();
      ASSERT_FALSE(HasFatalFailure());
      QTest::keyClick(&w_, Qt::Key_P, Qt::ControlModifier);
    } else {
      w_.printpattern->trigger();
    }
    ++expected_.printMessages;  // no print system can be reached
  }

  void perform(Action a) {
    switch (a) {
      case Action::Regular:
      case Action::Spiral:
      case Action::Rainbow:
      case Action::Reset:
        pressButton(a);
        break;
      case Action::SaveMenu:
        save(false);
        break;
      case Action::SaveKey:
        save(true);
        break;
      case Action::PrintMenu:
        print(false);
        break;
      case Action::PrintKey:
        print(true);
        break;
      case Action::TwoColors:
        w_.twocolors->trigger();
        expected_.colorMode = modelWorld_.colorMode = 0;
        break;
      case Action::ManyColors:
        w_.manycolors->trigger();
        expected_.colorMode = modelWorld_.colorMode = 1;
        break;
      case Action::About:
        w_.about->trigger();
        expected_.panelShown = true;
        break;
      case Action::CanvasClick:
        clickAt(dice_.inside(w_.canvas()->rect()));
        break;
      case Action::LabelClick:
        clickPanelPart(w_.Label2);
        break;
      case Action::PictureClick:
        clickPanelPart(w_.Picture1);
        break;
      case Action::Count:
        break;
    }
    // Between two user actions the event loop runs: paints, deferred events.
    QCoreApplication::processEvents();
  }

  // --- the checks ----------------------------------------------------------

  void checkWindow() {
    const bool many = expected_.colorMode == 1;
    ASSERT_EQ(w_.twocolors->isChecked(), !many) << "Two colors mark";
    ASSERT_EQ(w_.manycolors->isChecked(), many) << "Many colors mark";
    ASSERT_EQ(w_.world().colorMode, expected_.colorMode);
    ASSERT_EQ(w_.world().worldKind, expected_.worldKind);
    ASSERT_EQ(w_.savepattern->isEnabled(), expected_.savable) << "Save Pattern";
    ASSERT_TRUE(w_.printpattern->isEnabled());

    ASSERT_EQ(w_.canvas()->size(), QSize(503, 533));
    ASSERT_EQ(w_.drawingArea().width, 503.0f);
    ASSERT_EQ(w_.drawingArea().height, 533.0f);

    const bool panel = expected_.panelShown;
    ASSERT_EQ(w_.Label2->isVisible(), panel) << "Label2";
    ASSERT_EQ(w_.Picture1->isVisible(), panel) << "Picture1";
    for (QPushButton* b : {w_.Command3, w_.Command4, w_.Command5, w_.Command6})
      ASSERT_EQ(b->isVisible(), !panel) << b->objectName().toStdString();

    ASSERT_EQ(messages_.size(), expected_.printMessages) << messages_.join(" | ").toStdString();
    for (const QString& m : messages_)
      ASSERT_EQ(m, kPrintError);

    const QImage& shown = w_.canvas()->image();
    ASSERT_EQ(shown.size(), model_.image().size());
    ASSERT_EQ(shown.bytesPerLine(), model_.image().bytesPerLine());
    ASSERT_EQ(std::memcmp(shown.constBits(), model_.image().constBits(),
                          static_cast<std::size_t>(shown.sizeInBytes())),
              0)
        << "the drawing differs from the model's";

    const Listing now = listCurrentFolder();
    ASSERT_TRUE(now == files_) << "the folder changed:\n" << difference(files_, now);
  }

  // The whole world state, every grid cell and value, against the model's.
  void checkWorld() {
    const WorldState& a = w_.world();
    const WorldState& b = modelWorld_;
    const std::pair<const Grid*, const Grid*> grids[] = {{&a.cellGrid, &b.cellGrid},
                                                         {&a.shadowGrid, &b.shadowGrid},
                                                         {&a.redGrid, &b.redGrid},
                                                         {&a.greenGrid, &b.greenGrid},
                                                         {&a.blueGrid, &b.blueGrid}};
    const char* names[] = {"cellGrid", "shadowGrid", "redGrid", "greenGrid", "blueGrid"};
    for (int i = 0; i < 5; ++i) {
      const auto [mine, model] = grids[i];
      ASSERT_EQ(mine->columns(), 506) << names[i];
      ASSERT_EQ(mine->rows(), 536) << names[i];
      const std::size_t n = std::size_t{506} * 536;
      ASSERT_TRUE(std::equal(mine->row(0), mine->row(0) + n, model->row(0))) << names[i];
    }
    ASSERT_EQ(a.foregroundColor, b.foregroundColor);
    ASSERT_EQ(a.backgroundColor, 0);
    ASSERT_EQ(a.seedRed, 1);
    ASSERT_EQ(a.seedGreen, 1);
    ASSERT_EQ(a.seedBlue, 1);
  }

  // --- bookkeeping ---------------------------------------------------------

  struct Stats {
    std::array<long, static_cast<int>(Action::Count)> count{};
    std::array<double, static_cast<int>(Action::Count)> ms{};
    long saves = 0, refusedSaves = 0, hiddenButtonClicks = 0, surfaceClicks = 0, panelClosed = 0;
  };

  void report(double totalMs) const {
    std::cout << "random actions: " << actions_ << " in " << static_cast<long>(totalMs)
              << " ms; saves " << stats_.saves << " (refused while disabled " << stats_.refusedSaves
              << "), prints " << expected_.printMessages << ", clicks on hidden buttons "
              << stats_.hiddenButtonClicks << ", clicks on the surface " << stats_.surfaceClicks
              << " (closing the panel " << stats_.panelClosed << ")\n";
    for (int i = 0; i < static_cast<int>(Action::Count); ++i) {
      if (!stats_.count[i]) continue;
      std::cout << "  " << kActionNames[i] << ": " << stats_.count[i] << " x "
                << stats_.ms[i] / static_cast<double>(stats_.count[i]) << " ms\n";
    }
    std::cout << std::flush;
  }

  std::string detail_;  // where the last click went, what the last save wrote
  std::uint64_t seed_ = kDefaultSeed;
  long actions_ = kDefaultActions;
  Dice dice_{0};

  QTemporaryDir tmp_;
  QString oldDir_;
  std::map<QString, QByteArray> sentinels_;
  Listing files_;                   // the folder as it should be
  std::vector<std::string> saved_;  // the files this run saved and kept
  int savesSinceCleanup_ = 0;

  world5 w_;
  QStringList messages_;

  ModelPlatform model_;
  WorldState modelWorld_;
  Expected expected_;
  Stats stats_;
};

TEST_F(RandomActions, EveryActionLeavesTheWindowFolderAndDrawingAsExpected) {
  ASSERT_NO_FATAL_FAILURE(checkWindow());

  std::deque<std::string> recent;  // shown when a check fails
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < actions_; ++i) {
    const Action a = dice_.action();
    const std::string what = "action " + std::to_string(i) + ": " +
                             kActionNames[static_cast<int>(a)] +
                             (expected_.panelShown ? " (About panel shown)" : "");
    SCOPED_TRACE(what + ", seed " + std::to_string(seed_));

    detail_.clear();
    const auto t0 = std::chrono::steady_clock::now();
    perform(a);
    stats_.ms[static_cast<int>(a)] +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    ++stats_.count[static_cast<int>(a)];
    recent.push_back(what + detail_);
    if (recent.size() > 12) recent.pop_front();

    if (!HasFatalFailure()) checkWindow();
    if (!HasFatalFailure() && (i % 500 == 499 || i + 1 == actions_)) checkWorld();
    if (HasFatalFailure()) {
      std::string trail;
      for (const std::string& r : recent)
        trail += "  " + r + "\n";
      FAIL() << "stopped at action " << i << " of seed " << seed_ << "; the last actions:\n"
             << trail;
    }
  }
  report(
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());

  // A full-length run must have reached every corner it claims to test.
  if (actions_ >= 2000) {
    for (int i = 0; i < static_cast<int>(Action::Count); ++i)
      EXPECT_GT(stats_.count[i], 0) << kActionNames[i];
    EXPECT_GT(stats_.saves, kSavesBetweenCleanups);
    EXPECT_GT(stats_.refusedSaves, 0);
    EXPECT_GT(stats_.hiddenButtonClicks, 0);
    EXPECT_GT(stats_.panelClosed, 0);
  }
}

}  // namespace
}  // namespace plexaro
