// Which columns hold the uncertainties that flight 1's and flight 2's differences are judged by.
#include "app/window/form1.h"

#include "app/output/chart_titles.h"
#include "app/presentation/captions.h"
#include "app/widgets/legend_tool_tip.h"
#include "app/widgets/uncertainty_band.h"
#include "app/window/layer_statistics_panel.h"
#include "compare/quick_select.h"
#include "compare/uncertainty.h"
#include "flight/flight_tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

QComboBox* TForm1::uncertaintyBox(int slot) const {
  return slot == 1 || slot == 2 ? Statistics->uncertaintyBoxes[slot - 1] : nullptr;
}

void TForm1::listUncertainties(int slot) {
  QComboBox* box = uncertaintyBox(slot);
  if (!box) return;
  const QComboBox* parameters = slotWidgets(slot).parameterBox;
  box->clear();
  box->addItem(kNoUncertainty);
  for (int i = 0; i < parameters->count(); ++i) box->addItem(parameters->itemText(i));
  chooseUncertainty(slot);
}

void TForm1::chooseUncertainty(int slot) {
  QComboBox* box = uncertaintyBox(slot);
  if (!box) return;
  const bool loaded = flightSlot(slot).rowCount > 0;
  box->setCurrentIndex(loaded ? 1 + automaticUncertainty(workspace_.slot(slot).parameter, flightIdentity(slot)) : 0);
  takeUncertainty(slot);
}

// The list's first item is "none".
void TForm1::takeUncertainty(int slot) { workspace_.slot(slot).uncertainty = uncertaintyBox(slot)->currentIndex() - 1; }

HeightKind TForm1::heightKindOf(int slot) const {
  return flightSlot(slot).rowCount > 0 ? flightIdentity(slot).heightKindOf(workspace_.slot(slot).height)
                                       : HeightKind::Unknown;
}

std::optional<UncertaintyRule> TForm1::judgedRule() const {
  const int u1 = workspace_.slot(1).uncertainty, u2 = workspace_.slot(2).uncertainty;
  if (CheckBox1->isChecked() || u1 < 0 || u2 < 0 || flightSlot(1).rowCount == 0 || flightSlot(2).rowCount == 0)
    return std::nullopt;
  return uncertaintyRule(flightIdentity(1), u1, flightIdentity(2), u2);
}

double TForm1::uncertaintyCoverage(int slot) const {
  return flightIdentity(slot).column(workspace_.slot(slot).uncertainty).coverageFactor;
}

// A flight's side of the comparison: its height column and kind, its parameter and unit, and
// the uncertainty it is judged by with the coverage factor stated for it.
QString TForm1::comparedFacts() const {
  QStringList lines;
  for (int slot = 1; slot <= 2; ++slot) {
    if (flightSlot(slot).rowCount == 0) continue;
    const SlotWidgets widgets = slotWidgets(slot);
    const QString unit = fromUtf8(columnUnitCaption(widgets.parameterBox->currentText().toStdString()));
    const QComboBox* uncertainty = uncertaintyBox(slot);
    lines << QStringLiteral("Полёт %1: высота «%2» (%3), параметр «%4»%5, неопределённость %6")
                 .arg(slot)
                 .arg(widgets.heightBox->currentText(), fromUtf8(heightKindCaption(heightKindOf(slot))),
                      widgets.parameterBox->currentText(), unit.isEmpty() ? unit : QStringLiteral(", ") + unit,
                      uncertainty->currentIndex() > 0
                          ? QStringLiteral("«%1» (%2)").arg(uncertainty->currentText(),
                                                            fromUtf8(coverageCaption(uncertaintyCoverage(slot))))
                          : kNoUncertainty);
  }
  if (const std::optional<UncertaintyRule> rule = judgedRule())
    lines << QStringLiteral("Сложение u₁ и u₂: ") + fromUtf8(uncertaintyRuleCaption(*rule));
  return lines.join(QLatin1Char('\n'));
}

void TForm1::showJudgement() {
  for (int slot = 1; slot <= 2; ++slot)
    Statistics->setUncertaintyNote(
        slot, uncertaintyBox(slot)->currentIndex() > 0
                  ? uncertaintyBox(slot)->currentText() + QStringLiteral(": ") +
                        fromUtf8(coverageCaption(uncertaintyCoverage(slot)))
                  : QString());
  const QString facts = comparedFacts();
  Statistics->setComparedFacts(facts);
  const std::optional<UncertaintyRule> rule = judgedRule();
  setLegendToolTip(Band, rule ? QStringLiteral("±2·u_c: ") + fromUtf8(uncertaintyRuleCaption(*rule)) +
                                    QStringLiteral("\n\n") + facts
                              : QString());
  const HeightKind first = heightKindOf(1), second = heightKindOf(2);
  Statistics->setWarning(heightKindsDiffer(first, second)
                             ? QStringLiteral("Высоты разного вида: полёт 1 — %1, полёт 2 — %2")
                                   .arg(fromUtf8(heightKindCaption(first)), fromUtf8(heightKindCaption(second)))
                             : QString());
}

void TForm1::UncertaintyBoxChange() {
  for (int slot : {1, 2}) takeUncertainty(slot);
  switchboard.performClick(Compare);
}
