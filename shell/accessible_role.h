#pragma once

#include <QAccessibleWidget>

namespace plexaro {

// Makes every widget of class W meet screen readers in `role`: left to Qt, a
// widget of its own class is an unnamed pane on the accessibility bus. Called
// from W's constructor; the first call installs the factory for good.
template <typename W, QAccessible::Role role>
void giveAccessibleRole() {
  static const bool installed =
      (QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
         auto* widget = qobject_cast<W*>(object);
         return widget ? new QAccessibleWidget(widget, role) : nullptr;
       }),
       true);
  Q_UNUSED(installed);
}

}  // namespace plexaro
