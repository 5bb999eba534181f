#include "announcer.h"

#include <QAccessibleWidget>

namespace plexaro {

namespace {

QAccessibleInterface* accessibleAnnouncer(const QString&, QObject* object) {
  auto* announcer = qobject_cast<Announcer*>(object);
  return announcer ? new QAccessibleWidget(announcer, QAccessible::Notification) : nullptr;
}

}  // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  static const bool accessible = (QAccessible::installFactory(accessibleAnnouncer), true);
  Q_UNUSED(accessible);
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
