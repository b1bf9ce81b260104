#pragma once

// A flight's table: up to kMaxColumns columns of up to kMaxRows rows. Rows count from 1, so each
// column carries one unused entry 0 to keep the indices as the operators know them.
constexpr int kMaxColumns = 56;
constexpr int kMaxRows = 50000;

// Column-major: column c of a flight is one contiguous run, row r of it is table[c][r].
using FlightTable = double[kMaxColumns][kMaxRows + 1];
