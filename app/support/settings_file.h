#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// What the window remembers from one session to the next, in the platform's usual place (or in
// the file given, for tests). A file that cannot be read as settings is removed and begun
// afresh: remembering is a convenience, never a reason to fail. Only a regular file of at most
// 1 MiB is opened: a FIFO or a device there would hold the window before it shows, a huge file
// its memory. Then there are no settings, and the refusal says why, in the window's words.
struct OpenedSettings {
  std::unique_ptr<QSettings> settings;
  QString refusal;
};
inline constexpr qint64 kLargestSettingsFile = qint64{1} << 20;
OpenedSettings openSettings(const QString& fileName = QString());
