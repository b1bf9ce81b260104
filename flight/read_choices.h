#pragma once

#include "flight/slot_controls.h"

#include <string>
#include <vector>

// The parameter list and the choices a read makes, kept as a slot's combo boxes keep them:
// clearing the list leaves no item selected. For reads that nobody watches.
class ReadChoices : public SlotControls {
 public:
  void setFileLabel(const std::string&) override {}
  void setLegendTitle(const std::string&) override {}
  void clearParameterLists() override {
    items.clear();
    height = parameter = -1;
  }
  void addParameter(const std::string& name) override { items.push_back(name); }
  void selectHeight(int index) override { height = index; }
  void selectParameter(int index) override { parameter = index; }
  void showRowCount(int) override {}

  std::vector<std::string> items;
  int height = -1, parameter = -1;
};
