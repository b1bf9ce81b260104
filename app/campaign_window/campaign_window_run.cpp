// A campaign run from the window: started off the window's thread, watched, cancelled, shown
// and saved.
#include "app/campaign_window/campaign_window.h"

#include "app/campaign_window/background_campaign.h"
#include "app/campaign_window/pairs_model.h"
#include "app/support/message_translation.h"
#include "app/output/campaign_charts.h"
#include "app/output/campaign_tables.h"
#include "app/output/chart_titles.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/shift_box.h"
#include "flight/flight_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

// Often enough for the bar to move smoothly, seldom enough to cost the run nothing.
constexpr int kWatchMilliseconds = 50;

void setCell(QTableWidget* table, int row, int column, const QString& text) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    table->setItem(row, column, item);
  }
  item->setText(text);
}

}  // namespace

CampaignSettings CampaignWindow::settings() const {
  CampaignSettings settings;
  settings.quantity = quantityBox->currentData().toChar().toLatin1();
  settings.column = columnEdit->text().trimmed().toStdString();
  settings.layer = layerBox->value();
  settings.match = matching();
  // At its minimum the box says "авто": each pair's shift is found.
  if (settings.match == MatchBy::Time) settings.shift = shiftBox->typed();
  settings.plus = plusBox->isChecked();
  settings.solarGroups = solarBox->isChecked();
  settings.allowApart = apartBox->isChecked();
  settings.separators = host_.separators();
  return settings;
}

MatchBy CampaignWindow::matching() const {
  return matchBox->currentData().toString() == QLatin1String(matchName(MatchBy::Time)) ? MatchBy::Time : MatchBy::Height;
}

void CampaignWindow::run() {
  const std::vector<CampaignPair>& pairs = pairs_->pairs();
  if (pairs.empty()) throw FlightError(MessageId::NoPairs);
  forgetResult();
  // A cancelled run may still be finishing its last pairs; it goes before the next one starts.
  cancelled_.reset();
  running_ = std::make_unique<BackgroundCampaign>(listName_.toStdString(), pairs, settings());
  progressBar->setRange(0, static_cast<int>(pairs.size()));
  progressBar->setValue(0);
  statusLabel->setText(QStringLiteral("Идёт сравнение…"));
  setRunning(true);
  watch_->start(kWatchMilliseconds);
}

void CampaignWindow::watchRun() {
  if (!running_) return;
  progressBar->setValue(static_cast<int>(running_->pairsDone()));
  if (!running_->finished()) return;
  watch_->stop();
  const std::unique_ptr<BackgroundCampaign> finished = std::move(running_);
  setRunning(false);
  statusLabel->setText(QStringLiteral("Сравнение прервано ошибкой: результатов нет."));
  showResult(finished->takeReport());
}

void CampaignWindow::cancel() {
  if (!running_) return;
  running_->cancel();
  cancelled_ = std::move(running_);
  watch_->stop();
  setRunning(false);
  progressBar->setValue(0);
  statusLabel->setText(QStringLiteral("Отменено: результатов нет."));
}

void CampaignWindow::setRunning(bool running) {
  runButton->setEnabled(!running);
  cancelButton->setEnabled(running);
}

void CampaignWindow::forgetResult() {
  statusLabel->clear();
  cancel();
  pairs_->showResult(nullptr);
  shown_.reset();
  layersTable->setRowCount(0);
  clearCampaignProfiles(*biasChart, *pointsChart);
  saveButton->setEnabled(false);
}

void CampaignWindow::showResult(CampaignReport report) {
  shown_ = std::move(report);
  const CampaignReport& shown = *shown_;
  pairs_->showResult(&shown);
  layersTable->setRowCount(static_cast<int>(shown.result.layers.size()));
  for (int row = 0; row < layersTable->rowCount(); ++row) {
    const QStringList texts = layerTableRow(shown.result.layers[row], true, shown.settings.solarGroups);
    for (int column = 0; column < texts.size(); ++column) {
      setCell(layersTable, row, column, texts[column]);
      // The group and the layer read left to right; the numbers line up by their points.
      if (column > 1) layersTable->item(row, column)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  const int columns = layersTable->columnCount();
  for (int column = columns - 2; column < columns; ++column) layersTable->setColumnHidden(column, shown.judgedPairs == 0);
  showCampaignProfiles(*biasChart, *pointsChart, shown);
  QString status = QStringLiteral("Сравнено пар: %1 из %2, пропущено: %3")
                       .arg(shown.comparedPairs)
                       .arg(shown.pairs.size())
                       .arg(shown.skippedPairs);
  if (!shown.mixedHeights.empty()) status += QStringLiteral(". Внимание: ") + translatedMessage(shown.mixedHeights);
  statusLabel->setText(status);
  saveButton->setEnabled(true);
}

void CampaignWindow::save(const QString& folder) {
  if (!shown_) throw FlightError(MessageId::NothingToSave);
  saveCampaign(folder, *shown_);
  statusLabel->setText(QStringLiteral("Сохранено в папку %1").arg(folder));
}
