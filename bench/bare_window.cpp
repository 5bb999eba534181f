// The yardstick for the program's start-up: a Qt Widgets window of the same
// size and shape (a menu bar with two titles over a 503 x 533 area), with
// nothing behind it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&Options"));
  window.menuBar()->addAction(QStringLiteral("&About"));
  auto* area = new QWidget;
  area->setFixedSize(503, 533);
  window.setCentralWidget(area);
  window.show();
  return QApplication::exec();
}
