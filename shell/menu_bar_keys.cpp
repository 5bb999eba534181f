#include "menu_bar_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>

namespace plexaro {

MenuBarKeys::MenuBarKeys(QMenuBar* bar, std::initializer_list<QWidget*> watched)
    : QObject(bar), bar_(bar) {
  // An item is lit by the keys when the bar has the focus as it lights up.
  connect(bar, &QMenuBar::hovered, this,
          [this] { litByKeys_ = bar_->window()->focusWidget() == bar_; });
  for (QWidget* widget : watched)
    widget->installEventFilter(this);
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && litByKeys_ && bar_->activeAction()) {
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
        QCoreApplication::sendEvent(bar_, event);
        if (event->isAccepted()) return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plexaro
