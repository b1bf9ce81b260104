#include "reference/hdf5_storage.h"

#include <hdf5.h>

namespace {

// Closes an HDF5 identifier of any kind when it goes.
class Handle {
 public:
  explicit Handle(hid_t id) : id_(id) {}
  ~Handle() {
    if (id_ >= 0) H5Idec_ref(id_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  hid_t id() const { return id_; }
  bool valid() const { return id_ >= 0; }

 private:
  hid_t id_;
};

struct Search {
  std::size_t largestChunk;
  StorageFault fault = StorageFault::None;
};

std::size_t chunkBytes(hid_t dataset, hid_t properties) {
  hsize_t extent[H5S_MAX_RANK];
  const int rank = H5Pget_chunk(properties, H5S_MAX_RANK, extent);
  const Handle type(H5Dget_type(dataset));
  long double bytes = type.valid() ? H5Tget_size(type.id()) : 1;
  for (int d = 0; d < rank; ++d) bytes *= extent[d];
  return bytes > static_cast<long double>(SIZE_MAX) ? SIZE_MAX : static_cast<std::size_t>(bytes);
}

StorageFault datasetFault(hid_t dataset, std::size_t largestChunk) {
  const Handle properties(H5Dget_create_plist(dataset));
  if (!properties.valid()) return StorageFault::None;
  // A filter that comes as a plugin is loaded now, while the child may still open files, from
  // HDF5's own folder: later its library could no longer be opened.
  for (int filter = 0, count = H5Pget_nfilters(properties.id()); filter < count; ++filter) {
    unsigned flags = 0;
    std::size_t values = 0;
    H5Zfilter_avail(H5Pget_filter2(properties.id(), static_cast<unsigned>(filter), &flags, &values, nullptr, 0, nullptr, nullptr));
  }
  const H5D_layout_t layout = H5Pget_layout(properties.id());
  if (H5Pget_external_count(properties.id()) > 0 || layout == H5D_VIRTUAL) return StorageFault::OtherFiles;
  if (layout == H5D_CHUNKED && chunkBytes(dataset, properties.id()) > largestChunk) return StorageFault::HugeChunk;
  return StorageFault::None;
}

herr_t lookAtLink(hid_t group, const char* name, const H5L_info_t* link, void* data) {
  Search& search = *static_cast<Search*>(data);
  if (link->type == H5L_TYPE_SOFT) return 0;
  if (link->type != H5L_TYPE_HARD) search.fault = StorageFault::OtherFiles;
  else if (const Handle object(H5Oopen(group, name, H5P_DEFAULT)); object.valid() && H5Iget_type(object.id()) == H5I_DATASET)
    search.fault = datasetFault(object.id(), search.largestChunk);
  return search.fault == StorageFault::None ? 0 : 1;
}

}  // namespace

StorageFault hdf5StorageFault(const std::string& path, std::size_t largestChunk) {
  // HDF5 prints every failure's stack on stderr unless told not to.
  H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
  const Handle file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
  if (!file.valid()) return StorageFault::None;
  Search search{largestChunk};
  // A walk that fails part-way gives no verdict: the child's own rule stops whatever the rest of
  // the file would make HDF5 open.
  H5Lvisit(file.id(), H5_INDEX_NAME, H5_ITER_NATIVE, lookAtLink, &search);
  return search.fault;
}
