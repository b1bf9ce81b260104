#pragma once

#include <string>

// The products the reference readers take, told by their first bytes rather than by their
// names: operators rename files, and a station's text never starts with these signatures.
//  - NetCDF: classic "CDF" with version 1, 2 or 5, or the HDF5 signature of netCDF-4 at the
//    start or where HDF5 puts it after a user block (byte 512, 1024, 2048 or 4096).
//  - BUFR: "BUFR" at the start, or within the first 128 bytes after a WMO bulletin heading that
//    begins with the start-of-heading byte (SOH, 0x01), as bulletins arrive from the GTS.
enum class ReferenceFormat { None, NetCdf, Bufr };

// Looks at the head of a file that is already open as text; a head that cannot be read is None.
ReferenceFormat referenceFormat(const std::string& fileName);
