#include "flight_reader.h"

#include "flight_error.h"
#include "flight_reading.h"
#include "flight_tables.h"
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

}  // namespace

void readFlightFile(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                    SlotControls& controls) {
  const std::string& fileName = file.fileName();
  FlightSlotData flight = flights.slot(slot);
  if (slot == 1) flights.slwiColumn = kNoSlwiColumn;
  flight.rowCount = 0;
  controls.setFileLabel(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightReading reading(flights, slot, file, separators, controls);
  int count;
  try {
    count = reading.readAll();
  } catch (const FlightError& error) {
    throw withPlace(error, file);
  } catch (const std::bad_alloc&) {
    throw FlightError("Not enough memory to read the file.", "File: " + fileName);
  }
  if (!reading.recognised())
    throw FlightError("Unrecognised file: no header line of a known flight layout.", "File: " + fileName);
  flight.rowCount = count;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = reading.heightColumn();
  if (count > 0 && height >= 0 && flight.table[height][count] < flights.maxHight)
    flights.maxHight = flight.table[height][count];
}

void readFlightFile(int slot, TextFile& file, DecimalSeparators separators, SlotControls& controls) {
  readFlightFile(windowFlights(), slot, file, separators, controls);
}

void readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                    SlotControls& controls) {
  TextFile file(fileName);
  readFlightFile(windowFlights(), slot, file, separators, controls);
}
