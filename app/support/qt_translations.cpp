#include "app/support/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtTranslations(QTranslator& translator, const QLocale& locale) {
  // qtbase holds every text of the widgets the window uses; "qt" would also pull in modules it
  // never loads.
  if (!translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return false;
  return QCoreApplication::installTranslator(&translator);
}
