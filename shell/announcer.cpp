#include "announcer.h"

#include "accessible_role.h"

namespace plexaro {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  giveAccessibleRole<Announcer, QAccessible::Notification>();
  setObjectName(QStringLiteral("announcer"));
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void Announcer::say(const QString& text) {
  // Hidden first, so that the same words said twice are heard twice.
  hide();
  setAccessibleName(text);
  show();
}

}  // namespace plexaro
