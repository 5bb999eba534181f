// Drives the real window's "Print Pattern" for cups_print_test.sh, against
// whatever print system CUPS_SERVER points to, and checks printed pages.
//
//   print_probe print [PRINTS]   grows a Regular World, prints it PRINTS
//                                times (default 1), then saves it into the
//                                current folder; reports on stdout
//   print_probe inspect PAGE REFERENCE
//                                does the rendered PAGE show the REFERENCE
//                                image, scaled to fit, centred, crisp? PAGE
//                                must be rendered at 300 dpi or more, so that
//                                every pixel is a block of several.
//
// Both exit 0 when everything they report is as it should be for the
// caller to judge, 1 on a broken expectation, 2 on bad usage.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "shell/canvas.h"
#include "shell/world5.h"
#include "support/world_fixture.h"

namespace {

using plexaro::world5;

std::vector<plexaro::CellValue> cells(const world5& w) {
  const plexaro::Grid& g = w.world().cellGrid;
  return {g.row(0), g.row(0) + g.size()};
}

int print(int prints) {
  world5 w;
  QStringList messages;
  w.setMessageSink([&](const QString& text) { messages << text; });
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  w.findChild<QPushButton*>("Command3")->click();
  const QImage before = w.findChild<plexaro::Canvas*>()->image().copy();
  const auto gridsBefore = cells(w);

  for (int i = 1; i <= prints; ++i) {
    const qsizetype seen = messages.size();
    w.findChild<QAction*>("printpattern")->trigger();
    std::printf("print %d messages=%lld\n", i, static_cast<long long>(messages.size() - seen));
    for (qsizetype m = seen; m < messages.size(); ++m)
      std::printf("message: %s\n", qPrintable(messages[m]));
  }
  std::printf("drawing=%s\n", w.findChild<plexaro::Canvas*>()->image() == before ? "unchanged" : "changed");
  std::printf("grids=%s\n",
              cells(w) == gridsBefore ? "unchanged" : "changed");
  std::printf("savepattern=%s\n", w.findChild<QAction*>("savepattern")->isEnabled() ? "enabled" : "disabled");

  // A save after the prints must go through as if nothing had happened.
  const qsizetype seen = messages.size();
  w.findChild<QAction*>("savepattern")->trigger();
  const bool saved =
      messages.size() == seen && !w.findChild<QAction*>("savepattern")->isEnabled() &&
      QImage(QStringLiteral("pattern1.bmp")) == before.convertToFormat(QImage::Format_RGB32);
  std::printf("save=%s\n", saved ? "ok" : "failed");
  return 0;
}

bool nearWhite(QRgb p) {
  return qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235;
}

bool close(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) <= 16 && std::abs(qGreen(a) - qGreen(b)) <= 16 &&
         std::abs(qBlue(a) - qBlue(b)) <= 16;
}

int inspect(const QString& pagePath, const QString& referencePath) {
  const QImage page = QImage(pagePath).convertToFormat(QImage::Format_RGB32);
  const QImage reference = QImage(referencePath).convertToFormat(QImage::Format_RGB32);
  if (page.isNull() || reference.isNull()) {
    std::printf("cannot read %s or %s\n", qPrintable(pagePath), qPrintable(referencePath));
    return 1;
  }
  // The printed area: everything that is not paper.
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (!nearWhite(page.pixel(x, y))) box |= QRect(x, y, 1, 1);
  std::printf("page %dx%d, printed area %dx%d at (%d, %d)\n", page.width(), page.height(),
              box.width(), box.height(), box.x(), box.y());
  if (box.isEmpty()) return 1;

  bool ok = true;
  const int left = box.left(), right = page.width() - 1 - box.right();
  const int top = box.top(), bottom = page.height() - 1 - box.bottom();
  if (std::abs(left - right) > 4) {
    std::printf("not centred across: %d left, %d right\n", left, right);
    ok = false;
  }
  // Fitted to the width, the image is centred top to bottom as well.
  if (std::abs(top - bottom) > 4) {
    std::printf("not centred down: %d above, %d below\n", top, bottom);
    ok = false;
  }
  const double aspect = double(box.width()) / box.height();
  const double expected = double(reference.width()) / reference.height();
  if (std::abs(aspect / expected - 1) > 0.02) {
    std::printf("proportions %.3f instead of %.3f\n", aspect, expected);
    ok = false;
  }
  if (box.width() < page.width() / 2) {
    std::printf("not scaled to fit: %d of %d wide\n", box.width(), page.width());
    ok = false;
  }

  // Each reference pixel, looked up on the page at its centre and near its
  // four corners. A crisp block has one colour all over; smoothing would mix
  // it with the neighbours' towards the corners, and JPEG would shift it.
  long same = 0, total = 0, coloured = 0;
  const double sx = double(box.width()) / reference.width();
  const double sy = double(box.height()) / reference.height();
  for (int y = 0; y < reference.height(); ++y)
    for (int x = 0; x < reference.width(); ++x) {
      const QRgb want = reference.pixel(x, y);
      bool all = true;
      for (const auto& [fx, fy] :
           {std::pair{0.5, 0.5}, {0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}}) {
        const int px = box.left() + int((x + fx) * sx);
        const int py = box.top() + int((y + fy) * sy);
        all = all && close(page.pixel(px, py), want);
      }
      same += all;
      coloured += (want & 0xffffff) != 0;
      ++total;
    }
  std::printf("pixels matching %ld of %ld (%ld coloured in the reference)\n", same, total,
              coloured);
  if (coloured == 0 || same < total * 99 / 100) ok = false;
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() >= 2 && args[1] == QLatin1String("print"))
    return print(args.size() >= 3 ? args[2].toInt() : 1);
  if (args.size() == 4 && args[1] == QLatin1String("inspect")) return inspect(args[2], args[3]);
  std::fprintf(stderr, "usage: %s print [PRINTS] | inspect PAGE REFERENCE\n", argv[0]);
  return 2;
}
