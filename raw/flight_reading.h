#pragma once

// One read of one file, shared by the common path and the row rules of the seven layouts.

#include "flight/ascent_top.h"
#include "raw/field_scanners.h"
#include "raw/field_splitting.h"
#include "flight/flight_tables.h"
#include "raw/text_file.h"

#include <string_view>

class SlotControls;

class FlightReading {
 public:
  FlightReading(FlightSet& flights, int slot, TextFile& file, DecimalSeparators separators,
                SlotControls& controls);

  // Header search and every layout that a header line starts; returns the row count.
  int readAll();
  // Whether any line was the header line of a layout.
  bool recognised() const { return recognised_; }
  // The layout whose header line came first.
  const char* layout() const { return layout_; }
  int heightColumn() const { return heightColumn_; }

 private:
  // What a layout calls its height and parameter columns, and how it treats names.
  struct HeaderRules {
    std::string_view heightName;
    std::string_view otherHeightName;
    std::string_view parameterName;
    bool flagsMeansHumidity;
    bool dropsGAndY;
    bool marksSlowChannel;
  };

  void takeHeader(const HeaderRules& rules);
  void readTabLayout();
  void readSctLayout();
  void readIntLayout() { readPlainLayout("INTalt", "INTtemp"); }
  void readVreLayout() { readPlainLayout("H", "T"); }
  void readPlainLayout(std::string_view heightName, std::string_view parameterName);
  void readIndentedTLayout();
  void readIndentedHLayout();
  void readShifrLayout();

  // The per-row steps are here, inline in the layouts' row loops: a row costs little more
  // than its fields.
  void startRow() {
    if (count_ == kMaxRows) throwTooManyRows();
    ++count_;
  }
  double nextField() { return decodDigit(str_, separators_); }
  // The first columns of the row from str_, read through copies of the line's position, the table
  // and the separators that stay in registers rather than going back to memory after every field.
  void readFields(int columns) {
    const char* p = str_.data();
    FieldSplitter fields(p, p + str_.size(), fieldBits_);
    FlightTable& table = table_;
    const DecimalSeparators separators = separators_;
    const int row = count_;
    for (int column = 0; column < columns; ++column) table[column][row] = decodDigit(p, fields, separators);
    str_ = {p, static_cast<std::size_t>(fields.end() - p)};
  }
  double& cell(int column) { return table_[column][count_]; }
  void markRestMissing(int fromColumn);
  void scaleHeight() {
    if (heightColumn_ >= 0) cell(heightColumn_) *= 1000;
  }
  void descentTest(bool strict) {
    if (heightColumn_ < 0) return;
    const AscentTest test = testTopOfAscent(table_[heightColumn_], count_, strict);
    count_ = test.count;
    stop_ = test.stop;
  }
  [[noreturn]] static void throwTooManyRows();
  bool readingGoesOn() { return !file_.eof() && !stop_; }

  int slot_;
  int& slwiColumn_;
  TextFile& file_;
  DecimalSeparators separators_;
  const FieldSplitter::BlockBits fieldBits_ = FieldSplitter::blockBitsOf(widestKernel());
  SlotControls& controls_;
  FlightTable& table_;
  std::string_view str_;
  int columns_ = 0;
  int count_ = 0;
  int heightColumn_ = -1;
  bool stop_ = false;
  bool recognised_ = false;
  const char* layout_ = "";
};
