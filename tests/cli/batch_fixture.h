#pragma once

#include "tests/support/temp_folder.h"
#include "tests/generator/flight_generator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

struct BatchResult {
  int exitCode;
  QJsonObject state;
  QString errorOutput;
  QString output;
};

class Batch : public ::testing::Test {
 protected:
  // The steps, then the state as JSON on standard output.
  BatchResult run(const QStringList& steps) { return runShell(R"(exec "$0" --batch "$@" --json -)", steps); }

  // A shell script that runs the program as "$0" with the arguments: for limits and for names
  // that are no UTF-8.
  BatchResult runShell(const QString& script, const QStringList& arguments) {
    QProcess program;
    program.start("/bin/sh", QStringList{"-c", script, FLIGHTCOMPARE_BINARY} + arguments);
    EXPECT_TRUE(program.waitForFinished(60000)) << "the program did not end";
    const QByteArray output = program.readAllStandardOutput();
    return {program.exitCode(), QJsonDocument::fromJson(output).object(),
            QString::fromUtf8(program.readAllStandardError()), QString::fromUtf8(output)};
  }

  QString generated(const QString& name, const FlightRecipe& recipe) {
    const QString path = folder.filePath(name);
    writeFlight(path.toStdString(), recipe);
    return path;
  }

  // A file of these bytes in the test's folder.
  QString written(const QString& name, const QByteArray& bytes) {
    return QString::fromStdString(folder.write(name.toStdString(), bytes.toStdString()));
  }

  TempFolder folder;
};

inline QJsonObject slot(const BatchResult& result, int index) {
  return result.state["slots"].toArray()[index - 1].toObject();
}
