#include "flight/flight_error.h"

#include "flight/table_shape.h"

Message messageOf(const std::exception& error) {
  if (const auto* told = dynamic_cast<const FlightError*>(&error)) return told->whole();
  return Message(error.what());
}

Message tooManyColumns() { return Message(MessageId::TooManyColumns, {std::to_string(kMaxColumns)}); }
Message tooManyRows() { return Message(MessageId::TooManyRows, {std::to_string(kMaxRows)}); }
Message inFile(const std::string& fileName) { return Message(MessageId::FileNamed, {fileName}); }
