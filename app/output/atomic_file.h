#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Every file the program writes goes through here, so that a file is either written whole or
// left as it was: the bytes go to a temporary file in the target's folder, every write, the
// flush to the disk and the close are checked, and only then is the temporary file renamed over
// the target. On any failure, and on a recorded interruption (interruption.h), the temporary
// file is removed and a FlightError names the file and the system's reason. A target that exists
// and is not a regular file (a folder, a device, a FIFO) is refused rather than replaced; a link
// is followed to its file.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);

// Files that make one result: every one is written to its temporary file and flushed before the
// first is renamed over its target, so that a failure in writing any leaves every target as it
// was. Only a rename that fails, which within one folder of one file system practically does not
// happen, can leave some replaced and others not.
using FileContents = std::vector<std::pair<QString, QByteArray>>;
void writeFilesAtomically(const FileContents& files);

// What a write stopped by a signal throws, once its temporary files are gone.
struct WriteInterrupted {};
