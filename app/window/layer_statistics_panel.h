#pragma once

#include "compare/layer_statistics.h"

#include <QLocale>
#include <QWidget>

#include <optional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QToolButton;
class ShiftBox;

// The first item of an uncertainty box: the flight's differences are not judged.
inline const QString kNoUncertainty = QStringLiteral("нет");
class QTableWidget;

// The difference of flight 1 from flight 2 layer by layer, beside the comparison chart: bias,
// standard deviation and number of points per layer, for a layer thickness the operator picks,
// and where the flights have uncertainties, the mean u_c and the shares within 1, 2 and 3 u_c.
// It shows the layers the workspace counted; the window recounts them for a new thickness. Above
// the table stand the choices of flight 1's and flight 2's uncertainty columns, and how flight 2
// is matched to flight 1's rows: by height, or in time with the shift of its clock and the time
// column of each.
class LayerStatisticsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit LayerStatisticsPanel(QWidget* parent);

  // In the notation of the numbers beside it: the comparison chart's axes.
  void showLayers(const std::vector<LayerStatistics>& layers, const QLocale& notation);
  double thickness() const;
  // The width that shows every column of the table as it stands.
  int neededWidth() const;

  // What is known of the uncertainty chosen for flight 1 or 2, under its box's tip.
  void setUncertaintyNote(int slot, const QString& note);
  // What the pair on screen compares, under the table's tip.
  void setComparedFacts(const QString& facts);
  // A warning above the table, shown while it holds a text.
  void setWarning(const QString& warning);
  // What the comparison in time found of the clocks, above the table; hidden while empty.
  void setShiftCaption(const QString& caption);

  // The shift the operator typed; nothing while "авто" is pressed, the shift then being found.
  std::optional<double> typedShift() const;
  // Shows the shift the comparison used without taking it as typed; with none used (NaN), "авто"
  // while the shift is to be found.
  void showShift(double seconds);
  // The time choices are there while the flights are matched in time.
  void enableTimeChoices(bool inTime);

 signals:
  // The operator typed a shift, or pressed or released "авто".
  void shiftEdited();

 public:  // the controls, for the window's handlers

  QComboBox* thicknessBox;
  // Flight 1's and flight 2's: "нет", then the flight's columns in the order of its lists.
  QComboBox* uncertaintyBoxes[2];
  QComboBox* matchingBox;  // "по высоте", "по времени"
  ShiftBox* shiftBox;  // "авто" before any is found
  QToolButton* autoShiftButton;  // pressed: the shift is found
  // Flight 1's and flight 2's time column, in the order of their lists.
  QComboBox* timeBoxes[2];
  QLabel* shiftCaption;
  QTableWidget* table;
  QLabel* warning;

 private:
  QHBoxLayout* createMatchingRow();
  QHBoxLayout* createShiftRow();
  QHBoxLayout* createTimeRow();
  // Flight 1's and flight 2's box of one choice side by side, each after its letter and slot.
  QHBoxLayout* slotChoiceRow(QComboBox* const (&boxes)[2], const QString& letter, const QString& name,
                             QString (*tip)(int));
};
