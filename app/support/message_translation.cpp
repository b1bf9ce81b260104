#include "app/support/message_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

const std::vector<const char*> kFilterNames = {
    QT_TRANSLATE_NOOP("OpenDialog", "Flight files"),
    QT_TRANSLATE_NOOP("OpenDialog", "Special files"),
    QT_TRANSLATE_NOOP("OpenDialog", "Reference products"),
    QT_TRANSLATE_NOOP("OpenDialog", "Any file"),
};

}  // namespace

QString translatedMessage(const Message& message) {
  return QString::fromStdString(message.told([](MessageId id) {
    return QCoreApplication::translate("Messages", englishForm(id)).toStdString();
  }));
}

const std::vector<const char*>& filterNames() { return kFilterNames; }

bool installProgramTranslation(QTranslator& translator, const QLocale& locale) {
  if (!translator.load(locale, QStringLiteral("flightcompare"), QStringLiteral("_"), QStringLiteral(":/i18n"))) return false;
  return QCoreApplication::installTranslator(&translator);
}
