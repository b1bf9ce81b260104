#pragma once

#include "compare/layer_statistics.h"

#include <QWidget>

class QComboBox;
class QTableWidget;

// The difference of flight 1 from flight 2 layer by layer, beside the comparison chart: bias,
// standard deviation and number of points per layer, for a layer thickness the operator picks.
// Every redraw hands it the comparison points; a new thickness recounts them.
class LayerStatisticsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit LayerStatisticsPanel(QWidget* parent);

  void setComparison(const CurvePoints& comparison);
  double thickness() const;
  const std::vector<LayerStatistics>& statistics() const { return statistics_; }

  QComboBox* thicknessBox;
  QTableWidget* table;

 private:
  void recount();

  CurvePoints comparison_;
  std::vector<LayerStatistics> statistics_;
};
