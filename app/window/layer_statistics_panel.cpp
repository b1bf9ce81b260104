#include "app/window/layer_statistics_panel.h"

#include "app/output/statistic_text.h"
#include "app/widgets/shift_box.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QToolButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFirstConsistencyColumn = 4;
constexpr int kColumns = kFirstConsistencyColumn + 1 + kCoverageFactors;

const QString kTableTip = QStringLiteral(
    "По каждому слою: смещение (среднее сравнения), СКО и число точек; при неопределённостях обоих полётов — "
    "средняя суммарная неопределённость ū_c и доля точек (%), где |разность| ≤ 1, 2 и 3 u_c");

QString uncertaintyTip(int slot) {
  return QStringLiteral("Столбец стандартной неопределённости параметра полёта %1. У продукта GRUAN "
                        "выбирается сам по имени параметра (T — temp_uc или u_temp), у сырого файла — "
                        "только вручную; «нет» — разность не оценивается")
      .arg(slot);
}

QString timeTip(int slot) {
  return QStringLiteral("Столбец времени полёта %1 для сопоставления по времени: «time» продукта, "
                        "t, ВРЕМЯ, INTtime или Sctime сырого файла")
      .arg(slot);
}

QString withNote(const QString& tip, const QString& note) {
  return note.isEmpty() ? tip : tip + QStringLiteral("\n\n") + note;
}

QTableWidgetItem* cell(const QString& text) {
  auto item = new QTableWidgetItem(text);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

}  // namespace

LayerStatisticsPanel::LayerStatisticsPanel(QWidget* parent)
    : QWidget(parent), thicknessBox(new QComboBox(this)), uncertaintyBoxes{new QComboBox(this), new QComboBox(this)},
      matchingBox(new QComboBox(this)), shiftBox(new ShiftBox(this)), autoShiftButton(new QToolButton(this)),
      timeBoxes{new QComboBox(this), new QComboBox(this)}, shiftCaption(new QLabel(this)),
      table(new QTableWidget(0, kColumns, this)), warning(new QLabel(this)) {
  setObjectName(QStringLiteral("LayerStatistics"));
  setToolTip(QStringLiteral("Сравнение полетов 1 и 2 по слоям высоты"));
  thicknessBox->setObjectName(QStringLiteral("LayerThickness"));
  thicknessBox->setToolTip(QStringLiteral("Выбрать толщину слоя, по которому считается статистика"));
  for (double metres : {100.0, 250.0, 500.0, 1000.0, 2000.0, 5000.0})
    thicknessBox->addItem(metres < 1000 ? QStringLiteral("%1 м").arg(metres) : QStringLiteral("%1 км").arg(metres / 1000), metres);
  thicknessBox->setCurrentIndex(thicknessBox->findData(kDefaultLayerThickness));

  table->setObjectName(QStringLiteral("LayerTable"));
  table->setToolTip(kTableTip);
  warning->setObjectName(QStringLiteral("ComparisonWarning"));
  warning->setWordWrap(true);
  warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  warning->hide();
  table->setHorizontalHeaderLabels({QStringLiteral("Слой, м"), QStringLiteral("Смещение"), QStringLiteral("СКО"),
                                    QStringLiteral("N"), QStringLiteral("ū_c"), QStringLiteral("≤1u, %"),
                                    QStringLiteral("≤2u, %"), QStringLiteral("≤3u, %")});
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

  auto choice = new QHBoxLayout;
  choice->addWidget(new QLabel(QStringLiteral("Слой:"), this));
  choice->addWidget(thicknessBox, 1);
  QHBoxLayout* uncertainties = slotChoiceRow(uncertaintyBoxes, QStringLiteral("u"), QStringLiteral("UncertaintyBox"), uncertaintyTip);
  for (QComboBox* box : uncertaintyBoxes) box->addItem(kNoUncertainty);
  auto layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addLayout(choice);
  layout->addLayout(uncertainties);
  layout->addLayout(createMatchingRow());
  layout->addLayout(createShiftRow());
  layout->addLayout(createTimeRow());
  layout->addWidget(shiftCaption);
  layout->addWidget(warning);
  layout->addWidget(table, 1);
  showLayers({}, locale());
}

QHBoxLayout* LayerStatisticsPanel::createMatchingRow() {
  matchingBox->setObjectName(QStringLiteral("MatchingBox"));
  matchingBox->addItems({QStringLiteral("по высоте"), QStringLiteral("по времени")});
  matchingBox->setToolTip(QStringLiteral(
      "Значение полёта 2 на высоте полёта 1 или в тот же момент: по времени полёта 1 плюс сдвиг часов полёта 2"));
  shiftBox->setObjectName(QStringLiteral("ShiftBox"));
  shiftBox->setKeyboardTracking(false);
  shiftBox->setToolTip(QStringLiteral("Сдвиг часов полёта 2, с: найденный по ходу высот 4–6 км или введённый"));
  autoShiftButton->setObjectName(QStringLiteral("AutoShift"));
  autoShiftButton->setText(QStringLiteral("авто"));
  autoShiftButton->setCheckable(true);
  autoShiftButton->setChecked(true);
  autoShiftButton->setToolTip(QStringLiteral("Найти сдвиг заново по высотам полётов"));
  connect(shiftBox, &QDoubleSpinBox::valueChanged, this, [this] {
    autoShiftButton->setChecked(shiftBox->showsAutomatic());
    emit shiftEdited();
  });
  connect(autoShiftButton, &QToolButton::clicked, this, [this] {
    // With no shift shown there is none to take as typed.
    if (shiftBox->showsAutomatic()) autoShiftButton->setChecked(true);
    emit shiftEdited();
  });
  // Narrow enough that the panel keeps the width the charts were designed beside.
  matchingBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  matchingBox->setMinimumContentsLength(5);
  auto row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Сопоставление:"), this));
  row->addWidget(matchingBox, 1);
  return row;
}

QHBoxLayout* LayerStatisticsPanel::createShiftRow() {
  auto row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Сдвиг, с:"), this));
  row->addWidget(shiftBox, 1);
  row->addWidget(autoShiftButton);
  return row;
}

QHBoxLayout* LayerStatisticsPanel::slotChoiceRow(QComboBox* const (&boxes)[2], const QString& letter, const QString& name,
                                                 QString (*tip)(int)) {
  auto row = new QHBoxLayout;
  for (int slot = 1; slot <= 2; ++slot) {
    QComboBox* box = boxes[slot - 1];
    box->setObjectName(name + QString::number(slot));
    box->setToolTip(tip(slot));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(5);
    row->addWidget(new QLabel(letter + (slot == 1 ? QStringLiteral("₁:") : QStringLiteral("₂:")), this));
    row->addWidget(box, 1);
  }
  return row;
}

QHBoxLayout* LayerStatisticsPanel::createTimeRow() {
  QHBoxLayout* row = slotChoiceRow(timeBoxes, QStringLiteral("t"), QStringLiteral("TimeBox"), timeTip);
  shiftCaption->setObjectName(QStringLiteral("ShiftCaption"));
  shiftCaption->setWordWrap(true);
  shiftCaption->hide();
  enableTimeChoices(false);
  return row;
}

std::optional<double> LayerStatisticsPanel::typedShift() const {
  if (autoShiftButton->isChecked()) return std::nullopt;
  return shiftBox->typed();
}

void LayerStatisticsPanel::showShift(double seconds) {
  // A typed shift stays while no comparison uses it.
  if (std::isnan(seconds) && !autoShiftButton->isChecked()) return;
  const QSignalBlocker quiet(shiftBox);
  // One beyond the box's reach would show clamped, as another shift.
  const bool shown = std::abs(seconds) <= shiftBox->maximum();
  shown ? shiftBox->setValue(seconds) : shiftBox->showAutomatic();
}

void LayerStatisticsPanel::enableTimeChoices(bool inTime) {
  for (QWidget* choice : {static_cast<QWidget*>(shiftBox), static_cast<QWidget*>(autoShiftButton),
                          static_cast<QWidget*>(timeBoxes[0]), static_cast<QWidget*>(timeBoxes[1])})
    choice->setEnabled(inTime);
}

void LayerStatisticsPanel::setShiftCaption(const QString& caption) {
  shiftCaption->setText(caption);
  shiftCaption->setVisible(!caption.isEmpty());
}

int LayerStatisticsPanel::neededWidth() const {
  const QMargins margins = layout()->contentsMargins();
  return table->horizontalHeader()->length() + 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width() +
         margins.left() + margins.right();
}

void LayerStatisticsPanel::setUncertaintyNote(int slot, const QString& note) {
  uncertaintyBoxes[slot - 1]->setToolTip(withNote(uncertaintyTip(slot), note));
}

void LayerStatisticsPanel::setComparedFacts(const QString& facts) { table->setToolTip(withNote(kTableTip, facts)); }

void LayerStatisticsPanel::setWarning(const QString& text) {
  warning->setText(text);
  warning->setVisible(!text.isEmpty());
}

double LayerStatisticsPanel::thickness() const { return thicknessBox->currentData().toDouble(); }

void LayerStatisticsPanel::showLayers(const std::vector<LayerStatistics>& layers, const QLocale& notation) {
  table->setRowCount(static_cast<int>(layers.size()));
  // Highest layer first, as the charts have height upwards.
  for (int row = 0; row < table->rowCount(); ++row) {
    const LayerStatistics& layer = layers[layers.size() - 1 - row];
    table->setItem(row, 0, cell(notation.toString(layer.bottom, 'f', QLocale::FloatingPointShortest) + QStringLiteral("–") +
                             notation.toString(layer.top, 'f', QLocale::FloatingPointShortest)));
    table->setItem(row, 1, cell(statisticText(layer.mean, notation)));
    table->setItem(row, 2, cell(statisticText(layer.sd, notation)));
    table->setItem(row, 3, cell(QString::number(layer.points)));
    const ConsistencyTally& consistency = layer.consistency;
    table->setItem(row, kFirstConsistencyColumn, cell(statisticText(consistency.meanUncertainty(), notation)));
    for (int k = 1; k <= kCoverageFactors; ++k)
      table->setItem(row, kFirstConsistencyColumn + k, cell(shareText(consistency.shareWithin(k), notation)));
  }
  const bool judged = std::any_of(layers.begin(), layers.end(),
                                  [](const LayerStatistics& layer) { return layer.consistency.points() > 0; });
  for (int column = kFirstConsistencyColumn; column < kColumns; ++column) table->setColumnHidden(column, !judged);
}
