#include "translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>

namespace plexaro {

namespace {

// The languages asked for, best first; none under the C locale.
QStringList wantedLanguages() {
  QByteArray locale = qgetenv("LC_ALL");
  if (locale.isEmpty()) locale = qgetenv("LC_MESSAGES");
  if (locale.isEmpty()) locale = qgetenv("LANG");
  if (locale.isEmpty() || locale == "C" || locale.startsWith("C.") || locale == "POSIX") return {};
  const QByteArray list = qgetenv("LANGUAGE");
  return QString::fromLocal8Bit(list.isEmpty() ? locale : list).split(u':', Qt::SkipEmptyParts);
}

// "de_AT.UTF-8@euro" -> "de"
QString languageOf(const QString& locale) {
  return locale.section(u'.', 0, 0).section(u'@', 0, 0).section(u'_', 0, 0).toLower();
}

}  // namespace

Translations::Translations() {
  for (const QString& wanted : wantedLanguages()) {
    const QString language = languageOf(wanted);
    if (language == u"en") break;
    const QString file = QStringLiteral(":/i18n/plexaro_%1.qm").arg(language);
    if (!QFile::exists(file)) continue;
    if (!program_.load(file)) break;  // damaged: English, whole
    QCoreApplication::installTranslator(&program_);
    if (qt_.load(QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(&qt_);
    language_ = language;
    break;
  }
  // The C library's messages (why a save failed) in the same language, where
  // the system has it; "en" keeps them English.
  qputenv("LANGUAGE", language_.toLatin1());
}

Translations::~Translations() {
  QCoreApplication::removeTranslator(&qt_);
  QCoreApplication::removeTranslator(&program_);
}

}  // namespace plexaro
