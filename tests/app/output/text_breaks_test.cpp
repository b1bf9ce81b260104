// Where a report's cells may break a word or a path that is too wide for them.
#include "app/output/text_breaks.h"

#include <gtest/gtest.h>

TEST(TextBreaks, WordsBreakBetweenSyllablesAndPathsAfterTheirSeparators) {
  const auto shown = [](const QString& text) {
    return QString(text).replace(QChar(0x00AD), QLatin1Char('|')).replace(QChar(0x200B), QLatin1Char('^')).toStdString();
  };
  const std::pair<const char*, const char*> cases[] = {
      {"неизвестно", "неиз|вест|но"},
      {"сумерки", "су|мер|ки"},
      {"Медиана", "Ме|диа|на"},
      {"Смещение", "Сме|ще|ние"},
      {"день", "день"},                  // too short to break
      {"сдвиг", "сдвиг"},                // one vowel: one syllable
      {"12345678", "12345678"},          // digits have no syllables
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(shown(withSyllableBreaks(QString::fromUtf8(word))), expected) << word;
  EXPECT_EQ(shown(withPathBreaks("/data/RS92.PAY_2017.txt")), "/^data/^RS92.^PAY_^2017.^txt");
}
