#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here, so that a file is either written whole or
// left as it was: the bytes go to a temporary file in the target's folder, every write, the
// flush to the disk and the close are checked, and only then is the temporary file renamed over
// the target. On any failure the temporary file is removed and a FlightError names the file and
// the system's reason. A target that exists and is not a regular file (a folder, a device, a
// FIFO) is refused rather than replaced; a link is followed to its file.
void writeFileAtomically(const QString& fileName, const QByteArray& bytes);
