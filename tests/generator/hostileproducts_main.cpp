// Writes the hostile netCDF-4 products into a folder, for the tests and as seeds for the reader's
// fuzzer (the bomb takes seconds to deflate, so it is written once):
//   hostileproducts FOLDER
#include "tests/generator/hostile_products.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: hostileproducts FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  try {
    writeExternalStorageProduct(folder + "/external_storage.nc", "/etc/passwd");
    writeExternalLinkProduct(folder + "/external_link.nc", folder + "/external_link.nc");
    writeZlibBombProduct(folder + "/zlib_bomb.nc");
    writeGroupCycleProduct(folder + "/group_cycle.nc");
    writeSoftLinkCycleProduct(folder + "/soft_link_cycle.nc");
    writeDiamondGroupsProduct(folder + "/diamond_groups.nc");
    writeDeepGroupsProduct(folder + "/deep_groups.nc");
    writeUnknownFilterProduct(folder + "/unknown_filter.nc");
    writeFamilyProduct(folder + "/family");
    writeSplitProduct(folder + "/split");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "hostileproducts: %s\n", error.what());
    return 1;
  }
  return 0;
}
