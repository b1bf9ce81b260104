#pragma once

#include "compare/uncertainty.h"
#include "flight/flight_identity.h"
#include "flight/quantities.h"

#include <optional>
#include <string>
#include <string_view>

// The program's unit as the window and the report write it ("°C", "м/с"); empty where none is known.
std::string_view unitCaption(std::optional<Unit> unit);
// The unit of a column that one of the quick-select quantities names ("°C" for "T", "%" for
// "hymf"), or empty.
std::string_view columnUnitCaption(std::string_view columnName);

// A quick-select quantity with its meaning, as the campaign's choices and report name it
// ("T — температура").
std::string_view quantityCaption(Quantity quantity);

// How the comparison is written: flight 1 "−" flight 2, or with "+" "+".
std::string_view signCaption(bool plus);

// A kind of height ("геопотенциальная"; "не указан в файле" where unknown).
std::string_view heightKindCaption(HeightKind kind);

// What an uncertainty rule does.
std::string_view uncertaintyRuleCaption(UncertaintyRule rule);

// What the coverage factor of an uncertainty column says of it: "указан k = 2, приведена к k = 1".
std::string coverageCaption(double coverageFactor);
