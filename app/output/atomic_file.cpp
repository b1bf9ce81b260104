#include "app/output/atomic_file.h"

#include "app/support/interruption.h"
#include "flight/flight_error.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <list>
#include <utility>

namespace {

FlightError writeFailure(const QString& fileName, const QString& reason) {
  return FlightError(Message(MessageId::CannotWrite, {fileName.toStdString(), reason.toStdString()}));
}

[[noreturn]] void failToWrite(const QString& fileName, const QString& reason) { throw writeFailure(fileName, reason); }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void failToWrite(const QString& fileName) { failToWrite(fileName, systemReason(errno)); }

QByteArray folderOf(const QByteArray& path) { return path.left(std::max<qsizetype>(path.lastIndexOf('/'), 1)); }

// A folder that every user may write to and whose sticky bit keeps each user's files their own:
// /tmp, a shared drop folder.
bool isSharedFolder(const struct stat& folder) { return (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH); }

// The file a name writes to. A link is followed as the kernel's protected_symlinks rule follows
// one: not in a shared folder unless it is the program's user's link or the folder owner's. There
// another user's link to a file of ours would make the program replace that file. Anything else
// than a regular file is refused.
QByteArray writtenTarget(const QString& fileName) {
  constexpr int kMostLinks = 40;
  QByteArray path = QFile::encodeName(QFileInfo(fileName).absoluteFilePath());
  for (int depth = 0; depth < kMostLinks; ++depth) {
    struct stat file {};
    if (::lstat(path.constData(), &file) != 0) return path;
    if (!S_ISLNK(file.st_mode)) {
      if (!S_ISREG(file.st_mode)) failToWrite(fileName, QStringLiteral("not a regular file"));
      return path;
    }
    const QByteArray folder = folderOf(path);
    struct stat shared {};
    if (::stat(folder.constData(), &shared) == 0 && isSharedFolder(shared) && file.st_uid != ::geteuid() &&
        file.st_uid != shared.st_uid)
      throw FlightError(
          Message(MessageId::ForeignLink, {fileName.toStdString(), QFile::decodeName(path).toStdString()}));
    char linked[PATH_MAX];
    const ssize_t length = ::readlink(path.constData(), linked, sizeof linked);
    if (length < 0 || length == static_cast<ssize_t>(sizeof linked)) failToWrite(fileName);
    const QByteArray target(linked, static_cast<qsizetype>(length));
    path = target.startsWith('/') ? target : folder + '/' + target;
  }
  failToWrite(fileName, systemReason(ELOOP));
}

// Whether the target could be replaced at all: a file marked immutable or append-only, or another
// user's file in a shared folder, cannot be, and is named before any target is touched.
void checkReplaceable(const QString& fileName, const QByteArray& target) {
  struct stat file {}, folder {};
  if (::lstat(target.constData(), &file) != 0) return;
  if (::stat(folderOf(target).constData(), &folder) == 0 && (folder.st_mode & S_ISVTX) && ::geteuid() != 0 &&
      file.st_uid != ::geteuid() && folder.st_uid != ::geteuid())
    failToWrite(fileName, systemReason(EPERM));
  const int descriptor = ::open(target.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (descriptor < 0) return;
  int flags = 0;
  const bool fixed = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL));
  ::close(descriptor);
  if (fixed) failToWrite(fileName, systemReason(EPERM));
}

// The temporary file until it takes the target's place: removed when anything fails on the way.
// Created as any new file is, under the process' umask, then given the mode of the file it
// replaces. Put in place, it swaps with the old file, which it keeps under its own name until
// every file of the result is in place: then the old one goes, or on a failure comes back.
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

  const QString& fileName() const { return fileName_; }
  const QByteArray& target() const { return target_; }

  // In pieces, so that a signal is heeded within one.
  void writeAll(const char* bytes, std::size_t size) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    for (std::size_t written = 0; written < size;) {
      if (interrupted()) throw WriteInterrupted{};
      const ssize_t count = ::write(descriptor_, bytes + written, std::min(kPiece, size - written));
      if (count < 0 && errno != EINTR) fail();
      if (count > 0) written += static_cast<std::size_t>(count);
    }
  }

  // Flushed to the disk and closed, ready to take the target's place.
  void finish() {
    if (::fsync(descriptor_) != 0 && errno != EINVAL) fail();
    if (::close(std::exchange(descriptor_, -1)) != 0) fail();
  }

  // In the target's place; false, with errno, when it could not be put there.
  bool putInPlace() {
    struct stat old {};
    const bool replacing = ::lstat(target_.constData(), &old) == 0;
    const unsigned how = replacing ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, target_.constData(), how) == 0) {
      state_ = replacing ? State::HoldsOld : State::New;
      return true;
    }
    if (!cannotSwap(errno)) return false;
    // A file system that cannot swap two names (NFS, CIFS) keeps the old file under a second
    // name of its own while the new one is renamed over it; one that has no second names either
    // takes the new file over the old, which is then gone.
    if (replacing) aside_ = secondName(target_);
    if (::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, target_.constData(), 0) != 0) {
      const int error = errno;
      if (!aside_.isEmpty()) ::unlink(aside_.constData());
      aside_.clear();
      return errno = error, false;
    }
    state_ = !replacing ? State::New : aside_.isEmpty() ? State::Replaced : State::OldAside;
    return true;
  }

  // Back out of the target's place, the old file in it again; false, with errno, where it stays.
  bool takeBack() {
    bool back = false;
    switch (state_) {
      case State::Replaced: return errno = ENOTSUP, false;
      case State::HoldsOld:
        back = ::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, target_.constData(), RENAME_EXCHANGE) == 0;
        break;
      case State::OldAside:
        // The old file goes back over the new, which is gone with it.
        back = ::renameat2(AT_FDCWD, aside_.constData(), AT_FDCWD, target_.constData(), 0) == 0;
        if (back) {
          aside_.clear();
          name_.clear();
        }
        break;
      case State::New:
        back = ::renameat2(AT_FDCWD, target_.constData(), AT_FDCWD, name_.constData(), RENAME_NOREPLACE) == 0 ||
               (cannotSwap(errno) && ::renameat2(AT_FDCWD, target_.constData(), AT_FDCWD, name_.constData(), 0) == 0);
        break;
      case State::Waiting: return true;
    }
    if (back) state_ = State::Waiting;
    return back;
  }

  // In place for good: the old file it holds is gone.
  void keep() {
    if (state_ == State::HoldsOld) ::unlink(name_.constData());
    if (state_ == State::OldAside) ::unlink(aside_.constData());
    name_.clear();
  }

  // Where the old file waits while this one holds its place: empty where there is none.
  QString oldFile() const {
    return state_ == State::HoldsOld ? QFile::decodeName(name_)
           : state_ == State::OldAside ? QFile::decodeName(aside_)
                                       : QString();
  }

 private:
  // New: in a place no file held. HoldsOld: swapped, the old file under the temporary name.
  // OldAside: renamed over the old file, which waits under a second name. Replaced: over the old
  // file, which is gone.
  enum class State { Waiting, New, HoldsOld, OldAside, Replaced };

  static bool cannotSwap(int error) { return error == EINVAL || error == ENOSYS; }

  // A second name for the target's file, beside it; empty where the file system has none.
  static QByteArray secondName(const QByteArray& target) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      const QByteArray name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
      if (::linkat(AT_FDCWD, target.constData(), AT_FDCWD, name.constData(), 0) == 0) return name;
      if (errno != EEXIST) break;
    }
    return {};
  }

  [[noreturn]] void fail() {
    const int error = errno;
    discard();
    errno = error;
    failToWrite(fileName_);
  }

  void discard() {
    const int error = errno;
    if (descriptor_ >= 0) ::close(descriptor_);
    // An old file that could not be put back stays where it waits, never lost.
    if (!name_.isEmpty() && state_ == State::Waiting) ::unlink(name_.constData());
    descriptor_ = -1;
    name_.clear();
    errno = error;
  }

  QString fileName_;
  QByteArray target_, name_, aside_;
  int descriptor_ = -1;
  State state_ = State::Waiting;
};

// Takes the first `placed` files back out of their targets' places, the last first. Where one
// cannot be, the message says which files are new (and where their old ones wait) and which are
// as they were.
[[noreturn]] void takeBack(std::list<TemporaryFile>& files, std::size_t placed, const FlightError& failure) {
  QStringList kept, unchanged;
  std::size_t index = files.size();
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    if (--index >= placed || file->takeBack()) {
      unchanged.prepend(file->fileName());
      continue;
    }
    const QString old = file->oldFile();
    kept.prepend(old.isEmpty() ? file->fileName() : file->fileName() + " (the old one in " + old + ")");
  }
  if (kept.isEmpty()) throw failure;
  throw FlightError(failure.message(),
                    Message(MessageId::Lines, {Message(MessageId::LeftNew, {kept.join(QStringLiteral(", ")).toStdString()}),
                                               Message(MessageId::LeftAsTheyWere,
                                                       {unchanged.join(QStringLiteral(", ")).toStdString()})}));
}

}  // namespace

void writeFilesAtomically(const std::vector<FileToWrite>& files) {
  std::list<TemporaryFile> written;
  for (const FileToWrite& file : files) {
    TemporaryFile& temporary = written.emplace_back(file.name, writtenTarget(file.name));
    file.bytes([&temporary](const char* bytes, std::size_t size) { temporary.writeAll(bytes, size); });
    temporary.finish();
  }
  if (interrupted()) throw WriteInterrupted{};
  for (const TemporaryFile& file : written) checkReplaceable(file.fileName(), file.target());
  std::size_t placed = 0;
  for (TemporaryFile& file : written) {
    if (!file.putInPlace()) takeBack(written, placed, writeFailure(file.fileName(), systemReason(errno)));
    ++placed;
  }
  for (TemporaryFile& file : written) file.keep();
}

FileBytes bytesOf(QByteArray bytes) {
  return [bytes = std::move(bytes)](const ByteSink& write) { write(bytes.constData(), static_cast<std::size_t>(bytes.size())); };
}

void writeFileAtomically(const QString& fileName, const QByteArray& bytes) {
  writeFilesAtomically({{fileName, bytesOf(bytes)}});
}
