#include "reader/kept_product.h"

#include "flight/flight_error.h"
#include "raw/text_file.h"
#include "reference/reference_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

KeptProduct::KeptProduct(const TextFile& file) : fileName_(file.fileName()), read_(statusOf(file.descriptor())) {}

KeptProduct::~KeptProduct() {
  if (descriptor_ >= 0) close(descriptor_);
}

void KeptProduct::keepOpen(const TextFile& file) {
  descriptor_ = fcntl(file.descriptor(), F_DUPFD_CLOEXEC, 0);
  if (descriptor_ < 0) throw FlightError(std::strerror(errno), inFile(fileName_));
}

struct stat KeptProduct::statusOf(int descriptor) {
  struct stat status {};
  fstat(descriptor, &status);
  return status;
}

// A file rewritten in place would give columns of another flight. Its size and modification time
// can be put back (cp -p, rsync -t, tar); the time of its inode's last change cannot, short of
// the system's clock. A file replaced under its name leaves the kept one as it was read.
void KeptProduct::checkUnchanged() const {
  const struct stat now = statusOf(descriptor_);
  const auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
  if (now.st_size != read_.st_size || !same(now.st_mtim, read_.st_mtim) || !same(now.st_ctim, read_.st_ctim))
    throw FlightError(MessageId::FileChanged);
}

// Looked at before and after: a file written while its columns are read gives them mixed.
void KeptProduct::readColumns(const std::vector<int>& columns, const std::vector<int>& productRows,
                              FlightTable& table) const {
  try {
    checkUnchanged();
    readReferenceColumns(descriptor_, columns, productRows, table);
    checkUnchanged();
  } catch (const FlightError& error) {
    throw FlightError(error.message(), inFile(fileName_));
  }
}
