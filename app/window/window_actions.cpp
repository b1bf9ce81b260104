#include "app/window/window_actions.h"

#include "app/widgets/clickable_label.h"
#include "app/widgets/shift_box.h"
#include "app/widgets/up_down.h"
#include "app/window/form1.h"
#include "app/window/layer_statistics_panel.h"
#include "compare/clock_shift.h"
#include "flight/flight_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <cmath>

namespace {

// As the user picks from the list: the selection changes and the box's handler runs.
void pickIn(QComboBox* box, const QString& item) {
  bool isIndex = false;
  const int index = item.startsWith('#') ? item.mid(1).toInt(&isIndex) : box->findText(item, Qt::MatchExactly);
  if (index < 0 || index >= box->count() || (item.startsWith('#') && !isIndex))
    throw FlightError(Message(MessageId::NoItem, {item.toStdString(), box->objectName().toStdString()}));
  box->setCurrentIndex(index);
  emit box->activated(index);
}

}  // namespace

WindowActions::WindowActions(TForm1& form) : form_(form) { form_.setFileChooser(&chooser_); }

void WindowActions::open(int slot, const QByteArray& fileName) {
  chooser_.choose(fileName);
  form_.slotWidgets(slot).openButton->click();
}

void WindowActions::cancelOpen(int slot) {
  chooser_.cancel();
  form_.slotWidgets(slot).openButton->click();
}

void WindowActions::tickSeparator(bool point) {
  QCheckBox* box = point ? form_.CheckBox2 : form_.CheckBox3;
  if (!box->isChecked()) box->click();
}

void WindowActions::setRegionalSeparator(char separator) {
  form_.regionalSeparator = separator;
  form_.mirrorRegionalSeparator();
}

void WindowActions::pick(int slot, List list, const QString& item) {
  const TForm1::SlotWidgets widgets = form_.slotWidgets(slot);
  pickIn(list == List::Height ? widgets.heightBox : widgets.parameterBox, item);
}

// By name only: the list's first item stands for none, so its indexes are not the columns'.
void WindowActions::pickUncertainty(int slot, const QString& name) {
  QComboBox* box = form_.uncertaintyBox(slot);
  const int index = name == "none" ? 0 : box->findText(name, Qt::MatchExactly);
  if (index < 0) throw FlightError(Message(MessageId::NoItem, {name.toStdString(), box->objectName().toStdString()}));
  pickIn(box, QStringLiteral("#%1").arg(index));
}

void WindowActions::type(int slot, List list, const QString& text) {
  const TForm1::SlotWidgets widgets = form_.slotWidgets(slot);
  QLineEdit* edit = (list == List::Height ? widgets.heightBox : widgets.parameterBox)->lineEdit();
  edit->setText(text);
  emit edit->textEdited(text);
}

void WindowActions::quickSelect(const QString& caption) {
  for (QPushButton* button : {form_.Button4, form_.Button5, form_.Button2, form_.Button6, form_.Button7})
    if (button->text() == caption) button->click();
}

void WindowActions::stepCorrection(bool up, int count) {
  for (int i = 0; i < count; ++i) up ? form_.UpDown1->stepUp() : form_.UpDown1->stepDown();
}

void WindowActions::toggleCorrectionStep() { emit form_.Label4->clicked(); }

void WindowActions::setPlus(bool on) {
  if (form_.CheckBox1->isChecked() != on) form_.CheckBox1->click();
}

void WindowActions::setSlowChannel(const QString& text) { form_.Edit2->setText(text); }

void WindowActions::setMatching(bool inTime) { form_.Statistics->matchingBox->setCurrentIndex(inTime ? 1 : 0); }

void WindowActions::setShift(const QString& shift) {
  LayerStatisticsPanel* panel = form_.Statistics;
  if (shift == QStringLiteral("auto")) {
    if (!panel->autoShiftButton->isChecked()) panel->autoShiftButton->click();
    return;
  }
  bool isNumber = false;
  // As the box takes them: to the tenth.
  const double tenths = 1 / kShiftStep;
  const double seconds = std::round(shift.toDouble(&isNumber) * tenths) / tenths;
  ShiftBox* box = panel->shiftBox;
  if (!isNumber || !(seconds > box->minimum() && seconds <= box->maximum()))
    throw FlightError(Message(MessageId::NotAFloatingPointValue, {shift.toStdString()}));
  // Typed as the operator types them: the seconds, even those the box shows as found, are then
  // the operator's own.
  {
    const QSignalBlocker quiet(box);
    box->setValue(seconds);
  }
  emit box->valueChanged(box->value());
}

void WindowActions::pickTime(int slot, const QString& item) { pickIn(form_.Statistics->timeBoxes[slot - 1], item); }
