#pragma once

#include <QString>
#include <QTranslator>

namespace plexaro {

// Plexaro's texts and Qt's own (a box's buttons, say) in the language the
// user's locale asks for, from the moment it is made until it goes. The
// language is chosen the way GNU gettext chooses it, so that Plexaro speaks
// as the rest of the desktop does: LANGUAGE, a list such as "pt:fr", is
// followed in order, unless LC_ALL, LC_MESSAGES or LANG (the first that is
// set) makes the locale C or POSIX; without LANGUAGE that variable's own
// language counts. The first language on the list that Plexaro speaks wins;
// English, one it does not speak ("pt"), or a translation that cannot be
// read leaves the texts in English. Only that one language is loaded.
class Translations {
 public:
  Translations();
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  // "de", "fr", ..., or "en" when the texts stay in English.
  QString language() const { return language_; }

 private:
  QTranslator program_;
  QTranslator qt_;
  QString language_ = QStringLiteral("en");
};

}  // namespace plexaro
