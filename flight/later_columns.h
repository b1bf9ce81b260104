#pragma once

#include "flight/table_shape.h"

#include <functional>
#include <string>
#include <vector>

struct FlightIdentity;

// The columns a read fills at once, chosen by the flight's list of names and what is known of
// the flight: each column of a real GRUAN product costs megabytes of inflating, so its reader
// fills only these and its height column, and leaves the others for later. Indexes outside the
// list choose nothing. An empty pick chooses every column.
using ColumnPick = std::function<std::vector<int>(const std::vector<std::string>& names, const FlightIdentity& flight)>;

// The columns of a slot's flight that its read left unread, and the read that fills them. The
// comparison fills the columns it is about to use, so a column is never drawn before it holds
// the file's values.
class LaterColumns {
 public:
  // Reads the columns into a table: the slot's own, or one aside whose columns the slot takes over.
  using Read = std::function<void(const std::vector<int>& columns, FlightTable& table)>;

  // Nothing is left unread: the slot holds a flight read whole, or none.
  void clear();
  // unread[c]: column c is left for `read`.
  void leave(std::vector<bool> unread, Read read);

  // Those of the columns that are still unread, each once.
  std::vector<int> unread(const std::vector<int>& columns) const;
  // Reads unread columns into the table, all in one read; fails with the read's FlightError.
  // They stay unread until marked read.
  void read(const std::vector<int>& columns, FlightTable& table) const;
  void markRead(const std::vector<int>& columns);

  // Reads those of the columns that are still unread into the table and marks them read. Fails
  // with the read's FlightError, and they stay unread.
  void fill(const std::vector<int>& columns, FlightTable& table);

 private:
  std::vector<bool> unread_;
  Read read_;
};
