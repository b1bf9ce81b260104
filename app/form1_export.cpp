// Saving what the charts show: pictures of the charts, and their points with the layer
// statistics as CSV. From a context menu on each chart and from keyboard shortcuts.
#include "form1.h"

#include "atomic_file.h"
#include "chart_export.h"
#include "comparison_csv.h"
#include "layer_statistics_panel.h"

#include <QFileDialog>
#include <qcustomplot.h>
#include <QMenu>
#include <QShortcut>

#include <sstream>

void TForm1::saveChartsAs(const QString& fileName) { saveChartsImage({Chart1, Chart2}, fileName); }

void TForm1::saveDataAs(const QString& fileName) {
  std::ostringstream text;
  writeComparisonCsv(text,
                     {{"Series1", &redrawPoints_.flight1},
                      {"Series2", &redrawPoints_.flight2},
                      {"Series3", &redrawPoints_.comparison},
                      {"Series4", &redrawPoints_.average},
                      {"Series5", &redrawPoints_.flight3}},
                     Statistics->statistics());
  writeFileAtomically(fileName, QByteArray::fromStdString(text.str()));
}

void TForm1::createExportActions() {
  const auto askAndSave = [this](const QString& title, const QString& filter, std::function<void(const QString&)> save) {
    const QString fileName = QFileDialog::getSaveFileName(this, title, QString(), filter);
    if (!fileName.isEmpty()) switchboard.guarded([&] { save(fileName); })();
  };
  const auto saveBoth = [this, askAndSave] {
    askAndSave(QStringLiteral("Сохранить графики"), chartImageFilter(), [this](const QString& f) { saveChartsAs(f); });
  };
  const auto saveData = [this, askAndSave] {
    askAndSave(QStringLiteral("Сохранить данные"), QStringLiteral("CSV (*.csv)"), [this](const QString& f) { saveDataAs(f); });
  };
  for (QCustomPlot* chart : {Chart1, Chart2}) {
    chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chart, &QWidget::customContextMenuRequested, this, [=](const QPoint& at) {
      QMenu menu(chart);
      menu.addAction(QStringLiteral("Сохранить этот график…"), [=] {
        askAndSave(QStringLiteral("Сохранить график"), chartImageFilter(), [chart](const QString& f) { saveChartImage(chart, f); });
      });
      menu.addAction(QStringLiteral("Сохранить оба графика…"), saveBoth)->setShortcut(QKeySequence::Save);
      menu.addAction(QStringLiteral("Сохранить данные (CSV)…"), saveData)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
      menu.exec(chart->mapToGlobal(at));
    });
  }
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, saveBoth);
  connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")), this), &QShortcut::activated, this, saveData);
}
