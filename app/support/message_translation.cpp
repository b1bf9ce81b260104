#include "app/support/message_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// Longer forms before the shorter ones they begin with, so that the most telling one matches.
const std::vector<const char*> kForms = {
    QT_TRANSLATE_NOOP("Messages", "File does not exist."),
    QT_TRANSLATE_NOOP("Messages", "File: %1, line %2 (past the last line)"),
    QT_TRANSLATE_NOOP("Messages", "File: %1, line %2"),
    QT_TRANSLATE_NOOP("Messages", "File: %1"),
    QT_TRANSLATE_NOOP("Messages", "The number would read with %1 ticked: tick %1 and open the file again."),
    QT_TRANSLATE_NOOP("Messages", "I/O error reading \"%1\": %2"),
    QT_TRANSLATE_NOOP("Messages", "Line too long: a line of a flight file holds at most 4 MiB."),
    QT_TRANSLATE_NOOP("Messages", "Unrecognised file: no header line of a known flight layout."),
    QT_TRANSLATE_NOOP("Messages", "Too many columns: a flight holds at most 56."),
    QT_TRANSLATE_NOOP("Messages", "Too many rows: a flight holds at most 50000."),
    QT_TRANSLATE_NOOP("Messages", "Not enough memory to read the file."),
    QT_TRANSLATE_NOOP("Messages", "The file has changed since it was read: open it again."),
    QT_TRANSLATE_NOOP("Messages", "The file is shorter than its header says: it was cut off."),
    QT_TRANSLATE_NOOP("Messages", "The product needs more memory than a flight may take."),
    QT_TRANSLATE_NOOP("Messages", "The product needs more computing time than a flight may take."),
    QT_TRANSLATE_NOOP("Messages", "The product refers to data in other files, which are not read."),
    QT_TRANSLATE_NOOP("Messages", "The product is split into several files, which are not read."),
    QT_TRANSLATE_NOOP("Messages", "The product needs the compression filter %1, which is not installed."),
    QT_TRANSLATE_NOOP("Messages", "The product's groups hold themselves: it is no sounding product."),
    QT_TRANSLATE_NOOP("Messages", "The product's groups nest deeper than %1: it is no sounding product."),
    QT_TRANSLATE_NOOP("Messages", "The product holds more than %1 objects: it is no sounding product."),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid floating point value"),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid integer value"),
    QT_TRANSLATE_NOOP("Messages", "No radiosonde sounding: no message of the TEMP templates 309052 or 309057."),
    QT_TRANSLATE_NOOP("Messages", "Unknown unit \"%1\" of %2: the program converts only the units it knows."),
    QT_TRANSLATE_NOOP("Messages", "Unknown unit of %1: its attribute \"units\" holds %2 rather than one text."),
    QT_TRANSLATE_NOOP("Messages", "Not a sounding product: no variable \"time\" along its time dimension."),
    QT_TRANSLATE_NOOP("Messages", "Not a sounding product: no dimension \"time\"."),
    QT_TRANSLATE_NOOP("Messages", "Cannot set the rules of the library's process: %1"),
    QT_TRANSLATE_NOOP("Messages", "The %1 library made no progress reading the file for %2 s."),
    QT_TRANSLATE_NOOP("Messages", "The %1 library crashed reading the file (%2)."),
    QT_TRANSLATE_NOOP("Messages", "The %1 library ended while reading the file."),
    QT_TRANSLATE_NOOP("Messages", "Too many files: the window holds three flights, one file for each slot."),
    QT_TRANSLATE_NOOP("Messages", "Cannot write \"%1\": the picture could not be drawn."),
    QT_TRANSLATE_NOOP("Messages", "Cannot write \"report.pdf\": the report could not be drawn."),
    QT_TRANSLATE_NOOP("Messages", "Cannot write \"%1\": the link \"%2\" belongs to another user in a folder all may "
                                  "write to, and is not followed"),
    QT_TRANSLATE_NOOP("Messages", "Cannot write \"%1\": %2"),
    QT_TRANSLATE_NOOP("Messages", "Left new: %1"),
    QT_TRANSLATE_NOOP("Messages", "Left as they were: %1"),
    QT_TRANSLATE_NOOP("Messages", "Cannot read \"%1\": %2"),
    QT_TRANSLATE_NOOP("Messages", "Cannot save a picture as \"%1\": name it .png, .svg or .pdf."),
    QT_TRANSLATE_NOOP("Messages", "Flights make pairs: give an even number of files, the first with the second, the "
                                  "third with the fourth and so on. No pair was added."),
    QT_TRANSLATE_NOOP("Messages", "Files given: %1"),
    QT_TRANSLATE_NOOP("Messages", "No pairs to compare: open a list, or add files two at a time."),
    QT_TRANSLATE_NOOP("Messages", "Nothing to save: run the campaign first."),
    QT_TRANSLATE_NOOP("Messages", "The campaign was cancelled: its results are incomplete and are not saved."),
    QT_TRANSLATE_NOOP("Messages", "Cannot create the folder \"%1\": %2."),
    QT_TRANSLATE_NOOP("Messages", "Cannot read the campaign list \"%1\": %2."),
    QT_TRANSLATE_NOOP("Messages", "Line too long: a line of a campaign list holds at most 4 MiB."),
    QT_TRANSLATE_NOOP("Messages", "Bad campaign list: a quote is not closed."),
    QT_TRANSLATE_NOOP("Messages", "Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group."),
    QT_TRANSLATE_NOOP("Messages", "Bad campaign list: a row must have %1 fields, as the header has."),
    QT_TRANSLATE_NOOP("Messages", "Bad campaign list: a field holds a NUL byte."),
    QT_TRANSLATE_NOOP("Messages", "Bad campaign list: a group name holds at most %1 bytes."),
    QT_TRANSLATE_NOOP("Messages", "The list names no pair."),
    QT_TRANSLATE_NOOP("Messages", "List: %1, line %2"),
    QT_TRANSLATE_NOOP("Messages", "List: %1"),
    QT_TRANSLATE_NOOP("Messages", "Flight %1 has no height column."),
    QT_TRANSLATE_NOOP("Messages", "Flight %1 has no column for %2."),
    QT_TRANSLATE_NOOP("Messages", "Flight %1 has no column named \"%2\"."),
    QT_TRANSLATE_NOOP("Messages", "Flight %1: %2"),
    QT_TRANSLATE_NOOP("Messages", "No comparison value: the flights have no height in common."),
    QT_TRANSLATE_NOOP("Messages", "Heights not %1: flight 1 %2, flight 2 %3."),
    QT_TRANSLATE_NOOP("Messages", "Not compared: the campaign was cancelled."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 days apart, sites %2 km apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 hours apart, sites %2 km apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 minutes apart, sites %2 km apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 days apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 hours apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: launches %1 minutes apart."),
    QT_TRANSLATE_NOOP("Messages", "Not one sounding: sites %1 km apart."),
    QT_TRANSLATE_NOOP("Messages", "Same pair as line %1."),
    QT_TRANSLATE_NOOP("Messages", "Same pair as pair %1."),
};

const std::vector<const char*> kFilterNames = {
    QT_TRANSLATE_NOOP("OpenDialog", "Flight files"),
    QT_TRANSLATE_NOOP("OpenDialog", "Special files"),
    QT_TRANSLATE_NOOP("OpenDialog", "Reference products"),
    QT_TRANSLATE_NOOP("OpenDialog", "Any file"),
};

// A form as a pattern of the whole line: its text as it stands, each %n a variable part, and a
// %n met again the same part again.
QRegularExpression pattern(const QString& form) {
  static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
  QString text;
  QStringList seen;
  qsizetype from = 0;
  for (QRegularExpressionMatchIterator parts = placeholder.globalMatch(form); parts.hasNext();) {
    const QRegularExpressionMatch part = parts.next();
    text += QRegularExpression::escape(form.mid(from, part.capturedStart() - from));
    const QString name = QStringLiteral("p") + part.captured(1);
    // Lazy, so that a part ends at the first place the form goes on (the last takes the rest).
    text += seen.contains(name) ? QStringLiteral("\\k<%1>").arg(name) : QStringLiteral("(?<%1>.*?)").arg(name);
    seen << name;
    from = part.capturedEnd();
  }
  text += QRegularExpression::escape(form.mid(from));
  return QRegularExpression(QRegularExpression::anchoredPattern(text));
}

const std::vector<std::pair<const char*, QRegularExpression>>& patterns() {
  static const auto all = [] {
    std::vector<std::pair<const char*, QRegularExpression>> built;
    for (const char* form : kForms) built.emplace_back(form, pattern(QString::fromUtf8(form)));
    return built;
  }();
  return all;
}

// A part may be a message itself (a pair's reason names its flight, then the reader's message);
// the parts go in in one pass, so a part that itself holds "%2" stays as it is.
QString translatedLine(const QString& line) {
  for (const auto& [form, whole] : patterns()) {
    const QRegularExpressionMatch match = whole.match(line);
    if (!match.hasMatch()) continue;
    QStringList parts;
    for (int n = 1; whole.namedCaptureGroups().contains(QStringLiteral("p%1").arg(n)); ++n)
      parts << translatedLine(match.captured(QStringLiteral("p%1").arg(n)));
    QString told = QCoreApplication::translate("Messages", form);
    if (parts.size() == 1) return told.arg(parts[0]);
    if (parts.size() == 2) return told.arg(parts[0], parts[1]);
    if (parts.size() == 3) return told.arg(parts[0], parts[1], parts[2]);
    return told;
  }
  return line;
}

}  // namespace

QString translatedMessage(const QString& message) {
  QStringList lines = message.split(QLatin1Char('\n'));
  for (QString& line : lines) line = translatedLine(line);
  return lines.join(QLatin1Char('\n'));
}

const std::vector<const char*>& messageForms() { return kForms; }

const std::vector<const char*>& filterNames() { return kFilterNames; }

bool installProgramTranslation(QTranslator& translator, const QLocale& locale) {
  if (!translator.load(locale, QStringLiteral("flightcompare"), QStringLiteral("_"), QStringLiteral(":/i18n"))) return false;
  return QCoreApplication::installTranslator(&translator);
}
