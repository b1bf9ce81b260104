#pragma once

// Saturation vapour pressure in hPa at T °C (Buck): over ice below 0, over water from 0 up.
// Computed in extended precision and rounded once. No finite value exists at and below the
// pole of the ice branch, -279.82 °C: the result there is NaN.
double Par(double T);

// The value at X of the straight line through (X1, Y1) and (X2, Y2), without clamping; equal
// abscissas give the mean of the ordinates. Extended precision, rounded once.
double LinearInterpolation(double X1, double X2, double Y1, double Y2, double X);
