// Which columns hold the uncertainties that flight 1's and flight 2's differences are judged by.
#include "app/window/form1.h"

#include "app/window/layer_statistics_panel.h"
#include "compare/uncertainty.h"
#include "intake/flight_tables.h"

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
  const QComboBox* parameters = slotWidgets(slot).parameterBox;
  const std::vector<std::string> items = itemTexts(parameters);
  const bool loaded = flightSlot(slot).rowCount > 0;
  box->setCurrentIndex(loaded ? 1 + automaticUncertainty(items, parameters->currentIndex(), flightIdentity(slot)) : 0);
}

void TForm1::UncertaintyBoxChange() { switchboard.performClick(Compare); }
