#include "app/output/atomic_file.h"

#include "app/support/interruption.h"
#include "intake/flight_error.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <list>
#include <utility>

namespace {

[[noreturn]] void failToWrite(const QString& fileName, const QString& reason) {
  throw FlightError(("Cannot write \"" + fileName + "\": " + reason).toStdString());
}

[[noreturn]] void failToWrite(const QString& fileName) { failToWrite(fileName, QString::fromLocal8Bit(std::strerror(errno))); }

// The file a name writes to: a link is followed to the file it names, even to one that does not
// exist yet; anything else than a regular file is refused.
QByteArray writtenTarget(const QString& fileName) {
  QFileInfo info(fileName);
  for (int depth = 0; info.isSymLink() && depth < 40; ++depth) info.setFile(info.symLinkTarget());
  if (info.exists() && !info.isFile()) failToWrite(fileName, QStringLiteral("not a regular file"));
  return QFile::encodeName(info.absoluteFilePath());
}

// The temporary file until it is renamed: removed when anything fails on the way. Created
// as any new file is, under the process' umask, then given the mode of the file it replaces.
class TemporaryFile {
 public:
  TemporaryFile(const QString& fileName, const QByteArray& target) : fileName_(fileName), target_(target) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts && descriptor_ < 0; ++attempt) {
      name_ = target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
      descriptor_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (descriptor_ < 0 && errno != EEXIST) failToWrite(fileName_);
    }
    struct stat replaced {};
    if (descriptor_ < 0 || (::stat(target.constData(), &replaced) == 0 && ::fchmod(descriptor_, replaced.st_mode & 07777) != 0))
      fail();
  }
  ~TemporaryFile() { discard(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // In pieces, so that a signal is heeded within one.
  void writeAll(const QByteArray& bytes) {
    constexpr qsizetype kPiece = qsizetype{1} << 20;
    for (qsizetype written = 0; written < bytes.size();) {
      if (interrupted()) throw WriteInterrupted{};
      const ssize_t count = ::write(descriptor_, bytes.constData() + written, std::min(kPiece, bytes.size() - written));
      if (count < 0 && errno != EINTR) fail();
      if (count > 0) written += count;
    }
  }

  // Flushed to the disk and closed, ready to be renamed.
  void finish() {
    if (::fsync(descriptor_) != 0 && errno != EINVAL) fail();
    if (::close(std::exchange(descriptor_, -1)) != 0) fail();
  }

  void replaceTarget() {
    if (::rename(name_.constData(), target_.constData()) != 0) failToWrite(fileName_);
    name_.clear();
  }

 private:
  [[noreturn]] void fail() {
    const int error = errno;
    discard();
    errno = error;
    failToWrite(fileName_);
  }

  void discard() {
    const int error = errno;
    if (descriptor_ >= 0) ::close(descriptor_);
    if (!name_.isEmpty()) ::unlink(name_.constData());
    descriptor_ = -1;
    name_.clear();
    errno = error;
  }

  QString fileName_;
  QByteArray target_, name_;
  int descriptor_ = -1;
};

}  // namespace

void writeFilesAtomically(const FileContents& files) {
  std::list<TemporaryFile> written;
  for (const auto& [fileName, bytes] : files) {
    written.emplace_back(fileName, writtenTarget(fileName));
    written.back().writeAll(bytes);
    written.back().finish();
  }
  if (interrupted()) throw WriteInterrupted{};
  for (TemporaryFile& file : written) file.replaceTarget();
}

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) { writeFilesAtomically({{fileName, bytes}}); }
