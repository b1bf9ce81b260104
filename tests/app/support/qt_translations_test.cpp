#include "app/support/qt_translations.h"

#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(QtTranslations, QtsOwnButtonsSpeakTheUsersLanguage) {
  struct Case {
    QLocale locale;
    QString cancel;
  };
  const Case cases[] = {{QLocale(QLocale::Russian, QLocale::Russia), "Отмена"}, {QLocale::c(), "Cancel"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString());
    QTranslator translator;  // takes itself off the application when it goes
    installQtTranslations(translator, c.locale);
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), c.cancel);
  }
}
