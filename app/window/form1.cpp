#include "app/window/form1.h"

#include "app/support/app_fonts.h"
#include "app/support/system_decimal_separator.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/anchored_panel.h"
#include "app/window/layer_statistics_panel.h"
#include "app/window/window_placement.h"
#include "flight/flight_tables.h"

#include <QPlainTextEdit>
#include <QSplitter>
#include <QLabel>
#include <QVBoxLayout>


namespace {
const QRect kDesignedClientArea(274, 154, 1115, 690);
constexpr int kPanel1Height = 60;
// Panel1's controls stand at fixed places across its designed width: narrower, they would
// overlap. Below the panel the charts keep room to be read.
const QSize kSmallestClientArea(kDesignedClientArea.width(), kPanel1Height + 360);

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), switchboard(&messageBoxes_), regionalSeparator(systemDecimalSeparator()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Сравнение полетов С чтением \"Сырых данных\""));
  setFont(windowFont(kNormalFontPixels));
  setMinimumSize(kSmallestClientArea);
  setGeometry(kDesignedClientArea);

  createPanel1();
  createPanel2();
  createReadouts();
  auto layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(Panel2, 1);
  layout->addWidget(createStatusLine());
  createToolTips();

  connectHandlers();
  createCampaignAction();
  createExportActions();
  createOpenActions();
  setAcceptDrops(true);
  FormCreate();
}

// A line under the charts, shown only while there is something to say.
QLabel* TForm1::createStatusLine() {
  statusLine_ = new QLabel(this);
  statusLine_->setObjectName(QStringLiteral("StatusLine"));
  statusLine_->setTextFormat(Qt::PlainText);
  statusLine_->setWordWrap(true);
  statusLine_->setContentsMargins(4, 2, 4, 2);
  statusLine_->hide();
  return statusLine_;
}

void TForm1::showStatus(const QString& text) {
  statusLine_->setText(text);
  statusLine_->setVisible(!text.isEmpty());
}

void TForm1::createPanel1() {
  auto panel = new RightAnchoredPanel(this);
  Panel1 = panel;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setFixedHeight(kPanel1Height);
  Panel1->resize(kDesignedClientArea.width(), kPanel1Height);
  createButtons();
  createLabelsAndEdits();
  createComboBoxes();
  createCheckBoxes();
  panel->anchorRight(Memo1);
}

void TForm1::createPanel2() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Splitter1 = new QSplitter(Qt::Horizontal, Panel2);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setHandleWidth(8);
  Splitter1->setChildrenCollapsible(false);
  createChart1();
  createChart2();
  Statistics = new LayerStatisticsPanel(Splitter1);
  Splitter1->addWidget(Chart1);
  Splitter1->addWidget(Chart2);
  Splitter1->addWidget(Statistics);
  // On a resize Chart2 and the statistics keep their widths and Chart1 takes what remains; it
  // never gets narrower than Chart2 is designed.
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setStretchFactor(2, 0);
  constexpr int kChart2Width = 328;
  constexpr int kStatisticsWidth = 230;
  Chart1->setMinimumWidth(kChart2Width);
  Splitter1->setSizes({kDesignedClientArea.width() - kChart2Width - kStatisticsWidth - 2 * Splitter1->handleWidth(),
                       kChart2Width, kStatisticsWidth});
  auto layout = new QVBoxLayout(Panel2);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Splitter1);
}

void TForm1::placeOnScreen(const QRect& available) {
  if (available.contains(kDesignedClientArea.marginsAdded(kFrameAllowance))) {
    setGeometry(kDesignedClientArea);
    return;
  }
  setGeometry(centredWithin(available, kDesignedClientArea.size(), minimumSize()));
}

void TForm1::FormCreate() {
  Memo1->clear();
  MaxHight = kTopOfHeightWindow;
  mirrorRegionalSeparator();
}

// The first file must read in any regional setting: the box ticked is the one that states the
// computer's separator. The boxes' handlers keep exactly one ticked.
void TForm1::mirrorRegionalSeparator() {
  (regionalSeparator == '.' ? CheckBox2 : CheckBox3)->setChecked(true);
}
