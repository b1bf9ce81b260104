#include "app/cli/batch_mode.h"

#include "app/cli/standard_streams.h"
#include "app/cli/window_state_json.h"
#include "app/output/atomic_file.h"
#include "app/support/interruption.h"
#include "app/support/shown_text.h"
#include "app/window/form1.h"
#include "app/window/window_actions.h"
#include "flight/flight_error.h"


#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Step {
  QString option;
  QStringList values;
  QList<QByteArray> bytes;  // the values as given: a file name opens by its bytes
  QString text() const { return (QStringList{option} + values).join(QLatin1Char(' ')); }
};

struct BadArguments {
  QString reason;
};

// The window with a script for its dialogs and a record of its failures; a step is one of its
// actions.
class BatchRun : public ErrorReporter {
 public:
  BatchRun() {
    // Laid out as on screen, so that pictures of the charts have the window's proportions,
    // but never put on a screen.
    form_.setAttribute(Qt::WA_DontShowOnScreen);
    form_.show();
    form_.setErrorReporter(this);
  }

  void perform(const Step& step);

  void report(const Message& told) override {
    // One line each on stderr, as a terminal may show it; the JSON keeps the message as the
    // window shows it.
    const QString message = QString::fromStdString(told.english());
    std::fprintf(stderr, "%s\n", shownText(QString(message).replace('\n', QStringLiteral("; "))).toUtf8().constData());
    errors_.append(QJsonObject{{"step", step_}, {"message", message}});
  }

  bool failed() const { return !errors_.isEmpty(); }
  QJsonObject state() const { return windowStateJson(form_, errors_); }

  void open(const Step& step) { act([&] { actions_.open(slot(step), step.bytes[1]); }); }
  void cancel(const Step& step) { act([&] { actions_.cancelOpen(slot(step)); }); }
  void separator(const Step& step) { act([&] { actions_.tickSeparator(step.values[0] == "point"); }); }
  void localeDecimal(const Step& step) { actions_.setRegionalSeparator(step.values[0].at(0).toLatin1()); }
  void height(const Step& step) { act([&] { actions_.pick(slot(step), WindowActions::List::Height, step.values[1]); }); }
  void param(const Step& step) { act([&] { actions_.pick(slot(step), WindowActions::List::Parameter, step.values[1]); }); }
  void uncertainty(const Step& step) { act([&] { actions_.pickUncertainty(slot(step), step.values[1]); }); }
  void type(const Step& step) {
    const auto list = step.values[1] == "height" ? WindowActions::List::Height : WindowActions::List::Parameter;
    act([&] { actions_.type(slot(step), list, step.values[2]); });
  }
  void quick(const Step& step) { act([&] { actions_.quickSelect(step.values[0]); }); }
  void correctionStep(const Step& step) {
    act([&] { actions_.stepCorrection(step.values[0] == "up", step.values.value(1, "1").toInt()); });
  }
  void toggleStep(const Step&) { act([&] { actions_.toggleCorrectionStep(); }); }
  void plus(const Step& step) { act([&] { actions_.setPlus(step.values[0] == "on"); }); }
  void channel(const Step& step) { act([&] { actions_.setSlowChannel(step.values[0]); }); }
  void match(const Step& step) { act([&] { actions_.setMatching(step.values[0] == "time"); }); }
  void shift(const Step& step) { act([&] { actions_.setShift(step.values[0]); }); }
  void time(const Step& step) { act([&] { actions_.pickTime(slot(step), step.values[1]); }); }
  void scale(const Step& step) { scale_ = step.values[0].toInt(); }
  void png(const Step& step) { act([&] { form_.saveChartsAs(step.values[0], scale_); }); }
  void csv(const Step& step) { act([&] { form_.saveDataAs(step.values[0]); }); }

 private:
  static int slot(const Step& step) { return step.values[0].toInt(); }
  // An action's failure is reported as the window reports its handlers' failures.
  template <typename Action>
  void act(const Action& action) {
    form_.switchboard.guarded(action)();
  }

  TForm1 form_;
  WindowActions actions_{form_};
  QJsonArray errors_;
  QString step_;
  int scale_ = 2;
};

// What a step's value may be: any text (no choices), or one of the choices.
using Choices = QStringList;
const Choices kSlots{"1", "2", "3"};
const Choices kComparedSlots{"1", "2"};

// Every step once: the usage, the check of its values and its action all come from here.
struct StepKind {
  const char* option;
  const char* arguments;  // as the usage writes them
  const char* meaning;
  std::vector<Choices> values;
  void (BatchRun::*perform)(const Step&);
  bool countMayFollow = false;
};

const StepKind kSteps[] = {
    {"--open", "SLOT FILE", "open FILE into slot 1, 2 or 3 with its open button", {kSlots, {}}, &BatchRun::open},
    {"--cancel", "SLOT", "click the slot's open button and cancel its dialog", {kSlots}, &BatchRun::cancel},
    {"--separator", "point|comma", "tick the separator box, when it is not ticked", {{"point", "comma"}},
     &BatchRun::separator},
    {"--locale-decimal", "C", "the regional decimal separator, . or , (ticks its box)", {{".", ","}},
     &BatchRun::localeDecimal},
    {"--height", "SLOT ITEM", "pick ITEM (its text, or #N for index N) as the slot's height", {kSlots, {}},
     &BatchRun::height},
    {"--param", "SLOT ITEM", "pick ITEM as the slot's parameter", {kSlots, {}}, &BatchRun::param},
    {"--uncertainty", "1|2 NAME|none", "pick the column NAME as the slot's uncertainty, or none",
     {kComparedSlots, {}}, &BatchRun::uncertainty},
    {"--type", "SLOT height|param TEXT", "type TEXT into the slot's combo box, as one change",
     {kSlots, {"height", "param"}, {}}, &BatchRun::type},
    {"--quick", "T|H|D|V|P", "click a quick-select button", {{"T", "H", "D", "V", "P"}}, &BatchRun::quick},
    {"--step", "up|down [COUNT]", "step the height correction COUNT times (1)", {{"up", "down"}},
     &BatchRun::correctionStep, true},
    {"--toggle-step", "", "click the correction's step label (1 / 10)", {}, &BatchRun::toggleStep},
    {"--plus", "on|off", "tick or untick \"+\", when it is not so", {{"on", "off"}}, &BatchRun::plus},
    {"--channel", "TEXT", "set the slow-channel number's text", {{}}, &BatchRun::channel},
    {"--match", "height|time", "match flight 2 to flight 1 by height, or in time (same moment)", {{"height", "time"}},
     &BatchRun::match},
    {"--shift", "auto|SECONDS", "flight 2's clock shift for matching in time: found, or typed", {{}}, &BatchRun::shift},
    {"--time", "1|2 ITEM", "pick ITEM as the slot's time column", {kComparedSlots, {}}, &BatchRun::time},
    {"--scale", "1..8", "the size of the PNG pictures after it, times the charts' pixels (2)",
     {{"1", "2", "3", "4", "5", "6", "7", "8"}}, &BatchRun::scale},
    {"--png", "FILE", "save both charts as a picture (.png, .svg or .pdf on an A4 page)", {{}}, &BatchRun::png},
    {"--csv", "FILE", "save the points of the five series and the layer statistics", {{}}, &BatchRun::csv},
};

const StepKind* stepKind(const QString& option) {
  for (const StepKind& kind : kSteps)
    if (option == kind.option) return &kind;
  return nullptr;
}

void BatchRun::perform(const Step& step) {
  step_ = step.text();
  (this->*stepKind(step.option)->perform)(step);
}

// A line of the usage: the step and its values, then what it does.
std::string usageLine(const QString& syntax, const char* meaning) {
  return "  " + syntax.leftJustified(23).toStdString() + "  " + meaning + "\n";
}

std::string usage() {
  std::string text =
      "usage: flightcompare --batch STEP... [--json FILE|-]\n"
      "Performs each step as the user's action would, on the window without showing it.\n"
      "steps:\n";
  for (const StepKind& kind : kSteps)
    text += usageLine(QString(kind.option) + (*kind.arguments ? QString(" ") + kind.arguments : QString()), kind.meaning);
  return text + usageLine(QStringLiteral("--json FILE|-"), "write the state after the last step as JSON");
}

// "a, b or c"
QString alternatives(const Choices& choices) {
  return choices.size() < 2 ? choices.join(QString()) : choices.mid(0, choices.size() - 1).join(", ") + " or " + choices.last();
}

void checkValues(const StepKind& kind, const Step& step) {
  for (std::size_t i = 0; i < kind.values.size(); ++i) {
    const Choices& choices = kind.values[i];
    if (choices.isEmpty() || choices.contains(step.values[static_cast<int>(i)])) continue;
    throw BadArguments{step.option + (choices == kSlots ? ": the slot is " : ": ") + alternatives(choices)};
  }
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
    const StepKind* kind = stepKind(option);
    if (!kind) throw BadArguments{"unknown step " + option};
    const int values = static_cast<int>(kind->values.size());
    if (i + values >= arguments.size()) throw BadArguments{option + ": values missing"};
    Step step{option, arguments.mid(i + 1, values), argumentBytes.mid(i + 1, values)};
    // A step where its value should be means the value was left out.
    for (const QString& value : step.values)
      if (value == "--json" || stepKind(value)) throw BadArguments{option + " needs a value"};
    i += values;
    bool isCount = false;
    if (kind->countMayFollow && i + 1 < arguments.size() && arguments[i + 1].toInt(&isCount) >= 0 && isCount)
      step.values << arguments[++i];
    checkValues(*kind, step);
    script.steps.append(step);
  }
  return script;
}

// Fails with a FlightError naming the file and the reason.
void writeJson(const QString& fileName, const QJsonObject& state) {
  const QByteArray text = windowStateText(state) + '\n';
  if (fileName != "-") {
    writeFileAtomically(fileName, text);
    return;
  }
  if (standardOutputClosed()) throw FlightError(MessageId::StandardOutputClosed);
  const bool written = std::fwrite(text.constData(), 1, text.size(), stdout) == std::size_t(text.size());
  if (!written || std::fflush(stdout) != 0)
    throw FlightError(Message(MessageId::StandardOutputFailed, {std::strerror(errno)}));
}

}  // namespace

bool isBatchRun(const QList<QByteArray>& arguments) {
  // After "--" a window's file may have any name.
  const qsizetype end = arguments.indexOf("--");
  return arguments.mid(0, end < 0 ? arguments.size() : end).contains("--batch");
}

const char* batchUsage() {
  static const std::string text = usage();
  return text.c_str();
}

int runBatch(const QList<QByteArray>& arguments) {
  Script script;
  try {
    script = parse(arguments);
  } catch (const BadArguments& bad) {
    std::fprintf(stderr, "flightcompare: %s\n%s", bad.reason.toUtf8().constData(), batchUsage());
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
