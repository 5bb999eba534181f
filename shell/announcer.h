#pragma once

#include <QWidget>

namespace plexaro {

// Tells screen readers what a command did, without taking the focus and
// without anything to see: an empty child of no size that screen readers
// meet as a notification, and speak each time it is shown. Qt has no
// announcement event of its own here, so each notice shows it anew.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);

  void say(const QString& text);
};

}  // namespace plexaro
