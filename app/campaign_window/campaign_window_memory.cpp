// The campaign window takes up the last list, quantity and layer of the previous session, and
// keeps them as they change. A list that is gone or no longer reads is left: remembering is a
// convenience, and the operator opens a list as ever.
#include "app/campaign_window/campaign_window.h"

#include "flight/flight_error.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kList = QStringLiteral("campaign/list");
const QString kQuantity = QStringLiteral("campaign/quantity");
const QString kLayer = QStringLiteral("campaign/layer");
}  // namespace

void CampaignWindow::rememberChoices() {
  QSettings* settings = host_.settings;
  if (!settings) return;
  const QString savedQuantity = settings->value(kQuantity).toString();
  const int quantity = savedQuantity.size() == 1 ? quantityBox->findData(savedQuantity.at(0)) : -1;
  if (quantity >= 0) quantityBox->setCurrentIndex(quantity);
  bool isNumber = false;
  const double layer = settings->value(kLayer).toDouble(&isNumber);
  if (isNumber && layer >= layerBox->minimum() && layer <= layerBox->maximum()) layerBox->setValue(layer);
  const QString list = settings->value(kList).toString();
  if (QFileInfo(list).isFile()) {
    try {
      loadList(list);
    } catch (const FlightError&) {
    }
  }
  connect(quantityBox, &QComboBox::currentIndexChanged, this,
          [this, settings] { settings->setValue(kQuantity, QString(quantityBox->currentData().toChar())); });
  connect(layerBox, &QDoubleSpinBox::valueChanged, this, [settings](double metres) { settings->setValue(kLayer, metres); });
}

void CampaignWindow::rememberList(const QString& fileName) {
  if (host_.settings) host_.settings->setValue(kList, QFileInfo(fileName).absoluteFilePath());
}
