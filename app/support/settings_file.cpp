#include "app/support/settings_file.h"

#include <QFile>

std::unique_ptr<QSettings> openSettings(const QString& fileName) {
  const auto open = [&] {
    return fileName.isEmpty() ? std::make_unique<QSettings>() : std::make_unique<QSettings>(fileName, QSettings::IniFormat);
  };
  std::unique_ptr<QSettings> settings = open();
  if (settings->status() == QSettings::NoError) return settings;
  QFile::remove(settings->fileName());
  return open();
}
