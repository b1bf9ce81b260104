#include "app/presentation/captions.h"

#include <cmath>

std::string_view unitCaption(std::optional<Unit> unit) {
  if (!unit) return {};
  switch (*unit) {
    case Unit::Seconds: return "с";
    case Unit::Metres: return "м";
    case Unit::DegreesCelsius: return "°C";
    case Unit::Percent: return "%";
    case Unit::Degrees: return "°";
    case Unit::MetresPerSecond: return "м/с";
    case Unit::Hectopascals: return "гПа";
  }
  return {};
}

std::string_view columnUnitCaption(std::string_view columnName) {
  const std::optional<Quantity> quantity = namedQuantity(columnName);
  return quantity ? unitCaption(factsOf(*quantity).unit) : std::string_view();
}

std::string_view quantityCaption(Quantity quantity) {
  switch (quantity) {
    case Quantity::Humidity: return "H — влажность";
    case Quantity::WindDirection: return "D — направление ветра";
    case Quantity::WindSpeed: return "V — скорость ветра";
    case Quantity::Pressure: return "P — давление";
    case Quantity::Temperature: return "T — температура";
    case Quantity::Time:
    case Quantity::Height:
    case Quantity::DewPoint: break;
  }
  return {};
}

std::string_view signCaption(bool plus) { return plus ? "+" : "−"; }

std::string_view heightKindCaption(HeightKind kind) {
  switch (kind) {
    case HeightKind::Geometric: return "геометрическая над уровнем моря";
    case HeightKind::Geopotential: return "геопотенциальная";
    case HeightKind::Unknown: break;
  }
  return "не указан в файле";
}

std::string_view uncertaintyRuleCaption(UncertaintyRule rule) {
  switch (rule) {
    case UncertaintyRule::SameModel: return "одна модель: временно коррелированные части сокращаются";
    case UncertaintyRule::SameBalloon: return "одна модель, одна оболочка: остаются некоррелированные части";
    case UncertaintyRule::SameModelWithoutParts: return "одна модель, части не указаны: полные u в квадратуре";
    case UncertaintyRule::Independent: break;
  }
  return "независимые: полные u в квадратуре";
}

std::string coverageCaption(double coverageFactor) {
  if (std::isnan(coverageFactor)) return "коэффициент охвата не указан: принят 1";
  return "указан k = " + coverageFactorText(coverageFactor) + (coverageFactor == 1 ? "" : ", приведена к k = 1");
}
