// A slot's widgets render what the workspace holds of it: its file, legend title and lists, and
// the columns picked. Setting lists and selections runs no change handler: those answer only the
// user's own changes.
#include "app/window/form1.h"

#include "app/support/shown_text.h"
#include "app/widgets/chart_series.h"

#include <QComboBox>
#include <QLabel>

namespace {

void setCaption(QLabel* label, const QString& caption) {
  label->setText(caption);
  label->adjustSize();
}

}  // namespace

// A read may give another slot's flight a twin label, so every slot's title is set afresh.
void TForm1::showLegendTitles() {
  for (int slot = 1; slot <= 3; ++slot) {
    ChartSeries* series = slotWidgets(slot).series;
    series->setLegendTitle(shownText(workspace_.legendTitle(slot)));
    series->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
  }
}

// A column's name from a file shows as any text from a file: what the axes and pictures take
// from the lists is safe to show too.
void TForm1::showSlot(int slot) {
  const SlotState& state = workspace_.slot(slot);
  const SlotWidgets widgets = slotWidgets(slot);
  setCaption(widgets.fileLabel, QString::fromStdString(state.fileLabel));
  showLegendTitles();
  for (QComboBox* box : {widgets.heightBox, widgets.parameterBox}) {
    box->clear();
    for (const std::string& name : state.columns) box->addItem(shownText(name));
  }
  widgets.heightBox->setCurrentIndex(state.height);
  widgets.parameterBox->setCurrentIndex(state.parameter);
  if (state.rowCount) setCaption(Label5, QString::number(*state.rowCount));
}
