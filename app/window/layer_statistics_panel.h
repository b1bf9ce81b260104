#pragma once

#include "compare/layer_statistics.h"

#include <QWidget>

class QComboBox;
class QLabel;

// The first item of an uncertainty box: the flight's differences are not judged.
inline const QString kNoUncertainty = QStringLiteral("нет");
class QTableWidget;

// The difference of flight 1 from flight 2 layer by layer, beside the comparison chart: bias,
// standard deviation and number of points per layer, for a layer thickness the operator picks,
// and where the flights have uncertainties, the mean u_c and the shares within 1, 2 and 3 u_c.
// It shows the layers the workspace counted; the window recounts them for a new thickness. Above
// the table stand the choices of flight 1's and flight 2's uncertainty columns.
class LayerStatisticsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit LayerStatisticsPanel(QWidget* parent);

  void showLayers(const std::vector<LayerStatistics>& layers);
  double thickness() const;
  // The width that shows every column of the table as it stands.
  int neededWidth() const;

  // What is known of the uncertainty chosen for flight 1 or 2, under its box's tip.
  void setUncertaintyNote(int slot, const QString& note);
  // What the pair on screen compares, under the table's tip.
  void setComparedFacts(const QString& facts);
  // A warning above the table, shown while it holds a text.
  void setWarning(const QString& warning);

  QComboBox* thicknessBox;
  // Flight 1's and flight 2's: "нет", then the flight's columns in the order of its lists.
  QComboBox* uncertaintyBoxes[2];
  QTableWidget* table;
  QLabel* warning;

};
