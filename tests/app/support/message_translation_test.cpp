// The program's messages in Russian under a Russian locale, exactly as written otherwise.
#include "app/support/message_translation.h"
#include "flight/flight_error.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(Translation, EveryMessageHasItsRussianAndWithoutItStaysAsWritten) {
  QTranslator russian;
  ASSERT_TRUE(russian.load(QLocale(QLocale::Russian), "flightcompare", "_", ":/i18n"));
  for (const MessageId id : catalogueIds())
    EXPECT_FALSE(russian.translate("Messages", englishForm(id)).isEmpty()) << englishForm(id);
  for (const char* name : filterNames()) EXPECT_FALSE(russian.translate("OpenDialog", name).isEmpty()) << name;

  // A name may hold what looks like a form's part; it goes through untouched, and so does a
  // message inside a message.
  const FlightError error(
      Message(MessageId::FlightFailed,
              {"2", FlightError(Message(MessageId::NotAFloatingPointValue, {"1,5"}),
                                Message(MessageId::Lines, {Message(MessageId::FileLine, {"/tmp/a%2.txt", "7"}),
                                                           Message(MessageId::TickSeparator, {"\"Точка\""})}))
                        .whole()}),
      tooManyRows());
  const QString english = QString::fromUtf8(
      "Flight 2: '1,5' is not a valid floating point value\nFile: /tmp/a%2.txt, line 7\n"
      "The number would read with \"Точка\" ticked: tick \"Точка\" and open the file again.\n"
      "Too many rows: a flight holds at most 50000.");
  EXPECT_EQ(QString::fromUtf8(error.what()), english);
  EXPECT_EQ(translatedMessage(error.whole()), english) << "no translation loaded";
  QCoreApplication::installTranslator(&russian);
  EXPECT_EQ(translatedMessage(error.whole()),
            QString::fromUtf8("Полёт 2: «1,5» — не правильное число с плавающей точкой\nФайл: /tmp/a%2.txt, строка 7\n"
                              "Число прочиталось бы с отметкой \"Точка\": отметьте \"Точка\" и откройте файл снова.\n"
                              "Слишком много строк: в полёте их не больше 50000."));
  QCoreApplication::removeTranslator(&russian);
}
