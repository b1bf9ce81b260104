#pragma once

#include "flight/messages.h"

#include <QString>
#include <QStringList>

class QWidget;

// Where the messages of failed handlers go: a message box in the window, a recorder in tests
// and in batch mode.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void report(const Message& message) = 0;
};

class MessageBoxReporter : public ErrorReporter {
 public:
  explicit MessageBoxReporter(QWidget* parent) : parent_(parent) {}
  void report(const Message& message) override;

 private:
  QWidget* parent_;
};

class ErrorRecorder : public ErrorReporter {
 public:
  void report(const Message& message) override { messages.append(QString::fromStdString(message.english())); }
  QStringList messages;
};
