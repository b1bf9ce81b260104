// The controls of the top panel, at the places they were designed at.
#include "app/window/form1.h"

#include "app/support/app_fonts.h"
#include "app/widgets/clickable_label.h"
#include "app/widgets/path_label.h"
#include "app/widgets/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

template <typename Control>
Control* named(Control* control, const char* name, const QRect& place) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(place);
  return control;
}

QPushButton* button(QWidget* panel, const char* name, const QString& caption, const QRect& place,
                    int fontPixels = kNormalFontPixels) {
  auto control = named(new QPushButton(caption, panel), name, place);
  control->setFont(windowFont(fontPixels));
  return control;
}

// A hidden button only carries a handler that other handlers perform.
QPushButton* hiddenButton(QWidget* panel, const char* name, const QString& caption,
                          const QRect& place, bool enabled) {
  auto control = button(panel, name, caption, place, kSmallFontPixels);
  control->setEnabled(enabled);
  control->hide();
  return control;
}

template <typename Label = QLabel>
Label* label(QWidget* panel, const char* name, const QString& caption, const QPoint& at,
             int fontPixels = kNormalFontPixels) {
  auto control = new Label(caption, panel);
  control->setObjectName(QString::fromLatin1(name));
  control->setFont(windowFont(fontPixels));
  control->move(at);
  control->adjustSize();
  return control;
}

QComboBox* comboBox(QWidget* panel, const char* name, const QString& placeholder,
                    const QRect& place) {
  auto control = named(new QComboBox(panel), name, place);
  control->setEditable(true);
  // Typed text picks an item or none; it never becomes an item, and nothing completes it.
  control->setInsertPolicy(QComboBox::NoInsert);
  control->setCompleter(nullptr);
  control->setEditText(placeholder);
  control->lineEdit()->setCursorPosition(0);
  return control;
}

QCheckBox* checkBox(QWidget* panel, const char* name, const QString& caption, const QRect& place,
                    bool ticked) {
  auto control = named(new QCheckBox(caption, panel), name, place);
  control->setChecked(ticked);
  return control;
}

}  // namespace

void TForm1::createButtons() {
  Button1 = button(Panel1, "Button1", QStringLiteral("Открыть 1"), {1, 3, 88, 25}, kSmallFontPixels);
  Button3 = button(Panel1, "Button3", QStringLiteral("Открыть 2"), {90, 3, 83, 25}, kSmallFontPixels);
  Button8 = button(Panel1, "Button8", QStringLiteral("Открыть 3 (без сравнения)"), {0, 29, 173, 25});
  Polus = hiddenButton(Panel1, "Polus", QStringLiteral("Открыть Файл Полюс"), {346, 8, 113, 15}, true);
  Polus2 = hiddenButton(Panel1, "Polus2", QStringLiteral("Открыть Файл Полюс"), {465, 29, 113, 15}, true);
  Polus3 = hiddenButton(Panel1, "Polus3", QStringLiteral("Открыть Файл Вектор"), {346, 29, 113, 15}, false);
  AVK = hiddenButton(Panel1, "AVK", QStringLiteral("Открыть Файл АВК"), {465, 8, 113, 15}, false);
  Compare = button(Panel1, "Compare", QStringLiteral(" Сравнить"), {584, 2, 172, 26});
  Compare->hide();
  Button4 = button(Panel1, "Button4", QStringLiteral("T"), {800, 0, 28, 18});
  Button5 = button(Panel1, "Button5", QStringLiteral("H"), {830, 0, 28, 18});
  Button2 = button(Panel1, "Button2", QStringLiteral("D"), {860, 0, 28, 18});
  Button6 = button(Panel1, "Button6", QStringLiteral("V"), {890, 0, 28, 18});
  Button7 = button(Panel1, "Button7", QStringLiteral("P"), {920, 0, 28, 18});
  UpDown1 = named(new UpDown(-500, 500, Panel1), "UpDown1", {179, 3, 22, 52});
}

void TForm1::createLabelsAndEdits() {
  Label3 = label(Panel1, "Label3", QStringLiteral("Корректировка"), {204, 14}, kSmallFontPixels);
  Label4 = label<ClickableLabel>(Panel1, "Label4", QStringLiteral("высоты"), {204, 31}, kSmallFontPixels);
  Label5 = label(Panel1, "Label5", QStringLiteral("Параметр 1"), {273, 42});
  Label6 = label(Panel1, "Label6", QStringLiteral("Параметр 2"), {361, 42});
  Label1 = label<PathLabel>(Panel1, "Label1", QStringLiteral("Вектор"), {309, 10}, kSmallFontPixels);
  Label2 = label<PathLabel>(Panel1, "Label2", QStringLiteral("АВК"), {309, 20}, kSmallFontPixels);
  Label7 = label<PathLabel>(Panel1, "Label7", QStringLiteral("МАРЛ"), {309, 30});
  // They show file names, which may hold anything, markup too. Labels 1 and 2 have the panel's
  // width up to the quick-select buttons; Label7 sits level with Label8 and the separator boxes.
  for (QLabel* fileLabel : {Label1, Label2, Label7}) fileLabel->setTextFormat(Qt::PlainText);
  Label1->setMaximumWidth(486);
  Label2->setMaximumWidth(486);
  Label7->setMaximumWidth(152);
  Label8 = label(Panel1, "Label8", QStringLiteral("Разделитель дробной части:"), {465, 42});

  Edit1 = named(new QLineEdit(QStringLiteral("0"), Panel1), "Edit1", {273, 14, 30, 21});
  Edit1->setEnabled(false);
  Edit2 = named(new QLineEdit(QString::fromStdString(workspace_.slowChannelText), Panel1), "Edit2", {776, 38, 24, 21});
  // A whole number as it is typed: blanks, then a sign, then digits.
  Edit2->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(" *[+-]?[0-9]*")), Edit2));
  Edit2->hide();

  Memo1 = named(new QPlainTextEdit(QStringLiteral("Memo1"), Panel1), "Memo1", {1032, 1, 82, 58});
  Memo1->setFont(windowFont(kMemoFontPixels));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TForm1::createComboBoxes() {
  ComboBox1 = comboBox(Panel1, "ComboBox1", QStringLiteral("ComboBox1"), {801, 18, 73, 21});
  ComboBox2 = comboBox(Panel1, "ComboBox2", QStringLiteral("ComboBox2"), {801, 38, 73, 21});
  ComboBox3 = comboBox(Panel1, "ComboBox3", QStringLiteral("ComboBox3"), {874, 18, 73, 21});
  ComboBox4 = comboBox(Panel1, "ComboBox4", QStringLiteral("ComboBox4"), {874, 38, 73, 21});
  ComboBox5 = comboBox(Panel1, "ComboBox5", QStringLiteral("ComboBox3"), {947, 18, 73, 21});
  ComboBox6 = comboBox(Panel1, "ComboBox6", QStringLiteral("ComboBox3"), {947, 38, 73, 21});
}

void TForm1::createCheckBoxes() {
  CheckBox1 = checkBox(Panel1, "CheckBox1", QStringLiteral("+"), {994, 0, 32, 17}, false);
  QFont underlined = CheckBox1->font();
  underlined.setUnderline(true);
  CheckBox1->setFont(underlined);
  CheckBox2 = checkBox(Panel1, "CheckBox2", QStringLiteral("Точка"), {619, 41, 48, 17}, false);
  CheckBox3 = checkBox(Panel1, "CheckBox3", QStringLiteral("Запятая"), {673, 38, 97, 17}, true);
}
