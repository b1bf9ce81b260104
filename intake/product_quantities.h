#pragma once

#include <array>
#include <string>
#include <string_view>

// The kinds of quantity the reference readers convert to the program's units: seconds, metres,
// °C, %, degrees, m/s and hPa.
enum class QuantityKind { Time, Height, Temperature, Humidity, Direction, Speed, Pressure };

// A quantity of a GRUAN product: the variable's name in the product, and the column name the
// reader gives it, the one the quick-select buttons know.
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
