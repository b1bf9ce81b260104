// The handlers of the user's actions. They gather what the controls say and call the core.
#include "form1.h"

#include "clickable_label.h"
#include "up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

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
  // sets lists and selections without running these.
  const auto onUserChange = [&](QComboBox* box, void (TForm1::*handler)()) {
    connect(box, &QComboBox::activated, this, guard(handler));
    connect(box->lineEdit(), &QLineEdit::textEdited, this, guard(handler));
  };
  onUserChange(ComboBox1, &TForm1::ComboBox1Change);
  onUserChange(ComboBox2, &TForm1::ComboBox2Change);
  onUserChange(ComboBox3, &TForm1::ComboBox3Change);
  onUserChange(ComboBox4, &TForm1::ComboBox4Change);
  onUserChange(ComboBox5, &TForm1::ComboBox3Change);
  onUserChange(ComboBox6, &TForm1::ComboBox3Change);
}

void TForm1::Button1Click() { switchboard.performClick(Polus); }
void TForm1::Button3Click() { switchboard.performClick(Polus2); }
void TForm1::Button8Click() { switchboard.performClick(Polus3); }


void TForm1::Button2Click() { switchboard.performClick(Compare); }
void TForm1::Button4Click() { switchboard.performClick(Compare); }
void TForm1::Button5Click() { switchboard.performClick(Compare); }
void TForm1::Button6Click() { switchboard.performClick(Compare); }
void TForm1::Button7Click() { switchboard.performClick(Compare); }

void TForm1::Label4Click() {}
void TForm1::UpDown1Click() { switchboard.performClick(Compare); }
void TForm1::CheckBox1Click() { switchboard.performClick(Compare); }
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

void TForm1::ComboBox1Change() { switchboard.performClick(Compare); }
void TForm1::ComboBox2Change() { switchboard.performClick(Compare); }
void TForm1::ComboBox3Change() { switchboard.performClick(Compare); }
void TForm1::ComboBox4Change() { switchboard.performClick(Compare); }
void TForm1::Edit2Change() { switchboard.performClick(Compare); }
