#pragma once

// What a read leaves: the flight's rows and its height column (-1: none).
struct FlightRows {
  int count;
  int heightColumn;
};
