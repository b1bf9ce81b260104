#include "campaign/pair_comparison.h"

#include "campaign/one_sounding.h"
#include "compare/sample_statistics.h"
#include "compare/layer_statistics.h"
#include "compare/quick_select.h"
#include "flight/flight_error.h"
#include "flight/quantities.h"
#include "flight/read_choices.h"
#include "raw/text_file.h"
#include "reader/flight_reader.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

int namedColumn(const std::vector<std::string>& names, const std::string& name) {
  const auto found = std::find(names.begin(), names.end(), name);
  return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// A difference of two directions, the shorter way round: within (-180, 180].
double wrappedDirection(double difference) {
  double wrapped = std::fmod(difference, 360.0);
  if (wrapped > 180.0) wrapped -= 360.0;
  if (wrapped <= -180.0) wrapped += 360.0;
  return wrapped;
}


std::string kindWord(HeightKind kind) {
  const std::string_view name = heightKindName(kind);
  return name.empty() ? "unknown" : std::string(name);
}

// A campaign held to one kind of height takes a pair only when both flights state that kind.
void checkHeightKinds(HeightKind wanted, const ComparedColumns (&columns)[2]) {
  if (wanted == HeightKind::Unknown) return;
  const HeightKind first = columns[0].heightKind, second = columns[1].heightKind;
  if (first == wanted && second == wanted) return;
  throw FlightError(Message(MessageId::HeightsNotOfKind, {kindWord(wanted), kindWord(first), kindWord(second)}));
}

}  // namespace

PairComparer::PairComparer(const CampaignSettings& settings)
    : settings_(settings), comparison_(flights_.flights()) {}

SlotChoice PairComparer::readFlight(int slot, const std::string& path, PairResult& result) {
  FlightIdentity& identity = result.flights[slot - 1];
  const auto parameterOf = [&](const std::vector<std::string>& items) {
    return !settings_.column.empty()
               ? namedColumn(items, settings_.column)
               : quickSelectIndex(items, quickSelectNames(quickSelectQuantity(settings_.quantity), slot));
  };
  // Of a product, only the compared column and its uncertainty are read beside the height.
  const ColumnPick compared = [&](const std::vector<std::string>& items, const FlightIdentity& flight) {
    const int parameter = parameterOf(items);
    std::vector<int> columns = uncertaintyColumns(automaticUncertainty(parameter, flight), flight);
    columns.push_back(parameter);
    if (settings_.match == MatchBy::Time) columns.push_back(timeColumnIndex(items));
    return columns;
  };
  ReadChoices choices;
  try {
    TextFile file(path);
    identity = readFlightFile(flights_.flights(), slot, file, settings_.separators, choices, compared);
  } catch (const FlightError& error) {
    throw FlightError(Message(MessageId::FlightFailed, {std::to_string(slot), error.whole()}));
  }
  SlotChoice choice;
  choice.columns = static_cast<int>(choices.items.size());
  choice.height = choices.height;
  if (choice.height < 0 || choice.height >= choice.columns)
    throw FlightError(Message(MessageId::NoHeightColumn, {std::to_string(slot)}));
  ComparedColumns& columns = result.columns[slot - 1];
  columns.height = choices.items[choice.height];
  columns.heightKind = identity.heightKindOf(choice.height);
  choice.parameter = parameterOf(choices.items);
  if (choice.parameter < 0)
    throw FlightError(settings_.column.empty()
                          ? Message(MessageId::NoQuantityColumn, {std::to_string(slot), std::string(1, settings_.quantity)})
                          : Message(MessageId::NoNamedColumn, {std::to_string(slot), settings_.column}));
  columns.parameter = choices.items[choice.parameter];
  if (slot == 1) parameterName_ = columns.parameter;
  choice.time = timeColumnIndex(choices.items);
  choice.uncertainty = automaticUncertainty(choice.parameter, identity);
  if (choice.uncertainty >= 0) {
    columns.uncertainty = choices.items[choice.uncertainty];
    columns.coverageFactor = identity.column(choice.uncertainty).coverageFactor;
  }
  return choice;
}

PairResult PairComparer::compare(const CampaignPair& pair) {
  FlightSet& flights = flights_.flights();
  flights.maxHight = kTopOfHeightWindow;
  flights.minHight = 0.0;
  PairResult result;
  result.group = listedGroup(pair, settings_);
  try {
    RedrawRequest request;
    request.flights[0] = readFlight(1, pair.path(1), result);
    if (settings_.solarGroups) result.group = solarGroup(result.flights[0]);
    request.flights[1] = readFlight(2, pair.path(2), result);
    const Message apart = notOneSounding(result.flights[0], result.flights[1]);
    if (!apart.empty() && !settings_.allowApart) throw FlightError(apart);
    result.apart = !apart.empty();
    checkHeightKinds(settings_.heightKind, result.columns);
    request.plus = settings_.plus;
    judgeByStatedUncertainties(request, result.flights[0], result.flights[1]);
    result.uncertaintyRule = request.uncertaintyRule;
    request.matching = {settings_.match, settings_.shift, statedClocks(result.flights[0], result.flights[1])};
    comparison_.compareOnly(request, points_);
    result.clockShift = comparison_.clockShift();
  } catch (const FlightError& error) {
    result.reason = error.whole();
    return result;
  }
  if (points_.x.empty()) {
    result.reason = settings_.match == MatchBy::Time ? MessageId::NoCommonMoment : MessageId::NoCommonHeight;
    return result;
  }
  const std::optional<Quantity> compared = namedQuantity(parameterName_);
  if (!settings_.plus && compared && factsOf(*compared).angle)
    for (double& value : points_.x) value = wrappedDirection(value);
  keepByLayer(result);
  ExactSum total;
  for (const LayerRun& run : result.runs) {
    total.add(run.sum);
    result.consistency.add(run.consistency);
  }
  result.points = result.values.size();
  result.mean = exactMean(total, result.points);
  result.sd = sampleStandardDeviation(result.values.data(), result.values.size(), result.mean);
  return result;
}

void PairComparer::keepByLayer(PairResult& result) {
  const std::size_t count = points_.x.size();
  layers_.resize(count);
  for (std::size_t i = 0; i < count; ++i) layers_[i] = layerOf(points_.y[i], settings_.layer);
  const bool judged = !points_.uncertainty.empty();
  result.values.resize(count);
  result.heights.resize(count);
  result.uncertainties.resize(judged ? count : 0);
  if (std::is_sorted(layers_.begin(), layers_.end())) {
    std::copy(points_.x.begin(), points_.x.end(), result.values.begin());
    std::copy(points_.y.begin(), points_.y.end(), result.heights.begin());
    std::copy(points_.uncertainty.begin(), points_.uncertainty.end(), result.uncertainties.begin());
  } else {
    // A flight that comes down again: its values join their layers, in row order.
    order_.resize(count);
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    std::stable_sort(order_.begin(), order_.end(), [this](std::size_t a, std::size_t b) { return layers_[a] < layers_[b]; });
    for (std::size_t i = 0; i < count; ++i) {
      result.values[i] = points_.x[order_[i]];
      result.heights[i] = points_.y[order_[i]];
      if (judged) result.uncertainties[i] = points_.uncertainty[order_[i]];
    }
    std::sort(layers_.begin(), layers_.end());
  }
  for (std::size_t first = 0; first < count;) {
    const std::size_t last = std::upper_bound(layers_.begin() + first, layers_.end(), layers_[first]) - layers_.begin();
    ExactSum sum;
    ConsistencyTally consistency;
    for (std::size_t i = first; i < last; ++i) {
      sum.add(result.values[i]);
      if (judged) consistency.add(result.values[i], result.uncertainties[i]);
    }
    const double mean = exactMean(sum, last - first);
    result.runs.push_back({layers_[first], first, last - first, std::move(sum), mean, std::move(consistency)});
    first = last;
  }
}
