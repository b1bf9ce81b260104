#include "app/window/window_slot_controls.h"

#include "app/support/shown_text.h"
#include "app/widgets/chart_series.h"

#include <QComboBox>
#include <QLabel>

namespace {

void setCaption(QLabel* label, const QString& caption) {
  label->setText(caption);
  label->adjustSize();
}

// A combo box selects its first item by itself; the list must keep the selection it had.
void addKeepingSelection(QComboBox* box, const QString& name) {
  const int selected = box->currentIndex();
  box->addItem(name);
  if (box->currentIndex() != selected) box->setCurrentIndex(selected);
}

}  // namespace

void WindowSlotControls::setFileLabel(const std::string& fileName) {
  setCaption(fileLabel_, QString::fromStdString(fileName));
}

void WindowSlotControls::setLegendTitle(const std::string& title) {
  series_->setLegendTitle(QString::fromStdString(title));
  series_->parentPlot()->replot(QCustomPlot::rpQueuedReplot);
}

void WindowSlotControls::clearParameterLists() {
  heightBox_->clear();
  parameterBox_->clear();
}

// A column's name from a file shows as any text from a file: what the axes and pictures take
// from the lists is safe to show too.
void WindowSlotControls::addParameter(const std::string& name) {
  addKeepingSelection(heightBox_, shownText(name));
  addKeepingSelection(parameterBox_, shownText(name));
}

void WindowSlotControls::selectHeight(int index) { heightBox_->setCurrentIndex(index); }

void WindowSlotControls::selectParameter(int index) { parameterBox_->setCurrentIndex(index); }

void WindowSlotControls::showRowCount(int count) { setCaption(rowCountLabel_, QString::number(count)); }
