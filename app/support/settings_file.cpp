#include "app/support/settings_file.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

namespace {

// Where QSettings keeps the application's settings on Linux. They are opened as this one file:
// the default QSettings would also read the fallbacks (~/.config/FlightCompare.conf,
// /etc/xdg/...) as it is made, unguarded.
QString usualPlace() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' +
         QCoreApplication::organizationName() + '/' + QCoreApplication::applicationName() + ".conf";
}

}  // namespace

OpenedSettings openSettings(const QString& fileName) {
  const QString path = fileName.isEmpty() ? usualPlace() : fileName;
  struct stat file {};
  if (::stat(QFile::encodeName(path).constData(), &file) == 0 &&
      (!S_ISREG(file.st_mode) || file.st_size > kLargestSettingsFile))
    return {nullptr, QStringLiteral("Настройки окна не прочитаны и не будут записаны: «%1» — не обычный файл размером "
                                    "до 1 МиБ")
                         .arg(path)};
  const auto open = [&path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); };
  std::unique_ptr<QSettings> settings = open();
  if (settings->status() == QSettings::NoError) return {std::move(settings), {}};
  QFile::remove(settings->fileName());
  return {open(), {}};
}
