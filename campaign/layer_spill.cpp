#include "campaign/layer_spill.h"

#include "campaign/parallel_work.h"
#include "flight/flight_error.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>

#include <stdlib.h>

namespace {

// What precedes a run's values in its bucket; its values, then its uncertainties where judged,
// follow as doubles.
struct RunHeader {
  std::int64_t layer;
  std::uint64_t pair;
  std::uint32_t group;
  std::uint32_t judged;
  std::uint64_t count;
};
static_assert(sizeof(RunHeader) % sizeof(double) == 0, "runs stay aligned to doubles");
constexpr std::size_t kHeaderDoubles = sizeof(RunHeader) / sizeof(double);

// Large enough that a bucket is written in few system calls, small enough for all of them.
constexpr std::size_t kBucketBuffer = 64 * 1024;

[[noreturn]] void cannotWrite(const std::string& path, int error) {
  throw FlightError(Message(MessageId::CannotWrite, {path, std::strerror(error)}));
}

// TMPDIR where it names a folder, else /tmp: a TMPDIR set empty or to a folder that is gone is
// no reason to fail.
std::string systemTemporaryFolder() {
  const char* named = std::getenv("TMPDIR");
  std::error_code failure;
  return named && *named && std::filesystem::is_directory(named, failure) ? named : "/tmp";
}

std::string createdFolder(std::string parent) {
  if (parent.empty()) parent = systemTemporaryFolder();
  std::string name = parent + "/flightcompare-values-XXXXXX";
  if (!mkdtemp(name.data()))
    throw FlightError(Message(MessageId::CannotCreateFolder, {name, std::strerror(errno)}));
  return name;
}

struct RunInBucket {
  RunHeader header;
  std::size_t offset;  // of its values in the bucket, in doubles
};

}  // namespace

LayerSpill::LayerSpill(const std::string& parentFolder)
    : folder_(createdFolder(parentFolder)), buckets_(new Bucket[kBuckets]) {
  for (std::size_t i = 0; i < kBuckets; ++i) buckets_[i].path = folder_ + "/layers-" + std::to_string(i);
}

LayerSpill::~LayerSpill() {
  for (std::size_t i = 0; i < kBuckets; ++i)
    if (buckets_[i].file) std::fclose(buckets_[i].file);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::uint32_t LayerSpill::groupNumber(const std::string& group) {
  const std::lock_guard<std::mutex> guard(groupsLock_);
  return groupNumbers_.emplace(group, static_cast<std::uint32_t>(groupNumbers_.size())).first->second;
}

void LayerSpill::write(Bucket& bucket, const void* data, std::size_t bytes) {
  if (std::fwrite(data, 1, bytes, bucket.file) != bytes) cannotWrite(bucket.path, errno);
}

void LayerSpill::add(std::size_t pair, const PairResult& result) {
  const std::uint32_t group = groupNumber(result.group);
  const bool judged = !result.uncertainties.empty();
  for (const LayerRun& run : result.runs) {
    Bucket& bucket = buckets_[static_cast<std::size_t>(run.layer) % kBuckets];
    const RunHeader header{run.layer, pair, group, judged, run.count};
    const std::lock_guard<std::mutex> guard(bucket.lock);
    if (!bucket.file) {
      bucket.file = std::fopen(bucket.path.c_str(), "w+b");
      if (!bucket.file) cannotWrite(bucket.path, errno);
      std::setvbuf(bucket.file, nullptr, _IOFBF, kBucketBuffer);
    }
    write(bucket, &header, sizeof header);
    write(bucket, result.values.data() + run.first, run.count * sizeof(double));
    if (judged) write(bucket, result.uncertainties.data() + run.first, run.count * sizeof(double));
  }
}

std::vector<double> LayerSpill::readBucket(Bucket& bucket) {
  std::vector<double> contents;
  if (!bucket.file) return contents;
  std::FILE* const file = bucket.file;
  // A full disk may show only now, as the last of the buffer goes out.
  if (std::fflush(file) != 0 || std::fseek(file, 0, SEEK_END) != 0) cannotWrite(bucket.path, errno);
  const long bytes = std::ftell(file);
  if (bytes < 0 || std::fseek(file, 0, SEEK_SET) != 0) cannotWrite(bucket.path, errno);
  contents.resize(static_cast<std::size_t>(bytes) / sizeof(double));
  if (std::fread(contents.data(), sizeof(double), contents.size(), file) != contents.size())
    throw FlightError(Message(MessageId::CannotRead, {bucket.path, std::strerror(std::ferror(file) ? errno : EIO)}));
  // Read, the bucket's disk goes back at once rather than with the whole spill.
  std::fclose(file);
  bucket.file = nullptr;
  std::remove(bucket.path.c_str());
  return contents;
}

void LayerSpill::visitLayers(const std::vector<std::string>& groups, int jobs, const LayerVisit& visit) {
  // The campaign's place of each group this spill numbered; a pair in no group is in "all" only.
  std::vector<std::size_t> places(groupNumbers_.size(), 0);
  for (const auto& [name, number] : groupNumbers_) {
    const auto found = std::find(groups.begin() + 1, groups.end(), name);
    if (found != groups.end()) places[number] = static_cast<std::size_t>(found - groups.begin());
  }
  std::atomic<std::size_t> next{0};
  runInParallel(jobsFor(jobs, kBuckets), [&] {
    std::vector<RunInBucket> runs;
    std::vector<LayerRunView> views;
    for (std::size_t b; (b = next++) < kBuckets;) {
      const std::vector<double> contents = readBucket(buckets_[b]);
      runs.clear();
      for (std::size_t at = 0; at < contents.size();) {
        RunInBucket run;
        std::memcpy(&run.header, contents.data() + at, sizeof run.header);
        run.offset = at + kHeaderDoubles;
        at = run.offset + run.header.count * (run.header.judged ? 2 : 1);
        runs.push_back(run);
      }
      std::sort(runs.begin(), runs.end(), [](const RunInBucket& a, const RunInBucket& b) {
        return std::tie(a.header.layer, a.header.pair) < std::tie(b.header.layer, b.header.pair);
      });
      for (std::size_t first = 0; first < runs.size();) {
        views.clear();
        std::size_t last = first;
        for (; last < runs.size() && runs[last].header.layer == runs[first].header.layer; ++last) {
          const RunInBucket& run = runs[last];
          const double* values = contents.data() + run.offset;
          views.push_back({places[run.header.group], values, run.header.judged ? values + run.header.count : nullptr,
                           run.header.count});
        }
        visit(runs[first].header.layer, views);
        first = last;
      }
    }
  });
}
