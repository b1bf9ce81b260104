#pragma once

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
  using Read = std::function<void(const std::vector<int>& columns)>;

  // Nothing is left unread: the slot holds a flight read whole, or none.
  void clear();
  // unread[c]: column c is left for `read`.
  void leave(std::vector<bool> unread, Read read);
  // Reads those of the columns that are still unread, all in one read. Fails with the read's
  // FlightError, and they stay unread.
  void fill(const std::vector<int>& columns);

 private:
  std::vector<bool> unread_;
  Read read_;
};
