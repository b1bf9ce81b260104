// What the window offers beyond its design: layer statistics, the crosshair, dropped files.
#include "tests/app/form_widgets.h"
#include "app/output/chart_export.h"
#include "app/support/open_dialog.h"
#include "app/widgets/chart_crosshair.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/interactive_chart.h"
#include "app/widgets/uncertainty_band.h"
#include "app/widgets/up_down.h"
#include "app/window/layer_statistics_panel.h"
#include "flight/flight_error.h"
#include "tests/app/window/scripted_window.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

namespace {

class Beyond : public ScriptedWindow {
 protected:
  void SetUp() override {
    ScriptedWindow::SetUp();
    form.show();
    first.rows = 400;
    second = first;
    second.bias = 0.5;
    second.noise = 0.2;
  }

  QString file(const QString& name, const FlightRecipe& recipe) { return write(name, generateFlight(recipe)); }

  QByteArray output(const QString& name) {
    QFile saved(folder.filePath(name));
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
  }

  void drop(QWidget* target, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& f : files) urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    const QPoint at = target->mapTo(&form, target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropped);
  }

  void moveMouse(QWidget* widget, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
  }

  FlightRecipe first, second;
};

}  // namespace

TEST_F(Beyond, StatisticsFollowEveryRedrawAndTheChosenLayer) {
  EXPECT_EQ(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->rowCount(), 0);
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  ASSERT_EQ(widget<LayerStatisticsPanel>(form, "LayerStatistics")->thickness(), 1000);
  ASSERT_EQ(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->rowCount(), 31) << "30000 m, the top, opens a layer of its own";
  const auto& layers = form.workspace().layers();
  std::size_t points = 0;
  for (const LayerStatistics& layer : layers) points += layer.points;
  EXPECT_EQ(points, widget<ChartSeries>(form, "Series3")->dataCount()) << "the same values as the comparison curve";
  EXPECT_NEAR(layers[5].mean, -0.5, 0.1);
  EXPECT_EQ(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->item(1, 0)->text(), "29000–30000") << "highest layer first";

  widget<LayerStatisticsPanel>(form, "LayerStatistics")->thicknessBox->setCurrentIndex(widget<LayerStatisticsPanel>(form, "LayerStatistics")->thicknessBox->findData(5000.0));
  EXPECT_EQ(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->rowCount(), 7);
  QTest::mouseClick(widget<QCheckBox>(form, "CheckBox1"), Qt::LeftButton);
  EXPECT_NEAR(form.workspace().layers()[1].mean, 2 * soundingAt(first, 100).temperature, 5) << "\"+\" redraws them";
}

// The table beside Chart2 writes its numbers as Chart2's axes do.
TEST_F(Beyond, TheLayerTableWritesNumbersInTheAxesNotation) {
  QLocale russian(QLocale::Russian);
  russian.setNumberOptions(QLocale::OmitGroupSeparator);
  widget<InteractiveChart>(form, "Chart2")->setLocale(russian);
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  const QTableWidget* table = widget<LayerStatisticsPanel>(form, "LayerStatistics")->table;
  EXPECT_EQ(table->item(1, 0)->text(), "29000–30000");
  for (int column : {1, 2})
    EXPECT_TRUE(QRegularExpression("^-?\\d+,\\d{3}$").match(table->item(5, column)->text()).hasMatch())
        << table->item(5, column)->text().toStdString();
}

// A flight stating who it is goes by its label; a raw file by its path's end.
TEST_F(Beyond, LegendsNameStatedFlightsByTheirLabels) {
  FlightRecipe table = first;
  table.layout = Layout::Table;
  open(widget<QPushButton>(form, "Button1"), table);
  open(widget<QPushButton>(form, "Button3"), second);
  const QString label = QString::fromStdString(form.workspace().identity(1).statedLabel());
  ASSERT_TRUE(label.contains("T0000001")) << label.toStdString();
  EXPECT_EQ(widget<ChartSeries>(form, "Series1")->name(), label);
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->name(), folder.filePath("2.txt").right(30));
}

TEST_F(Beyond, CrosshairShowsHeightValueAndTheComparison) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  auto crosshairs = widget<InteractiveChart>(form, "Chart2")->findChildren<ChartCrosshair*>();
  ASSERT_EQ(crosshairs.size(), 1);
  const QPoint inside = widget<InteractiveChart>(form, "Chart2")->axisRect()->rect().center() + QPoint(0, 60);
  moveMouse(widget<InteractiveChart>(form, "Chart2"), inside);
  const QString text = crosshairs.first()->text();
  EXPECT_TRUE(text.startsWith("высота ")) << text.toStdString();
  EXPECT_TRUE(text.contains("разность -0.")) << text.toStdString();

  const QPoint legend = widget<InteractiveChart>(form, "Chart2")->legend->itemWithPlottable(widget<ChartSeries>(form, "Series4"))->outerRect().center();
  moveMouse(widget<InteractiveChart>(form, "Chart2"), legend);
  EXPECT_TRUE(crosshairs.first()->text().isEmpty()) << "no crosshair over the legend";
  QTest::mouseClick(widget<InteractiveChart>(form, "Chart2"), Qt::LeftButton, {}, legend);
  EXPECT_TRUE(widget<ChartSeries>(form, "Series4")->visible()) << "so its check boxes still answer";
}

// A product's uncertainty column follows its parameter; the band, the readout and the panel's
// consistency columns are there while both flights have one.
// Each drawn flight's value at the mouse's height, between its rows, in the axes' notation.
TEST_F(Beyond, TheReadoutGivesEachFlightsValueAtTheMousesHeight) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  widget<InteractiveChart>(form, "Chart1")->setLocale(QLocale(QLocale::Russian));
  widget<InteractiveChart>(form, "Chart1")->replot();
  const QPoint at = widget<InteractiveChart>(form, "Chart1")->axisRect()->rect().center() + QPoint(0, 97);
  const double height = widget<InteractiveChart>(form, "Chart1")->yAxis->pixelToCoord(at.y());
  ASSERT_LT(height, 11000) << "where the model's temperature falls 6.5 K a kilometre";
  moveMouse(widget<InteractiveChart>(form, "Chart1"), at);
  const QStringList lines = widget<InteractiveChart>(form, "Chart1")->findChild<ChartCrosshair*>()->text().split('\n');
  ASSERT_EQ(lines.size(), 3) << lines.join('|').toStdString();
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("высота ")) && lines[0].endsWith(QStringLiteral(" м")));
  const QString flight1 = lines[1].section(QStringLiteral(": "), 1);
  ASSERT_TRUE(flight1.endsWith(QStringLiteral(" °C"))) << flight1.toStdString();
  EXPECT_EQ(flight1.section(',', 1).size(), QStringLiteral("00 °C").size()) << "hundredths, with the axes' comma";
  EXPECT_NEAR(QLocale(QLocale::Russian).toDouble(flight1.section(' ', 0, 0)), 15 - 0.0065 * height, 0.06);
  EXPECT_TRUE(lines[2].startsWith(widget<ChartSeries>(form, "Series2")->name() + ": "));
}

TEST_F(Beyond, DifferencesOfProductsAreJudgedAgainstTheirUncertainties) {
  const QByteArray product = QString(QString(REFERENCE_FILES) + "/gruan_rs41.nc").toUtf8();
  form.openFile(1, product);
  form.openFile(2, product);
  for (int slot : {1, 2}) EXPECT_EQ(widget<QComboBox>(form, QString("UncertaintyBox%1").arg(slot).toLatin1().constData())->currentText(), "temp_uc");
  EXPECT_TRUE(widget<UncertaintyBand>(form, "UncertaintyBand")->holdsBand());
  EXPECT_TRUE(widget<InteractiveChart>(form, "Chart2")->legend->hasItemWithPlottable(widget<UncertaintyBand>(form, "UncertaintyBand")));
  EXPECT_FALSE(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->isColumnHidden(4));
  const LayerStatistics& layer = form.workspace().layers().front();
  EXPECT_EQ(layer.consistency.shareWithin(1), 1.0) << "a flight agrees with itself";
  widget<InteractiveChart>(form, "Chart2")->replot();
  moveMouse(widget<InteractiveChart>(form, "Chart2"), widget<InteractiveChart>(form, "Chart2")->axisRect()->rect().center());
  EXPECT_TRUE(widget<InteractiveChart>(form, "Chart2")->findChild<ChartCrosshair*>()->text().contains("Δ/u_c 0.00"));

  QTest::mouseClick(widget<QPushButton>(form, "Button5"), Qt::LeftButton);
  EXPECT_EQ(widget<QComboBox>(form, "UncertaintyBox1")->currentText(), "rh_uc") << "the parameter's own";
  widget<QComboBox>(form, "UncertaintyBox2")->setCurrentIndex(0);
  emit widget<QComboBox>(form, "UncertaintyBox2")->activated(0);
  EXPECT_FALSE(widget<UncertaintyBand>(form, "UncertaintyBand")->holdsBand()) << "flight 2 has none now";
  EXPECT_FALSE(widget<InteractiveChart>(form, "Chart2")->legend->hasItemWithPlottable(widget<UncertaintyBand>(form, "UncertaintyBand")));
  EXPECT_TRUE(widget<LayerStatisticsPanel>(form, "LayerStatistics")->table->isColumnHidden(4));
}

TEST_F(Beyond, DroppedFilesGoIntoTheSlotsInOrderOrOntoALabel) {
  drop(widget<InteractiveChart>(form, "Chart1"), {file("a.txt", first), file("b.txt", second)});
  EXPECT_EQ(mass1Count, 400);
  EXPECT_EQ(mass2Count, 400);
  EXPECT_EQ(mass3Count, 0);
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->dataCount(), 400);

  const QString third = file("c.txt", first);
  drop(widget<QLabel>(form, "Label7"), {third});
  EXPECT_EQ(widget<QLabel>(form, "Label7")->text(), third);
  EXPECT_EQ(mass3Count, 400);
  drop(widget<QLabel>(form, "Label2"), {folder.filePath("missing.txt")});
  EXPECT_EQ(errors.messages.size(), 1);
  EXPECT_TRUE(errors.messages.first().startsWith("File does not exist."));
  EXPECT_EQ(mass2Count, 400) << "a missing file changes nothing";
  drop(widget<InteractiveChart>(form, "Chart1"), {third, third, third, third});
  EXPECT_EQ(errors.messages.value(1), "Too many files: the window holds three flights, one file for each slot.");
  EXPECT_EQ(mass1Count, 400);
}

TEST_F(Beyond, FilesNamedAtStartOpenLikeADrop) {
  form.openFilesOncePainted({QFile::encodeName(file("a.txt", first)), QFile::encodeName(folder.filePath("none.txt")),
                              QFile::encodeName(file("c.txt", second))});
  EXPECT_EQ(mass1Count, 0) << "the window paints first";
  ASSERT_TRUE(QTest::qWaitFor([] { return mass3Count != 0; }));
  EXPECT_EQ(mass1Count, 400);
  EXPECT_EQ(mass3Count, 400) << "a failure does not stop the next file";
  EXPECT_EQ(errors.messages.size(), 1);
}

TEST_F(Beyond, SavesTheChartsAsPicturesAndTheirDataAsCsv) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  for (const char* suffix : {"png", "svg", "pdf"}) {
    const QString picture = folder.filePath(QStringLiteral("charts.") + suffix);
    form.saveChartsAs(picture);
    EXPECT_GT(QFileInfo(picture).size(), 1000) << suffix;
  }
  const int pixels = widget<InteractiveChart>(form, "Chart1")->width() + widget<InteractiveChart>(form, "Chart2")->width();
  EXPECT_EQ(QImage(folder.filePath("charts.png")).width(), 2 * pixels) << "twice the screen's by default";
  form.saveChartsAs(folder.filePath("charts3.png"), 3);
  EXPECT_EQ(QImage(folder.filePath("charts3.png")).size(), QSize(3 * pixels, 3 * widget<InteractiveChart>(form, "Chart1")->height()));
  EXPECT_TRUE(output("charts.pdf").contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 landscape";
  // On paper: a line naming the flights and quantities, and a legend of the curves drawn only.
  const QByteArray svg = output("charts.svg");
  for (const char* drawn : {"Полёт 1: 1.txt; полёт 2: 2.txt — T, °C | T₁ − T₂, °C", "Полёт 1 − полёт 2"})
    EXPECT_TRUE(svg.contains(drawn)) << drawn;
  for (const char* hidden : {"Среднее по 101 строке", "Series5"}) EXPECT_FALSE(svg.contains(hidden)) << hidden;
  EXPECT_TRUE(widget<InteractiveChart>(form, "Chart2")->legend->hasItemWithPlottable(widget<ChartSeries>(form, "Series4"))) << "the window's legend stays whole";
  EXPECT_THROW(form.saveChartsAs(folder.filePath("charts.gif")), FlightError);

  const QString csv = folder.filePath("data.csv");
  form.saveDataAs(csv);
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(lines.first(), "kind,series,index,x,y,layer_bottom,layer_top,bias,standard_deviation,count,uncertainty,"
                           "uc_mean,within_1,within_2,within_3,match,shift,shift_misfit");
  EXPECT_EQ(lines.filter(QRegularExpression("^point,Series3,")).size(), widget<ChartSeries>(form, "Series3")->dataCount());
  EXPECT_EQ(lines.filter(QRegularExpression("^point,Series4,")).size(), widget<ChartSeries>(form, "Series4")->dataCount()) << "hidden or not";
  EXPECT_EQ(lines.filter(QRegularExpression("^layer,.*,height,,$")).size(), static_cast<int>(form.workspace().layers().size()));
  EXPECT_THROW(form.saveDataAs(folder.filePath("no/such/folder/data.csv")), FlightError);
}

TEST_F(Beyond, ZoomAndPanStayUntilADoubleClickAndMoveBothHeightAxes) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  const QCPRange fitted = widget<InteractiveChart>(form, "Chart1")->yAxis->range(), fittedComparison = widget<InteractiveChart>(form, "Chart2")->yAxis->range();
  const QPointF centre = widget<InteractiveChart>(form, "Chart1")->axisRect()->rect().center();
  QWheelEvent wheel(centre, widget<InteractiveChart>(form, "Chart1")->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget<InteractiveChart>(form, "Chart1"), &wheel);
  const QCPRange zoomed = widget<InteractiveChart>(form, "Chart1")->yAxis->range(), zoomedValues = widget<InteractiveChart>(form, "Chart1")->xAxis->range();
  ASSERT_LT(zoomed.size(), fitted.size());
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->yAxis->range(), zoomed) << "the same layer in both charts";

  widget<UpDown>(form, "UpDown1")->stepUp();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->yAxis->range(), zoomed) << "a redraw keeps what the operator chose";
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->xAxis->range(), zoomedValues);
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->yAxis->range(), zoomed);

  QTest::mouseClick(widget<QPushButton>(form, "Button5"), Qt::LeftButton);
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->yAxis->range(), zoomed) << "the heights stay held";
  EXPECT_GT(widget<InteractiveChart>(form, "Chart1")->xAxis->range().lower, 0) << "humidity's own values, not the temperatures held";

  const QCPRange comparisonValues = widget<InteractiveChart>(form, "Chart2")->xAxis->range();
  widget<QComboBox>(form, "ComboBox4")->setCurrentIndex(widget<QComboBox>(form, "ComboBox4")->findText("P"));
  emit widget<QComboBox>(form, "ComboBox4")->activated(widget<QComboBox>(form, "ComboBox4")->currentIndex());
  EXPECT_NE(widget<InteractiveChart>(form, "Chart2")->xAxis->range(), comparisonValues) << "values the operator did not zoom follow a new pick";

  QTest::mouseDClick(widget<InteractiveChart>(form, "Chart1"), Qt::LeftButton, {}, centre.toPoint());
  widget<UpDown>(form, "UpDown1")->stepDown();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->yAxis->range(), fitted) << "given back to the data";
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->yAxis->range(), fittedComparison) << "the heights of both";
}

TEST_F(Beyond, AxesAndCurvesNameWhatIsDrawn) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->yAxis->label(), "Высота, м");
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->yAxis->label(), "Высота, м");
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->xAxis->label(), "T, °C");
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->xAxis->label(), "T₁ − T₂, °C");
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->name(), "Полёт 1 − полёт 2");
  widget<QCheckBox>(form, "CheckBox1")->click();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->xAxis->label(), "T₁ + T₂, °C");
  EXPECT_EQ(widget<ChartSeries>(form, "Series3")->name(), "Полёт 1 + полёт 2");
  widget<QPushButton>(form, "Button7")->click();
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->xAxis->label(), "P, гПа");
  widget<QComboBox>(form, "ComboBox4")->setCurrentIndex(0);
  emit widget<QComboBox>(form, "ComboBox4")->activated(0);
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart1")->xAxis->label(), "P, гПа / t");
  EXPECT_EQ(widget<InteractiveChart>(form, "Chart2")->xAxis->label(), "P₁ + t₂") << "no unit for quantities that differ";
}

TEST_F(Beyond, TheReadoutStaysInsideThePlotAndOutOfSavedPictures) {
  open(widget<QPushButton>(form, "Button1"), first);
  open(widget<QPushButton>(form, "Button3"), second);
  const auto crosshair = widget<InteractiveChart>(form, "Chart2")->findChild<ChartCrosshair*>();
  const QRect plot = widget<InteractiveChart>(form, "Chart2")->axisRect()->rect().adjusted(1, 1, -1, -1);
  for (const QPoint& at : {plot.topLeft(), plot.topRight(), plot.bottomLeft(), plot.bottomRight()}) {
    moveMouse(widget<InteractiveChart>(form, "Chart2"), at);
    ASSERT_FALSE(crosshair->text().isEmpty());
    EXPECT_TRUE(QRectF(widget<InteractiveChart>(form, "Chart2")->axisRect()->rect()).contains(crosshair->readoutRect()))
        << at.x() << "," << at.y();
  }
  const QString picture = folder.filePath("charts.svg");
  form.saveChartsAs(picture);
  QFile saved(picture);
  saved.open(QIODevice::ReadOnly);
  EXPECT_FALSE(saved.readAll().contains("разность")) << "no readout in the picture";
  EXPECT_FALSE(crosshair->text().isEmpty()) << "and still on screen";
}

TEST(SaveDialog, EachFilterGivesTheExtensionOfItsFormat) {
  const QStringList filters = chartImageFilter().split(";;") + QStringList{"CSV (*.csv)"};
  for (const QString& filter : filters)
    EXPECT_EQ("*." + filterSuffix(filter) + ")", filter.section(' ', -1).mid(1)) << filter.toStdString();
}
