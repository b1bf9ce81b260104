#include "reader/flight_reader.h"

#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "raw/raw_flight.h"
#include "flight/slot_controls.h"
#include "raw/text_file.h"
#include "reader/kept_product.h"
#include "reference/reference_reader.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

namespace {

// A NetCDF or BUFR product, read by its library; a failure names the file alone. Slot 1 ends its
// flight as the tab layout does there, the others only at real falls. The columns the read
// leaves unread are read later from the same file.
FlightRows readProduct(ReferenceFormat format, FlightSet& flights, int slot, const TextFile& file,
                       SlotControls& controls, FlightIdentity& identity, const ColumnPick& pick) {
  const FlightSlotData flight = flights.slot(slot);
  const auto product = std::make_shared<KeptProduct>(file);
  ProductRead read;
  try {
    read = readReferenceFlight(format, file.descriptor(), flight.table, slot != 1, controls, identity, pick);
  } catch (const FlightError& error) {
    throw FlightError(error.message(), inFile(file.fileName()));
  }
  std::vector<bool> unread(read.filled.size());
  std::transform(read.filled.begin(), read.filled.end(), unread.begin(), [](bool filled) { return !filled; });
  if (std::find(unread.begin(), unread.end(), true) == unread.end()) return read.rows;
  product->keepOpen(file);
  const auto readLater = [product, rows = std::move(read.productRows)](const std::vector<int>& columns,
                                                                       FlightTable& table) {
    product->readColumns(columns, rows, table);
  };
  flight.later.leave(std::move(unread), readLater);
  return read.rows;
}

}  // namespace

FlightIdentity readFlightFile(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                              SlotControls& controls, const ColumnPick& pick) {
  const std::string& fileName = file.fileName();
  FlightSlotData flight = flights.slot(slot);
  emptySlot(flights, slot);
  controls.setFileLabel(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightIdentity identity;
  describeFile(identity, fileName, file.descriptor());
  FlightRows rows;
  try {
    const ReferenceFormat format = referenceFormat(file.head(kReferenceHead));
    rows = format == ReferenceFormat::None ? readRawFlight(flights, slot, file, separators, controls, identity)
                                           : readProduct(format, flights, slot, file, controls, identity, pick);
  } catch (const std::bad_alloc&) {
    throw FlightError(MessageId::NotEnoughMemory, inFile(fileName));
  }
  flight.rowCount = rows.count;
  identity.heightColumn = rows.heightColumn;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = rows.heightColumn;
  if (rows.count > 0 && height >= 0 && flight.table[height][rows.count] < flights.maxHight)
    flights.maxHight = flight.table[height][rows.count];
  return identity;
}

FlightIdentity readFlightFile(int slot, TextFile& file, DecimalSeparators separators, SlotControls& controls,
                              const ColumnPick& pick) {
  return readFlightFile(windowFlights(), slot, file, separators, controls, pick);
}

FlightIdentity readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                              SlotControls& controls) {
  TextFile file(fileName);
  return readFlightFile(windowFlights(), slot, file, separators, controls);
}
