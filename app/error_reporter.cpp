#include "error_reporter.h"

#include <QMessageBox>

void MessageBoxReporter::report(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("FlightCompare"), message, QMessageBox::Ok,
                  parent_);
  box.exec();
}
