#pragma once

#include <stdexcept>
#include <string>

// A failure the operator is told about: the message is shown as it stands.
class FlightError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
