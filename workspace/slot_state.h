#pragma once

#include "flight/quantities.h"
#include "flight/slot_controls.h"

#include <optional>
#include <string>
#include <vector>

// One slot as the operator sees it: what its last read showed (its file, legend title, column
// lists) and the columns picked in its lists. The reader writes it, the handlers pick in it, and
// the window's widgets only render it. -1 picks nothing.
class SlotState : public SlotControls {
 public:
  void setFileLabel(const std::string& fileName) override { fileLabel = fileName; }
  void setLegendTitle(const std::string& title) override { legendTitle = title; }
  void clearParameterLists() override {
    columns.clear();
    height = parameter = uncertainty = time = -1;
  }
  void addParameter(const std::string& name) override {
    columns.push_back(name);
    if (time < 0 && isTimeColumnName(name)) time = static_cast<int>(columns.size()) - 1;
  }
  void selectHeight(int index) override { height = index; }
  void selectParameter(int index) override { parameter = index; }
  void showRowCount(int count) override { rowCount = count; }

  std::string fileLabel, legendTitle;
  std::vector<std::string> columns;  // both lists, height and parameter, hold them
  int height = -1, parameter = -1;
  int uncertainty = -1;  // the column of the parameter's uncertainty; slots 1 and 2 only
  int time = -1;         // the time column a comparison in time reads; slots 1 and 2 only
  // A Шифр file's row count, shown on the one label all slots share, once the read stated it.
  std::optional<int> rowCount;
};
