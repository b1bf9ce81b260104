// The program's messages in Russian under a Russian locale, exactly as written otherwise.
#include "app/support/message_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(Translation, EveryMessageHasItsRussianAndWithoutItStaysAsWritten) {
  QTranslator russian;
  ASSERT_TRUE(russian.load(QLocale(QLocale::Russian), "flightcompare", "_", ":/i18n"));
  for (const char* form : messageForms()) EXPECT_FALSE(russian.translate("Messages", form).isEmpty()) << form;
  for (const char* name : filterNames()) EXPECT_FALSE(russian.translate("OpenDialog", name).isEmpty()) << name;

  // A name may hold what looks like a form's part; it goes through untouched.
  const QString message = QString::fromUtf8(
      "'1,5' is not a valid floating point value\nFile: /tmp/a%2.txt, line 7\n"
      "The number would read with \"Точка\" ticked: tick \"Точка\" and open the file again.\nAn unknown line\n"
      "Flight 2: Too many rows: a flight holds at most 50000.\n"
      "Not one sounding: launches 458 days apart, sites 16 300 km apart.");
  EXPECT_EQ(translatedMessage(message), message) << "no translation loaded";
  QCoreApplication::installTranslator(&russian);
  EXPECT_EQ(translatedMessage(message),
            QString::fromUtf8("«1,5» — не правильное число с плавающей точкой\nФайл: /tmp/a%2.txt, строка 7\n"
                              "Число прочиталось бы с отметкой \"Точка\": отметьте \"Точка\" и откройте файл снова.\n"
                              "An unknown line\nПолёт 2: Слишком много строк: в полёте их не больше 50000.\n"
                              "Не одно зондирование: запуски разнесены на 458 сут., места — на 16 300 км."))
      << "a message inside a message too";
  QCoreApplication::removeTranslator(&russian);
}
