#include "reference/reference_reader.h"

#include "reference/bufr_sounding.h"
#include "reference/gruan_product.h"
#include "reference/library_child.h"

FlightRows readReferenceFlight(ReferenceFormat format, int descriptor, FlightTable& table, bool strict,
                               SlotControls& controls, FlightIdentity& identity) {
  const bool netCdf = format == ReferenceFormat::NetCdf;
  const LibraryRead read = [&](FlightTable& childTable, SlotControls& childControls, FlightIdentity& stated) {
    return netCdf ? readGruanProduct(descriptor, childTable, strict, childControls, stated)
                  : readBufrSounding(descriptor, childTable, strict, childControls, stated);
  };
  identity.format = netCdf ? FlightIdentity::kGruanProductFormat : FlightIdentity::kBufrTempFormat;
  return readInChildProcess(netCdf ? "NetCDF" : "ecCodes", read, table, controls, identity);
}
