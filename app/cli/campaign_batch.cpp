#include "app/cli/campaign_batch.h"

#include "app/cli/batch_mode.h"
#include "app/output/atomic_file.h"
#include "app/output/campaign_output.h"
#include "app/support/interruption.h"
#include "app/support/shown_text.h"
#include "app/support/system_decimal_separator.h"
#include "flight/flight_error.h"

#include <QFile>

#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <utility>

namespace {

const char kUsage[] =
    "usage: flightcompare --campaign LIST --out DIR [--quantity T|H|D|V|P | --column NAME] [--layer METRES]\n"
    "                     [--plus] [--separator point|comma] [--locale-decimal C] [--jobs N]\n"
    "                     [--height-kind geometric|geopotential] [--group list|solar] [--allow-apart]\n"
    "                     [--match height|time] [--shift auto|SECONDS]\n"
    "Compares every pair of flights in LIST and writes the statistics per height layer into DIR:\n"
    "layers.csv, layers.nc (the same as CF NetCDF), pairs.csv, the bias profile as profile.svg and\n"
    "profile.png, and report.pdf.\n"
    "  --campaign LIST          CSV with the header flight1,flight2[,group]; paths from its folder\n"
    "  --out DIR                the folder for the six files (created when missing)\n"
    "  --quantity T|H|D|V|P     the quick-select button that picks each flight's parameter (T)\n"
    "  --column NAME            the column of exactly this name instead\n"
    "  --layer METRES           the thickness of the height layers, 1 to 50000 (100)\n"
    "  --plus                   flight 1 plus flight 2 instead of minus\n"
    "  --separator point|comma  the decimal separator box ticked (the regional one)\n"
    "  --locale-decimal C       the regional decimal separator, . or ,\n"
    "  --jobs N                 pairs compared at once (one per core)\n"
    "  --height-kind KIND       only pairs whose two flights state heights of this kind\n"
    "  --group list|solar       the list's groups, or the sun's at flight 1's launch: day above\n"
    "                           +7.5°, night below -7.5°, twilight between, unknown without time\n"
    "                           or place (list)\n"
    "  --allow-apart            also pairs whose flights state launches more than 3 hours or sites\n"
    "                           more than 50 km apart, which are otherwise skipped as not one sounding\n"
    "  --match height|time      flight 2's value at flight 1's height, or at the same moment (height)\n"
    "  --shift auto|SECONDS     in time, the seconds flight 2's clock is ahead of flight 1's, or\n"
    "                           found from each pair's heights (auto)\n";

struct BadArguments {
  QString reason;
};

struct CampaignCommand {
  QByteArray listFile;
  QString outFolder;
  CampaignSettings settings;
};

// The options and whether each takes a value.
const std::pair<const char*, bool> kOptions[] = {
    {"--campaign", true}, {"--out", true},       {"--quantity", true},       {"--column", true}, {"--layer", true},
    {"--plus", false},    {"--separator", true}, {"--locale-decimal", true}, {"--jobs", true},
    {"--height-kind", true}, {"--group", true},     {"--allow-apart", false},
    {"--match", true},       {"--shift", true},
};

const std::pair<const char*, bool>* knownOption(const QString& text) {
  for (const auto& option : kOptions)
    if (text == option.first) return &option;
  return nullptr;
}

// Seconds, or nothing for a shift found from each pair's heights.
std::optional<double> shiftArgument(const QString& value) {
  if (value == "auto") return std::nullopt;
  bool isNumber = false;
  const double seconds = value.toDouble(&isNumber);
  if (!isNumber || !(std::abs(seconds) <= kLongestShift)) throw BadArguments{"--shift: auto or seconds"};
  return seconds;
}

CampaignCommand parse(const QList<QByteArray>& arguments) {
  CampaignCommand command;
  std::optional<char> chosen, regional;
  bool quantityGiven = false, shiftGiven = false;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString option = QString::fromLocal8Bit(arguments[i]);
    const auto* known = knownOption(option);
    if (!known) throw BadArguments{"unknown option " + option};
    if (!known->second) {
      (option == "--plus" ? command.settings.plus : command.settings.allowApart) = true;
      continue;
    }
    // An option where its value should be means the value was left out.
    if (i + 1 >= arguments.size() || knownOption(QString::fromLocal8Bit(arguments[i + 1])))
      throw BadArguments{option + " needs a value"};
    const QByteArray bytes = arguments[++i];
    const QString value = QString::fromLocal8Bit(bytes);
    if (option == "--campaign") {
      command.listFile = bytes;
    } else if (option == "--out") {
      command.outFolder = value;
    } else if (option == "--quantity") {
      if (!QStringList({"T", "H", "D", "V", "P"}).contains(value)) throw BadArguments{"--quantity: T, H, D, V or P"};
      command.settings.quantity = value.at(0).toLatin1();
      quantityGiven = true;
    } else if (option == "--column") {
      if (value.isEmpty()) throw BadArguments{"--column: the name of a column"};
      command.settings.column = value.toStdString();
    } else if (option == "--layer") {
      bool isNumber = false;
      command.settings.layer = value.toDouble(&isNumber);
      if (!isNumber || !(command.settings.layer >= 1 && command.settings.layer <= 50000))
        throw BadArguments{"--layer: metres from 1 to 50000"};
    } else if (option == "--separator") {
      if (value != "point" && value != "comma") throw BadArguments{"--separator: point or comma"};
      chosen = value == "point" ? '.' : ',';
    } else if (option == "--locale-decimal") {
      if (value != "." && value != ",") throw BadArguments{"--locale-decimal: . or ,"};
      regional = value.at(0).toLatin1();
    } else if (option == "--jobs") {
      bool isNumber = false;
      command.settings.jobs = value.toInt(&isNumber);
      if (!isNumber || command.settings.jobs < 1 || command.settings.jobs > 256) throw BadArguments{"--jobs: 1 to 256"};
    } else if (option == "--height-kind") {
      if (value != "geometric" && value != "geopotential") throw BadArguments{"--height-kind: geometric or geopotential"};
      command.settings.heightKind = value == "geometric" ? HeightKind::Geometric : HeightKind::Geopotential;
    } else if (option == "--group") {
      if (value != "list" && value != "solar") throw BadArguments{"--group: list or solar"};
      command.settings.solarGroups = value == "solar";
    } else if (option == "--match") {
      if (value != matchName(MatchBy::Height) && value != matchName(MatchBy::Time))
        throw BadArguments{"--match: height or time"};
      command.settings.match = value == matchName(MatchBy::Time) ? MatchBy::Time : MatchBy::Height;
    } else if (option == "--shift") {
      command.settings.shift = shiftArgument(value);
      shiftGiven = true;
    }
  }
  if (command.listFile.isEmpty() || command.outFolder.isEmpty()) throw BadArguments{"--campaign and --out are needed"};
  if (quantityGiven && !command.settings.column.empty()) throw BadArguments{"--quantity or --column, not both"};
  if (shiftGiven && command.settings.match != MatchBy::Time) throw BadArguments{"--shift goes with --match time"};
  // As the window starts: the box of the regional separator is ticked unless another is chosen.
  command.settings.separators.regional = regional.value_or(systemDecimalSeparator());
  command.settings.separators.chosen = chosen.value_or(command.settings.separators.regional);
  return command;
}

// A message on stderr, each of its lines as it may be shown on a terminal: a name in a list
// never drives it.
void printError(const QString& message) {
  QStringList lines = message.split(QLatin1Char('\n'));
  for (QString& line : lines) line = shownText(line);
  std::fprintf(stderr, "flightcompare: %s\n", lines.join(QLatin1Char('\n')).toUtf8().constData());
}

void reportSkipped(const CampaignReport& report) {
  for (std::size_t i = 0; i < report.pairRows.size(); ++i) {
    const PairRow& row = report.pairRows[i];
    if (row.compared) continue;
    const CampaignPair& pair = report.pairs[i];
    const QString line = QStringLiteral("pair %1 (%2, %3) skipped: %4")
                             .arg(i + 1)
                             .arg(shownText(pair.name(1)), shownText(pair.name(2)), shownText(row.statusText()));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
  }
}

int runCampaignCommand(const CampaignCommand& command, std::vector<CampaignPair> pairs) {
  CampaignProgress progress;
  CampaignResult result;
  // The values wait beside where the results go, rather than in a temporary folder that may be
  // far smaller; the folder would be made for the results anyway.
  createCampaignFolder(command.outFolder);
  CampaignSettings settings = command.settings;
  settings.spillFolder = QFile::encodeName(command.outFolder).toStdString();
  {
    const CancelOnInterruption cancel(progress.cancelled);
    result = runCampaign(pairs, settings, &progress);
  }
  if (interrupted()) endAsInterrupted();
  const CampaignReport report = campaignReport(QString::fromLocal8Bit(command.listFile).toStdString(), command.settings,
                                               std::move(pairs), std::move(result));
  reportSkipped(report);
  if (!report.mixedHeights.empty()) printError(QString::fromStdString(report.mixedHeights.english()));
  try {
    saveCampaign(command.outFolder, report);
  } catch (const WriteInterrupted&) {
    endAsInterrupted();
  }
  return report.skippedPairs > 0 ? 1 : 0;
}

}  // namespace

bool isCampaignRun(const QList<QByteArray>& arguments) {
  // After "--" a window's file may have any name.
  const qsizetype end = arguments.indexOf("--");
  return arguments.mid(0, end < 0 ? arguments.size() : end).contains("--campaign") && !isBatchRun(arguments);
}

const char* campaignUsage() { return kUsage; }

int runCampaignBatch(const QList<QByteArray>& arguments) {
  recordInterruptions();
  CampaignCommand command;
  std::vector<CampaignPair> pairs;
  try {
    command = parse(arguments);
    pairs = readCampaignList(command.listFile.toStdString());
  } catch (const BadArguments& bad) {
    printError(bad.reason);
    std::fputs(kUsage, stderr);
    return 2;
  } catch (const FlightError& error) {
    printError(QString::fromStdString(error.what()));
    return 2;
  } catch (const std::bad_alloc&) {
    printError(QString::fromStdString(Message(MessageId::NotEnoughMemory).english()));
    return 2;
  }
  // Whatever fails from here on is reported, never an abort: the outputs stay as they were.
  try {
    return runCampaignCommand(command, std::move(pairs));
  } catch (const FlightError& error) {
    printError(QString::fromStdString(error.what()));
  } catch (const std::bad_alloc&) {
    printError(QString::fromStdString(Message(MessageId::CampaignOutOfMemory).english()));
  } catch (const std::exception& error) {
    printError(QString::fromLocal8Bit(error.what()));
  }
  return 1;
}
