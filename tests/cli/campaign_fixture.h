#pragma once

#include "tests/cli/batch_fixture.h"
#include "tests/generator/reference_products.h"

#include <QFile>

// Two generated flights and lists of them in the test's folder; the program runs from there.
class CampaignBatch : public Batch {
 protected:
  void SetUp() override {
    FlightRecipe sonde;
    sonde.rows = 400;
    sonde.noise = 0.3;
    generated("a.txt", sonde);
    FlightRecipe other = sonde;
    other.seed = 1;
    generated("c.txt", other);
    FlightRecipe comma = sonde;
    comma.decimal = ',';
    generated("comma.txt", comma);
    FlightRecipe reference;
    reference.layout = Layout::Vre;
    reference.rows = 400;
    generated("b.txt", reference);
    list("list.csv",
         "flight1,flight2,group\na.txt,b.txt,day\na.txt,gone.txt,night\n\"c.txt\",b.txt,night\nb.txt,a.txt,day\n");
    list("good.csv", "flight1,flight2\na.txt,b.txt\n");
    list("comma.csv", "flight1,flight2\ncomma.txt,b.txt\n");
  }

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
