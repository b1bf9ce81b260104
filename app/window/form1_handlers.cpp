// The handlers of the user's actions. They gather what the controls say and call the core.
#include "app/window/form1.h"

#include "app/widgets/clickable_label.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/up_down.h"
#include "app/window/layer_statistics_panel.h"
#include "compare/quick_select.h"
#include "compare/slow_channel.h"
#include "flight/flight_tables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The item whose text is exactly the typed one, or no item; the typed text stays as typed.
void selectTypedItem(QComboBox* box) {
  const QString typed = box->currentText();
  const int cursor = box->lineEdit()->cursorPosition();
  const int named = box->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (named == box->currentIndex()) return;
  box->setCurrentIndex(named);
  box->lineEdit()->setText(typed);
  box->lineEdit()->setCursorPosition(cursor);
}

}  // namespace

void TForm1::connectHandlers() {
  const auto bind = [this](QAbstractButton* control, void (TForm1::*handler)()) {
    switchboard.bindButton(control, [this, handler] { (this->*handler)(); });
  };
  bind(Button1, &TForm1::Button1Click);
  bind(Button3, &TForm1::Button3Click);
  bind(Button8, &TForm1::Button8Click);
  bind(Polus, &TForm1::PolusClick);
  bind(Polus2, &TForm1::Polus2Click);
  bind(Polus3, &TForm1::Polus3Click);
  bind(Compare, &TForm1::CompareClick);
  bind(Button2, &TForm1::Button2Click);
  bind(Button4, &TForm1::Button4Click);
  bind(Button5, &TForm1::Button5Click);
  bind(Button6, &TForm1::Button6Click);
  bind(Button7, &TForm1::Button7Click);

  const auto guard = [this](void (TForm1::*handler)()) {
    return switchboard.guarded([this, handler] { (this->*handler)(); });
  };
  connect(UpDown1, &UpDown::clicked, this, guard(&TForm1::UpDown1Click));
  connect(Label4, &ClickableLabel::clicked, this, guard(&TForm1::Label4Click));
  // A check box acts on every change of its state, by the user or by the program.
  connect(CheckBox1, &QCheckBox::toggled, this, guard(&TForm1::CheckBox1Click));
  connect(CheckBox2, &QCheckBox::toggled, this, guard(&TForm1::CheckBox2Click));
  connect(CheckBox3, &QCheckBox::toggled, this, guard(&TForm1::CheckBox3Click));
  connect(Edit2, &QLineEdit::textChanged, this, guard(&TForm1::Edit2Change));

  // A combo box acts only on the user's own change: a pick from the list or typing. The program
  // sets lists and selections without running these. Typed text selects the item it names, or
  // none.
  const auto onUserChange = [&](QComboBox* box, void (TForm1::*handler)()) {
    connect(box, &QComboBox::activated, this, guard(handler));
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [box] { selectTypedItem(box); });
    connect(box->lineEdit(), &QLineEdit::textEdited, this, guard(handler));
  };
  onUserChange(ComboBox1, &TForm1::ComboBox1Change);
  onUserChange(ComboBox2, &TForm1::ComboBox2Change);
  onUserChange(ComboBox3, &TForm1::ComboBox3Change);
  onUserChange(ComboBox4, &TForm1::ComboBox4Change);
  onUserChange(ComboBox5, &TForm1::ComboBox3Change);
  onUserChange(ComboBox6, &TForm1::ComboBox3Change);
  for (int slot : {1, 2}) connect(uncertaintyBox(slot), &QComboBox::activated, this, guard(&TForm1::UncertaintyBoxChange));
  // The thickness also changes as the window takes up the remembered one.
  connect(Statistics->thicknessBox, &QComboBox::currentIndexChanged, this, guard(&TForm1::LayerThicknessChange));
  // The matching also changes as the window takes up the remembered one.
  connect(Statistics->matchingBox, &QComboBox::currentIndexChanged, this, guard(&TForm1::MatchingChange));
  connect(Statistics, &LayerStatisticsPanel::shiftEdited, this, guard(&TForm1::ShiftChange));
  for (QComboBox* box : Statistics->timeBoxes) connect(box, &QComboBox::activated, this, guard(&TForm1::TimeBoxChange));
}

void TForm1::LayerThicknessChange() {
  workspace_.setLayerThickness(Statistics->thickness());
  Statistics->showLayers(workspace_.layers(), Chart2->locale());
}

void TForm1::Button1Click() { switchboard.performClick(Polus); }
void TForm1::Button3Click() { switchboard.performClick(Polus2); }
void TForm1::Button8Click() { switchboard.performClick(Polus3); }


void TForm1::Button4Click() { quickSelect(Quantity::Temperature); }
void TForm1::Button5Click() { quickSelect(Quantity::Humidity); }
void TForm1::Button2Click() { quickSelect(Quantity::WindDirection); }
void TForm1::Button6Click() { quickSelect(Quantity::WindSpeed); }
void TForm1::Button7Click() { quickSelect(Quantity::Pressure); }

// Every parameter list switches to the quantity where it has it; the redraw runs either way.
// Selecting runs no change handler, so Edit2 keeps its visibility.
// A compared slot whose parameter switches takes that parameter's uncertainty column; one that
// keeps its parameter keeps the column, picked by hand or not.
void TForm1::quickSelect(Quantity quantity) {
  const std::array<bool, 3> picked = workspace_.quickSelect(quantity);
  for (int slot = 1; slot <= 3; ++slot) {
    if (!picked[slot - 1]) continue;
    slotWidgets(slot).parameterBox->setCurrentIndex(workspace_.slot(slot).parameter);
    chooseUncertainty(slot);
  }
  switchboard.performClick(Compare);
}

// What the operator picked in the slot's lists, into the workspace.
void TForm1::takePicks(int slot) {
  const SlotWidgets widgets = slotWidgets(slot);
  workspace_.slot(slot).height = widgets.heightBox->currentIndex();
  workspace_.slot(slot).parameter = widgets.parameterBox->currentIndex();
}

std::vector<std::string> itemTexts(const QComboBox* box) {
  std::vector<std::string> items;
  for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
  return items;
}

// The step of the correction, 1 or 10, as the label's caption tells it; the position stays.
void TForm1::Label4Click() {
  if (Label4->text() == QStringLiteral("высоты")) {
    Label4->setText(QStringLiteral("высоты 10"));
    UpDown1->setIncrement(10);
  } else {
    Label4->setText(QStringLiteral("высоты"));
    UpDown1->setIncrement(1);
  }
  Label4->adjustSize();
}

void TForm1::UpDown1Click() {
  workspace_.correction = UpDown1->position();
  Edit1->setText(QString::number(UpDown1->position()));
  switchboard.performClick(Compare);
}
void TForm1::CheckBox1Click() {
  workspace_.plus = CheckBox1->isChecked();
  switchboard.performClick(Compare);
}
// Exactly one separator box is ticked: each one's change sets the other to the opposite, whose
// own handler then finds nothing left to change.
void TForm1::CheckBox2Click() {
  if (CheckBox2->isChecked()) CheckBox3->setChecked(false);
  if (!CheckBox2->isChecked()) CheckBox3->setChecked(true);
}

void TForm1::CheckBox3Click() {
  if (CheckBox3->isChecked()) CheckBox2->setChecked(false);
  if (!CheckBox3->isChecked()) CheckBox2->setChecked(true);
}

void TForm1::ComboBox1Change() {
  takePicks(1);
  showIdentity(1);
  switchboard.performClick(Compare);
}
// The redraw first; then Edit2 shows while the slow channel of flight 1 is picked.
void TForm1::ComboBox2Change() {
  takePicks(1);
  chooseUncertainty(1);
  switchboard.performClick(Compare);
  Edit2->setVisible(ComboBox2->currentIndex() == lowchange1Position);
}
void TForm1::ComboBox3Change() {
  takePicks(2);
  takePicks(3);
  showIdentity(2);
  showIdentity(3);
  switchboard.performClick(Compare);
}
void TForm1::ComboBox4Change() {
  takePicks(2);
  chooseUncertainty(2);
  switchboard.performClick(Compare);
}
// A number half typed (nothing yet, or only its sign) keeps the last drawing.
void TForm1::Edit2Change() {
  workspace_.slowChannelText = Edit2->text().toStdString();
  if (isSlowChannelNumberUnfinished(workspace_.slowChannelText)) return;
  switchboard.performClick(Compare);
}
