#include "campaign/campaign_report.h"

#include "campaign/campaign_statistics.h"
#include "compare/quick_select.h"

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

std::vector<std::string> settingsLines(const CampaignReport& report) {
  const CampaignSettings& settings = report.settings;
  return {
      "Список пар: " + (report.listName.empty() ? std::string("—") : report.listName),
      settings.column.empty() ? "Величина: " + std::string(quantityCaption(settings.quantity)) : "Столбец: " + settings.column,
      "Сравнение: полёт 1 " + std::string(signCaption(settings.plus)) + " полёт 2",
      "Толщина слоя: " + metres(settings.layer) + " м",
      std::string("Разделитель дробной части: ") + (settings.separators.chosen == ',' ? "запятая" : "точка"),
      "Пар: " + std::to_string(report.pairs.size()) + ", сравнено: " + std::to_string(report.comparedPairs) +
          ", пропущено: " + std::to_string(report.skippedPairs),
  };
}

}  // namespace

CampaignReport campaignReport(std::string listName, const CampaignSettings& settings, std::vector<CampaignPair> pairs,
                              CampaignResult result) {
  CampaignReport report{std::move(listName), settings, std::move(pairs), std::move(result), {}, {}, 0, 0, {}};
  for (std::size_t i = 0; i < report.pairs.size(); ++i) {
    const CampaignPair& pair = report.pairs[i];
    const PairResult& compared = report.result.pairs[i];
    report.pairRows.push_back({pair.flight1, pair.flight2, pair.group, compared.status(), compared.compared(),
                               compared.values.size(), compared.mean, compared.sd});
    ++(compared.compared() ? report.comparedPairs : report.skippedPairs);
  }
  for (const std::string& group : campaignGroups(report.pairs))
    report.profiles.push_back({group, runsOfGroup(report.result.layers, group)});
  report.settingsLines = settingsLines(report);
  return report;
}
