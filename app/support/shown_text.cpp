#include "app/support/shown_text.h"

QString shownText(const QString& text) {
  QString shown = text;
  for (QChar& c : shown)
    if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c.isNonCharacter())
      c = QChar::ReplacementCharacter;
  return shown;
}

QString shownText(const std::string& utf8) { return shownText(QString::fromStdString(utf8)); }
