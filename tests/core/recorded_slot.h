#pragma once

#include "slot_controls.h"

#include <string>
#include <vector>

// The controls of a slot as plain values, behaving as the window's do: clearing a list leaves
// no item selected.
struct RecordedSlot : SlotControls {
  void setFileLabel(const std::string& fileName) override { label = fileName; }
  void setLegendTitle(const std::string& title) override { legend = title; }
  void clearParameterLists() override {
    items.clear();
    height = parameter = -1;
  }
  void addParameter(const std::string& name) override { items.push_back(name); }
  void selectHeight(int index) override { height = index; }
  void selectParameter(int index) override { parameter = index; }
  void showRowCount(int count) override { rowCountShown = count; }

  std::string label, legend;
  std::vector<std::string> items;
  int height = -1, parameter = -1, rowCountShown = -1;
};
