#include "campaign/campaign_report.h"

#include "campaign/campaign_statistics.h"
#include "compare/quick_select.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// One group's layers cut where a layer holds no values.
std::vector<ProfileRun> runsOfGroup(const std::vector<LayerSummary>& layers, const std::string& group) {
  std::vector<ProfileRun> runs;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    if (layers[i].group != group) continue;
    const bool continues = !runs.empty() && runs.back().first + runs.back().count == i &&
                           layers[i - 1].top == layers[i].bottom;
    if (continues) ++runs.back().count;
    else runs.push_back({i, 1});
  }
  return runs;
}

// A layer's thickness as the report has always written it: up to six significant digits.
std::string metres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string listed(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

std::string sondeLine(const std::vector<SondeCount>& sondes) {
  std::vector<std::string> counts;
  for (const SondeCount& sonde : sondes)
    counts.push_back((sonde.sonde.empty() ? std::string("не указан") : sonde.sonde) + " × " + std::to_string(sonde.flights));
  return counts.empty() ? std::string("—") : listed(counts);
}

std::string minutes(const std::string& time) { return readableTime(time) + " UTC"; }

// Texts with how many compared pairs gave each, in order of first appearance: "T, °C × 2".
class TextCounts {
 public:
  void add(const std::string& text) {
    for (auto& [known, count] : counts_)
      if (known == text) {
        ++count;
        return;
      }
    counts_.emplace_back(text, 1);
  }
  std::string line() const {
    std::vector<std::string> texts;
    for (const auto& [text, count] : counts_) texts.push_back(text + " × " + std::to_string(count));
    return texts.empty() ? std::string("—") : listed(texts);
  }

 private:
  std::vector<std::pair<std::string, std::size_t>> counts_;
};

std::string uncertaintyCaption(const ComparedColumns& columns) {
  return columns.uncertainty.empty() ? "нет" : columns.uncertainty + ", " + coverageCaption(columns.coverageFactor);
}

// What each slot compared, over the compared pairs: heights and their kinds, columns and their
// units, the uncertainty columns with their coverage factors; then how the uncertainties joined.
std::vector<SettingLine> comparedLines(const CampaignReport& report) {
  TextCounts heights[2], parameters[2], uncertainties[2], rules;
  for (std::size_t pair = 0; pair < report.pairRows.size(); ++pair) {
    const PairRow& row = report.pairRows[pair];
    if (!row.compared) continue;
    for (int slot = 0; slot < 2; ++slot) {
      const ComparedColumns& columns = report.compared(pair, slot + 1);
      heights[slot].add(columns.height + " — " + std::string(heightKindCaption(columns.heightKind)));
      const std::string_view unit = quantityUnit(columns.parameter);
      parameters[slot].add(columns.parameter + (unit.empty() ? "" : ", " + std::string(unit)));
      uncertainties[slot].add(uncertaintyCaption(columns));
    }
    if (row.judged) rules.add(std::string(uncertaintyRuleCaption(row.uncertaintyRule)));
  }
  std::vector<SettingLine> lines;
  for (int slot = 0; slot < 2; ++slot) {
    const std::string flight = " полёта " + std::to_string(slot + 1);
    lines.push_back({"Высота" + flight, heights[slot].line()});
    lines.push_back({"Параметр" + flight, parameters[slot].line()});
    lines.push_back({"Неопределённость" + flight, uncertainties[slot].line()});
  }
  if (report.judgedPairs > 0) lines.push_back({"Сложение u₁ и u₂", rules.line()});
  return lines;
}

std::vector<SettingLine> settingsLines(const CampaignReport& report, bool rawFilesTried) {
  const CampaignSettings& settings = report.settings;
  const std::string unit = report.unit.empty() ? std::string() : ", " + report.unit;
  std::vector<SettingLine> lines{{"Список пар", report.listName.empty() ? std::string("—") : report.listName}};
  if (!report.firstLaunch.empty())
    lines.push_back({"Период", minutes(report.firstLaunch) + (report.lastLaunch == report.firstLaunch
                                                                  ? std::string()
                                                                  : " — " + minutes(report.lastLaunch))});
  if (!report.stations.empty()) lines.push_back({"Станции", listed(report.stations)});
  lines.push_back({"Зонды полёта 1", sondeLine(report.sondes[0])});
  lines.push_back({"Зонды полёта 2", sondeLine(report.sondes[1])});
  lines.push_back(settings.column.empty() ? SettingLine{"Величина", std::string(quantityCaption(settings.quantity)) + unit}
                                          : SettingLine{"Столбец", settings.column + unit});
  lines.push_back({"Сравнение", "полёт 1 " + std::string(signCaption(settings.plus)) + " полёт 2"});
  lines.push_back({"Толщина слоя", metres(settings.layer) + " м"});
  if (settings.heightKind != HeightKind::Unknown)
    lines.push_back({"Только высоты", std::string(heightKindCaption(settings.heightKind))});
  // The separator matters only to raw files (also those it kept from being read): products carry
  // their numbers in binary.
  if (rawFilesTried)
    lines.push_back({"Разделитель дробной части", settings.separators.chosen == ',' ? "запятая" : "точка"});
  lines.push_back({"Пар", std::to_string(report.pairs.size()) + ", сравнено: " + std::to_string(report.comparedPairs) +
                              ", пропущено: " + std::to_string(report.skippedPairs)});
  lines.push_back({"С неопределённостью u_c", std::to_string(report.judgedPairs) + " из " +
                                                 std::to_string(report.comparedPairs) + " сравненных пар"});
  for (SettingLine& line : comparedLines(report)) lines.push_back(std::move(line));
  if (settings.allowApart)
    lines.push_back({"Разные зондирования", "сравнено пар не одного зондирования: " +
                                                std::to_string(report.apartPairs) + " (--allow-apart)"});
  if (settings.solarGroups)
    lines.push_back({"Группы", "по высоте солнца при запуске полёта 1: день выше +7,5°, ночь ниже −7,5°, "
                               "между ними сумерки"});
  if (!report.mixedHeights.empty()) lines.push_back({"Внимание", report.mixedHeights});
  return lines;
}

void count(std::vector<SondeCount>& sondes, const std::string& sonde) {
  for (SondeCount& known : sondes)
    if (known.sonde == sonde) {
      ++known.flights;
      return;
    }
  sondes.push_back({sonde, 1});
}

// The facts of the compared pairs' flights that the title block names.
void describeFlights(CampaignReport& report) {
  std::size_t kinds[3] = {};
  for (std::size_t pair = 0; pair < report.pairRows.size(); ++pair) {
    if (!report.pairRows[pair].compared) continue;
    for (int slot = 0; slot < 2; ++slot) {
      const FlightIdentity& flight = report.flight(pair, slot + 1);
      const std::string& launch = flight.launchTime;
      if (!launch.empty() && (report.firstLaunch.empty() || launch < report.firstLaunch)) report.firstLaunch = launch;
      if (!launch.empty() && launch > report.lastLaunch) report.lastLaunch = launch;
      if (!flight.station.empty() &&
          std::find(report.stations.begin(), report.stations.end(), flight.station) == report.stations.end())
        report.stations.push_back(flight.station);
      count(report.sondes[slot], flight.sondeType);
      ++kinds[static_cast<int>(report.compared(pair, slot + 1).heightKind)];
    }
  }
  const std::size_t geometric = kinds[static_cast<int>(HeightKind::Geometric)];
  const std::size_t geopotential = kinds[static_cast<int>(HeightKind::Geopotential)];
  const auto flights = [](std::size_t count) { return std::to_string(count) + (count == 1 ? " flight" : " flights"); };
  if (geometric > 0 && geopotential > 0)
    report.mixedHeights = "heights of different kinds are pooled: " + flights(geometric) + " with geometric altitude, " +
                          flights(geopotential) + " with geopotential height (--height-kind keeps one kind)";
}

}  // namespace

std::string campaignUnit(const CampaignSettings& settings) {
  // The button's letter is no column name; the unit is that of the columns it picks.
  return std::string(quantityUnit(settings.column.empty() ? quickSelectTable(settings.quantity).slot1.front()
                                                          : std::string_view(settings.column)));
}

CampaignReport campaignReport(std::string listName, const CampaignSettings& settings, std::vector<CampaignPair> pairs,
                              CampaignResult result) {
  CampaignReport report;
  report.listName = std::move(listName);
  report.settings = settings;
  report.pairs = std::move(pairs);
  report.result = std::move(result);
  bool rawFilesTried = false;
  report.pairRows.reserve(report.pairs.size());
  for (std::size_t i = 0; i < report.pairs.size(); ++i) {
    const PairResult& compared = report.result.pairs[i];
    rawFilesTried = rawFilesTried || !compared.flights[0].isProduct() || !compared.flights[1].isProduct();
    const bool judged = compared.compared() && !settings.plus && !compared.columns[0].uncertainty.empty() &&
                        !compared.columns[1].uncertainty.empty();
    report.pairRows.push_back({compared.group, judged, compared.uncertaintyRule,
                               compared.status(), compared.compared(), compared.points, compared.mean,
                               compared.sd, compared.consistency.shareWithin(2)});
    if (compared.compared() && compared.consistency.points() > 0) ++report.judgedPairs;
    if (compared.compared() && compared.apart) ++report.apartPairs;
    ++(compared.compared() ? report.comparedPairs : report.skippedPairs);
  }
  for (const std::string& group : campaignGroups(report.result.pairs))
    report.profiles.push_back({group, runsOfGroup(report.result.layers, group)});
  describeFlights(report);
  report.unit = campaignUnit(settings);
  report.settingsLines = settingsLines(report, rawFilesTried);
  return report;
}
