#include "reference/hdf5_storage.h"

#include <hdf5.h>

#include <algorithm>
#include <fstream>
#include <vector>

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

struct Walk {
  explicit Walk(std::size_t largest) : largestChunk(largest) {}
  std::size_t largestChunk;
  StorageVerdict verdict;
  std::size_t objects = 0;
  std::vector<haddr_t> groupsOpen;  // the groups from the root to the one walked
};

std::size_t chunkBytes(hid_t dataset, hid_t properties) {
  hsize_t extent[H5S_MAX_RANK];
  const int rank = H5Pget_chunk(properties, H5S_MAX_RANK, extent);
  const Handle type(H5Dget_type(dataset));
  long double bytes = type.valid() ? H5Tget_size(type.id()) : 1;
  for (int d = 0; d < rank; ++d) bytes *= extent[d];
  return bytes > static_cast<long double>(SIZE_MAX) ? SIZE_MAX : static_cast<std::size_t>(bytes);
}

StorageVerdict datasetFault(hid_t dataset, std::size_t largestChunk) {
  const Handle properties(H5Dget_create_plist(dataset));
  if (!properties.valid()) return {};
  // A filter that comes as a plugin is loaded now, while the child may still open files, from
  // HDF5's own folder: later its library could no longer be opened.
  for (int filter = 0, count = H5Pget_nfilters(properties.id()); filter < count; ++filter) {
    unsigned flags = 0;
    std::size_t values = 0;
    const H5Z_filter_t id =
        H5Pget_filter2(properties.id(), static_cast<unsigned>(filter), &flags, &values, nullptr, 0, nullptr, nullptr);
    if (id >= 0 && H5Zfilter_avail(id) <= 0) return {StorageFault::MissingFilter, static_cast<unsigned>(id)};
  }
  const H5D_layout_t layout = H5Pget_layout(properties.id());
  if (H5Pget_external_count(properties.id()) > 0 || layout == H5D_VIRTUAL) return {StorageFault::OtherFiles};
  if (layout == H5D_CHUNKED && chunkBytes(dataset, properties.id()) > largestChunk) return {StorageFault::HugeChunk};
  return {};
}

herr_t lookAtLink(hid_t group, const char* name, const H5L_info_t* link, void* data);

// Walks a group's links, in the order of their names, as NetCDF does: every link anew, a soft one
// to where it points, so that a group linked twice is walked twice. False once a fault is found.
bool walkGroup(hid_t group, haddr_t address, Walk& walk) {
  if (static_cast<int>(walk.groupsOpen.size()) >= kDeepestGroups) {
    walk.verdict = {StorageFault::DeepGroups};
    return false;
  }
  walk.groupsOpen.push_back(address);
  hsize_t next = 0;
  H5Literate(group, H5_INDEX_NAME, H5_ITER_NATIVE, &next, lookAtLink, &walk);
  walk.groupsOpen.pop_back();
  return walk.verdict.fault == StorageFault::None;
}

herr_t lookAtLink(hid_t group, const char* name, const H5L_info_t* link, void* data) {
  Walk& walk = *static_cast<Walk*>(data);
  if (++walk.objects > kMostObjects) walk.verdict = {StorageFault::ManyObjects};
  else if (link->type != H5L_TYPE_HARD && link->type != H5L_TYPE_SOFT) walk.verdict = {StorageFault::OtherFiles};
  if (walk.verdict.fault != StorageFault::None) return 1;
  // A soft link that points nowhere has nothing to walk.
  H5O_info_t object{};
  if (H5Oget_info_by_name2(group, name, &object, H5O_INFO_BASIC, H5P_DEFAULT) < 0) return 0;
  if (object.type == H5O_TYPE_DATASET) {
    const Handle dataset(H5Dopen2(group, name, H5P_DEFAULT));
    if (dataset.valid()) walk.verdict = datasetFault(dataset.id(), walk.largestChunk);
  } else if (object.type == H5O_TYPE_GROUP) {
    const auto& open = walk.groupsOpen;
    if (std::find(open.begin(), open.end(), object.addr) != open.end()) walk.verdict = {StorageFault::GroupCycle};
    else if (const Handle inner(H5Gopen2(group, name, H5P_DEFAULT)); inner.valid()) walkGroup(inner.id(), object.addr, walk);
  }
  return walk.verdict.fault == StorageFault::None ? 0 : 1;
}

// Whether the file is a member of a product kept by HDF5's family or split (multi) driver, whose
// superblock names the driver: no one file of it holds the product.
bool isMemberOfSeveral(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string start(4096, '\0');
  file.read(start.data(), static_cast<std::streamsize>(start.size()));
  start.resize(static_cast<std::size_t>(file.gcount()));
  return start.find("NCSAfami") != std::string::npos || start.find("NCSAmult") != std::string::npos;
}

}  // namespace

StorageVerdict hdf5StorageFault(const std::string& path, std::size_t largestChunk) {
  // HDF5 prints every failure's stack on stderr unless told not to.
  H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
  const Handle file(H5Fopen(path.c_str(), H5F_ACC_RDONLY, H5P_DEFAULT));
  if (!file.valid()) return {isMemberOfSeveral(path) ? StorageFault::SplitFile : StorageFault::None};
  H5O_info_t root{};
  if (H5Oget_info2(file.id(), &root, H5O_INFO_BASIC) < 0) return {};
  Walk walk(largestChunk);
  // A walk that fails part-way gives no verdict: the child's own rule stops whatever the rest of
  // the file would make HDF5 open.
  walkGroup(file.id(), root.addr, walk);
  return walk.verdict;
}
