#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// What the window remembers from one session to the next, in the platform's usual place (or in
// the file given, for tests). A file that cannot be read as settings is removed and begun
// afresh: remembering is a convenience, never a reason to fail.
std::unique_ptr<QSettings> openSettings(const QString& fileName = QString());
