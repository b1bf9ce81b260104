#include "app/support/shown_text.h"

#include <QList>

// Character by character, not by UTF-16 unit: the tag characters (U+E0020...) are format
// characters beyond the first plane.
QString shownText(const QString& text) {
  QString shown;
  shown.reserve(text.size());
  for (const char32_t c : text.toUcs4()) {
    const QChar::Category kind = QChar::category(c);
    if (kind == QChar::Other_Control || kind == QChar::Other_Format || QChar::isNonCharacter(c))
      shown += QChar(QChar::ReplacementCharacter);
    else
      shown += QChar::fromUcs4(c);
  }
  return shown;
}

QString shownText(const std::string& utf8) { return shownText(QString::fromStdString(utf8)); }
