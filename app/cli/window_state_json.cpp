#include "app/cli/window_state_json.h"

#include "app/support/shown_text.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/clickable_label.h"
#include "app/widgets/uncertainty_band.h"
#include "app/widgets/up_down.h"
#include "app/window/form1.h"
#include "app/window/layer_statistics_panel.h"
#include "compare/uncertainty.h"
#include "flight/flight_tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QUuid>
#include <QLineEdit>

#include <cmath>

namespace {

// Stands for −0 in the tree until the text is written: a string no file can give, since it is
// new in each run.
const QString& negativeZeroMarker() {
  static const QString marker = QUuid::createUuid().toString(QUuid::WithoutBraces);
  return marker;
}

// JSON has no infinities or NaN: a number without a finite value is null.
QJsonValue number(double value) {
  if (value == 0 && std::signbit(value)) return negativeZeroMarker();
  return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
}

QString kindName(HeightKind kind) {
  const std::string_view name = heightKindName(kind);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Who flew, when and where; null while the slot holds no flight.
QJsonValue identityJson(const FlightIdentity& identity, int selectedHeight) {
  if (identity.path.empty()) return QJsonValue();
  QJsonObject flight{{"label", QString::fromStdString(identity.label())},
                     {"path", QFile::decodeName(QByteArray::fromStdString(identity.path))},
                     {"size", static_cast<double>(identity.size)},
                     {"modified", QString::fromStdString(identity.modified)},
                     {"format", QString::fromStdString(identity.format)},
                     {"latitude", number(identity.latitude)},
                     {"longitude", number(identity.longitude)},
                     {"altitude", number(identity.altitude)},
                     {"heightKind", kindName(identity.heightKindOf(selectedHeight))}};
  for (const IdentityText& text : kIdentityTexts)
    flight.insert(QLatin1String(text.name), QString::fromStdString(identity.*text.field));
  return flight;
}

// The name of the column chosen as the slot's uncertainty; null for none, and for slot 3.
QJsonValue uncertaintyJson(const TForm1& form, int slot) {
  const SlotState& state = form.workspace().slot(slot);
  return slot != 3 && state.uncertainty >= 0 ? QJsonValue(shownText(state.columns[state.uncertainty])) : QJsonValue();
}

// What the chosen uncertainty's coverage factor says of it; null where none is chosen.
QJsonValue coverageNoteJson(const TForm1& form, int slot) {
  if (uncertaintyJson(form, slot).isNull()) return QJsonValue();
  return QString::fromStdString(coverageStatement(form.uncertaintyCoverage(slot)));
}

QJsonValue ruleJson(const TForm1& form) {
  const std::optional<UncertaintyRule> rule = form.judgedRule();
  if (!rule) return QJsonValue();
  const std::string_view name = uncertaintyRuleName(*rule);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Flight 1 and flight 2 compared at heights of different known kinds; null while they are not.
QJsonValue heightWarningJson(const TForm1& form) {
  const HeightKind first = form.heightKindOf(1), second = form.heightKindOf(2);
  if (!heightKindsDiffer(first, second)) return QJsonValue();
  return "heights of different kinds are compared: flight 1 " + kindName(first) + ", flight 2 " + kindName(second);
}

// The slot as the workspace holds it; its caption and legend title as the window shows them.
QJsonObject slotJson(const TForm1& form, int slot, const QString& label, const QString& legend) {
  const SlotState& state = form.workspace().slot(slot);
  QJsonArray columns;
  for (const std::string& column : state.columns) columns.append(shownText(column));
  return {{"rows", flightSlot(slot).rowCount},
          {"uncertainty", uncertaintyJson(form, slot)},
          {"uncertaintyCoverage",
           uncertaintyJson(form, slot).isNull() ? QJsonValue() : number(form.uncertaintyCoverage(slot))},
          {"uncertaintyNote", coverageNoteJson(form, slot)},
          {"label", label},
          {"legend", legend},
          {"heightItems", columns},
          {"heightIndex", state.height},
          {"paramItems", columns},
          {"paramIndex", state.parameter},
          {"timeIndex", state.time},
          {"flight", identityJson(form.flightIdentity(slot), state.height)}};
}

// How flight 2 was matched, and in time the shift of its clock the last redraw used (null
// before one did) with what it says of the clocks.
QJsonObject matchingJson(const Workspace& workspace) {
  if (workspace.matchBy == MatchBy::Height) return {{"by", matchName(MatchBy::Height)}};
  const ClockShift& shift = workspace.clockShift();
  const auto optional = [](const std::optional<int>& seconds) { return seconds ? QJsonValue(*seconds) : QJsonValue(); };
  return {{"by", matchName(MatchBy::Time)},
          {"shift", number(shift.shift)},
          {"auto", !workspace.shift},
          {"misfit", number(shift.misfit)},
          {"heightDifference", number(shift.heightDifference)},
          {"sharpness", number(shift.sharpness)},
          {"expected", number(shift.expected)},
          {"atEdge", shift.atEdge},
          {"flat", shift.flat},
          {"clockSeconds", optional(shift.clockSeconds)}};
}

QJsonObject seriesJson(const ChartSeries& drawn, const CurvePoints& redrawn) {
  QJsonArray points;
  for (const QCPCurveData& point : *drawn.data()) points.append(QJsonArray{number(point.key), number(point.value)});
  QJsonObject series{{"visible", drawn.visible()}, {"points", points}};
  // The comparison's: each point's u_c, while the flights are judged.
  if (!redrawn.uncertainty.empty()) {
    QJsonArray uncertainties;
    for (double uncertainty : redrawn.uncertainty) uncertainties.append(number(uncertainty));
    series.insert("uncertainty", uncertainties);
  }
  return series;
}

QJsonArray layersJson(const std::vector<LayerStatistics>& layers) {
  QJsonArray rows;
  for (const LayerStatistics& layer : layers) {
    const ConsistencyTally& consistency = layer.consistency;
    rows.append(QJsonObject{{"bottom", number(layer.bottom)},
                            {"top", number(layer.top)},
                            {"bias", number(layer.mean)},
                            {"standardDeviation", number(layer.sd)},
                            {"count", static_cast<qint64>(layer.points)},
                            {"ucMean", number(consistency.meanUncertainty())},
                            {"within1", number(consistency.shareWithin(1))},
                            {"within2", number(consistency.shareWithin(2))},
                            {"within3", number(consistency.shareWithin(3))}});
  }
  return rows;
}

}  // namespace

QJsonObject windowStateJson(const TForm1& form, const QJsonArray& errors) {
  QJsonObject series;
  for (const TForm1::DrawnSeries& drawn : form.drawnSeries())
    series.insert(drawn.series->ownName(), seriesJson(*drawn.series, *drawn.points));
  QJsonArray slotObjects;
  for (int slot = 1; slot <= 3; ++slot) {
    const TForm1::SlotWidgets widgets = form.slotWidgets(slot);
    slotObjects.append(slotJson(form, slot, widgets.fileLabel->text(), widgets.series->legendTitle()));
  }
  return {
      {"caption", form.windowTitle()},
      {"slots", slotObjects},
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
      {"layers", layersJson(form.workspace().layers())},
      {"layerThickness", form.workspace().layerThickness()},
      {"matching", matchingJson(form.workspace())},
      {"band", QJsonObject{{"shown", form.Band->holdsBand()}, {"visible", form.Band->visible()}}},
      {"uncertaintyRule", ruleJson(form)},
      {"heightWarning", heightWarningJson(form)},
      {"errors", errors},
  };
}

QByteArray windowStateText(const QJsonObject& state) {
  QByteArray text = QJsonDocument(state).toJson(QJsonDocument::Compact);
  return text.replace('"' + negativeZeroMarker().toLatin1() + '"', "-0.0");
}
