// The row rules of the seven layouts of raw flight files.
#include "raw/flight_reading.h"

#include "flight/numeric_helpers.h"
#include "flight/slot_controls.h"

#include <limits>

namespace {
// For the layouts with a single height name.
constexpr std::string_view kNone;
}  // namespace

// Heights in kilometres; ends at the top of the ascent.
void FlightReading::readTabLayout() {
  takeHeader({"H", kNone, "T", false, false, false});
  do {
    startRow();
    str_ = file_.readLine();
    readFields(columns_);
    scaleHeight();
    descentTest(slot_ != 1);
  } while (readingGoesOn());
}

// Heights in metres; lines of further headers and markers are skipped, a blank line ends the
// flight, and a short row leaves its last cells without values.
void FlightReading::readSctLayout() {
  takeHeader({"He", "hpth", "tmp1f", false, false, true});
  do {
    str_ = file_.readLine();
    if (startsWith(str_, "Sct") || startsWith(str_, "-eX")) continue;
    if (str_.empty()) {
      stop_ = true;
      continue;
    }
    startRow();
    for (int i = 0; i < columns_; ++i)
      cell(i) = str_.empty() ? std::numeric_limits<double>::quiet_NaN() : nextField();
    descentTest(false);
  } while (readingGoesOn());
}

// The INT and ВРЕ layouts: every row holds every column, heights in metres, to the end.
void FlightReading::readPlainLayout(std::string_view heightName, std::string_view parameterName) {
  takeHeader({heightName, kNone, parameterName, false, false, false});
  do {
    startRow();
    str_ = file_.readLine();
    readFields(columns_);
  } while (readingGoesOn());
}

// A units line follows the header; the last column is the humidity derived from the
// temperature (column 2) and the dew point (column 3), not read from the file.
void FlightReading::readIndentedTLayout() {
  takeHeader({"H", kNone, "T", true, false, false});
  file_.readLine();
  const int humidity = columns_ - 1;
  do {
    startRow();
    str_ = file_.readLine();
    readFields(humidity);
    cell(humidity) = humidity > 3 ? 100.0 * (Par(cell(3)) / Par(cell(2)))
                                  : std::numeric_limits<double>::quiet_NaN();
  } while (readingGoesOn());
}

// Heights in kilometres; short lines are not rows, and whatever is not a number is stripped
// in front of every field.
void FlightReading::readIndentedHLayout() {
  takeHeader({"H", kNone, "T", false, false, false});
  constexpr std::size_t kShortestRow = 39;
  do {
    str_ = file_.readLine();
    if (characterCount(str_) < kShortestRow) continue;
    startRow();
    for (int i = 0; i < columns_; ++i) {
      deletNoDigit(str_);
      cell(i) = str_.empty() ? std::numeric_limits<double>::quiet_NaN() : nextField();
      if (str_.empty()) {
        markRestMissing(i + 1);
        break;
      }
    }
    scaleHeight();
  } while (readingGoesOn());
}

// A sub-header tells whether heights are in metres; page breaks repeat two header lines; an
// 8-character block stands after the 4th value (metres) or the 5th (kilometres).
void FlightReading::readShifrLayout() {
  takeHeader({"H", kNone, "T", false, true, false});
  const bool inMetres = startsWith(file_.readLine(), " уровня    м   ");
  file_.readLine();
  const int blockAfter = inMetres ? 3 : 4;
  constexpr std::size_t kShortestRow = 41;
  constexpr std::size_t kBlockLength = 8;
  int shownRowCount = 0;
  try {
    do {
      str_ = file_.readLine();
      if (startsWith(str_, "\f")) {
        file_.readLine();
        file_.readLine();
        str_ = file_.readLine();
      }
      if (characterCount(str_) < kShortestRow) continue;
      startRow();
      shownRowCount = count_;
      for (int i = 0; i < columns_; ++i) {
        cell(i) = nextField();
        if (i == blockAfter) dropCharacters(str_, kBlockLength);
        if (str_.empty()) {
          markRestMissing(i + 1);
          break;
        }
      }
      if (!inMetres) scaleHeight();
    } while (readingGoesOn());
  } catch (...) {
    if (shownRowCount > 0) controls_.showRowCount(shownRowCount);
    throw;
  }
  if (shownRowCount > 0) controls_.showRowCount(shownRowCount);
}
