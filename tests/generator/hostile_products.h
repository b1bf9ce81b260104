#pragma once

// netCDF-4 products built as an attacker would, with HDF5 itself: each is a valid sounding of four
// rows (time, alt, temp along "time") but for one trap. Nothing here comes from a real station.

#include <string>

// "temp" keeps its data in another file, which HDF5 reads as raw doubles: a secret, a device or a
// FIFO, whatever the name says.
void writeExternalStorageProduct(const std::string& path, const std::string& dataFile);

// The root group links to an object in another file (the product itself, for a loop).
void writeExternalLinkProduct(const std::string& path, const std::string& linkedFile);

// "temp" is one chunk of 2 GiB of zeros, deflated twice: a few KB on the disk.
void writeZlibBombProduct(const std::string& path);
