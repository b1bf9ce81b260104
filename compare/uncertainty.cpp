#include "compare/uncertainty.h"

#include "intake/product_quantities.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// The variable a product's column was read from: the quantities under the names the reader
// gave them, the others under their own.
std::string_view productVariable(std::string_view column) {
  for (const ProductQuantity& quantity : kProductQuantities)
    if (quantity.column == column) return quantity.variable;
  return column;
}

}  // namespace

int automaticUncertainty(const std::vector<std::string>& items, int parameter, const FlightIdentity& flight) {
  if (!flight.isProduct() || parameter < 0 || parameter >= static_cast<int>(items.size())) return -1;
  for (const std::string& name : uncertaintyNames(productVariable(items[parameter]))) {
    const auto found = std::find(items.begin(), items.end(), name);
    if (found != items.end()) return static_cast<int>(found - items.begin());
  }
  return -1;
}

double combinedUncertainty(double u1, double u2) {
  const double combined = std::hypot(u1, u2);
  return std::isfinite(combined) && combined > 0 ? combined : kNoValue;
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
