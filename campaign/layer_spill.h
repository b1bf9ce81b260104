#pragma once

#include "campaign/pair_comparison.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// One pair's values in one layer, as pooling reads them back.
struct LayerRunView {
  std::size_t group;             // the pair's place among the campaign's groups; 0, "all", for none
  const double* values;
  const double* uncertainties;  // parallel to values, or null where the pair is not judged
  std::size_t count;
};

// A campaign's comparison values on disk, layer by layer, until they are pooled: pooling needs
// every value of a layer at once for its exact percentiles, but never those of the whole
// campaign. The values go to a folder of its own, created under a given one; the folder and all
// in it are removed when the spill is, whether the campaign ended, failed or was cancelled.
// Writing and reading fail with a FlightError naming the file, so a full disk is never a table
// with values left out.
class LayerSpill {
 public:
  // Layers share a bucket file by their number modulo this; a bucket is what pooling holds at once.
  static constexpr std::size_t kBuckets = 128;

  explicit LayerSpill(const std::string& parentFolder);
  ~LayerSpill();
  LayerSpill(const LayerSpill&) = delete;
  LayerSpill& operator=(const LayerSpill&) = delete;

  const std::string& folder() const { return folder_; }

  // Keeps each of the compared pair's runs; pairs may be added from several threads at once, in
  // any order.
  void add(std::size_t pair, const PairResult& result);

  // Visits every layer holding values with its runs in list order, buckets on jobs threads at
  // once. Groups are told by their place in groups, the campaign's groups with "all" first.
  using LayerVisit = std::function<void(long long layer, const std::vector<LayerRunView>& runs)>;
  void visitLayers(const std::vector<std::string>& groups, int jobs, const LayerVisit& visit);

 private:
  struct Bucket {
    std::mutex lock;
    std::FILE* file = nullptr;
    std::string path;
  };

  void write(Bucket& bucket, const void* data, std::size_t bytes);
  std::vector<double> readBucket(Bucket& bucket);
  std::uint32_t groupNumber(const std::string& group);

  std::string folder_;
  std::unique_ptr<Bucket[]> buckets_;
  std::mutex groupsLock_;
  std::map<std::string, std::uint32_t> groupNumbers_;
};
