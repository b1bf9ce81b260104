// The readers of the three flight slots, behind the hidden buttons Polus, Polus2 and Polus3.
#include "app/window/form1.h"

#include "app/support/aside_work.h"
#include "app/support/message_translation.h"
#include "app/support/shown_text.h"
#include "compare/comparison_redraw.h"
#include "compare/quick_select.h"
#include "flight/flight_error.h"
#include "flight/flight_tables.h"
#include "raw/text_file.h"
#include "reader/flight_reader.h"
#include "reference/library_child.h"
#include "reference/reference_format.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>

#include <algorithm>
#include <atomic>
#include <exception>

namespace {

// First every file the program reads, then the designed filters; the names in the user's language.
QString openFilter() {
  const auto name = [](int which) { return QCoreApplication::translate("OpenDialog", filterNames()[which]); };
  const QString raw = QStringLiteral("*.TXT;*.raw;*.TAE3;*.T3;*.TAE03;*.int"), products = QStringLiteral("*.nc;*.bufr;*.bin");
  const QString tables = QStringLiteral("*.csv;*.txt;*.dat;*.log");
  return name(0) + '|' + raw + ';' + tables + ';' + products + '|' + name(1) + '|' + raw + '|' + name(2) + '|' + products + '|' +
         name(3) + QStringLiteral(" (*.*)|*.*");
}

bool wasCancelled(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const FlightError& error) {
    return error.message().id() == MessageId::ReadCancelled;
  } catch (...) {
  }
  return false;
}

}  // namespace

void TForm1::PolusClick() { chooseAndRead(1); }
void TForm1::Polus2Click() { chooseAndRead(2); }
void TForm1::Polus3Click() { chooseAndRead(3); }

TForm1::SlotWidgets TForm1::slotWidgets(int slot) const {
  if (slot == 1) return {Button1, Label1, Series1, ComboBox1, ComboBox2};
  if (slot == 2) return {Button3, Label2, Series2, ComboBox3, ComboBox4};
  return {Button8, Label7, Series5, ComboBox5, ComboBox6};
}

OpenDialog& TForm1::openDialog(int slot) { return slot == 1 ? OpenDialog1 : slot == 2 ? OpenDialog2 : OpenDialog3; }

void TForm1::chooseAndRead(int slot) {
  OpenDialog& dialog = openDialog(slot);
  dialog.filter = openFilter();
  // A cancelled dialog leaves everything as it was.
  if (!fileChooser_->execute(dialog)) return;
  readChosenFile(slot);
}

void TForm1::openFile(int slot, const QByteArray& fileName) {
  OpenDialog& dialog = openDialog(slot);
  dialog.filter = openFilter();
  dialog.fileName = fileName;
  readChosenFile(slot);
}

// A file that cannot be opened changes nothing. Once the read has emptied the slot, the charts
// are redrawn whether it succeeds or not, so that they never show a flight that is gone.
void TForm1::readChosenFile(int slot) {
  TextFile file(openDialog(slot).fileName.toStdString());
  FlightIdentity& identity = workspace_.identity(slot);
  workspace_.slot(slot).rowCount.reset();
  try {
    identity = {};
    // The quick-select columns at once; any other when the redraw first needs it.
    const ColumnPick quickSelected = [slot](const std::vector<std::string>& names, const FlightIdentity& flight) {
      return quickSelectColumns(names, slot, flight);
    };
    identity = readFlight(slot, file, quickSelected);
    rememberFile(slot, openDialog(slot).fileName);
    showSlot(slot);
    showIdentity(slot);
    listUncertainties(slot);
    listTimes(slot);
  } catch (...) {
    showSlot(slot);
    showIdentity(slot);
    listUncertainties(slot);
    listTimes(slot);
    const std::exception_ptr readFailure = std::current_exception();
    try {
      switchboard.performClick(Compare);
    } catch (...) {
      throw SuccessiveFailures{readFailure, std::current_exception()};
    }
    // The operator who cancelled knows the slot is empty.
    if (wasCancelled(readFailure)) return;
    throw;
  }
  switchboard.performClick(Compare);
}

// A product's library reads in a child process, which may take a while: while the window shows,
// the read waits aside, so that the window stays drawn and the operator may cancel it. The read
// fills tables and a slot of its own; they, and its flight, go to the window once it has ended,
// on the window's thread.
FlightIdentity TForm1::readFlight(int slot, TextFile& file, const ColumnPick& pick) {
  SlotState& shown = workspace_.slot(slot);
  if (!isVisible() || referenceFormat(file.head(kReferenceHead)) == ReferenceFormat::None)
    return readFlightFile(slot, file, decimalSeparators(), shown, pick);
  const DecimalSeparators separators = decimalSeparators();
  FlightSet& window = windowFlights();
  emptySlot(window, slot);
  OwnFlightSet aside;
  aside.flights().maxHight = window.maxHight;
  SlotState held = shown;
  FlightIdentity read;
  try {
    runAside(this, QStringLiteral("Чтение «%1»…").arg(shownText(QFile::decodeName(QByteArray::fromStdString(file.fileName())))),
             [&](const std::atomic<bool>& cancelled) {
               const ChildCancellation cancellation(cancelled);
               read = readFlightFile(aside.flights(), slot, file, separators, held, pick);
             });
  } catch (...) {
    shown = held;
    throw;
  }
  shown = held;
  takeSlot(window, aside.flights(), slot);
  return read;
}

// Read aside as a flight's first read is, while the window shows.
bool TForm1::readUsedColumns(const RedrawRequest& request) {
  if (!isVisible()) return true;
  FlightSet& window = windowFlights();
  std::vector<int> wanted[3];
  for (int slot = 1; slot <= 3; ++slot) wanted[slot - 1] = window.slot(slot).later.unread(columnsUsed(request, slot));
  if (std::all_of(std::begin(wanted), std::end(wanted), [](const auto& columns) { return columns.empty(); })) return true;
  OwnFlightSet aside;
  try {
    runAside(this, QStringLiteral("Чтение столбцов…"), [&](const std::atomic<bool>& cancelled) {
      const ChildCancellation cancellation(cancelled);
      for (int slot = 1; slot <= 3; ++slot) window.slot(slot).later.read(wanted[slot - 1], aside.flights().slot(slot).table);
    });
  } catch (...) {
    if (wasCancelled(std::current_exception())) return false;
    throw;
  }
  for (int slot = 1; slot <= 3; ++slot) takeColumns(window.slot(slot), aside.flights().slot(slot).table, wanted[slot - 1]);
  return true;
}

DecimalSeparators TForm1::decimalSeparators() const {
  return {CheckBox2->isChecked() ? '.' : ',', regionalSeparator};
}
