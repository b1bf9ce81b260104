#pragma once

#include "flight/messages.h"

#include <stdexcept>
#include <string>

// A failure the operator is told about: a message of the catalogue; where the failure happened
// (the file, the line) may follow on lines of its own.
class FlightError : public std::runtime_error {
 public:
  explicit FlightError(Message message) : FlightError(std::move(message), Message()) {}
  FlightError(Message message, Message where)
      : std::runtime_error(whole(message, where).english()), whole_(whole(message, where)) {}

  // The message alone, without where.
  Message message() const { return whole_.firstLine(); }
  // The message and where it happened, a line each.
  const Message& whole() const { return whole_; }

 private:
  static Message whole(const Message& message, const Message& where) {
    if (where.empty()) return message;
    return Message(MessageId::Lines, {message, where});
  }

  Message whole_;
};

// The readers' messages for a flight beyond the tables, with the tables' limits.
Message tooManyColumns();
Message tooManyRows();

// Where a failure happened: in the file of that name.
Message inFile(const std::string& fileName);

// The message any failure tells: a FlightError's own, the text of any other.
Message messageOf(const std::exception& error);
