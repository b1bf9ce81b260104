#include "raw/raw_flight.h"

#include "flight/flight_error.h"
#include "flight/flight_identity.h"
#include "raw/flight_reading.h"
#include "raw/sounding_table.h"
#include "raw/text_file.h"

#include <string>

namespace {

// The box that states the computer's decimal separator.
std::string separatorBox(char regional) { return regional == '.' ? "\"Точка\"" : "\"Запятая\""; }

// Under the message: the file and the line, and what the operator can do about a field that
// only the other separator box would read.
FlightError withPlace(const FlightError& error, const TextFile& file) {
  Message where(file.readPastTheEnd() ? MessageId::FileLinePast : MessageId::FileLine,
                {file.fileName(), std::to_string(file.lineNumber())});
  if (const auto* mismatch = dynamic_cast<const SeparatorMismatch*>(&error))
    where = Message(MessageId::Lines, {where, Message(MessageId::TickSeparator, {separatorBox(mismatch->regional())})});
  return FlightError(error.message(), where);
}

}  // namespace

FlightRows readRawFlight(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                         SlotControls& controls, FlightIdentity& identity) {
  FlightReading reading(flights, slot, file, separators, controls);
  int count;
  try {
    count = reading.readAll();
  } catch (const FlightError& error) {
    throw withPlace(error, file);
  }
  if (reading.recognised()) {
    identity.format = reading.layout();
    return {count, reading.heightColumn()};
  }
  std::optional<FlightRows> table;
  try {
    table = readSoundingTable(flights, slot, file, controls, identity);
  } catch (const FlightError& error) {
    throw withPlace(error, file);
  }
  if (!table) throw FlightError(MessageId::UnrecognisedFile, inFile(file.fileName()));
  return *table;
}
