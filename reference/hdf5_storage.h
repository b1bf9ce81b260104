#pragma once

#include <cstddef>
#include <string>

// What would take HDF5 beyond a netCDF-4 product's own file or beyond a flight's memory, looked
// at before NetCDF reads anything: a link to an object in another file (external or
// user-defined), a dataset whose values lie elsewhere (external storage, a virtual dataset), or a
// chunk that unpacks to more bytes than the read may take (HDF5 holds a whole chunk to read any
// of it: a few KB of twice-deflated zeros unpack to gigabytes). Follows hard links only and opens
// nothing but the file, and the plugins of the filters a dataset names; a file HDF5 cannot open
// has no fault here, NetCDF tells what is wrong.
enum class StorageFault { None, OtherFiles, HugeChunk };
StorageFault hdf5StorageFault(const std::string& path, std::size_t largestChunk);
