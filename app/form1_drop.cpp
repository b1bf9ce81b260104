// Files dropped on the window, or named on the command line.
#include "form1.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int kSlots = 3;

QList<QByteArray> localFiles(const QMimeData* data) {
  QList<QByteArray> files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files << QFile::encodeName(url.toLocalFile());
  return files;
}

}  // namespace

void TForm1::openFiles(const QList<QByteArray>& fileNames) {
  for (int i = 0; i < fileNames.size() && i < kSlots; ++i)
    switchboard.guarded([this, i, &fileNames] { openFile(i + 1, fileNames[i]); })();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  const int count = static_cast<int>(localFiles(event->mimeData()).size());
  if (count >= 1 && count <= kSlots) event->acceptProposedAction();
}

// One file dropped on a slot's file-name label goes into that slot; otherwise the files go
// into slots 1, 2, 3 in order.
void TForm1::dropEvent(QDropEvent* event) {
  const QList<QByteArray> files = localFiles(event->mimeData());
  if (files.isEmpty() || files.size() > kSlots) return;
  event->acceptProposedAction();
  const QWidget* target = childAt(event->position().toPoint());
  const int slot = target == Label1 ? 1 : target == Label2 ? 2 : target == Label7 ? 3 : 0;
  if (files.size() == 1 && slot != 0) {
    switchboard.guarded([this, slot, &files] { openFile(slot, files.first()); })();
    return;
  }
  openFiles(files);
}
