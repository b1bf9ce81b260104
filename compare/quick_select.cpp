#include "compare/quick_select.h"

#include "compare/uncertainty.h"

#include <algorithm>

const QuantityNames& quickSelectNames(Quantity quantity, int slot) {
  return factsOf(quantity).quickSelectNames[static_cast<std::size_t>(slot - 1)];
}

int quickSelectIndex(const std::vector<std::string>& items, const QuantityNames& names) {
  constexpr int kFirstExamined = 1, kLastExamined = 99;
  const int last = std::min(kLastExamined, static_cast<int>(items.size()) - 1);
  for (int index = kFirstExamined; index <= last; ++index)
    for (std::string_view name : names)
      if (items[index] == name) return index;
  return -1;
}

std::vector<int> quickSelectColumns(const std::vector<std::string>& items, int slot, const FlightIdentity& flight) {
  std::vector<int> columns;
  for (Quantity quantity : kQuickSelectQuantities) {
    const int column = quickSelectIndex(items, quickSelectNames(quantity, slot));
    columns.push_back(column);
    for (int judgedBy : uncertaintyColumns(automaticUncertainty(column, flight), flight)) columns.push_back(judgedBy);
  }
  return columns;
}
