#pragma once

#include <cstddef>
#include <string>

// What would take HDF5 beyond a netCDF-4 product's own file or beyond a flight's memory and time,
// looked at before NetCDF reads anything:
// - a link to an object in another file (external or user-defined), a dataset whose values lie
//   elsewhere (external storage, a virtual dataset), or a product kept by HDF5's family or split
//   driver, whose other members would have to be opened;
// - a chunk that unpacks to more bytes than the read may take (HDF5 holds a whole chunk to read
//   any of it: a few KB of twice-deflated zeros unpack to gigabytes);
// - a filter the installation does not have (the plugins of the filters a dataset names are loaded
//   now, from HDF5's own folder alone);
// - groups that hold themselves, nest deeper than kDeepestGroups or hold more than kMostObjects
//   objects in all: NetCDF would recurse for ever, or for minutes, over what no sounding product
//   has. Every link is followed as NetCDF follows it, soft links too, and every visit counts
//   toward kMostObjects: the walk stops where NetCDF would go on, and costs no more than its open.
// Opens nothing but the file; a file HDF5 cannot open has no fault
// here, NetCDF tells what is wrong. The verdict is the same on every run.
enum class StorageFault { None, OtherFiles, SplitFile, HugeChunk, MissingFilter, GroupCycle, DeepGroups, ManyObjects };

inline constexpr int kDeepestGroups = 32;
inline constexpr std::size_t kMostObjects = 100000;

struct StorageVerdict {
  StorageFault fault = StorageFault::None;
  unsigned filter = 0;  // with MissingFilter: the filter's number
};

StorageVerdict hdf5StorageFault(const std::string& path, std::size_t largestChunk);
