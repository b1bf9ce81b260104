#pragma once

#include "compare/comparison_redraw.h"
#include "flight/decimal_separators.h"
#include "flight/flight_identity.h"

#include <optional>
#include <string>

// How a campaign reads and compares its pairs.
struct CampaignSettings {
  char quantity = 'T';      // the quick-select button: T, H, D, V or P
  std::string column;       // when not empty, the column of exactly this name instead
  double layer = 100.0;     // metres
  bool plus = false;        // flight 1 plus flight 2 instead of minus
  // Flight 2's value at flight 1's height, or at the same moment of its own clock: shifted by
  // the seconds typed, or by those each pair's heights give (nothing typed).
  MatchBy match = MatchBy::Height;
  std::optional<double> shift;
  DecimalSeparators separators{'.', '.'};
  int jobs = 0;             // pairs compared at once; 0 for one per core
  // When known: only pairs whose two flights have heights of this kind are compared.
  HeightKind heightKind = HeightKind::Unknown;
  // Pairs whose flights state that they are not one sounding are compared too, and counted.
  bool allowApart = false;
  // Each pair in the group of the sun at flight 1's launch instead of the list's own.
  bool solarGroups = false;
  // Where the values wait on disk until pooled, in a folder of their own; the system's
  // temporary folder when empty.
  std::string spillFolder;
};
