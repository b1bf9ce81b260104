#include "app/cli/batch_mode.h"

#include "app/output/atomic_file.h"
#include "app/widgets/clickable_label.h"
#include "intake/flight_error.h"
#include "app/window/form1.h"
#include "app/support/interruption.h"
#include "app/support/shown_text.h"
#include "app/cli/standard_streams.h"
#include "app/widgets/up_down.h"
#include "app/cli/window_state_json.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: flightcompare --batch STEP... [--json FILE|-]\n"
    "Performs each step as the user's action would, on the window without showing it.\n"
    "steps:\n"
    "  --open SLOT FILE         open FILE into slot 1, 2 or 3 with its open button\n"
    "  --cancel SLOT            click the slot's open button and cancel its dialog\n"
    "  --separator point|comma  tick the separator box, when it is not ticked\n"
    "  --locale-decimal C       the regional decimal separator, . or , (ticks its box)\n"
    "  --height SLOT ITEM       pick ITEM (its text, or #N for index N) as the slot's height\n"
    "  --param SLOT ITEM        pick ITEM as the slot's parameter\n"
    "  --type SLOT height|param TEXT  type TEXT into the slot's combo box, as one change\n"
    "  --quick T|H|D|V|P        click a quick-select button\n"
    "  --step up|down [COUNT]   step the height correction COUNT times (1)\n"
    "  --toggle-step            click the correction's step label (1 / 10)\n"
    "  --plus on|off            tick or untick \"+\", when it is not so\n"
    "  --channel TEXT           set the slow-channel number's text\n"
    "  --png FILE               save both charts as a picture (.png, .svg or .pdf)\n"
    "  --csv FILE               save the points of the five series and the layer statistics\n"
    "  --json FILE|-            write the state after the last step as JSON\n";

struct Step {
  QString option;
  QStringList values;
  QList<QByteArray> bytes;  // the values as given: a file name opens by its bytes
  QString text() const { return (QStringList{option} + values).join(QLatin1Char(' ')); }
};

struct Syntax {
  const char* option;
  int values;
};
const Syntax kSyntax[] = {{"--open", 2},  {"--cancel", 1},  {"--separator", 1}, {"--locale-decimal", 1},
                          {"--height", 2}, {"--param", 2},  {"--type", 3},      {"--quick", 1},
                          {"--step", 1},   {"--toggle-step", 0}, {"--plus", 1}, {"--channel", 1},
                          {"--png", 1},    {"--csv", 1}};

struct BadArguments {
  QString reason;
};

bool isSlot(const QString& text) { return text == "1" || text == "2" || text == "3"; }

void checkValues(const Step& step) {
  const QString& first = step.values.value(0);
  const bool slotFirst = step.option == "--open" || step.option == "--cancel" ||
                         step.option == "--height" || step.option == "--param";
  if (slotFirst && !isSlot(first)) throw BadArguments{step.option + ": the slot is 1, 2 or 3"};
  if (step.option == "--separator" && first != "point" && first != "comma")
    throw BadArguments{"--separator: point or comma"};
  if (step.option == "--locale-decimal" && first != "." && first != ",")
    throw BadArguments{"--locale-decimal: . or ,"};
  if (step.option == "--type" && step.values[1] != "height" && step.values[1] != "param")
    throw BadArguments{"--type: height or param"};
  if (step.option == "--quick" && !QStringList({"T", "H", "D", "V", "P"}).contains(first))
    throw BadArguments{"--quick: T, H, D, V or P"};
  if (step.option == "--step" && first != "up" && first != "down") throw BadArguments{"--step: up or down"};
  if (step.option == "--plus" && first != "on" && first != "off") throw BadArguments{"--plus: on or off"};
}

struct Script {
  QList<Step> steps;
  QString jsonFile;
};

Script parse(const QList<QByteArray>& argumentBytes) {
  QStringList arguments;
  for (const QByteArray& argument : argumentBytes) arguments << QString::fromLocal8Bit(argument);
  // Nothing before --batch would run: a step there, or another mode's option, is a mistake.
  if (arguments.value(1) != "--batch") throw BadArguments{"--batch comes first, before its steps"};
  Script script;
  for (int i = 2; i < arguments.size(); ++i) {
    const QString& option = arguments[i];
    if (option == "--json") {
      if (i + 1 >= arguments.size()) throw BadArguments{"--json needs a file name or -"};
      script.jsonFile = arguments[++i];
      continue;
    }
    const auto syntax = std::find_if(std::begin(kSyntax), std::end(kSyntax),
                                     [&](const Syntax& s) { return option == s.option; });
    if (syntax == std::end(kSyntax)) throw BadArguments{"unknown step " + option};
    if (i + syntax->values >= arguments.size()) throw BadArguments{option + ": values missing"};
    Step step{option, arguments.mid(i + 1, syntax->values), argumentBytes.mid(i + 1, syntax->values)};
    i += syntax->values;
    // A step count may follow the direction.
    bool isCount = false;
    if (option == "--step" && i + 1 < arguments.size() && arguments[i + 1].toInt(&isCount) >= 0 && isCount)
      step.values << arguments[++i];
    checkValues(step);
    script.steps.append(step);
  }
  return script;
}

// The window with a script for its dialogs and a record of its failures.
class BatchRun : public ErrorReporter {
 public:
  BatchRun() {
    Form1 = &form_;
    // Laid out as on screen, so that pictures of the charts have the window's proportions,
    // but never put on a screen.
    form_.setAttribute(Qt::WA_DontShowOnScreen);
    form_.show();
    form_.setErrorReporter(this);
    form_.setFileChooser(&chooser_);
  }

  void perform(const Step& step) {
    step_ = step.text();
    const QString& first = step.values.value(0);
    const int slot = first.toInt();
    if (step.option == "--open") {
      chooser_.choose(step.bytes[1]);
      form_.slotWidgets(slot).openButton->click();
    } else if (step.option == "--cancel") {
      chooser_.cancel();
      form_.slotWidgets(slot).openButton->click();
    } else if (step.option == "--separator") {
      QCheckBox* box = first == "point" ? form_.CheckBox2 : form_.CheckBox3;
      if (!box->isChecked()) box->click();
    } else if (step.option == "--locale-decimal") {
      form_.regionalSeparator = first.at(0).toLatin1();
      form_.mirrorRegionalSeparator();
    } else if (step.option == "--height") {
      pick(form_.slotWidgets(slot).heightBox, step.values[1]);
    } else if (step.option == "--param") {
      pick(form_.slotWidgets(slot).parameterBox, step.values[1]);
    } else if (step.option == "--type") {
      const TForm1::SlotWidgets widgets = form_.slotWidgets(slot);
      QLineEdit* edit = (step.values[1] == "height" ? widgets.heightBox : widgets.parameterBox)->lineEdit();
      edit->setText(step.values[2]);
      emit edit->textEdited(step.values[2]);
    } else if (step.option == "--quick") {
      quickSelectButton(first)->click();
    } else if (step.option == "--step") {
      const int count = step.values.value(1, "1").toInt();
      for (int i = 0; i < count; ++i) first == "up" ? form_.UpDown1->stepUp() : form_.UpDown1->stepDown();
    } else if (step.option == "--toggle-step") {
      emit form_.Label4->clicked();
    } else if (step.option == "--plus") {
      if (form_.CheckBox1->isChecked() != (first == "on")) form_.CheckBox1->click();
    } else if (step.option == "--channel") {
      form_.Edit2->setText(first);
    } else if (step.option == "--png") {
      form_.switchboard.guarded([&] { form_.saveChartsAs(first); })();
    } else if (step.option == "--csv") {
      form_.switchboard.guarded([&] { form_.saveDataAs(first); })();
    }
  }

  void report(const QString& message) override {
    // One line each on stderr, as a terminal may show it; the JSON keeps the message as the
    // window shows it.
    std::fprintf(stderr, "%s\n", shownText(QString(message).replace('\n', QStringLiteral("; "))).toUtf8().constData());
    errors_.append(QJsonObject{{"step", step_}, {"message", message}});
  }

  bool failed() const { return !errors_.isEmpty(); }
  QJsonObject state() const { return windowStateJson(form_, errors_); }

 private:
  QPushButton* quickSelectButton(const QString& caption) const {
    for (QPushButton* button : {form_.Button4, form_.Button5, form_.Button2, form_.Button6, form_.Button7})
      if (button->text() == caption) return button;
    return nullptr;
  }

  // As the user picks from the list: the selection changes and the box's handler runs.
  void pick(QComboBox* box, const QString& item) {
    bool isIndex = false;
    const int index = item.startsWith('#') ? item.mid(1).toInt(&isIndex) : box->findText(item, Qt::MatchExactly);
    if (index < 0 || index >= box->count() || (item.startsWith('#') && !isIndex)) {
      report("No item \"" + item + "\" in " + box->objectName() + ".");
      return;
    }
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  TForm1 form_;
  ScriptedFileChooser chooser_;
  QJsonArray errors_;
  QString step_;
};

// Fails with a FlightError naming the file and the reason.
void writeJson(const QString& fileName, const QJsonObject& state) {
  const QByteArray text = QJsonDocument(state).toJson(QJsonDocument::Compact) + '\n';
  if (fileName != "-") {
    writeFileAtomically(fileName, text);
    return;
  }
  if (standardOutputClosed()) throw FlightError("Cannot write the standard output: standard output is closed.");
  const bool written = std::fwrite(text.constData(), 1, text.size(), stdout) == std::size_t(text.size());
  if (!written || std::fflush(stdout) != 0)
    throw FlightError(std::string("Cannot write the standard output: ") + std::strerror(errno));
}

}  // namespace

bool isBatchRun(const QList<QByteArray>& arguments) {
  // After "--" a window's file may have any name.
  const qsizetype end = arguments.indexOf("--");
  return arguments.mid(0, end < 0 ? arguments.size() : end).contains("--batch");
}

const char* batchUsage() { return kUsage; }

int runBatch(const QList<QByteArray>& arguments) {
  Script script;
  try {
    script = parse(arguments);
  } catch (const BadArguments& bad) {
    std::fprintf(stderr, "flightcompare: %s\n%s", bad.reason.toUtf8().constData(), kUsage);
    return 2;
  }
  recordInterruptions();
  BatchRun run;
  for (const Step& step : script.steps) {
    try {
      run.perform(step);
    } catch (const WriteInterrupted&) {
      endAsInterrupted();
    }
    if (interrupted()) endAsInterrupted();
  }
  if (script.jsonFile.isEmpty()) return run.failed() ? 1 : 0;
  try {
    writeJson(script.jsonFile, run.state());
  } catch (const WriteInterrupted&) {
    endAsInterrupted();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "flightcompare: %s\n", error.what());
    return 1;
  }
  return run.failed() ? 1 : 0;
}
