#include "compare/quick_select.h"

#include "compare/uncertainty.h"

#include <algorithm>

const QuickSelectTable kTemperatureNames{{"tmp1f", "T", "INTtemp"}, {"T", "tmp1f", "INTtemp"}, {"T", "tmp1f", "INTtemp"}};
const QuickSelectTable kHumidityNames{{"hymf", "U", "INThum"}, {"U", "hymf", "INThum"}, {"U", "hymf", "INThum"}};
const QuickSelectTable kWindDirectionNames{{"vspa", "D", "INTWD"}, {"D", "vspa", "INTWD"}, {"D", "vspa", "INTWD"}};
const QuickSelectTable kWindSpeedNames{{"hsp", "V", "INTWF"}, {"V", "hsp", "INTWF"}, {"V", "hsp", "INTWF"}};
const QuickSelectTable kPressureNames{{"prsr", "P", "INTpres"}, {"P", "prsr", "INTpres"}, {"P", "prsr", "INTpres"}};

const QuickSelectTable& quickSelectTable(char quantity) {
  switch (quantity) {
    case 'H': return kHumidityNames;
    case 'D': return kWindDirectionNames;
    case 'V': return kWindSpeedNames;
    case 'P': return kPressureNames;
    default: return kTemperatureNames;
  }
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
  for (const QuickSelectTable* table :
       {&kTemperatureNames, &kHumidityNames, &kWindDirectionNames, &kWindSpeedNames, &kPressureNames}) {
    const int column = quickSelectIndex(items, slot == 1 ? table->slot1 : slot == 2 ? table->slot2 : table->slot3);
    columns.push_back(column);
    for (int judgedBy : uncertaintyColumns(automaticUncertainty(column, flight), flight)) columns.push_back(judgedBy);
  }
  return columns;
}

std::string_view quantityUnit(std::string_view columnName) {
  struct Quantity {
    const QuickSelectTable& names;
    std::string_view unit;
  };
  static const Quantity kQuantities[] = {{kTemperatureNames, "°C"}, {kHumidityNames, "%"}, {kWindDirectionNames, "°"},
                                         {kWindSpeedNames, "м/с"}, {kPressureNames, "гПа"}};
  // Every slot's list holds the same names, only in another order.
  for (const Quantity& quantity : kQuantities)
    if (std::find(quantity.names.slot1.begin(), quantity.names.slot1.end(), columnName) != quantity.names.slot1.end())
      return quantity.unit;
  return {};
}

std::string_view quantityCaption(char quantity) {
  switch (quantity) {
    case 'H': return "H — влажность";
    case 'D': return "D — направление ветра";
    case 'V': return "V — скорость ветра";
    case 'P': return "P — давление";
    default: return "T — температура";
  }
}

std::string_view signCaption(bool plus) { return plus ? "+" : "−"; }
