#include "atomic_file.h"

#include "flight_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {

[[noreturn]] void failToWrite(const QString& fileName, const QString& reason) {
  throw FlightError(("Cannot write \"" + fileName + "\": " + reason).toStdString());
}

// The temporary file until it is renamed: removed when anything fails on the way.
class TemporaryFile {
 public:
  TemporaryFile(const QByteArray& target, mode_t mode) : name_(target + ".XXXXXX") {
    descriptor_ = ::mkostemp(name_.data(), O_CLOEXEC);
    if (descriptor_ >= 0 && ::fchmod(descriptor_, mode) != 0) discard();
  }
  ~TemporaryFile() { discard(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool isOpen() const { return descriptor_ >= 0; }

  bool writeAll(const QByteArray& bytes) {
    for (qsizetype written = 0; written < bytes.size();) {
      const ssize_t count = ::write(descriptor_, bytes.constData() + written, bytes.size() - written);
      if (count < 0 && errno != EINTR) return false;
      if (count > 0) written += count;
    }
    return true;
  }

  // Flushed to the disk and closed, then renamed over the target.
  bool commit(const QByteArray& target) {
    if (::fsync(descriptor_) != 0 && errno != EINVAL) return false;
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::close(descriptor) != 0 || ::rename(name_.constData(), target.constData()) != 0) {
      const int error = errno;
      ::unlink(name_.constData());
      errno = error;
      return false;
    }
    return true;
  }

 private:
  void discard() {
    if (descriptor_ < 0) return;
    const int error = errno;
    ::close(descriptor_);
    ::unlink(name_.constData());
    descriptor_ = -1;
    errno = error;
  }

  QByteArray name_;
  int descriptor_;
};

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
  const QFileInfo info(fileName);
  if (info.exists() && !info.isFile()) failToWrite(fileName, QStringLiteral("not a regular file"));
  const QByteArray target = QFile::encodeName(info.exists() ? info.canonicalFilePath() : fileName);
  struct stat status {};
  const mode_t mode = ::stat(target.constData(), &status) == 0 ? status.st_mode & 07777 : newFileMode();

  TemporaryFile file(target, mode);
  if (!file.isOpen() || !file.writeAll(bytes) || !file.commit(target))
    failToWrite(fileName, QString::fromLocal8Bit(std::strerror(errno)));
}
