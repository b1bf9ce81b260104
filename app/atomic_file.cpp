#include "atomic_file.h"

#include "flight_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

namespace {

[[noreturn]] void failToWrite(const QString& fileName, const QString& reason) {
  throw FlightError(("Cannot write \"" + fileName + "\": " + reason).toStdString());
}

// The temporary file until it is renamed: removed when anything fails on the way. Created
// as any new file is, under the process' umask, then given the mode of the file it replaces.
class TemporaryFile {
 public:
  explicit TemporaryFile(const QByteArray& target) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts && descriptor_ < 0; ++attempt) {
      name_ = target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
      descriptor_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor_ < 0 && errno != EEXIST) return;
    }
    struct stat replaced {};
    if (descriptor_ >= 0 && ::stat(target.constData(), &replaced) == 0 &&
        ::fchmod(descriptor_, replaced.st_mode & 07777) != 0)
      discard();
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
  int descriptor_ = -1;
};

}  // namespace

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
  // A link is followed to the file it names, even to one that does not exist yet.
  QFileInfo info(fileName);
  for (int depth = 0; info.isSymLink() && depth < 40; ++depth) info.setFile(info.symLinkTarget());
  if (info.exists() && !info.isFile()) failToWrite(fileName, QStringLiteral("not a regular file"));
  const QByteArray target = QFile::encodeName(info.absoluteFilePath());

  TemporaryFile file(target);
  if (!file.isOpen() || !file.writeAll(bytes) || !file.commit(target))
    failToWrite(fileName, QString::fromLocal8Bit(std::strerror(errno)));
}
