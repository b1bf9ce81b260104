// The campaign window's controls and where they stand.
#include "app/campaign_window/campaign_window.h"

#include "app/campaign_window/background_campaign.h"
#include "app/campaign_window/pairs_model.h"
#include "app/output/campaign_charts.h"
#include "app/output/campaign_tables.h"
#include "app/output/chart_titles.h"
#include "app/presentation/captions.h"
#include "app/support/switchboard.h"
#include "app/support/tool_tips.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/shift_box.h"
#include "compare/quick_select.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kDefaultLayer = 100;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
  auto control = new QPushButton(caption, parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

template <class Table>
Table* table(QWidget* parent, const char* name) {
  auto control = new Table(parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setSelectionBehavior(QAbstractItemView::SelectRows);
  control->verticalHeader()->setDefaultSectionSize(control->fontMetrics().height() + 6);
  return control;
}

}  // namespace

CampaignWindow::CampaignWindow(CampaignHost host, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(std::move(host)), pairs_(new PairsModel(this)), watch_(new QTimer(this)) {
  setObjectName(QStringLiteral("CampaignWindow"));
  setWindowTitle(QStringLiteral("Кампания: сравнение многих пар полётов"));
  resize(1260, 840);
  setAcceptDrops(true);
  auto split = new QSplitter(Qt::Vertical, this);
  split->addWidget(createPairsPanel());
  split->addWidget(createResultPanel());
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({220, 560});
  auto layout = new QVBoxLayout(this);
  layout->addWidget(split, 1);
  layout->addWidget(createRunPanel());
  createToolTips();
  connectHandlers();
  setRunning(false);
  pairsChanged(QString());
  rememberChoices();
}

CampaignWindow::~CampaignWindow() = default;

QWidget* CampaignWindow::createPairsPanel() {
  auto panel = new QWidget(this);
  openListButton = button(panel, "OpenList", QStringLiteral("Открыть список…"));
  addFilesButton = button(panel, "AddFiles", QStringLiteral("Добавить файлы…"));
  clearButton = button(panel, "ClearPairs", QStringLiteral("Очистить"));
  listLabel = new QLabel(panel);
  listLabel->setObjectName(QStringLiteral("ListName"));
  listLabel->setTextFormat(Qt::PlainText);
  pairsTable = table<QTableView>(panel, "PairsTable");
  pairsTable->setModel(pairs_);
  pairsTable->setTextElideMode(Qt::ElideMiddle);
  // A double click opens the pair; the group is edited by typing over it.
  pairsTable->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  for (const auto& [column, width] : {std::pair{kFlight1Column, 200}, {kFlight2Column, 200}, {kGroupColumn, 80},
                                      {kStatusColumn, 280}})
    pairsTable->setColumnWidth(column, width);
  pairsTable->horizontalHeader()->setStretchLastSection(true);

  auto buttons = new QHBoxLayout;
  for (QWidget* control : {static_cast<QWidget*>(openListButton), static_cast<QWidget*>(addFilesButton),
                           static_cast<QWidget*>(clearButton)})
    buttons->addWidget(control);
  buttons->addWidget(listLabel, 1);
  auto layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(buttons);
  layout->addWidget(pairsTable, 1);
  return panel;
}

QWidget* CampaignWindow::createRunPanel() {
  auto panel = new QWidget(this);
  quantityBox = new QComboBox(panel);
  quantityBox->setObjectName(QStringLiteral("Quantity"));
  for (Quantity quantity : kQuickSelectQuantities)
    quantityBox->addItem(fromUtf8(quantityCaption(quantity)), QChar(factsOf(quantity).button));
  columnEdit = new QLineEdit(panel);
  columnEdit->setObjectName(QStringLiteral("Column"));
  columnEdit->setPlaceholderText(QStringLiteral("или столбец по имени"));
  columnEdit->setMinimumWidth(columnEdit->fontMetrics().horizontalAdvance(columnEdit->placeholderText()) + 16);
  layerBox = new QDoubleSpinBox(panel);
  layerBox->setObjectName(QStringLiteral("Layer"));
  layerBox->setRange(1, 50000);
  layerBox->setDecimals(0);
  layerBox->setSuffix(QStringLiteral(" м"));
  layerBox->setValue(kDefaultLayer);
  matchBox = new QComboBox(panel);
  matchBox->setObjectName(QStringLiteral("Matching"));
  // Each with the word the command line and the files name it by.
  matchBox->addItem(QStringLiteral("по высоте"), QString::fromLatin1(matchName(MatchBy::Height)));
  matchBox->addItem(QStringLiteral("по времени"), QString::fromLatin1(matchName(MatchBy::Time)));
  shiftBox = new ShiftBox(panel);
  shiftBox->setObjectName(QStringLiteral("Shift"));
  shiftBox->setEnabled(false);
  plusBox = new QCheckBox(QStringLiteral("+"), panel);
  plusBox->setObjectName(QStringLiteral("Plus"));
  solarBox = new QCheckBox(QStringLiteral("Группы по солнцу"), panel);
  solarBox->setObjectName(QStringLiteral("SolarGroups"));
  solarBox->setToolTip(QStringLiteral("Группа каждой пары — по высоте солнца при запуске полёта 1 (время и место из файла): "
                                      "день выше +7,5°, ночь ниже −7,5°, между ними сумерки, unknown без времени или места. "
                                      "Группы списка тогда не учитываются"));
  apartBox = new QCheckBox(QStringLiteral("Разные зондирования"), panel);
  apartBox->setObjectName(QStringLiteral("AllowApart"));
  apartBox->setToolTip(QStringLiteral("Сравнивать и пары, полёты которых по своим файлам не одно зондирование: запуски "
                                      "более чем через 3 часа или места более чем в 50 км друг от друга. Без флажка "
                                      "такие пары пропускаются"));
  runButton = button(panel, "Run", QStringLiteral("Запуск"));
  cancelButton = button(panel, "Cancel", QStringLiteral("Отмена"));
  progressBar = new QProgressBar(panel);
  progressBar->setObjectName(QStringLiteral("Progress"));
  progressBar->setFormat(QStringLiteral("%v из %m пар"));
  saveButton = button(panel, "Save", QStringLiteral("Сохранить…"));

  // The choices on one row and the run on the next, so that the window fits a laptop's screen.
  auto choices = new QHBoxLayout;
  choices->addWidget(new QLabel(QStringLiteral("Величина:"), panel));
  choices->addWidget(quantityBox);
  choices->addWidget(columnEdit);
  choices->addWidget(new QLabel(QStringLiteral("Слой:"), panel));
  choices->addWidget(layerBox);
  choices->addWidget(plusBox);
  choices->addSpacing(16);
  choices->addWidget(new QLabel(QStringLiteral("Сопоставление:"), panel));
  choices->addWidget(matchBox);
  choices->addWidget(new QLabel(QStringLiteral("Сдвиг, с:"), panel));
  choices->addWidget(shiftBox);
  choices->addSpacing(16);
  choices->addWidget(solarBox);
  choices->addWidget(apartBox);
  choices->addStretch(1);
  auto run = new QHBoxLayout;
  run->addWidget(runButton);
  run->addWidget(cancelButton);
  run->addWidget(progressBar, 1);
  run->addWidget(saveButton);
  statusLabel = new QLabel(panel);
  statusLabel->setObjectName(QStringLiteral("Status"));
  statusLabel->setTextFormat(Qt::PlainText);
  auto layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(choices);
  layout->addLayout(run);
  layout->addWidget(statusLabel);
  return panel;
}

QWidget* CampaignWindow::createResultPanel() {
  auto split = new QSplitter(Qt::Horizontal, this);
  split->setChildrenCollapsible(false);
  biasChart = new InteractiveChart(split);
  biasChart->setObjectName(QStringLiteral("BiasChart"));
  pointsChart = new InteractiveChart(split);
  pointsChart->setObjectName(QStringLiteral("PointsChart"));
  setUpCampaignCharts(*biasChart, *pointsChart);
  InteractiveChart::linkHeightAxes(biasChart, pointsChart);
  layersTable = table<QTableWidget>(split, "LayersTable");
  const QStringList captions = layerTableCaptions(QString(), true);
  layersTable->setColumnCount(static_cast<int>(captions.size()));
  layersTable->setHorizontalHeaderLabels(captions);
  layersTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layersTable->verticalHeader()->hide();
  layersTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  split->addWidget(biasChart);
  split->addWidget(pointsChart);
  split->addWidget(layersTable);
  split->setSizes({430, 190, 640});
  return split;
}

namespace {

const ToolTip kToolTips[] = {
    {"OpenList", "Открыть список пар: CSV с заголовком flight1,flight2[,group];\nимена файлов — от папки списка"},
    {"AddFiles", "Добавить файлы полётов парами: первый со вторым, третий с четвёртым…\n"
                 "(по порядку имён). Файлы можно и перетащить в окно по два"},
    {"ClearPairs", "Убрать все пары"},
    {"PairsTable", "Пары полётов: полёт 1 сравнивается с полётом 2.\n"
                   "Группу можно вписать; двойной щелчок открывает пару в главном окне"},
    {"Quantity", "Величина, которую выбирает кнопка быстрого выбора в каждом полёте"},
    {"Column", "Если задан, сравнивается столбец ровно с этим именем вместо величины"},
    {"Layer", "Толщина слоёв высоты, по которым считается статистика, от 1 до 50000 м"},
    {"Matching", "Значение полёта 2 на высоте полёта 1 или в тот же момент:\n"
                 "по времени полёта 1 плюс сдвиг часов полёта 2"},
    {"Shift", "Сдвиг часов полёта 2 при сопоставлении по времени, с: введённый — один для всех пар;\n"
              "«авто» — найденный для каждой пары по ходу высот 4–6 км"},
    {"Plus", "Отмечено: полёт 1 плюс полёт 2; не отмечено: минус"},
    {"Run", "Сравнить все пары; главное окно остаётся свободным"},
    {"Cancel", "Остановить сравнение сразу; результатов не будет"},
    {"Progress", "Сколько пар уже сравнено"},
    {"Save", "Сохранить в папку layers.csv, layers.nc, pairs.csv, profile.svg, profile.png и report.pdf"},
    {"BiasChart", "Смещение каждой группы по слоям: линия — среднее,\nполоса — ± СКО, пунктир — 5 % и 95 % значений.\n"
                  "Колесо — масштаб, перетаскивание — сдвиг, двойной щелчок — весь график"},
    {"PointsChart", "Сколько значений сравнения попало в каждый слой"},
    {"LayersTable", "Статистика каждой группы по слоям"},
};

}  // namespace

void CampaignWindow::createToolTips() {
  setToolTips(this, kToolTips);
}

void CampaignWindow::connectHandlers() {
  const Switchboard& board = host_.switchboard;
  connect(openListButton, &QPushButton::clicked, this, board.guarded([this] {
    const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть список пар"), QString(),
                                                      QStringLiteral("Список пар (*.csv);;Все файлы (*)"));
    if (!name.isEmpty()) loadList(name);
  }));
  connect(addFilesButton, &QPushButton::clicked, this, board.guarded([this] {
    QStringList names = QFileDialog::getOpenFileNames(this, QStringLiteral("Добавить файлы полётов парами"));
    // The dialog gives them in no order the operator sees; "f2" goes before "f10".
    QCollator byName;
    byName.setNumericMode(true);
    std::sort(names.begin(), names.end(), byName);
    QList<QByteArray> files;
    for (const QString& name : names) files << QFile::encodeName(name);
    if (!files.isEmpty()) addFiles(files);
  }));
  connect(clearButton, &QPushButton::clicked, this, [this] { clearPairs(); });
  connect(pairs_, &PairsModel::groupEdited, this, [this] { groupEdited(); });
  connect(pairsTable, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    const auto row = static_cast<std::size_t>(index.row());
    host_.switchboard.guarded([this, row] { host_.openPair(pairs_->pairs().at(row)); })();
  });
  connect(quantityBox, &QComboBox::currentIndexChanged, this, [this] { forgetResult(); });
  connect(columnEdit, &QLineEdit::textChanged, this, [this] { forgetResult(); });
  connect(layerBox, &QDoubleSpinBox::valueChanged, this, [this] { forgetResult(); });
  connect(matchBox, &QComboBox::currentIndexChanged, this, [this] {
    shiftBox->setEnabled(matching() == MatchBy::Time);
    forgetResult();
  });
  connect(shiftBox, &QDoubleSpinBox::valueChanged, this, [this] { forgetResult(); });
  connect(plusBox, &QCheckBox::toggled, this, [this] { forgetResult(); });
  connect(solarBox, &QCheckBox::toggled, this, [this] { forgetResult(); });
  connect(apartBox, &QCheckBox::toggled, this, [this] { forgetResult(); });
  connect(runButton, &QPushButton::clicked, this, board.guarded([this] { run(); }));
  connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
  connect(watch_, &QTimer::timeout, this, board.guarded([this] { watchRun(); }));
  connect(saveButton, &QPushButton::clicked, this, board.guarded([this] {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Папка для файлов кампании"));
    if (!folder.isEmpty()) save(folder);
  }));
}
