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

QString russianMessage(const Message& message) {
  // Loaded once and kept for the process, apart from the translator the user's locale installs.
  static const QTranslator* const russian = [] {
    auto* translator = new QTranslator;
    static_cast<void>(translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("flightcompare"),
                                       QStringLiteral("_"), QStringLiteral(":/i18n")));
    return translator;
  }();
  return QString::fromStdString(message.told([](MessageId id) {
    const QString form = russian->translate("Messages", englishForm(id));
    return (form.isEmpty() ? QString::fromUtf8(englishForm(id)) : form).toStdString();
  }));
}

const std::vector<const char*>& filterNames() { return kFilterNames; }

bool installProgramTranslation(QTranslator& translator, const QLocale& locale) {
  if (!translator.load(locale, QStringLiteral("flightcompare"), QStringLiteral("_"), QStringLiteral(":/i18n"))) return false;
  return QCoreApplication::installTranslator(&translator);
}
