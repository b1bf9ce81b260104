// The readers of the three flight slots, behind the hidden buttons Polus, Polus2 and Polus3.
#include "form1.h"

#include "flight_reader.h"
#include "window_slot_controls.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>

namespace {
const QString kOpenFilter =
    QStringLiteral("Special files|*.TXT;*.raw;*.TAE3;*.T3;*.TAE03;*.int|Any file (*.*)|*.*");
}

void TForm1::PolusClick() { readSlot(1, OpenDialog1, Label1, Series1, ComboBox1, ComboBox2); }
void TForm1::Polus2Click() { readSlot(2, OpenDialog2, Label2, Series2, ComboBox3, ComboBox4); }
void TForm1::Polus3Click() { readSlot(3, OpenDialog3, Label7, Series5, ComboBox5, ComboBox6); }

void TForm1::readSlot(int slot, OpenDialog& dialog, QLabel* fileLabel, ChartSeries* series,
                      QComboBox* heightBox, QComboBox* parameterBox) {
  dialog.filter = kOpenFilter;
  // A cancelled dialog leaves everything as it was.
  if (!fileChooser_->execute(dialog)) return;
  WindowSlotControls controls(fileLabel, series, heightBox, parameterBox, Label5);
  readFlightFile(slot, QFile::encodeName(dialog.fileName).toStdString(), decimalSeparators(), controls);
  switchboard.performClick(Compare);
}

DecimalSeparators TForm1::decimalSeparators() const {
  return {CheckBox2->isChecked() ? '.' : ',', regionalSeparator};
}
