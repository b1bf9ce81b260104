// How flight 2 is matched to flight 1's rows: at flight 1's height, or at the same moment with
// the shift of flight 2's clock, each flight's time read from the column chosen for it.
#include "app/window/form1.h"

#include "app/output/chart_titles.h"
#include "app/presentation/matching_captions.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/layer_statistics_panel.h"
#include "flight/flight_tables.h"

#include <QComboBox>
#include <QPushButton>

void TForm1::listTimes(int slot) {
  if (slot > 2) return;
  QComboBox* box = Statistics->timeBoxes[slot - 1];
  const QComboBox* parameters = slotWidgets(slot).parameterBox;
  box->clear();
  for (int i = 0; i < parameters->count(); ++i) box->addItem(parameters->itemText(i));
  box->setCurrentIndex(workspace_.slot(slot).time);
}

void TForm1::MatchingChange() {
  const bool inTime = Statistics->matchingBox->currentIndex() == 1;
  workspace_.matchBy = inTime ? MatchBy::Time : MatchBy::Height;
  Statistics->enableTimeChoices(inTime);
  switchboard.performClick(Compare);
}

void TForm1::ShiftChange() {
  workspace_.shift = Statistics->typedShift();
  switchboard.performClick(Compare);
}

void TForm1::TimeBoxChange() {
  for (int slot : {1, 2}) workspace_.slot(slot).time = Statistics->timeBoxes[slot - 1]->currentIndex();
  switchboard.performClick(Compare);
}

// After a redraw: the shift it used in its box, what it found above the table, and on Chart2's
// axis how the comparison matched.
void TForm1::showMatching() {
  const ClockShift& shift = workspace_.clockShift();
  if (workspace_.matchBy == MatchBy::Time) Statistics->showShift(shift.shift);
  // In the notation of the axes they stand beside.
  const char decimalSign = Chart2->locale().decimalPoint() == QLatin1String(",") ? ',' : '.';
  Statistics->setShiftCaption(fromUtf8(shiftFacts(shift, decimalSign)));
  Chart2->xAxis->setLabel(workspace_.matchBy == MatchBy::Time
                              ? comparisonTitle_ + QStringLiteral(" — ") + fromUtf8(matchingCaption(MatchBy::Time, shift, decimalSign))
                              : comparisonTitle_);
}
