#include "app/support/dropped_files.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

QList<QByteArray> droppedFiles(const QMimeData* data) {
  QList<QByteArray> files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files << QFile::encodeName(url.toLocalFile());
  return files;
}
