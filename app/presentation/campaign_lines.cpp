#include "app/presentation/campaign_lines.h"

#include "app/presentation/captions.h"
#include "app/presentation/matching_captions.h"

#include <cstdio>

namespace {

// A layer's thickness as the report has always written it: up to six significant digits.
std::string metres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string listed(const std::vector<std::string>& texts) {
  std::string list;
  for (const std::string& text : texts) list += (list.empty() ? "" : ", ") + text;
  return list;
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
      const std::string_view unit = columnUnitCaption(columns.parameter);
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

// In time: whether the shift of flight 2's clock was typed or found, and the shifts the compared
// pairs were matched at.
std::string matchingLine(const CampaignReport& report) {
  const std::optional<double>& typed = report.settings.shift;
  if (typed) return "по времени, сдвиг часов полёта 2 задан: " + signedTenths(*typed) + " с";
  std::string line = "по времени, сдвиг часов полёта 2 найден по ходу высот каждой пары";
  if (!report.shifts) return line;
  const ShiftRange& shifts = *report.shifts;
  line += ": ";
  if (shifts.least != shifts.greatest) line += "от " + signedTenths(shifts.least) + " до ";
  return line + signedTenths(shifts.greatest) + " с";
}

}  // namespace

std::vector<SettingLine> campaignSettingsLines(const CampaignReport& report) {
  const CampaignSettings& settings = report.settings;
  const std::string_view unitText = unitCaption(report.unit);
  const std::string unit = unitText.empty() ? std::string() : ", " + std::string(unitText);
  std::vector<SettingLine> lines{{"Список пар", report.listName.empty() ? std::string("—") : report.listName}};
  if (!report.firstLaunch.empty())
    lines.push_back({"Период", minutes(report.firstLaunch) + (report.lastLaunch == report.firstLaunch
                                                                  ? std::string()
                                                                  : " — " + minutes(report.lastLaunch))});
  if (!report.stations.empty()) lines.push_back({"Станции", listed(report.stations)});
  lines.push_back({"Зонды полёта 1", sondeLine(report.sondes[0])});
  lines.push_back({"Зонды полёта 2", sondeLine(report.sondes[1])});
  lines.push_back(settings.column.empty() ? SettingLine{"Величина", std::string(quantityCaption(quickSelectQuantity(settings.quantity))) + unit}
                                          : SettingLine{"Столбец", settings.column + unit});
  lines.push_back({"Сравнение", "полёт 1 " + std::string(signCaption(settings.plus)) + " полёт 2"});
  // Height is the matching unless another is chosen, and goes without saying.
  if (settings.match == MatchBy::Time) lines.push_back({"Сопоставление", matchingLine(report)});
  lines.push_back({"Толщина слоя", metres(settings.layer) + " " + std::string(unitCaption(Unit::Metres))});
  if (settings.heightKind != HeightKind::Unknown)
    lines.push_back({"Только высоты", std::string(heightKindCaption(settings.heightKind))});
  // The separator matters only to raw files (also those it kept from being read): products carry
  // their numbers in binary.
  if (report.rawFilesTried)
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
  return lines;
}

