#include "app/support/open_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>

bool DialogFileChooser::execute(OpenDialog& dialog) {
  const QString chosen = QFileDialog::getOpenFileName(parent_, QString(), QFile::decodeName(dialog.fileName),
                                                      qtNameFilters(dialog.filter));
  if (chosen.isEmpty()) return false;
  dialog.fileName = QFile::encodeName(chosen);
  return true;
}

void ScriptedFileChooser::choose(const QString& fileName) { choose(QFile::encodeName(fileName)); }

bool ScriptedFileChooser::execute(OpenDialog& dialog) {
  const std::optional<QByteArray> answer = answers_.isEmpty() ? std::nullopt : answers_.takeFirst();
  if (!answer) return false;
  dialog.fileName = *answer;
  return true;
}

QString qtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QLatin1Char('(') + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    filters << (parts[i].endsWith(patterns) ? parts[i] : parts[i] + QLatin1Char(' ') + patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

QString filterSuffix(const QString& filter) {
  return QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter).captured(1);
}
