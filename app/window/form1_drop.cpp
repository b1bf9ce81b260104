// Files dropped on the window, or named on the command line.
#include "app/window/form1.h"

#include "app/support/dropped_files.h"
#include "flight/flight_error.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace {

constexpr int kSlots = 3;

}  // namespace

void TForm1::openFiles(const QList<QByteArray>& fileNames) {
  if (fileNames.size() > kSlots) {
    switchboard.guarded([] { throw FlightError(MessageId::TooManyFiles); })();
    return;
  }
  for (int i = 0; i < fileNames.size(); ++i)
    switchboard.guarded([this, i, &fileNames] { openFile(i + 1, fileNames[i]); })();
}

void TForm1::openFilesOncePainted(const QList<QByteArray>& fileNames) {
  filesToOpenOncePainted_ = fileNames;
  if (windowHandle()->isExposed()) openFilesNext();
  else windowHandle()->installEventFilter(this);
}

// A widget window paints while it handles its first expose; the files follow right after.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
    windowHandle()->removeEventFilter(this);
    openFilesNext();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::openFilesNext() {
  QTimer::singleShot(0, this, [this] { openFiles(std::exchange(filesToOpenOncePainted_, {})); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// One file dropped on a slot's file-name label goes into that slot; otherwise the files go
// into slots 1, 2, 3 in order.
void TForm1::dropEvent(QDropEvent* event) {
  const QList<QByteArray> files = droppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  const QWidget* target = childAt(event->position().toPoint());
  const int slot = target == Label1 ? 1 : target == Label2 ? 2 : target == Label7 ? 3 : 0;
  if (files.size() == 1 && slot != 0) {
    switchboard.guarded([this, slot, &files] { openFile(slot, files.first()); })();
    return;
  }
  openFiles(files);
}
