#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The kinds of quantity the reference readers convert to the program's units: seconds, metres,
// °C, %, degrees, m/s and hPa.
enum class QuantityKind { Time, Height, Temperature, Humidity, Direction, Speed, Pressure };

// A quantity of a GRUAN product: the variable's name in the product, and the column name the
// reader gives it, the one the quick-select buttons know. The height is the product's
// geopotential height where it states one, "alt" otherwise.
struct ProductQuantity {
  std::string_view variable, column;
  QuantityKind kind;
};
inline constexpr ProductQuantity kProductQuantities[] = {
    {"alt", "H", QuantityKind::Height},     {"temp", "T", QuantityKind::Temperature},
    {"rh", "U", QuantityKind::Humidity},    {"wdir", "D", QuantityKind::Direction},
    {"wspeed", "V", QuantityKind::Speed},   {"press", "P", QuantityKind::Pressure},
    {"dp", "Td", QuantityKind::Temperature},
};

// The names a product gives the total uncertainty of a variable: RS41 products "<name>_uc",
// RS92 products "u_<name>"; looked for in this order.
inline std::array<std::string, 2> uncertaintyNames(std::string_view variable) {
  return {std::string(variable) + "_uc", "u_" + std::string(variable)};
}

// The names a product gives the parts of a total uncertainty: RS41 products "<total>_ucor"
// (uncorrelated), "<total>_scor" (spatially) and "<total>_tcor" (temporally correlated); RS92
// products "u_cor_<name>", the correlated part of "u_<name>". Empty where a product has none.
struct UncertaintyPartNames {
  std::string uncorrelated, spatial, temporal;
  std::vector<std::string> all() const { return {uncorrelated, spatial, temporal}; }
};
inline UncertaintyPartNames uncertaintyPartNames(std::string_view total) {
  constexpr std::string_view kRs41 = "_uc", kRs92 = "u_";
  const std::string name(total);
  if (total.size() > kRs41.size() && total.substr(total.size() - kRs41.size()) == kRs41)
    return {name + "_ucor", name + "_scor", name + "_tcor"};
  if (total.size() > kRs92.size() && total.substr(0, kRs92.size()) == kRs92)
    return {{}, "u_cor_" + name.substr(kRs92.size()), {}};
  return {};
}
