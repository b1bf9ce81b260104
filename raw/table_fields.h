#pragma once

// The fields of a delimited table's lines, and what each field holds.

#include "raw/field_scanners.h"
#include "raw/field_splitting.h"

#include <string_view>
#include <vector>

// What parts a table's fields, in the order a line is tried: a tab, a semicolon, a comma, or runs
// of blanks.
enum class TableSeparator { Tab, Semicolon, Comma, Blanks };
inline constexpr TableSeparator kTableSeparators[] = {TableSeparator::Tab, TableSeparator::Semicolon,
                                                      TableSeparator::Comma, TableSeparator::Blanks};

// The character of a separator other than blanks.
constexpr char separatorCharacter(TableSeparator separator) {
  return separator == TableSeparator::Tab ? '\t' : separator == TableSeparator::Semicolon ? ';' : ',';
}

// "tab-separated", "semicolon-separated", "comma-separated", "blank-separated".
std::string_view separatorName(TableSeparator separator);

// How the row loop finds where the fields of a table parted so end, with the widest vectors this
// processor has.
FieldSplitter::BlockBits tableBits(TableSeparator separator);

// A line's fields one after another. A separator character parts every two fields, so that two in
// a row hold an empty one; blanks part by runs, and none stand at the line's ends. A field in
// double quotes may hold the separator; blanks around a field are no part of it.
class TableFields {
 public:
  TableFields(std::string_view line, TableSeparator separator, FieldSplitter::BlockBits bits)
      : p_(line.data()), end_(line.data() + line.size()), separator_(separator), splitter_(p_, end_, bits) {}
  TableFields(std::string_view line, TableSeparator separator) : TableFields(line, separator, tableBits(separator)) {}

  // The next field; false after the last.
  bool next(std::string_view& field) {
    if (done_) return false;
    if (separator_ == TableSeparator::Blanks) {
      while (p_ < end_ && isBlank(*p_)) ++p_;
      if (p_ == end_) return done_ = true, false;
      if (*p_ == '"') return quoted(field);
      const char* const start = p_;
      p_ = splitter_.fieldEnd(p_);
      field = {start, static_cast<std::size_t>(p_ - start)};
      return true;
    }
    if (p_ < end_ && *p_ == '"') return quoted(field);
    const char* const start = p_;
    const char* const stop = splitter_.fieldEnd(p_);
    if (stop == end_) done_ = true;
    else p_ = stop + 1;
    field = trimmed(start, stop);
    return true;
  }

 private:
  static bool isBlank(char c) { return c == ' ' || c == '\t'; }
  static std::string_view trimmed(const char* start, const char* stop) {
    while (start < stop && *start == ' ') ++start;
    while (stop > start && stop[-1] == ' ') --stop;
    return {start, static_cast<std::size_t>(stop - start)};
  }
  bool quoted(std::string_view& field);

  const char* p_;
  const char* const end_;
  const TableSeparator separator_;
  FieldSplitter splitter_;
  bool done_ = false;
};

// Whether a line holds nothing but blanks and tabs.
inline bool isBlankLine(std::string_view line) {
  for (const char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

// Every field of a line.
std::vector<std::string_view> tableFields(std::string_view line, TableSeparator separator);

// What a field holds: a number (a decimal point or comma, an exponent), no value (empty, "NaN",
// "-", "//…"), a date and time in ISO 8601, or text.
enum class FieldKind { Number, Missing, Timestamp, Text };
FieldKind fieldKind(std::string_view field);
bool isMissingField(std::string_view field);
// The number a field holds; false for anything that is not a finite number. Inline for the row
// loop: nearly every field is plain. endsNumbers: the character after the field ends every
// number by itself (a tab, a semicolon, a blank before the line's end), so that its digits need
// no check against the field's end.
inline bool readsTableNumber(std::string_view field, double& value, bool endsNumbers = false) {
  // Either decimal sign reads: a table states its own, not the computer's.
  constexpr DecimalSeparators kEither{'.', '.'};
  const char* const start = field.data();
  const char* const stop = start + field.size();
  const bool plain = endsNumbers ? field_scanning::readsPlainUpTo<false>(start, stop, kEither, value)
                                 : field_scanning::readsPlainUpTo<true>(start, stop, kEither, value);
  return plain || field_scanning::readsDecimal(start, stop, kEither, value);
}

// Seconds since 1970 UTC of a date and time in ISO 8601 ("2026-06-01T11:00:00.5Z", an offset, or
// a blank for the "T"); NaN for anything else.
double timestampSeconds(std::string_view field);
