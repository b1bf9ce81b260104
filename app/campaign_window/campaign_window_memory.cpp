// The campaign window takes up the last list, quantity, layer and matching of the previous
// session, and keeps them as they change. A list that is gone or no longer reads is left:
// remembering is a convenience, and the operator opens a list as ever.
#include "app/campaign_window/campaign_window.h"

#include "app/widgets/shift_box.h"
#include "flight/flight_error.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QSettings>

#include <optional>

namespace {
const QString kList = QStringLiteral("campaign/list");
const QString kQuantity = QStringLiteral("campaign/quantity");
const QString kLayer = QStringLiteral("campaign/layer");
const QString kMatch = QStringLiteral("campaign/match");
const QString kShift = QStringLiteral("campaign/shift");
const QString kAutomaticShift = QStringLiteral("auto");

// A remembered number within the box's range, or nothing.
std::optional<double> withinRange(const QVariant& saved, const QDoubleSpinBox* box) {
  bool isNumber = false;
  const double value = saved.toDouble(&isNumber);
  if (!isNumber || value < box->minimum() || value > box->maximum()) return std::nullopt;
  return value;
}
}  // namespace

void CampaignWindow::rememberChoices() {
  QSettings* settings = host_.settings;
  if (!settings) return;
  const QString savedQuantity = settings->value(kQuantity).toString();
  const int quantity = savedQuantity.size() == 1 ? quantityBox->findData(savedQuantity.at(0)) : -1;
  if (quantity >= 0) quantityBox->setCurrentIndex(quantity);
  if (const std::optional<double> layer = withinRange(settings->value(kLayer), layerBox)) layerBox->setValue(*layer);
  const int match = matchBox->findData(settings->value(kMatch).toString());
  if (match >= 0) matchBox->setCurrentIndex(match);
  if (const std::optional<double> shift = withinRange(settings->value(kShift), shiftBox)) shiftBox->setValue(*shift);
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
  connect(matchBox, &QComboBox::currentIndexChanged, this,
          [this, settings] { settings->setValue(kMatch, matchBox->currentData().toString()); });
  connect(shiftBox, &QDoubleSpinBox::valueChanged, this, [this, settings](double seconds) {
    settings->setValue(kShift, shiftBox->showsAutomatic() ? QVariant(kAutomaticShift) : QVariant(seconds));
  });
}

void CampaignWindow::rememberList(const QString& fileName) {
  if (host_.settings) host_.settings->setValue(kList, QFileInfo(fileName).absoluteFilePath());
}
