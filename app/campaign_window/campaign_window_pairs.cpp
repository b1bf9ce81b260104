// The pairs of the campaign window: from a list file, from files chosen or dropped two at a
// time, with groups the operator may retype.
#include "app/campaign_window/campaign_window.h"

#include "app/output/campaign_tables.h"
#include "app/support/identity_tip.h"
#include "app/support/dropped_files.h"
#include "app/support/shown_text.h"
#include "app/support/switchboard.h"
#include "intake/flight_error.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTableWidget>

namespace {

const QString kBuiltHere = QStringLiteral("составлен в окне");
const QString kChangedHere = QStringLiteral(" (изменён в окне)");

// What the report calls a list once the window has changed it: it is no longer the file's.
QString changedHere(const QString& listName) {
  if (listName.isEmpty()) return kBuiltHere;
  return listName == kBuiltHere || listName.endsWith(kChangedHere) ? listName : listName + kChangedHere;
}

}  // namespace

void CampaignWindow::loadList(const QString& fileName) {
  pairs_ = readCampaignList(QFile::encodeName(fileName).toStdString());
  pairsChanged(fileName);
  rememberList(fileName);
}

void CampaignWindow::addFiles(const QList<QByteArray>& fileNames) {
  if (fileNames.size() % 2 != 0)
    throw FlightError("Flights make pairs: give an even number of files, the first with the second, the third with "
                      "the fourth and so on. No pair was added.",
                      "Files given: " + std::to_string(fileNames.size()));
  for (qsizetype i = 0; i < fileNames.size(); i += 2)
    pairs_.push_back(pairInFolder("", fileNames[i].toStdString(), fileNames[i + 1].toStdString(), ""));
  pairsChanged(changedHere(listName_));
}

void CampaignWindow::clearPairs() {
  pairs_.clear();
  pairsChanged(QString());
}

void CampaignWindow::pairsChanged(const QString& listName) {
  listName_ = listName;
  showListName();
  forgetResult();
  showPairs();
}

void CampaignWindow::showListName() {
  listLabel->setText(pairs_.empty() ? QStringLiteral("Пар нет: откройте список, добавьте файлы или перетащите их сюда по два")
                                    : QStringLiteral("Список: %1, пар: %2").arg(listName_).arg(pairs_.size()));
}

void CampaignWindow::showPairs() {
  const QSignalBlocker quiet(pairsTable);
  pairsTable->setRowCount(static_cast<int>(pairs_.size()));
  for (int row = 0; row < pairsTable->rowCount(); ++row) {
    const QStringList texts = pairTableRow(pairs_[row]);
    for (int column = 0; column < texts.size(); ++column) {
      auto item = new QTableWidgetItem(texts[column]);
      if (column != kGroupColumn) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      if (column > kStatusColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      pairsTable->setItem(row, column, item);
    }
    showFlights(row, nullptr);
  }
}

// A pair's flights as the list names them with the path in the tip; once a run has read them,
// by their labels with the path and the facts in the tip.
void CampaignWindow::showFlights(int row, const PairRow* result) {
  const CampaignPair& pair = pairs_[row];
  for (const int slot : {1, 2}) {
    QTableWidgetItem* item = pairsTable->item(row, slot == 1 ? kFlight1Column : kFlight2Column);
    const FlightIdentity* flight = result ? &result->flights[slot - 1] : nullptr;
    if (flight && !flight->path.empty()) {
      item->setText(shownText(flight->label()));
      item->setToolTip(plainToolTip(identityToolTip(*flight, flight->heightColumn)));
    } else {
      item->setText(shownText(slot == 1 ? pair.flight1 : pair.flight2));
      item->setToolTip(plainToolTip(shownText(QFile::decodeName(QByteArray::fromStdString(slot == 1 ? pair.path1 : pair.path2)))));
    }
  }
}

void CampaignWindow::groupEdited(int row, int column) {
  if (column != kGroupColumn) return;
  pairs_[row].group = pairsTable->item(row, column)->text().trimmed().toStdString();
  listName_ = changedHere(listName_);
  showListName();
  forgetResult();
}

void CampaignWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CampaignWindow::dropEvent(QDropEvent* event) {
  const QList<QByteArray> files = droppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  host_.switchboard.guarded([this, &files] { addFiles(files); })();
}
