#include "flight_reader.h"

#include "flight_error.h"
#include "flight_reading.h"
#include "flight_tables.h"
#include "slot_controls.h"
#include "text_file.h"

#include <filesystem>

namespace {

// A directory is no file, as the operator sees it.
bool fileExists(const std::string& fileName) {
  std::error_code ignored;
  const auto status = std::filesystem::status(fileName, ignored);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

void readFlightFile(int slot, const std::string& fileName, DecimalSeparators separators,
                    SlotControls& controls) {
  if (!fileExists(fileName)) throw FlightError("File does not exist.");
  if (slot == 1) lowchange1Position = kNoSlwiColumn;
  FlightSlotData flight = flightSlot(slot);
  flight.rowCount = 0;

  controls.setFileLabel(fileName);
  TextFile file(fileName);
  controls.setLegendTitle(lastCharacters(fileName, kLegendTitleLength));

  FlightReading reading(slot, file, separators, controls);
  const int count = reading.readAll();
  flight.rowCount = count;

  // The window's top comes down to the flight's last height; a read never raises it.
  const int height = reading.heightColumn();
  if (count > 0 && height >= 0 && flight.table[height][count] < MaxHight)
    MaxHight = flight.table[height][count];
}
