#include "raw/table_heading.h"

#include "raw/text_encoding.h"
#include "raw/text_file.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kRunOfRows = 3;
// How far down a file its flight's facts are looked for: a block of metadata above a table is a
// few dozen lines, and a file of endless lines before its table is read through, not taken in.
constexpr int kMetadataLines = 10000;

struct FieldCounts {
  std::size_t fields = 0, values = 0, text = 0;
};

FieldCounts countFields(std::string_view line, TableSeparator separator) {
  FieldCounts counts;
  TableFields split(line, separator);
  for (std::string_view field; split.next(field);) {
    ++counts.fields;
    const FieldKind kind = fieldKind(field);
    counts.values += kind == FieldKind::Number || kind == FieldKind::Timestamp;
    counts.text += kind == FieldKind::Text;
  }
  return counts;
}

// Where each field of a blank-separated line starts and ends, in characters.
struct CharacterSpans {
  std::vector<std::size_t> starts, ends;
};
CharacterSpans fieldSpans(std::string_view line) {
  CharacterSpans spans;
  std::size_t character = 0;
  bool inField = false;
  for (const char c : line) {
    if (isContinuation(static_cast<unsigned char>(c))) continue;
    const bool blank = c == ' ' || c == '\t';
    if (!blank && !inField) spans.starts.push_back(character);
    if (blank && inField) spans.ends.push_back(character);
    inField = !blank;
    ++character;
  }
  if (inField) spans.ends.push_back(character);
  return spans;
}

// The text of a line between two character positions, blanks trimmed.
std::string characters(std::string_view line, std::size_t from, std::size_t to) {
  std::string text;
  std::size_t character = 0;
  for (const char c : line) {
    if (!isContinuation(static_cast<unsigned char>(c)) && character++ >= to) break;
    if (character > from) text += c;
  }
  const auto first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The header cut at the given character positions; nothing when a piece is empty.
std::optional<std::vector<std::string>> cutAt(std::string_view header, const std::vector<std::size_t>& cuts) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    names.push_back(characters(header, cuts[i], cuts[i + 1]));
    if (names.back().empty()) return std::nullopt;
  }
  return names;
}

// A line that is no row, kept with its number until the rows under it show what it was.
struct KeptLine {
  std::string text;
  int number = 0;
};

// The header (and units line) above a run of rows, where they name a sounding.
std::optional<TableHeading> headingAbove(const KeptLine& last, const KeptLine& beforeLast, const RowShape& shape,
                                         const std::string& firstRow) {
  if (last.number == 0) return std::nullopt;
  const auto names = [&](const KeptLine& line) { return headerNames(line.text, shape, firstRow); };
  TableHeading heading;
  heading.shape = shape;
  std::optional<std::vector<std::string>> units = names(last);
  std::optional<std::vector<std::string>> header;
  if (units && areUnits(*units) && beforeLast.number != 0 && (header = names(beforeLast))) {
    heading.headerLine = beforeLast.number;
    heading.unitsLine = last.number;
  } else {
    header = units;
    units.reset();
    heading.headerLine = last.number;
  }
  if (!header) return std::nullopt;
  heading.columns = tableColumns(*header, units.value_or(std::vector<std::string>()));
  if (!makeASounding(heading.columns)) return std::nullopt;
  return heading;
}

}  // namespace

std::optional<RowShape> rowShape(std::string_view line) {
  std::optional<RowShape> withText;
  for (const TableSeparator separator : kTableSeparators) {
    if (separator != TableSeparator::Blanks && line.find(separatorCharacter(separator)) == std::string_view::npos) continue;
    const FieldCounts counts = countFields(line, separator);
    if (counts.fields < 2 || counts.values < 2 || 2 * counts.text > counts.fields) continue;
    if (counts.text == 0) return RowShape{separator, counts.fields};
    if (!withText) withText = RowShape{separator, counts.fields};
  }
  return withText;
}

std::optional<std::vector<std::string>> headerNames(std::string_view header, const RowShape& shape,
                                                    std::string_view firstRow) {
  const std::vector<std::string_view> fields = tableFields(header, shape.separator);
  if (fields.size() == shape.fields) return std::vector<std::string>(fields.begin(), fields.end());
  if (shape.separator != TableSeparator::Blanks) return std::nullopt;
  const CharacterSpans spans = fieldSpans(firstRow);
  if (spans.ends.size() != shape.fields) return std::nullopt;
  constexpr std::size_t kLineEnd = ~std::size_t{0};
  std::vector<std::size_t> rightEdges{0};
  rightEdges.insert(rightEdges.end(), spans.ends.begin(), spans.ends.end() - 1);
  rightEdges.push_back(kLineEnd);
  if (auto names = cutAt(header, rightEdges)) return names;
  std::vector<std::size_t> leftEdges{0};
  leftEdges.insert(leftEdges.end(), spans.starts.begin() + 1, spans.starts.end());
  leftEdges.push_back(kLineEnd);
  return cutAt(header, leftEdges);
}

std::optional<TableHeading> findTableHeading(TextFile& file) {
  KeptLine last, beforeLast;
  TableMetadata metadata;
  std::optional<RowShape> run;
  std::string firstRow;
  int rows = 0;
  while (!file.eof()) {
    const std::string_view line = file.readLine(TextFile::LongLine::ReadsEmpty);
    if (isBlankLine(line)) continue;
    const std::optional<RowShape> shape = rowShape(line);
    if (!shape) {
      if (file.lineNumber() <= kMetadataLines) metadata.take(line, file.lineNumber());
      beforeLast = std::move(last);
      last = {std::string(line), file.lineNumber()};
      run.reset();
      continue;
    }
    if (shape != run) {
      run = shape;
      firstRow.assign(line);
      rows = 0;
    }
    if (++rows != kRunOfRows) continue;
    if (std::optional<TableHeading> heading = headingAbove(last, beforeLast, *run, firstRow)) {
      metadata.forgetFrom(heading->headerLine);
      heading->metadata = std::move(metadata);
      return heading;
    }
  }
  return std::nullopt;
}
