#pragma once

#include "flight/flight_tables.h"

#include <sys/stat.h>

#include <string>
#include <vector>

class TextFile;

// The product a slot's flight was read from, kept open for the columns its read left unread.
// They are read from the file as it was read, or not at all.
class KeptProduct {
 public:
  // Before the read: what the file is then.
  explicit KeptProduct(const TextFile& file);
  ~KeptProduct();
  KeptProduct(const KeptProduct&) = delete;
  KeptProduct& operator=(const KeptProduct&) = delete;

  // After the read, with the file still open: keeps it open. Fails with the system's reason.
  void keepOpen(const TextFile& file);

  // Fills the columns, each row from the product's row the first read kept there. Fails naming
  // the file: that it has changed, before or while they are read, otherwise as the first read would.
  void readColumns(const std::vector<int>& columns, const std::vector<int>& productRows, FlightTable& table) const;

 private:
  static struct stat statusOf(int descriptor);
  void checkUnchanged() const;

  std::string fileName_;
  struct stat read_;
  int descriptor_ = -1;
};
