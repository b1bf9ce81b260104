#include "reader/kept_product.h"

#include "intake/flight_error.h"
#include "intake/text_file.h"
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
  if (descriptor_ < 0) throw FlightError(std::strerror(errno), "File: " + fileName_);
}

struct stat KeptProduct::statusOf(int descriptor) {
  struct stat status {};
  fstat(descriptor, &status);
  return status;
}

void KeptProduct::readColumns(const std::vector<int>& columns, const std::vector<int>& productRows,
                              FlightTable& table) const {
  const struct stat now = statusOf(descriptor_);
  // A file rewritten in place would give columns of another flight.
  const bool unchanged = now.st_size == read_.st_size && now.st_mtim.tv_sec == read_.st_mtim.tv_sec &&
                         now.st_mtim.tv_nsec == read_.st_mtim.tv_nsec;
  try {
    if (!unchanged) throw FlightError(kFileChanged);
    readReferenceColumns(descriptor_, columns, productRows, table);
  } catch (const FlightError& error) {
    throw FlightError(error.message(), "File: " + fileName_);
  }
}
