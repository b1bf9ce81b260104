#include "app/cli/batch_mode.h"
#include "app/cli/campaign_batch.h"
#include "app/cli/command_line.h"
#include "app/cli/standard_streams.h"
#include "app/support/app_fonts.h"
#include "app/support/message_translation.h"
#include "app/support/qt_translations.h"
#include "app/support/settings_file.h"
#include "app/window/form1.h"

#include <QApplication>
#include <QHashFunctions>
#include <QScreen>
#include <QLocale>
#include <QTranslator>

#include <csignal>

namespace {

// File names stay the bytes they were given as: a name in another encoding still opens.
QList<QByteArray> argumentBytes(int argc, char* argv[]) {
  QList<QByteArray> arguments;
  for (int i = 0; i < argc; ++i) arguments << QByteArray(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  holdClosedStandardStreams();
  // A report made again from the same pairs is the same file, byte for byte: its fonts are
  // written in the order of a hash, and its creation date is stamped in UTC.
  if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH")) {
    QHashSeed::setDeterministicGlobalSeed();
    qputenv("TZ", "UTC");
  }
  // Batch mode reads its steps as given: a step's value may look like one of Qt's options.
  const QList<QByteArray> given = argumentBytes(argc, argv);
  const bool batch = isBatchRun(given);
  const bool campaign = isCampaignRun(given);
  // A reader of a batch mode's output that goes away is a failed write, reported, and never
  // stops a campaign's files being written.
  if (batch || campaign) std::signal(SIGPIPE, SIG_IGN);
  // A file beyond the size limit (ulimit -f) is a write that fails with EFBIG, reported with the
  // file named, its temporary file removed, rather than the end of the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // Batch modes never show the window, nor do the usage and the version, so they need no display.
  if ((batch || campaign || asksForUsageOrVersion(given)) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  // Qt takes its own options out of argv.
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QStringLiteral(FLIGHTCOMPARE_VERSION));
  QTranslator qtTexts, programTexts;
  installQtTranslations(qtTexts, QLocale::system());
  // Batch modes keep the documented English: scripts read their messages.
  if (!batch && !campaign) installProgramTranslation(programTexts, QLocale::system());
  loadWindowFace();
  if (batch) return runBatch(given);
  if (campaign) return runCampaignBatch(given);

  const WindowCommandLine commandLine = readWindowCommandLine(argumentBytes(argc, argv));
  if (commandLine.exitStatus) return *commandLine.exitStatus;
  QApplication::setOrganizationName(QStringLiteral("FlightCompare"));
  QApplication::setApplicationName(QStringLiteral("flightcompare"));
  const OpenedSettings settings = openSettings();
  TForm1 Form1;
  if (settings.settings) Form1.remember(settings.settings.get());
  else Form1.showStatus(settings.refusal);
  Form1.show();
  // flightcompare FILE1 [FILE2 [FILE3]] opens them into the slots, as a drop would, once the
  // window shows.
  Form1.openFilesOncePainted(commandLine.files);
  return application.exec();
}
