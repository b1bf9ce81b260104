#pragma once

#include <string>

// What a read shows on the window for its slot: the window implements this over its widgets,
// tests over plain values. Nothing here runs a change handler.
class SlotControls {
 public:
  virtual ~SlotControls() = default;
  virtual void setFileLabel(const std::string& fileName) = 0;
  virtual void setLegendTitle(const std::string& title) = 0;
  // Both combo boxes of the slot hold the parameter list.
  virtual void clearParameterLists() = 0;
  virtual void addParameter(const std::string& name) = 0;
  virtual void selectHeight(int index) = 0;
  virtual void selectParameter(int index) = 0;
  // The row count of a Шифр file, on the one label all slots share.
  virtual void showRowCount(int count) = 0;
};
