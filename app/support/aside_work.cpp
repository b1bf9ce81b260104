#include "app/support/aside_work.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <exception>
#include <memory>

namespace {

// How long the work goes on before the dialog shows: a quick read only shows the busy cursor.
constexpr int kDialogAfterMilliseconds = 400;

// Holds back the operator's input to everything but the dialog while it lives. Input comes first
// to a top-level window's QWindow, then to its widgets: the dialog's own window lets it through.
class InputHeld : public QObject {
 public:
  explicit InputHeld(const QWidget* dialog) : dialog_(dialog) { qApp->installEventFilter(this); }
  ~InputHeld() override { qApp->removeEventFilter(this); }
  InputHeld(const InputHeld&) = delete;
  InputHeld& operator=(const InputHeld&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: case QEvent::Wheel: case QEvent::KeyPress: case QEvent::KeyRelease:
      case QEvent::Shortcut: case QEvent::ShortcutOverride: case QEvent::DragEnter: case QEvent::DragMove:
      case QEvent::Drop: case QEvent::ContextMenu: case QEvent::InputMethod: case QEvent::Close: {
        if (isDialogs(watched)) return false;
        if (event->type() == QEvent::Close) event->ignore();
        return true;
      }
      default: return false;
    }
  }

 private:
  bool isDialogs(const QObject* watched) const {
    if (const auto widget = qobject_cast<const QWidget*>(watched)) return widget->window() == dialog_;
    const auto window = qobject_cast<const QWindow*>(watched);
    return window && window == dialog_->windowHandle();
  }

  const QWidget* dialog_;
};

}  // namespace

void runAside(QWidget* window, const QString& doing, const AsideWork& work) {
  std::atomic<bool> cancelled{false};
  std::exception_ptr failure;
  QProgressDialog dialog(doing, QStringLiteral("Отмена"), 0, 0, window);
  dialog.setObjectName(QStringLiteral("AsideWork"));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setAutoReset(false);
  // The dialog's own timer shows it only once a value is set, which work of unknown length has not.
  QTimer showing;
  showing.setSingleShot(true);
  QObject::connect(&showing, &QTimer::timeout, &dialog, &QProgressDialog::show);
  QObject::connect(&dialog, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
  const std::unique_ptr<QThread> thread(QThread::create([&] {
    try {
      work(cancelled);
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  QEventLoop loop;
  QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
  {
    const InputHeld held(&dialog);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    showing.start(kDialogAfterMilliseconds);
    thread->start();
    loop.exec();
    // The loop also ends when the program quits: the work is then told to stop.
    if (thread->isRunning()) cancelled = true;
    thread->wait();
    QApplication::restoreOverrideCursor();
  }
  QObject::disconnect(&dialog, &QProgressDialog::canceled, nullptr, nullptr);
  if (failure) std::rethrow_exception(failure);
}
