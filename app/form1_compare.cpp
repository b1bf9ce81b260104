// The comparison redraw, behind the hidden button Compare.
#include "form1.h"

#include "chart_series.h"
#include "layer_statistics_panel.h"
#include "up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>


void TForm1::CompareClick() {
  // Emptied first: a redraw that fails leaves the charts empty.
  for (ChartSeries* series : {Series1, Series2, Series3, Series4, Series5}) series->data()->clear();
  Chart1->replot(QCustomPlot::rpQueuedReplot);
  Chart2->replot(QCustomPlot::rpQueuedReplot);
  Statistics->setComparison({});

  RedrawRequest request;
  for (int slot = 1; slot <= 3; ++slot) {
    const SlotWidgets widgets = slotWidgets(slot);
    request.flights[slot - 1] = {widgets.heightBox->currentIndex(), widgets.parameterBox->currentIndex(),
                                 widgets.parameterBox->count()};
  }
  request.correction = UpDown1->position();
  request.plus = CheckBox1->isChecked();
  request.slowChannelText = Edit2->text().toStdString();
  compareFlights(request, redrawPoints_);

  Series1->setPoints(redrawPoints_.flight1.x, redrawPoints_.flight1.y);
  Series2->setPoints(redrawPoints_.flight2.x, redrawPoints_.flight2.y);
  Series5->setPoints(redrawPoints_.flight3.x, redrawPoints_.flight3.y);
  Series3->setPoints(redrawPoints_.comparison.x, redrawPoints_.comparison.y);
  Series4->setPoints(redrawPoints_.average.x, redrawPoints_.average.y);
  Statistics->setComparison(redrawPoints_.comparison);
  for (QCustomPlot* chart : {Chart1, Chart2}) {
    fitChartToData(chart);
    chart->replot();
  }
}
