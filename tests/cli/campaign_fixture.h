#pragma once

#include "tests/cli/batch_fixture.h"
#include "tests/generator/reference_products.h"
#include "tests/support/campaign_files.h"

#include <QFile>

// The shared campaign in the test's folder; the program runs from there.
class CampaignBatch : public Batch {
 protected:
  void SetUp() override { writeCampaign(folder); }

  void list(const QString& name, const QByteArray& text) { written(name, text); }

  // A GRUAN-like product, written from its CDL by ncgen.
  void product(const QString& name, const FlightRecipe& recipe) {
    const QString cdl = written(name + ".cdl", QByteArray::fromStdString(gruanProductCdl(recipe)));
    EXPECT_EQ(QProcess::execute(NCGEN, {"-k", "nc4", "-b", "-o", folder.filePath(name), cdl}), 0);
  }

  // From the test's folder, where the lists are; the shell runs `before` first (limits, the
  // environment, where the output goes).
  BatchResult campaign(const QStringList& arguments, const QString& before = {}, const QString& after = {}) {
    return runShell("cd \"$1\" && shift && " + before + " exec \"$0\" \"$@\" " + after,
                    QStringList{folder.path()} + arguments);
  }

  QByteArray output(const QString& name) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};
