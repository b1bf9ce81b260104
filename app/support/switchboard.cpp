#include "app/support/switchboard.h"

#include "app/support/error_reporter.h"
#include "flight/flight_error.h"

#include <QAbstractButton>

#include <exception>

void Switchboard::bindButton(QAbstractButton* button, Handler handler) {
  const bool firstBinding = !handlers_.contains(button);
  handlers_.insert(button, std::move(handler));
  if (firstBinding)
    QObject::connect(button, &QAbstractButton::clicked, button,
                     guarded([this, button] { performClick(button); }));
}

void Switchboard::performClick(QAbstractButton* button) const {
  const auto handler = handlers_.find(button);
  if (handler != handlers_.end()) (*handler)();
}

void Switchboard::guard(const Handler& handler) const {
  const auto report = [this](const std::exception& error) { reporter_->report(messageOf(error)); };
  try {
    handler();
  } catch (const SuccessiveFailures& failures) {
    for (const std::exception_ptr& failure : {failures.first, failures.then}) {
      try {
        std::rethrow_exception(failure);
      } catch (const std::exception& error) {
        report(error);
      }
    }
  } catch (const std::exception& error) {
    report(error);
  }
}
