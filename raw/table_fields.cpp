#include "raw/table_fields.h"

#include "flight/utc_time.h"

#include <cmath>
#include <limits>

std::string_view separatorName(TableSeparator separator) {
  switch (separator) {
    case TableSeparator::Tab: return "tab-separated";
    case TableSeparator::Semicolon: return "semicolon-separated";
    case TableSeparator::Comma: return "comma-separated";
    case TableSeparator::Blanks: return "blank-separated";
  }
  return {};
}

// The text between the quotes ("" stays doubled); whatever stands after the closing quote up to
// the next separator belongs to no field.
bool TableFields::quoted(std::string_view& field) {
  const char* const start = ++p_;
  while (p_ < end_ && !(*p_ == '"' && (p_ + 1 == end_ || p_[1] != '"'))) p_ += *p_ == '"' ? 2 : 1;
  field = {start, static_cast<std::size_t>(std::min(p_, end_) - start)};
  if (p_ < end_) ++p_;
  if (separator_ == TableSeparator::Blanks) {
    while (p_ < end_ && !isBlank(*p_)) ++p_;
    return true;
  }
  while (p_ < end_ && *p_ != separatorCharacter(separator_)) ++p_;
  if (p_ >= end_) done_ = true;
  else ++p_;
  return true;
}

FieldSplitter::BlockBits tableBits(TableSeparator separator) {
  static const FieldSplitter::BlockBits blanks = FieldSplitter::blockBitsOf(widestKernel());
  static const FieldSplitter::BlockBits characters[] = {
      FieldSplitter::characterBitsOf(widestKernel(), separatorCharacter(TableSeparator::Tab)),
      FieldSplitter::characterBitsOf(widestKernel(), separatorCharacter(TableSeparator::Semicolon)),
      FieldSplitter::characterBitsOf(widestKernel(), separatorCharacter(TableSeparator::Comma))};
  return separator == TableSeparator::Blanks ? blanks : characters[static_cast<int>(separator)];
}

std::vector<std::string_view> tableFields(std::string_view line, TableSeparator separator) {
  std::vector<std::string_view> fields;
  TableFields split(line, separator);
  for (std::string_view field; split.next(field);) fields.push_back(field);
  return fields;
}

bool isMissingField(std::string_view field) {
  if (field.empty() || field == "-" || field.substr(0, 2) == "//") return true;
  return field.size() == 3 && (field[0] | 0x20) == 'n' && (field[1] | 0x20) == 'a' && (field[2] | 0x20) == 'n';
}

double timestampSeconds(std::string_view field) {
  constexpr std::size_t kShortest = 16;  // "2026-06-01T11:00"
  if (field.size() < kShortest || field[4] != '-' || field[7] != '-') return std::numeric_limits<double>::quiet_NaN();
  return utcSeconds(utcTime(field));
}

FieldKind fieldKind(std::string_view field) {
  double value;
  if (readsTableNumber(field, value)) return FieldKind::Number;
  if (isMissingField(field)) return FieldKind::Missing;
  if (!std::isnan(timestampSeconds(field))) return FieldKind::Timestamp;
  return FieldKind::Text;
}
