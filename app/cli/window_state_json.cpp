#include "app/cli/window_state_json.h"

#include "app/widgets/chart_series.h"
#include "app/widgets/clickable_label.h"
#include "app/widgets/up_down.h"
#include "app/window/form1.h"
#include "intake/flight_tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace {

// JSON has no infinities or NaN: a number without a finite value is null.
QJsonValue number(double value) { return std::isfinite(value) ? QJsonValue(value) : QJsonValue(); }

QJsonArray itemsOf(const QComboBox* box) {
  QJsonArray items;
  for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
  return items;
}

QJsonObject slotJson(const TForm1& form, int slot) {
  const TForm1::SlotWidgets widgets = form.slotWidgets(slot);
  return {{"rows", flightSlot(slot).rowCount},
          {"label", widgets.fileLabel->text()},
          {"legend", widgets.series->legendTitle()},
          {"heightItems", itemsOf(widgets.heightBox)},
          {"heightIndex", widgets.heightBox->currentIndex()},
          {"paramItems", itemsOf(widgets.parameterBox)},
          {"paramIndex", widgets.parameterBox->currentIndex()}};
}

QJsonObject seriesJson(const ChartSeries* series) {
  QJsonArray points;
  for (const QCPCurveData& point : *series->data()) points.append(QJsonArray{number(point.key), number(point.value)});
  return {{"visible", series->visible()}, {"points", points}};
}

}  // namespace

QJsonObject windowStateJson(const TForm1& form, const QJsonArray& errors) {
  QJsonObject series;
  for (const TForm1::DrawnSeries& drawn : form.drawnSeries()) series.insert(drawn.series->ownName(), seriesJson(drawn.series));
  return {
      {"caption", form.windowTitle()},
      {"slots", QJsonArray{slotJson(form, 1), slotJson(form, 2), slotJson(form, 3)}},
      {"MaxHight", number(MaxHight)},
      {"MinHight", number(MinHight)},
      {"MassivsCount", MassivsCount},
      {"lowchange1Position", lowchange1Position},
      {"correction", form.UpDown1->position()},
      {"correctionStep", form.UpDown1->increment()},
      {"edit1", form.Edit1->text()},
      {"label4", form.Label4->text()},
      {"plus", form.CheckBox1->isChecked()},
      {"point", form.CheckBox2->isChecked()},
      {"comma", form.CheckBox3->isChecked()},
      {"edit2", QJsonObject{{"text", form.Edit2->text()}, {"visible", !form.Edit2->isHidden()}}},
      {"label5", form.Label5->text()},
      {"series", series},
      {"errors", errors},
  };
}
