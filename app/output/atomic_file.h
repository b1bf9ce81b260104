#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

// Every file the program writes goes through here, so that a file is either written whole or
// left as it was: the bytes go to a temporary file in the target's folder, every write, the
// flush to the disk and the close are checked, and only then is the temporary file renamed over
// the target. On any failure, and on a recorded interruption (interruption.h), the temporary
// file is removed and a FlightError names the file and the system's reason. A target that exists
// and is not a regular file (a folder, a device, a FIFO) is refused rather than replaced; a link
// is followed to its file, but in a folder all may write to (sticky, as /tmp) only a link of the
// program's user or of the folder's owner, as the kernel's protected_symlinks rule does.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);

// Files that make one result: every one is written to its temporary file and flushed, and every
// target checked that it can be replaced (not immutable, not another user's in a sticky folder),
// before the first takes its target's place. Each then swaps with its old file, which waits
// under the temporary name: a swap that fails puts the others back, so every target is as it
// was. Only where putting back fails too does the message list which files are new and where
// their old ones wait. On a file system that cannot swap two names (NFS, CIFS) the old file
// waits under a second name (a hard link) while the new one is renamed over it; only where the
// file system has no second names either is the new file renamed over the old, which is then gone.
// A file's bytes are given piece by piece to the sink, so that a large file need not be held whole.
using ByteSink = std::function<void(const char* bytes, std::size_t size)>;
using FileBytes = std::function<void(const ByteSink& write)>;
struct FileToWrite {
  QString name;
  FileBytes bytes;
};
void writeFilesAtomically(const std::vector<FileToWrite>& files);
// Bytes at hand, as a file's.
FileBytes bytesOf(QByteArray bytes);

// What a write stopped by a signal throws, once its temporary files are gone.
struct WriteInterrupted {};
