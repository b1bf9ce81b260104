#pragma once

#include "tests/support/temp_files.h"

#include <QString>

// The tests' folder of files as Qt's tests name them: paths as QString, as QTemporaryDir gives.
class TempFolder : public TempFiles {
 public:
  QString path() const { return QString::fromStdString(folder()); }
  QString filePath(const QString& name) const { return QString::fromStdString(TempFiles::path(name.toStdString())); }
};
