#include "reference/reference_reader.h"

#include "reference/bufr_sounding.h"
#include "reference/gruan_product.h"
#include "reference/library_child.h"

ProductRead readReferenceFlight(ReferenceFormat format, int descriptor, FlightTable& table, bool strict,
                                SlotControls& controls, FlightIdentity& identity, const ColumnPick& pick) {
  const bool netCdf = format == ReferenceFormat::NetCdf;
  identity.format = netCdf ? FlightIdentity::kGruanProductFormat : FlightIdentity::kBufrTempFormat;
  const LibraryRead read = [&](FlightTable& childTable, SlotControls& childControls, FlightIdentity& stated) {
    // The pick may ask what kind of file the flight comes from.
    stated.format = identity.format;
    return netCdf ? readGruanProduct(descriptor, childTable, strict, childControls, stated, pick)
                  : readBufrSounding(descriptor, childTable, strict, childControls, stated);
  };
  return readInChildProcess(netCdf ? "NetCDF" : "ecCodes", descriptor, read, table, controls, identity);
}

void readReferenceColumns(int descriptor, const std::vector<int>& columns, const std::vector<int>& productRows,
                          FlightTable& table) {
  const ColumnsRead read = [&](FlightTable& childTable) {
    readGruanColumns(descriptor, columns, productRows, childTable);
  };
  readColumnsInChildProcess("NetCDF", descriptor, read, columns, static_cast<int>(productRows.size()) - 1, table);
}
