#include "tests/generator/hostile_products.h"

#include <hdf5.h>
#include <hdf5_hl.h>
#include <zlib.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr hsize_t kRows = 4;

void check(herr_t status, const char* what) {
  if (status < 0) throw std::runtime_error(std::string("HDF5 failed to ") + what);
}

hid_t checked(hid_t id, const char* what) {
  check(static_cast<herr_t>(id < 0 ? -1 : 0), what);
  return id;
}

void writeUnits(hid_t dataset, const std::string& units) {
  const hid_t type = checked(H5Tcopy(H5T_C_S1), "copy a string type");
  check(H5Tset_size(type, units.size()), "size a string");
  const hid_t space = checked(H5Screate(H5S_SCALAR), "make a scalar");
  const hid_t attribute = checked(H5Acreate2(dataset, "units", type, space, H5P_DEFAULT, H5P_DEFAULT), "add units");
  check(H5Awrite(attribute, type, units.data()), "write units");
  H5Aclose(attribute);
  H5Sclose(space);
  H5Tclose(type);
}

// A product of time and alt, which a trap completes; the time dimension is a dimension scale, as
// netCDF-4 writes it.
class Product {
 public:
  explicit Product(const std::string& path, hid_t access = H5P_DEFAULT)
      : file_(checked(H5Fcreate(path.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, access), "create the file")) {
    time_ = column("time", "s", {0, 1, 2, 3});
    check(H5DSset_scale(time_, "time"), "make time a dimension");
    H5Dclose(column("alt", "m", {100, 200, 300, 400}));
  }
  ~Product() {
    H5Dclose(time_);
    H5Fclose(file_);
  }
  Product(const Product&) = delete;
  Product& operator=(const Product&) = delete;

  hid_t file() const { return file_; }

  // A column along time, with its values unless the creation properties keep them elsewhere.
  hid_t column(const char* name, const std::string& units, const std::vector<double>& values,
               hid_t properties = H5P_DEFAULT, hsize_t maximum = kRows) {
    const hid_t space = checked(H5Screate_simple(1, &kRows, &maximum), "make a space");
    const hid_t dataset =
        checked(H5Dcreate2(file_, name, H5T_IEEE_F64LE, space, H5P_DEFAULT, properties, H5P_DEFAULT), name);
    H5Sclose(space);
    if (!values.empty()) check(H5Dwrite(dataset, H5T_NATIVE_DOUBLE, H5S_ALL, H5S_ALL, H5P_DEFAULT, values.data()), name);
    writeUnits(dataset, units);
    if (time_ >= 0) check(H5DSattach_scale(dataset, time_, 0), "attach time");
    return dataset;
  }

 private:
  hid_t file_;
  hid_t time_ = -1;
};

// zlib's format of the bytes, fed to it piece by piece.
class Deflater {
 public:
  Deflater() {
    if (deflateInit(&stream_, Z_BEST_COMPRESSION) != Z_OK) throw std::runtime_error("zlib failed to start");
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // What the bytes come out as so far; all of it when finishing.
  std::vector<unsigned char> feed(const unsigned char* bytes, std::size_t size, bool finish) {
    std::vector<unsigned char> out;
    unsigned char buffer[1 << 16];
    stream_.next_in = const_cast<unsigned char*>(bytes);
    stream_.avail_in = static_cast<uInt>(size);
    int status;
    do {
      stream_.next_out = buffer;
      stream_.avail_out = sizeof buffer;
      status = deflate(&stream_, finish ? Z_FINISH : Z_NO_FLUSH);
      out.insert(out.end(), buffer, buffer + (sizeof buffer - stream_.avail_out));
    } while (stream_.avail_out == 0 || (finish && status != Z_STREAM_END));
    return out;
  }

 private:
  z_stream stream_{};
};

}  // namespace

void writeExternalStorageProduct(const std::string& path, const std::string& dataFile) {
  Product product(path);
  const hid_t properties = checked(H5Pcreate(H5P_DATASET_CREATE), "make properties");
  check(H5Pset_external(properties, dataFile.c_str(), 0, kRows * sizeof(double)), "store elsewhere");
  H5Dclose(product.column("temp", "K", {}, properties));
  H5Pclose(properties);
}

void writeExternalLinkProduct(const std::string& path, const std::string& linkedFile) {
  Product product(path);
  H5Dclose(product.column("temp", "K", {288, 287, 286, 285}));
  check(H5Lcreate_external(linkedFile.c_str(), "/", product.file(), "elsewhere", H5P_DEFAULT, H5P_DEFAULT),
        "link elsewhere");
}

void writeZlibBombProduct(const std::string& path) {
  constexpr hsize_t kChunkValues = hsize_t{1} << 28;
  Product product(path);
  const hid_t properties = checked(H5Pcreate(H5P_DATASET_CREATE), "make properties");
  check(H5Pset_chunk(properties, 1, &kChunkValues), "chunk");
  check(H5Pset_deflate(properties, 9), "deflate");
  check(H5Pset_deflate(properties, 9), "deflate again");
  const hid_t temp = product.column("temp", "K", {}, properties, H5S_UNLIMITED);
  H5Pclose(properties);
  // The pipeline runs its filters in order when writing: the stored chunk is zlib of zlib.
  Deflater inner, outer;
  const std::vector<unsigned char> zeros(1 << 20, 0);
  std::vector<unsigned char> stored;
  const std::size_t pieces = kChunkValues * sizeof(double) / zeros.size();
  for (std::size_t piece = 0; piece < pieces; ++piece) {
    const bool last = piece + 1 == pieces;
    const std::vector<unsigned char> once = inner.feed(zeros.data(), zeros.size(), last);
    const std::vector<unsigned char> twice = outer.feed(once.data(), once.size(), last);
    stored.insert(stored.end(), twice.begin(), twice.end());
  }
  const hsize_t origin = 0;
  check(H5Dwrite_chunk(temp, H5P_DEFAULT, 0, &origin, stored.size(), stored.data()), "write the chunk");
  H5Dclose(temp);
}

void writeGroupCycleProduct(const std::string& path) {
  Product product(path);
  const hid_t group = checked(H5Gcreate2(product.file(), "inner", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), "group");
  check(H5Lcreate_hard(product.file(), "/", group, "outer", H5P_DEFAULT, H5P_DEFAULT), "link back");
  H5Gclose(group);
}

void writeSoftLinkCycleProduct(const std::string& path) {
  Product product(path);
  const hid_t group = checked(H5Gcreate2(product.file(), "inner", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), "group");
  check(H5Lcreate_soft("/", group, "up", H5P_DEFAULT, H5P_DEFAULT), "soft link back");
  H5Gclose(group);
}

void writeDiamondGroupsProduct(const std::string& path) {
  Product product(path);
  hid_t group = product.file();
  for (int depth = 0; depth < 30; ++depth) {
    const hid_t inner = checked(H5Gcreate2(group, "a", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), "nest a group");
    check(H5Lcreate_hard(group, "a", group, "b", H5P_DEFAULT, H5P_DEFAULT), "link it twice");
    if (group != product.file()) H5Gclose(group);
    group = inner;
  }
  H5Gclose(group);
}

void writeDeepGroupsProduct(const std::string& path) {
  Product product(path);
  hid_t group = product.file();
  for (int depth = 0; depth < 4000; ++depth) {
    const hid_t inner = checked(H5Gcreate2(group, "g", H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), "nest a group");
    if (group != product.file()) H5Gclose(group);
    group = inner;
  }
  H5Gclose(group);
}

namespace {

constexpr H5Z_filter_t kUnknownFilter = 32015;

std::size_t passThrough(unsigned, std::size_t, const unsigned[], std::size_t bytes, std::size_t*, void**) { return bytes; }

}  // namespace

void writeUnknownFilterProduct(const std::string& path) {
  const H5Z_class2_t filter{H5Z_CLASS_T_VERS, kUnknownFilter, 1, 1, "a filter of the writer's own", nullptr, nullptr,
                            passThrough};
  check(H5Zregister(&filter), "register the filter");
  Product product(path);
  const hid_t properties = checked(H5Pcreate(H5P_DATASET_CREATE), "make properties");
  check(H5Pset_chunk(properties, 1, &kRows), "chunk");
  check(H5Pset_filter(properties, kUnknownFilter, H5Z_FLAG_MANDATORY, 0, nullptr), "filter");
  H5Dclose(product.column("temp", "K", {288, 287, 286, 285}, properties));
  H5Pclose(properties);
  H5Zunregister(kUnknownFilter);
}

void writeFamilyProduct(const std::string& stem) {
  const hid_t access = checked(H5Pcreate(H5P_FILE_ACCESS), "make access properties");
  check(H5Pset_fapl_family(access, 4096, H5P_DEFAULT), "keep a family");
  { Product product(stem + "%d.nc", access); }
  H5Pclose(access);
}

void writeSplitProduct(const std::string& stem) {
  const hid_t access = checked(H5Pcreate(H5P_FILE_ACCESS), "make access properties");
  check(H5Pset_fapl_split(access, "-m.nc", H5P_DEFAULT, "-r.nc", H5P_DEFAULT), "split");
  { Product product(stem, access); }
  H5Pclose(access);
}
