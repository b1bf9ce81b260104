#include "app/cli/command_line.h"

#include "app/cli/batch_mode.h"
#include "app/cli/campaign_batch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void declare(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Opens the window and reads FILE1, FILE2 and FILE3, when given, into flight slots 1, 2\n"
                     "and 3, as a drop of them on the window would.\n\n") +
      QString::fromUtf8(batchUsage()).trimmed() + QStringLiteral("\n\n") +
      QString::fromUtf8(campaignUsage()).trimmed());
  // Qt's own help and version options end the program with exit(), before the application is
  // taken down; these return their status through main().
  parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Prints this usage.")});
  parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Prints the version.")});
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A raw flight file; after -- a name may start with -."),
                               QStringLiteral("[FILE1 [FILE2 [FILE3]]]"));
  // Qt's own options are single-dash words too; "-foo.txt" is one unknown option, not six letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

QStringList decoded(const QList<QByteArray>& arguments) {
  QStringList texts;
  for (const QByteArray& argument : arguments) texts << QString::fromLocal8Bit(argument);
  return texts;
}

}  // namespace

bool asksForUsageOrVersion(const QList<QByteArray>& arguments) {
  QCommandLineParser parser;
  declare(parser);
  // Qt's own options are still in the arguments and count as unknown here; the rest is parsed.
  parser.parse(decoded(arguments));
  return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"));
}

WindowCommandLine readWindowCommandLine(const QList<QByteArray>& arguments) {
  QCommandLineParser parser;
  declare(parser);
  const QStringList texts = decoded(arguments);
  if (!parser.parse(texts)) {
    std::fprintf(stderr, "flightcompare: %s\n\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
    return {2, {}};
  }
  if (parser.isSet(QStringLiteral("version"))) {
    std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(QCoreApplication::applicationVersion()));
    return {0, {}};
  }
  if (parser.isSet(QStringLiteral("help"))) {
    std::fputs(qPrintable(parser.helpText()), stdout);
    return {0, {}};
  }

  // The parser sees the names decoded, and a name in another encoding does not survive that:
  // each file is the next argument with the file's text, taken as its bytes. Options are ASCII,
  // so an option with the same text as a file has the same bytes too.
  WindowCommandLine commandLine;
  int next = 1;
  for (const QString& file : parser.positionalArguments()) {
    while (texts[next] != file) ++next;
    commandLine.files << arguments[next++];
  }
  return commandLine;
}
