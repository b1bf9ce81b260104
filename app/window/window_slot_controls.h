#pragma once

#include "flight/slot_controls.h"

class QComboBox;
class QLabel;
class ChartSeries;

// A slot's widgets as the reader sees them. Setting lists and selections here runs no change
// handler: those answer only the user's own changes.
class WindowSlotControls : public SlotControls {
 public:
  WindowSlotControls(QLabel* fileLabel, ChartSeries* series, QComboBox* heightBox,
                     QComboBox* parameterBox, QLabel* rowCountLabel)
      : fileLabel_(fileLabel), series_(series), heightBox_(heightBox),
        parameterBox_(parameterBox), rowCountLabel_(rowCountLabel) {}

  void setFileLabel(const std::string& fileName) override;
  void setLegendTitle(const std::string& title) override;
  void clearParameterLists() override;
  void addParameter(const std::string& name) override;
  void selectHeight(int index) override;
  void selectParameter(int index) override;
  void showRowCount(int count) override;

 private:
  QLabel* fileLabel_;
  ChartSeries* series_;
  QComboBox* heightBox_;
  QComboBox* parameterBox_;
  QLabel* rowCountLabel_;
};
