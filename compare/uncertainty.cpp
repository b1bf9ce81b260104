#include "compare/uncertainty.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

bool sameStated(const std::string& first, const std::string& second) { return !first.empty() && first == second; }

}  // namespace

int automaticUncertainty(int parameter, const FlightIdentity& flight) { return flight.column(parameter).uncertainty; }

std::vector<int> uncertaintyColumns(int uncertainty, const FlightIdentity& flight) {
  if (uncertainty < 0) return {};
  const UncertaintyParts& parts = flight.column(uncertainty).parts;
  std::vector<int> columns{uncertainty};
  for (int part : {parts.uncorrelated, parts.spatial, parts.temporal})
    if (part >= 0) columns.push_back(part);
  return columns;
}

std::string_view uncertaintyRuleName(UncertaintyRule rule) {
  switch (rule) {
    case UncertaintyRule::SameModel: return "same model";
    case UncertaintyRule::SameBalloon: return "same model, same balloon";
    case UncertaintyRule::SameModelWithoutParts: return "same model, parts not stated";
    case UncertaintyRule::Independent: break;
  }
  return "independent";
}

UncertaintyRule uncertaintyRule(const FlightIdentity& first, int u1, const FlightIdentity& second, int u2) {
  const bool sameModel =
      sameStated(first.product, second.product) && sameStated(first.sondeType, second.sondeType);
  if (!sameModel) return UncertaintyRule::Independent;
  if (!first.column(u1).parts.stated() || !second.column(u2).parts.stated())
    return UncertaintyRule::SameModelWithoutParts;
  const bool sameBalloon =
      sameStated(first.eventId, second.eventId) && sameStated(first.balloonNumber, second.balloonNumber);
  return sameBalloon ? UncertaintyRule::SameBalloon : UncertaintyRule::SameModel;
}

double remainingUncertainty(const PointUncertainty& uncertainty, UncertaintyRule rule) {
  const double total = uncertainty.total, spatial = uncertainty.spatial, temporal = uncertainty.temporal;
  if (rule == UncertaintyRule::Independent || rule == UncertaintyRule::SameModelWithoutParts) return total;
  // A total a little below its parts, as stored values round, leaves no uncorrelated part.
  const double left = total * total - spatial * spatial - temporal * temporal;
  const double uncorrelated = uncertainty.uncorrelated.value_or(std::isnan(left) ? left : std::sqrt(std::max(0.0, left)));
  return rule == UncertaintyRule::SameBalloon ? uncorrelated : std::hypot(uncorrelated, spatial);
}

double combinedUncertainty(double u1, double u2) {
  const double combined = std::hypot(u1, u2);
  return std::isfinite(combined) && combined > 0 ? combined : kNoValue;
}

std::string coverageFactorText(double coverageFactor) {
  char k[32];
  std::snprintf(k, sizeof k, "%g", coverageFactor);
  return k;
}

std::string coverageStatement(double coverageFactor) {
  if (std::isnan(coverageFactor)) return "coverage factor not stated: taken as 1";
  return "k = " + coverageFactorText(coverageFactor) + " stated" + (coverageFactor == 1 ? "" : ", divided out");
}

void ConsistencyTally::add(double difference, double uncertainty) {
  if (std::isnan(uncertainty)) return;
  ++points_;
  uncertainties_.add(uncertainty);
  for (int k = 1; k <= kCoverageFactors; ++k)
    if (std::abs(difference) <= k * uncertainty) ++within_[k - 1];
}

void ConsistencyTally::add(const ConsistencyTally& other) {
  points_ += other.points_;
  uncertainties_.add(other.uncertainties_);
  for (int k = 0; k < kCoverageFactors; ++k) within_[k] += other.within_[k];
}

double ConsistencyTally::meanUncertainty() const {
  return points_ ? static_cast<double>(uncertainties_.value() / points_) : kNoValue;
}

double ConsistencyTally::shareWithin(int k) const {
  return points_ ? static_cast<double>(within_[k - 1]) / static_cast<double>(points_) : kNoValue;
}
