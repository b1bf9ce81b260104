#include "flight_reader.h"

#include "bufr_sounding.h"
#include "flight_error.h"
#include "flight_reading.h"
#include "flight_tables.h"
#include "gruan_product.h"
#include "library_child.h"
#include "reference_format.h"
#include "slot_controls.h"
#include "text_file.h"

#include <new>
#include <string>

namespace {

// The box that states the computer's decimal separator.
std::string separatorBox(char regional) { return regional == '.' ? "\"Точка\"" : "\"Запятая\""; }

// Under the message: the file and the line, and what the operator can do about a field that
// only the other separator box would read.
FlightError withPlace(const FlightError& error, const TextFile& file) {
  std::string where = "File: " + file.fileName() + ", line " + std::to_string(file.lineNumber()) +
                      (file.readPastTheEnd() ? " (past the last line)" : "");
  if (const auto* mismatch = dynamic_cast<const SeparatorMismatch*>(&error))
    where += "\nThe number would read with " + separatorBox(mismatch->regional()) + " ticked: tick " +
             separatorBox(mismatch->regional()) + " and open the file again.";
  return FlightError(error.message(), where);
}

// The seven raw layouts; a failure names the line.
FlightRows readRawFlight(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                         SlotControls& controls) {
  FlightReading reading(flights, slot, file, separators, controls);
  int count;
  try {
    count = reading.readAll();
  } catch (const FlightError& error) {
    throw withPlace(error, file);
  }
  if (!reading.recognised())
    throw FlightError("Unrecognised file: no header line of a known flight layout.", "File: " + file.fileName());
  return {count, reading.heightColumn()};
}

// A NetCDF or BUFR product, read by its library; a failure names the file alone.
FlightRows readReferenceFlight(ReferenceFormat format, FlightSet& flights, int slot, const TextFile& file,
                               SlotControls& controls) {
  FlightTable& table = flights.slot(slot).table;
  // Slot 1 ends its flight as the tab layout does there, the others only at real falls.
  const bool strict = slot != 1;
  const bool netCdf = format == ReferenceFormat::NetCdf;
  const LibraryRead read = [&](FlightTable& childTable, SlotControls& childControls) {
    return netCdf ? readGruanProduct(file.descriptor(), childTable, strict, childControls)
                  : readBufrSounding(file.descriptor(), childTable, strict, childControls);
  };
  try {
    return readInChildProcess(netCdf ? "NetCDF" : "ecCodes", read, table, controls);
  } catch (const FlightError& error) {
    throw FlightError(error.message(), "File: " + file.fileName());
  }
}

}  // namespace

void readFlightFile(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                    SlotControls& controls) {
  const std::string& fileName = file.fileName();
  FlightSlotData flight = flights.slot(slot);
  if (slot == 1) flights.slwiColumn = kNoSlwiColumn;
  flight.rowCount = 0;
  controls.setFileLabel(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightRows rows;
  try {
    const ReferenceFormat format = referenceFormat(file.head(kReferenceHead));
    rows = format == ReferenceFormat::None ? readRawFlight(flights, slot, file, separators, controls)
                                           : readReferenceFlight(format, flights, slot, file, controls);
  } catch (const std::bad_alloc&) {
    throw FlightError(kNotEnoughMemory, "File: " + fileName);
  }
  flight.rowCount = rows.count;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = rows.heightColumn;
  if (rows.count > 0 && height >= 0 && flight.table[height][rows.count] < flights.maxHight)
    flights.maxHight = flight.table[height][rows.count];
}

void readFlightFile(int slot, TextFile& file, DecimalSeparators separators, SlotControls& controls) {
  readFlightFile(windowFlights(), slot, file, separators, controls);
}

void readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                    SlotControls& controls) {
  TextFile file(fileName);
  readFlightFile(windowFlights(), slot, file, separators, controls);
}
