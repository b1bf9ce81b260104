#pragma once

#include <cstddef>
#include <string_view>

// The products the reference readers take, told by their first bytes rather than by their
// names: operators rename files. A station's text may start with the same letters ("BUFR-capable
// station export"), so a signature counts only with a header that holds together behind it; any
// other file is read as text.
//  - NetCDF: classic "CDF" with version 1, 2 or 5 and the start of a valid header (the list of
//    dimensions), or the HDF5 signature of netCDF-4 at the start or where HDF5 puts it after a
//    user block (byte 512, 1024, 2048 or 4096).
//  - BUFR: a message of edition 2 to 4 whose length and first section agree, at the start, or
//    within the first 128 bytes after a WMO bulletin heading that begins with the
//    start-of-heading byte (SOH, 0x01), as bulletins arrive from the GTS, or right behind an
//    abbreviated heading of the strict form (bulletin_heading.h) without SOH, as national
//    services hand them out.
enum class ReferenceFormat { None, NetCdf, Bufr };

// How much of a file's start tells its format.
constexpr std::size_t kReferenceHead = 4096 + 8;

// The format of a file starting with these bytes (its first kReferenceHead, or all of a shorter one).
ReferenceFormat referenceFormat(std::string_view head);
