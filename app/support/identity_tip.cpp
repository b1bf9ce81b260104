#include "app/support/identity_tip.h"

#include "app/presentation/identity_lines.h"
#include "app/support/shown_text.h"

#include <QStringList>
#include <QTextDocument>

QString identityToolTip(const FlightIdentity& identity, int selectedHeight) {
  if (identity.path.empty()) return {};
  QStringList lines;
  for (const std::string& line : identityLines(identity, selectedHeight)) lines << shownText(line);
  return lines.join(QLatin1Char('\n'));
}

QString plainToolTip(const QString& text) {
  return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}
