#pragma once

// Where a delimited table begins in a text file: its header line of column names, perhaps a
// units line under it, and how its fields are separated.

#include "raw/table_columns.h"
#include "raw/table_fields.h"
#include "raw/table_metadata.h"

#include <optional>
#include <string_view>
#include <vector>

class TextFile;

// How a line of rows is written: its separator and its count of fields.
struct RowShape {
  TableSeparator separator;
  std::size_t fields;
  bool operator==(const RowShape& other) const { return separator == other.separator && fields == other.fields; }
  bool operator!=(const RowShape& other) const { return !(*this == other); }
};

// The shape of a line that is a row: at least two fields, at least two of them numbers or times,
// and at most half of them text (a log's serial and sonde type). The first separator under which
// no field is text wins, else the first under which the line is a row at all; nothing for a line
// that is no row.
std::optional<RowShape> rowShape(std::string_view line);

struct TableHeading {
  RowShape shape;
  int headerLine = 0;  // as the file counts its lines from 1
  int unitsLine = 0;   // 0: none
  std::vector<TableColumn> columns;
  TableMetadata metadata;  // of the lines above the header
};

// Reads the file from its start to the header of its table: the last line that is no row before
// a run of three rows of one shape, whose names make a sounding (makeASounding); where that line's
// fields are all units, the line above it is the header and it the units line. A run under a
// header that names no sounding is passed over for a later one. Nothing when the file holds no
// such table. Lines longer than a line may be are passed over too.
std::optional<TableHeading> findTableHeading(TextFile& file);

// The names of a header line in a row shape: its fields, or where a blank-separated header's
// names hold blanks ("Elapsed time"), the text above each field of the first row, aligned to its
// right edge or else to its left. Nothing when neither gives one name to each field.
std::optional<std::vector<std::string>> headerNames(std::string_view header, const RowShape& shape,
                                                    std::string_view firstRow);
