#pragma once

#include "tests/support/temp_folder.h"
#include "tests/generator/flight_generator.h"

#include <QDir>
#include <QFile>

// A list of three pairs of generated flights, in groups "rs41" and "m10": two compared, the
// third skipped for its missing flight 2.
class GeneratedCampaign {
 public:
  GeneratedCampaign() {
    FlightRecipe sonde;
    sonde.rows = 300;
    sonde.bias = 0.3;
    sonde.noise = 0.1;
    FlightRecipe reference;
    reference.rows = 300;
    reference.layout = Layout::Sct;
    writeFlight(path("a1.txt"), sonde);
    writeFlight(path("b1.txt"), reference);
    writeFlight(path("a2.txt"), sonde);
    writeFlight(path("b2.txt"), reference);
    QFile file(list());
    file.open(QIODevice::WriteOnly);
    file.write("flight1,flight2,group\na1.txt,b1.txt,rs41\na2.txt,b2.txt,m10\na1.txt,gone.txt,m10\n");
  }

  std::string path(const char* name) const { return QFile::encodeName(folder_.filePath(name)).toStdString(); }
  QString list() const { return folder_.filePath("list.csv"); }
  QString folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
};
