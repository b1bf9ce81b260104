#pragma once

#include "flight/slot_controls.h"

#include <functional>
#include <string>
#include <vector>

// What a read running aside shows for its slot, held until the window's own thread shows it on
// the slot's widgets, in the order the read showed it.
class HeldSlotControls : public SlotControls {
 public:
  void setFileLabel(const std::string& fileName) override { hold(&SlotControls::setFileLabel, fileName); }
  void setLegendTitle(const std::string& title) override { hold(&SlotControls::setLegendTitle, title); }
  void clearParameterLists() override {
    held_.push_back([](SlotControls& controls) { controls.clearParameterLists(); });
  }
  void addParameter(const std::string& name) override { hold(&SlotControls::addParameter, name); }
  void selectHeight(int index) override { hold(&SlotControls::selectHeight, index); }
  void selectParameter(int index) override { hold(&SlotControls::selectParameter, index); }
  void showRowCount(int count) override { hold(&SlotControls::showRowCount, count); }

  void showOn(SlotControls& controls) const {
    for (const auto& shown : held_) shown(controls);
  }

 private:
  template <typename Value>
  void hold(void (SlotControls::*show)(Value), std::decay_t<Value> value) {
    held_.push_back([show, value](SlotControls& controls) { (controls.*show)(value); });
  }

  std::vector<std::function<void(SlotControls&)>> held_;
};
