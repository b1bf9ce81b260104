#include "app/support/error_reporter.h"

#include "app/support/message_translation.h"

#include <QMessageBox>

void MessageBoxReporter::report(const Message& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("FlightCompare"), translatedMessage(message), QMessageBox::Ok,
                  parent_);
  // Messages quote file names and fields, which may look like markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}
