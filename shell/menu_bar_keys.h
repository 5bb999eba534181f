#pragma once

#include <QObject>
#include <initializer_list>

class QMenuBar;
class QWidget;

namespace plexaro {

// Keeps the menu bar's keys with the menu bar. Qt lights a menu-bar item and
// gives the bar the focus while it moves there from an open menu. Moved with
// Right onto "About" (a command on the bar itself, with no menu of its own),
// a menu opened with the mouse closes and Qt hands the focus back to the
// widget that had it: "About" stays lit, but Return would not choose it and
// Space would press a button. So while the bar shows an item that the keys
// lit, the keys that move along it, choose or leave it go to the bar, from
// whichever of the `watched` widgets has the focus.
class MenuBarKeys : public QObject {
 public:
  MenuBarKeys(QMenuBar* bar, std::initializer_list<QWidget*> watched);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMenuBar* bar_;
  bool litByKeys_ = false;
};

}  // namespace plexaro
