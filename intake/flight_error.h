#pragma once

#include <stdexcept>
#include <string>

// A failure the operator is told about. Its message is the system's own text; where the
// failure happened (the file, the line) may follow on a line of its own.
class FlightError : public std::runtime_error {
 public:
  explicit FlightError(const std::string& message) : std::runtime_error(message), message_(message) {}
  FlightError(const std::string& message, const std::string& where)
      : std::runtime_error(where.empty() ? message : message + "\n" + where), message_(message) {}

  // The system's text alone, without where.
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// Every reader's messages for a flight beyond the tables.
inline const std::string kTooManyColumns = "Too many columns: a flight holds at most 56.";
inline const std::string kTooManyRows = "Too many rows: a flight holds at most 50000.";
inline const std::string kNotEnoughMemory = "Not enough memory to read the file.";
// A column read after the others, from a file that has changed since.
inline const std::string kFileChanged = "The file has changed since it was read: open it again.";
