#include "reader/flight_reader.h"

#include "intake/flight_error.h"
#include "intake/flight_tables.h"
#include "intake/raw_flight.h"
#include "intake/slot_controls.h"
#include "intake/text_file.h"
#include "reference/reference_reader.h"

#include <new>
#include <string>

namespace {

// A NetCDF or BUFR product, read by its library; a failure names the file alone. Slot 1 ends its
// flight as the tab layout does there, the others only at real falls.
FlightRows readProduct(ReferenceFormat format, FlightSet& flights, int slot, const TextFile& file,
                       SlotControls& controls, FlightIdentity& identity) {
  try {
    return readReferenceFlight(format, file.descriptor(), flights.slot(slot).table, slot != 1, controls, identity);
  } catch (const FlightError& error) {
    throw FlightError(error.message(), "File: " + file.fileName());
  }
}

}  // namespace

FlightIdentity readFlightFile(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                              SlotControls& controls) {
  const std::string& fileName = file.fileName();
  FlightSlotData flight = flights.slot(slot);
  if (slot == 1) flights.slwiColumn = kNoSlwiColumn;
  flight.rowCount = 0;
  controls.setFileLabel(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightIdentity identity;
  describeFile(identity, fileName, file.descriptor());
  FlightRows rows;
  try {
    const ReferenceFormat format = referenceFormat(file.head(kReferenceHead));
    rows = format == ReferenceFormat::None ? readRawFlight(flights, slot, file, separators, controls, identity)
                                           : readProduct(format, flights, slot, file, controls, identity);
  } catch (const std::bad_alloc&) {
    throw FlightError(kNotEnoughMemory, "File: " + fileName);
  }
  flight.rowCount = rows.count;
  identity.heightColumn = rows.heightColumn;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = rows.heightColumn;
  if (rows.count > 0 && height >= 0 && flight.table[height][rows.count] < flights.maxHight)
    flights.maxHight = flight.table[height][rows.count];
  return identity;
}

FlightIdentity readFlightFile(int slot, TextFile& file, DecimalSeparators separators, SlotControls& controls) {
  return readFlightFile(windowFlights(), slot, file, separators, controls);
}

FlightIdentity readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                              SlotControls& controls) {
  TextFile file(fileName);
  return readFlightFile(windowFlights(), slot, file, separators, controls);
}
