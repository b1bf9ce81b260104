// The pairs of the campaign window: from a list file, from files chosen or dropped two at a
// time, with groups the operator may retype.
#include "app/campaign_window/campaign_window.h"

#include "app/campaign_window/pairs_model.h"
#include "app/support/dropped_files.h"
#include "app/support/switchboard.h"
#include "flight/flight_error.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>

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
  pairs_->setPairs(readCampaignList(QFile::encodeName(fileName).toStdString()));
  pairsChanged(fileName);
  rememberList(fileName);
}

void CampaignWindow::addFiles(const QList<QByteArray>& fileNames) {
  if (fileNames.size() % 2 != 0)
    throw FlightError(MessageId::OddFiles, Message(MessageId::FilesGiven, {std::to_string(fileNames.size())}));
  std::vector<CampaignPair> added;
  for (qsizetype i = 0; i < fileNames.size(); i += 2)
    added.push_back(pairInFolder("", fileNames[i].toStdString(), fileNames[i + 1].toStdString(), ""));
  pairs_->addPairs(std::move(added));
  pairsChanged(changedHere(listName_));
}

void CampaignWindow::clearPairs() {
  pairs_->setPairs({});
  pairsChanged(QString());
}

void CampaignWindow::pairsChanged(const QString& listName) {
  listName_ = listName;
  showListName();
  forgetResult();
}

void CampaignWindow::showListName() {
  const std::size_t pairs = pairs_->pairs().size();
  listLabel->setText(pairs == 0 ? QStringLiteral("Пар нет: откройте список, добавьте файлы или перетащите их сюда по два")
                                : QStringLiteral("Список: %1, пар: %2").arg(listName_).arg(pairs));
}

void CampaignWindow::groupEdited() {
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
