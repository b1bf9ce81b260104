#include "app/output/campaign_report.h"

#include "app/output/campaign_charts.h"
#include "app/output/campaign_tables.h"
#include "app/output/chart_export.h"
#include "app/output/chart_titles.h"
#include "app/output/pdf_join.h"
#include "app/output/report_pages.h"
#include "app/output/statistic_text.h"
#include "app/presentation/campaign_lines.h"
#include "app/presentation/captions.h"
#include "app/support/message_translation.h"
#include "app/support/shown_text.h"
#include "flight/flight_error.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

constexpr int kChartsHeight = 440;
constexpr int kConsistencyHeight = 330;
// Where the summary looks at the layers: every 5 km, as intercomparisons report them.
constexpr double kSummaryStep = 5000;

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;

// What the campaign's model says of what was compared and how, then when the report was made
// and by which version of the program: a caption and its value on each row.
std::vector<QStringList> titleBlock(const CampaignReport& report, const QDateTime& made) {
  std::vector<QStringList> rows;
  for (const SettingLine& line : campaignSettingsLines(report)) rows.push_back({shownText(line.caption), shownText(line.value)});
  if (!report.mixedHeights.empty()) rows.push_back({QStringLiteral("Внимание"), russianMessage(report.mixedHeights)});
  const QString version = QCoreApplication::applicationVersion();
  rows.push_back({QStringLiteral("Дата отчёта"), made.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm 'UTC'"))});
  rows.push_back({QStringLiteral("Версия программы"), version.isEmpty() ? QStringLiteral("—") : version});
  return rows;
}

void drawTitleBlock(ReportPages& pages, const CampaignReport& report, const QDateTime& made) {
  pages.text(QStringLiteral("Кампания сравнения полётов"), reportFont(15, true));
  pages.skip(8);
  pages.table({{1.0, kLeft, true}, {3.6, kLeft, true}}, {QStringLiteral("Что"), QStringLiteral("Значение")},
              titleBlock(report, made));
}

void drawProfiles(ReportPages& pages, const CampaignReport& report) {
  pages.skip(12);
  OffscreenCampaignCharts charts(report, QSize(static_cast<int>(pages.width()), kChartsHeight));
  const QRectF band = pages.take(kChartsHeight);
  pages.painter().save();
  pages.painter().translate(band.topLeft());
  drawCharts(pages.painter(), charts.charts());
  pages.painter().restore();
  QCustomPlot* consistency = charts.consistency(QSize(static_cast<int>(pages.width()), kConsistencyHeight));
  if (!consistency) return;
  pages.heading(QStringLiteral("Согласие с неопределённостями"), kConsistencyHeight + 40);
  pages.text(QStringLiteral("Доля точек слоя, где |Δ| ≤ k·u_c (u_c — по правилу сложения u₁ и u₂, см. в начале "
                            "отчёта), по всем парам с неопределённостями, ступенью на слой. Точечные линии — 68,3 %, 95,4 % и 99,7 %: "
                            "столько даёт нормальное распределение Δ/u_c, когда заявленные неопределённости верны."),
             reportFont(9));
  const QRectF place = pages.take(kConsistencyHeight);
  pages.painter().save();
  pages.painter().translate(place.topLeft());
  drawCharts(pages.painter(), {consistency});
  pages.painter().restore();
}

bool judged(const CampaignReport& report) { return report.judgedPairs > 0; }

// The mean u_c and a share need less room than the statistics; with them the group and the
// counts give up some of theirs.
std::vector<ReportColumn> layerColumns(bool judged) {
  std::vector<ReportColumn> columns{{judged ? 1.2 : 2.0, kLeft, true}, {judged ? 1.7 : 1.6, kLeft, false},
                                    {0.8, kRight, false}, {1.0, kRight, false}};
  for (int statistic = 0; statistic < 7; ++statistic) columns.push_back({1.3, kRight, false});
  if (judged) columns.insert(columns.end(), 2, {1.0, kRight, false});
  return columns;
}

// The layers that hold a round height: a few rows that tell the profile at a glance.
void drawSummary(ReportPages& pages, const CampaignReport& report, const QString& unit) {
  std::vector<QStringList> rows;
  for (const LayerSummary& layer : report.result.layers) {
    const double round = std::ceil(layer.bottom / kSummaryStep) * kSummaryStep;
    if (round < layer.top) rows.push_back(layerTableRow(layer, judged(report), report.settings.solarGroups));
  }
  if (rows.empty()) return;
  pages.heading(QStringLiteral("Сводка: слои у высот, кратных 5 км"));
  pages.table(layerColumns(judged(report)), layerTableCaptions(unit, judged(report)), rows);
}

void drawLayers(ReportPages& pages, const CampaignReport& report, const QString& unit) {
  pages.heading(QStringLiteral("Слои"));
  if (report.result.layers.empty()) {
    pages.text(QStringLiteral("Ни одна пара не дала значений."), reportFont(9));
    return;
  }
  // Thin layers make tables of thousands of rows: a report of a few pages reads better, and
  // layers.csv holds them all, to the last digit.
  constexpr std::size_t kMostLayerRows = 60;
  if (report.result.layers.size() > kMostLayerRows) {
    pages.text(QStringLiteral("Все %1 строк таблицы слоёв — в layers.csv; выше — сводка у высот, кратных 5 км.")
                   .arg(report.result.layers.size()),
               reportFont(9));
    return;
  }
  std::vector<QStringList> rows;
  for (const LayerSummary& layer : report.result.layers) rows.push_back(layerTableRow(layer, judged(report), report.settings.solarGroups));
  pages.table(layerColumns(judged(report)), layerTableCaptions(unit, judged(report)), rows);
}

QString launchOf(const FlightIdentity& flight) {
  const std::string time = readableTime(flight.launchTime);
  return time.empty() ? QStringLiteral("—") : QString::fromStdString(time);
}

void drawPairs(ReportPages& pages, const CampaignReport& report, const QString& unit) {
  pages.heading(QStringLiteral("Пары"));
  const std::vector<ReportColumn> columns{{0.5, kRight, false}, {2.5, kLeft, true},  {1.5, kLeft, true},
                                          {2.5, kLeft, true},   {1.5, kLeft, true},  {0.9, kLeft, true},
                                          {1.6, kLeft, true},   {0.8, kRight, false}, {1.4, kRight, false},
                                          {1.2, kRight, false}};
  const QString withUnit = unit.isEmpty() ? QString() : QStringLiteral(", ") + unit;
  const QStringList captions{QStringLiteral("№"),          QStringLiteral("Полёт 1"),   QStringLiteral("Запуск 1, UTC"),
                             QStringLiteral("Полёт 2"),    QStringLiteral("Запуск 2, UTC"), QStringLiteral("Группа"),
                             QStringLiteral("Состояние"),  QStringLiteral("Точек"),     QStringLiteral("Смещение") + withUnit,
                             QStringLiteral("СКО") + withUnit};
  pages.table(columns, captions, report.pairRows.size(), [&report](std::size_t i) {
    const PairRow& pair = report.pairRows[i];
    const QStringList statistics = pairTableRow(report.pairs[i], pair);
    return QStringList{QString::number(i + 1), shownText(report.flightName(i, 1)), launchOf(report.flight(i, 1)),
                       shownText(report.flightName(i, 2)), launchOf(report.flight(i, 2)),
                       groupCaption(pair.group, report.settings.solarGroups),
                       statistics[kStatusColumn], statistics[kStatusColumn + 1], statistics[kStatusColumn + 2],
                       statistics[kStatusColumn + 3]};
  });
}

QString shownCount(std::size_t count) { return QLocale(QLocale::Russian).toString(static_cast<qulonglong>(count)); }

// Which panels follow and why those: after the skipped pairs, which have none, the pairs that
// most need a look.
void drawPanelsIntroduction(ReportPages& pages, const CampaignReport& report) {
  if (report.result.panels.pairs.empty() && report.skippedPairs == 0) return;
  pages.heading(QStringLiteral("Профили пар: разность по высоте и средние по слоям"));
  if (report.skippedPairs > 0) {
    pages.text(QStringLiteral("Пропущенные пары, без профиля:"), reportFont(9));
    pages.skip(4);
    std::vector<std::size_t> skipped;
    for (std::size_t i = 0; i < report.pairRows.size(); ++i)
      if (!report.pairRows[i].compared) skipped.push_back(i);
    pages.table({{0.5, kRight, false}, {2.5, kLeft, true}, {2.5, kLeft, true}, {4.5, kLeft, true}},
                {QStringLiteral("№"), QStringLiteral("Полёт 1"), QStringLiteral("Полёт 2"), QStringLiteral("Причина")},
                skipped.size(), [&](std::size_t k) {
                  const std::size_t i = skipped[k];
                  return QStringList{QString::number(i + 1), shownText(report.flightName(i, 1)),
                                     shownText(report.flightName(i, 2)), pairStatus(report.pairRows[i])};
                });
    pages.skip(8);
  }
  const std::size_t shown = report.result.panels.pairs.size();
  if (shown == 0) return;
  const bool byShare = report.result.panels.rule == PanelRule::LeastWithin2;
  // Thousands of pages of panels would help no one; every pair's numbers stay in the pairs table.
  if (shown < report.comparedPairs)
    pages.text((byShare ? QStringLiteral("Показаны %1 пар из %2 с наименьшей долей значений в пределах 2 u_c; "
                                         "остальные — в таблице пар и в pairs.csv.")
                        : QStringLiteral("Показаны %1 пар из %2, чьё среднее смещение дальше всего от среднего "
                                         "кампании; остальные — в таблице пар и в pairs.csv."))
                   .arg(shownCount(shown), shownCount(report.comparedPairs)),
               reportFont(9));
  else
    pages.text(byShare ? QStringLiteral("Показаны все сравненные пары, первыми — с наименьшей долей значений в "
                                        "пределах 2 u_c.")
                       : QStringLiteral("Показаны все сравненные пары, первыми — те, чьё среднее смещение дальше "
                                        "всего от среднего кампании."),
               reportFont(9));
}

// The files in full, as the list resolved them from where the campaign ran, wrapped rather than cut.
void drawFiles(ReportPages& pages, const CampaignReport& report) {
  pages.heading(QStringLiteral("Приложение: файлы пар"));
  const auto path = [](const std::string& bytes) {
    return shownText(QFileInfo(QFile::decodeName(QByteArray::fromStdString(bytes))).absoluteFilePath());
  };
  pages.table({{0.5, kRight, false}, {5, kLeft, true}, {5, kLeft, true}},
              {QStringLiteral("№"), QStringLiteral("Файл полёта 1"), QStringLiteral("Файл полёта 2")},
              report.pairs.size(), [&](std::size_t i) {
                return QStringList{QString::number(i + 1), path(report.pairs[i].path(1)), path(report.pairs[i].path(2))};
              });
}

}  // namespace

CampaignReportPdf::CampaignReportPdf(const CampaignReport& report, const QDateTime& made)
    : report_(report),
      made_(made),
      frontPages_(front_.pdf(), [] { return 1; }),
      panels_(report, report.result.panels.pairs,
              frontPages_.bandsPerPage(PanelPages::kPanelHeight + PanelPages::kPanelGap)) {}

void CampaignReportPdf::draw() {
  const QString unit = fromUtf8(unitCaption(report_.unit));
  drawTitleBlock(frontPages_, report_, made_);
  drawProfiles(frontPages_, report_);
  drawSummary(frontPages_, report_, unit);
  drawLayers(frontPages_, report_, unit);
  drawPairs(frontPages_, report_, unit);
  drawPanelsIntroduction(frontPages_, report_);
  frontPages_.finish();
  panels_.startAt(frontPages_.pages() + 1);
  appendix_ = std::async(std::launch::async, [&report = report_, first = frontPages_.pages() + panels_.pages() + 1] {
    ReportWriter back;
    ReportPages appendix(back.pdf(), [first] { return first; });
    drawFiles(appendix, report);
    appendix.finish();
    return back.bytes();
  });
}

void CampaignReportPdf::write(const ByteSink& write) {
  std::vector<PdfPart> parts{{front_.bytes(), {}}};
  for (PdfPart& part : panels_.documents()) parts.push_back(std::move(part));
  parts.push_back({appendix_.get(), {}});
  joinPdfs(parts, made_, write);
}

QDateTime reportDate() {
  const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
  if (epoch.isEmpty()) return QDateTime::currentDateTimeUtc();
  bool isNumber = false;
  const qint64 seconds = epoch.toLongLong(&isNumber);
  if (!isNumber) throw FlightError(MessageId::EpochNotNumber, Message(MessageId::EpochNamed, {epoch.toStdString()}));
  return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}
