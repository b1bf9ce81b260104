#pragma once

#include "flight/read_choices.h"

#include <string>

// The controls of a slot as plain values, behaving as the window's do.
struct RecordedSlot : ReadChoices {
  void setFileLabel(const std::string& fileName) override { label = fileName; }
  void setLegendTitle(const std::string& title) override { legend = title; }
  void showRowCount(int count) override { rowCountShown = count; }

  std::string label, legend;
  int rowCountShown = -1;
};
