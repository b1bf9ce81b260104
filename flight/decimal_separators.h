#pragma once

// How decimals are written: the separator the operator chose with "Точка"/"Запятая", which
// every point and comma of a field is rewritten to, and the separator of the regional
// settings, the only one the conversion accepts. The two must agree for fractions to read.
struct DecimalSeparators {
  char chosen;
  char regional;
};
