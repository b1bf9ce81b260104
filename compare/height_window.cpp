#include "height_window.h"

#include "flight_tables.h"

bool isFlightColumn(int index) { return index >= 0 && index < kMaxColumns; }

void updateHeightWindow(int correction, int heightColumn1, int heightColumn2) {
  if (mass1Count == 0 || mass2Count == 0) return;
  if (!isFlightColumn(heightColumn1) || !isFlightColumn(heightColumn2)) return;

  MaxHight = kTopOfHeightWindow;
  const double top1 = correction + mas1[heightColumn1][mass1Count];
  if (top1 < MaxHight) MaxHight = top1;
  const double top2 = mas2[heightColumn2][mass2Count];
  if (top2 < MaxHight) MaxHight = top2;

  MinHight = 0.0;
  const double bottom1 = correction + mas1[heightColumn1][1];
  if (bottom1 > MinHight) MinHight = bottom1;
  const double bottom2 = mas2[heightColumn2][1];
  if (bottom2 > MinHight) MinHight = bottom2;
}

bool insideHeightWindow(double height) { return MinHight <= height && height <= MaxHight; }
