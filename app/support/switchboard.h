#pragma once

#include <QHash>

#include <exception>
#include <functional>

class QAbstractButton;
class ErrorReporter;

// Two failures of one action, one after the other: both are reported, in that order.
struct SuccessiveFailures {
  std::exception_ptr first, then;
};

// Routes every user action to its handler. Handlers throw on failure; the guard around each
// action coming from the event loop is the one place that catches and reports. A performed
// click calls the button's handler directly, so its exception ends every handler that led to it.
class Switchboard {
 public:
  using Handler = std::function<void()>;

  explicit Switchboard(ErrorReporter* reporter) : reporter_(reporter) {}
  void setReporter(ErrorReporter* reporter) { reporter_ = reporter; }

  // The button's handler runs on a user click and on every performed click; binding again
  // replaces it.
  void bindButton(QAbstractButton* button, Handler handler);

  // Runs the button's handler at once and to its end, whether the button is shown, enabled or
  // not: QAbstractButton::click() would do nothing on a disabled button.
  void performClick(QAbstractButton* button) const;

  // A slot for a signal coming from the event loop: runs the handler and reports its failure.
  template <typename F>
  auto guarded(F handler) const {
    return [this, handler] { guard(handler); };
  }

 private:
  void guard(const Handler& handler) const;

  ErrorReporter* reporter_;
  QHash<const QAbstractButton*, Handler> handlers_;
};
