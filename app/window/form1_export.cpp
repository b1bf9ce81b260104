// Saving what the charts show: pictures of the charts, and their points with the layer
// statistics as CSV or NetCDF. From a context menu on each chart, which also leads to the campaign
// window, and from keyboard shortcuts.
#include "app/window/form1.h"

#include "app/output/chart_export.h"
#include "app/output/comparison_data.h"
#include "app/support/shown_text.h"
#include "app/support/open_dialog.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/layer_statistics_panel.h"
#include "flight/flight_tables.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <qcustomplot.h>
#include <QMenu>


void TForm1::saveChartsAs(const QString& fileName, int scale) {
  saveChartsImage({Chart1, Chart2}, fileName, {printTitle({Chart1, Chart2}), scale});
}

// The flights by their labels, then what each chart shows: "Полёт 1: … ; полёт 2: … — T, °C".
QString TForm1::printTitle(const QList<InteractiveChart*>& charts) const {
  const int shownSlots = charts.contains(Chart1) ? 3 : 2;
  QStringList flights;
  for (int slot = 1; slot <= shownSlots; ++slot)
    if (flightSlot(slot).rowCount > 0)
      flights << QStringLiteral("полёт %1: %2").arg(slot).arg(shownText(flightIdentity(slot).label()));
  QStringList quantities;
  for (const InteractiveChart* chart : charts)
    if (!chart->xAxis->label().isEmpty()) quantities << chart->xAxis->label();
  QString title = flights.join(QStringLiteral("; "));
  if (!title.isEmpty()) title[0] = title[0].toUpper();
  return quantities.isEmpty() ? title : title + QStringLiteral(" — ") + quantities.join(QStringLiteral(" | "));
}

void TForm1::saveDataAs(const QString& fileName, const QString& chosenFilter) {
  std::vector<NamedPoints> series;
  for (const DrawnSeries& drawn : drawnSeries()) series.push_back({drawn.series->ownName().toStdString(), drawn.points});
  saveComparisonData(fileName, chosenFilter, series, workspace_.layers(), workspace_.matchBy, workspace_.clockShift());
}

// The actions are made once and belong to the window, so their shortcuts work from the moment
// it is shown; the charts' context menus only show them.
void TForm1::createExportActions() {
  // A name typed without an extension gets the chosen format's, before the dialog asks whether
  // to replace a file of that name.
  const auto askAndSave = [this](const QString& title, const QString& filter,
                                 std::function<void(const QString& fileName, const QString& format)> save) {
    QFileDialog dialog(this, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The folder and format of the last save of its kind.
    const QString formatKey = QStringLiteral("save/format/") + title;
    if (settings_) {
      dialog.setDirectory(settings_->value(QStringLiteral("save/folder")).toString());
      const QString format = settings_->value(formatKey).toString();
      if (dialog.nameFilters().contains(format)) dialog.selectNameFilter(format);
    }
    dialog.setDefaultSuffix(filterSuffix(dialog.selectedNameFilter()));
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& chosen) { dialog.setDefaultSuffix(filterSuffix(chosen)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString fileName = dialog.selectedFiles().first();
    if (settings_) {
      settings_->setValue(QStringLiteral("save/folder"), QFileInfo(fileName).absolutePath());
      settings_->setValue(formatKey, dialog.selectedNameFilter());
    }
    switchboard.guarded([&] { save(fileName, dialog.selectedNameFilter()); })();
  };
  const auto action = [this](const QString& caption, const QKeySequence& shortcut, std::function<void()> run) {
    auto created = new QAction(caption, this);
    created->setShortcut(shortcut);
    connect(created, &QAction::triggered, this, run);
    addAction(created);
    return created;
  };
  QAction* saveBoth = action(QStringLiteral("Сохранить оба графика…"), QKeySequence::Save, [=] {
    askAndSave(QStringLiteral("Сохранить графики"), chartImageFilter(),
               [this](const QString& file, const QString& format) { saveChartsAs(file, filterScale(format)); });
  });
  QAction* saveData = action(QStringLiteral("Сохранить данные (CSV, NetCDF)…"), QKeySequence(QStringLiteral("Ctrl+Shift+S")), [=] {
    askAndSave(QStringLiteral("Сохранить данные"), comparisonDataFilters(),
               [this](const QString& file, const QString& format) { saveDataAs(file, format); });
  });
  for (InteractiveChart* chart : {Chart1, Chart2}) {
    QAction* saveThis = action(QStringLiteral("Сохранить этот график…"), {}, [=] {
      askAndSave(QStringLiteral("Сохранить график"), chartImageFilter(), [this, chart](const QString& file, const QString& format) {
        saveChartsImage({chart}, file, {printTitle({chart}), filterScale(format)});
      });
    });
    chart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chart, &QWidget::customContextMenuRequested, this, [=](const QPoint& at) {
      QMenu menu(chart);
      menu.setToolTipsVisible(true);
      menu.addActions({saveThis, saveBoth, saveData});
      menu.addSeparator();
      menu.addAction(campaignAction_);
      menu.exec(chart->mapToGlobal(at));
    });
  }
}
