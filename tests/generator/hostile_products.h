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

// The root group holds a group that holds the root again: walking it would never end.
void writeGroupCycleProduct(const std::string& path);

// The same by a soft link: "/inner/up" points to "/".
void writeSoftLinkCycleProduct(const std::string& path);

// 30 groups nested, each linked twice from the one above: 60 links that are 2^30 groups to walk.
void writeDiamondGroupsProduct(const std::string& path);

// Groups nested 4000 deep.
void writeDeepGroupsProduct(const std::string& path);

// "temp" compressed by filter 32015, which no HDF5 installation has: the writer brought its own.
void writeUnknownFilterProduct(const std::string& path);

// A product kept by HDF5's family driver (members "<stem>0.nc", "<stem>1.nc") and by its split
// driver ("<stem>-m.nc" for the metadata, "<stem>-r.nc" for the values): each member is no whole
// product.
void writeFamilyProduct(const std::string& stem);
void writeSplitProduct(const std::string& stem);
