#include "flight_reader.h"

#include "flight_error.h"
#include "flight_reading.h"
#include "flight_tables.h"
#include "slot_controls.h"
#include "text_file.h"

#include <filesystem>
#include <string>

namespace {

// A directory is no file, as the operator sees it.
bool fileExists(const std::filesystem::file_status& status) {
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Only a regular file has an end: a pipe would wait for a writer forever, a device may never
// stop giving bytes.
void checkRegularFile(const std::string& fileName, const std::filesystem::file_status& status) {
  if (!std::filesystem::is_regular_file(status))
    throw FlightError("I/O error reading \"" + fileName + "\": not a regular file");
}

}  // namespace

void readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                    SlotControls& controls) {
  std::error_code unknown;
  const auto status = std::filesystem::status(fileName, unknown);
  if (!fileExists(status)) throw FlightError("File does not exist.", fileName.empty() ? "" : "File: " + fileName);
  if (slot == 1) lowchange1Position = kNoSlwiColumn;
  FlightSlotData flight = flightSlot(slot);
  flight.rowCount = 0;

  controls.setFileLabel(fileName);
  checkRegularFile(fileName, status);
  TextFile file(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightReading reading(slot, file, separators, controls);
  int count;
  try {
    count = reading.readAll();
  } catch (const FlightError& error) {
    throw FlightError(error.message(), "File: " + fileName + ", line " + std::to_string(file.lineNumber()) +
                                           (file.readPastTheEnd() ? " (past the last line)" : ""));
  }
  flight.rowCount = count;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = reading.heightColumn();
  if (count > 0 && height >= 0 && flight.table[height][count] < MaxHight)
    MaxHight = flight.table[height][count];
}
