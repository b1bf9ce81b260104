#include "raw/flight_reading.h"

#include "flight/flight_error.h"
#include "flight/slot_controls.h"

#include <limits>

FlightReading::FlightReading(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                             SlotControls& controls)
    : slot_(slot), slwiColumn_(flights.slwiColumn), file_(file), separators_(separators), controls_(controls),
      table_(flights.slot(slot).table) {}

int FlightReading::readAll() {
  // The seven header tests in their order. Each looks at the current line, also after an
  // earlier layout has read the file to its end: that layout's last line may still start another.
  struct HeaderTest {
    std::string_view start, otherStart;
    void (FlightReading::*read)();
    const char* layout;
  };
  static const HeaderTest kHeaderTests[] = {
      {"t\tH", {}, &FlightReading::readTabLayout, "tab layout"},
      {"Sct", {}, &FlightReading::readSctLayout, "Sct layout"},
      {"INT", {}, &FlightReading::readIntLayout, "INT layout"},
      {"ВРЕ", {}, &FlightReading::readVreLayout, "ВРЕ layout"},
      {"    t", {}, &FlightReading::readIndentedTLayout, "indented-t layout"},
      {"         H", "        H", &FlightReading::readIndentedHLayout, "indented-H layout"},
      {"  Шифр    ", {}, &FlightReading::readShifrLayout, "Шифр layout"},
  };
  do {
    str_ = file_.readLine(TextFile::LongLine::ReadsEmpty);
    for (const HeaderTest& test : kHeaderTests) {
      if (!startsWith(str_, test.start) && (test.otherStart.empty() || !startsWith(str_, test.otherStart))) continue;
      if (!recognised_) layout_ = test.layout;
      recognised_ = true;
      (this->*test.read)();
    }
  } while (readingGoesOn());
  return count_;
}

void FlightReading::takeHeader(const HeaderRules& rules) {
  controls_.clearParameterLists();
  heightColumn_ = -1;
  columns_ = 0;
  do {
    std::string name = decodtype(str_);
    if (rules.flagsMeansHumidity && name == "Flags") name = "U";
    if (rules.dropsGAndY && (name == "G" || name == "Y")) continue;
    if (columns_ == kMaxColumns) throw FlightError(tooManyColumns());
    controls_.addParameter(name);
    if (name == rules.heightName || (!rules.otherHeightName.empty() && name == rules.otherHeightName)) {
      controls_.selectHeight(columns_);
      heightColumn_ = columns_;
    }
    if (name == rules.parameterName) controls_.selectParameter(columns_);
    if (rules.marksSlowChannel && slot_ == 1 && name == "slwi") slwiColumn_ = columns_;
    ++columns_;
  } while (!str_.empty());
}

void FlightReading::throwTooManyRows() { throw FlightError(tooManyRows()); }

// A cell the row does not provide holds no value, rather than one of an earlier flight.
void FlightReading::markRestMissing(int fromColumn) {
  for (int column = fromColumn; column < columns_; ++column)
    cell(column) = std::numeric_limits<double>::quiet_NaN();
}

