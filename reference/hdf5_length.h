#pragma once

// Whether a netCDF-4 (HDF5) file is as long as its superblock says it is: HDF5 states where the
// file ends, and a product cut short in transfer is shorter. HDF5 itself tells such a file only as
// "NetCDF: HDF error". A file whose superblock cannot be read is left to the library.
// descriptor: the open file, read with pread alone.
bool hdf5FileIsWhole(int descriptor);
