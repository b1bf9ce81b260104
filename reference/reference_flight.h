#pragma once

#include "flight/flight_rows.h"
#include "flight/flight_tables.h"

#include <string>
#include <vector>

class SlotControls;

// What a read of a product leaves: its rows, the columns it filled, and the product's row
// behind each of the flight's rows (productRows[r], r from 1), by which a later read of the
// same product fills the other columns.
struct ProductRead {
  FlightRows rows;
  std::vector<bool> filled;
  std::vector<int> productRows;
};

// A flight of a reference product, built column by column straight into its slot's table, on the
// raw reader's terms: the columns go to the slot's lists, the first "H" is selected as the height
// and the first "T" as the parameter, at most 56 columns and 50000 rows are kept, and the flight ends at the top
// of its ascent as the tab layout's does.
class ReferenceFlight {
 public:
  // productRows: the rows the product holds; the columns take at most kMaxRows of them.
  ReferenceFlight(FlightTable& table, long long productRows, SlotControls& controls);

  // The rows each column holds: rows 1..rows() of what addColumn returns.
  int rows() const { return rows_; }
  bool full() const { return columns_ == kMaxColumns; }
  // The column selected as the height, -1 while there is none.
  int heightColumn() const { return heightColumn_; }

  // A new column of that name for the caller to fill; the 57th fails.
  double* addColumn(const std::string& name);

  // Cuts the flight at the top of its ascent (strictly: real falls only). Fails when the flight
  // goes on past the rows a table holds.
  FlightRows finish(bool strict);
  // After finish: the product's row behind each row of the flight, from index 1.
  const std::vector<int>& productRows() const { return productRows_; }

 private:
  FlightTable& table_;
  SlotControls& controls_;
  long long productRowCount_;
  int rows_;
  int columns_ = 0;
  int heightColumn_ = -1;
  bool parameterSelected_ = false;
  std::vector<int> productRows_;
};
