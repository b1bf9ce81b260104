#include "reference/reference_flight.h"

#include "flight/ascent_top.h"
#include "flight/flight_error.h"
#include "flight/quantities.h"
#include "flight/slot_controls.h"

#include <algorithm>

ReferenceFlight::ReferenceFlight(FlightTable& table, long long productRows, SlotControls& controls)
    : table_(table), controls_(controls), productRowCount_(productRows),
      rows_(static_cast<int>(std::clamp<long long>(productRows, 0, kMaxRows))) {
  controls_.clearParameterLists();
}

double* ReferenceFlight::addColumn(const std::string& name) {
  if (full()) throw FlightError(tooManyColumns());
  controls_.addParameter(name);
  if (name == factsOf(Quantity::Height).column && heightColumn_ < 0) {
    controls_.selectHeight(columns_);
    heightColumn_ = columns_;
  }
  if (name == factsOf(Quantity::Temperature).column && !parameterSelected_) {
    controls_.selectParameter(columns_);
    parameterSelected_ = true;
  }
  return table_[columns_++];
}

FlightRows ReferenceFlight::finish(bool strict) {
  productRows_.assign(static_cast<std::size_t>(rows_) + 1, 0);
  int count = 0;
  bool stopped = false;
  for (int row = 1; row <= rows_ && !stopped; ++row) {
    // Rows dropped below the top close up, as a raw file's next row takes their place.
    if (++count != row)
      for (int column = 0; column < columns_; ++column) table_[column][count] = table_[column][row];
    productRows_[count] = row;
    if (heightColumn_ < 0) continue;
    const AscentTest test = testTopOfAscent(table_[heightColumn_], count, strict);
    count = test.count;
    stopped = test.stop;
  }
  productRows_.resize(static_cast<std::size_t>(count) + 1);
  if (!stopped && productRowCount_ > kMaxRows) throw FlightError(tooManyRows());
  return {count, heightColumn_};
}
