// The report as its reader sees it, through pdftotext and pdftoppm: who flew, in what units, from
// which files, and each pair's line in its panel.
#include "tests/cli/campaign_fixture.h"

#include <QDir>
#include <QRect>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

QString reportText(const QString& pdf) {
  QProcess extract;
  extract.start(PDFTOTEXT, {pdf, "-"});
  EXPECT_TRUE(extract.waitForFinished(30000));
  return QString::fromUtf8(extract.readAllStandardOutput());
}

QString withoutSpaces(QString text) { return text.remove(QRegularExpression("\\s")); }

// Where a page shows this colour, as pdftoppm draws the page (a PPM: its size, then RGB bytes).
struct Seen {
  int width = 0, height = 0;
  QRect where;
};

Seen seenOnPage(const QString& pdf, int page, std::array<int, 3> colour) {
  QProcess render;
  render.start(PDFTOPPM, {"-r", "96", "-f", QString::number(page), "-l", QString::number(page), pdf});
  EXPECT_TRUE(render.waitForFinished(30000));
  const QByteArray image = render.readAllStandardOutput();
  const QList<QByteArray> header = image.left(20).simplified().split(' ');
  Seen seen{header.value(1).toInt(), header.value(2).toInt(), {}};
  const qsizetype start = image.indexOf("255\n") + 4;
  for (int y = 0; y < seen.height; ++y)
    for (int x = 0; x < seen.width; ++x) {
      const auto* pixel = reinterpret_cast<const uchar*>(image.constData() + start + 3 * (qsizetype{y} * seen.width + x));
      if (std::equal(colour.begin(), colour.end(), pixel, [](int want, uchar got) { return std::abs(want - got) <= 3; }))
        seen.where |= QRect(x, y, 1, 1);
    }
  return seen;
}

TEST_F(CampaignBatch, TheReportNamesItsFlightsInUnitsAndItsFilesInFull) {
  const QString products = folder.filePath("a folder name as long as those an intercomparison campaign keeps its files in");
  QDir().mkpath(products);
  for (const char* file : {"gruan_rs41.nc", "temp_high_resolution.bufr"})
    ASSERT_TRUE(QFile::copy(QString(REFERENCE_FILES) + "/" + file, products + "/" + file));
  list("products.csv", ("flight1,flight2\n" + products + "/gruan_rs41.nc," + products + "/temp_high_resolution.bufr\n" +
                        products + "/gruan_rs41.nc," + products + "/gruan_rs41.nc\n").toUtf8());
  ASSERT_EQ(campaign({"--campaign", "products.csv", "--out", "products", "--allow-apart"}).exitCode, 0);
  const QString text = reportText(folder.filePath("products/report.pdf"));
  // Table cells wrap where the reader's eye joins them.
  for (const char* expected : {"Станции", "XYZ, 06610", "RS41-SG × 2", "СКО, °C", "ū_c, °C",
                               "С неопределённостью u_c 1 из 2 сравненных пар", "Согласие с неопределённостями",
                               "RS41-SG T1234567 · XYZ 2026-06-01 11:00 UTC", "2026-06-01 10:58",
                               "Высота полёта 1 H — геопотенциальная × 2",
                               "Неопределённость полёта 2 нет × 1, temp_uc, указан k = 2, приведена к k = 1 × 1",
                               "Сложение u₁ и u₂ одна модель, части не указаны",
                               "Разные зондирования сравнено пар не одного зондирования: 1"})
    EXPECT_TRUE(withoutSpaces(text).contains(withoutSpaces(QString::fromUtf8(expected)))) << expected;
  EXPECT_FALSE(text.contains("Разделитель")) << "products have no decimal separator to choose";
  EXPECT_FALSE(text.contains("-0.000"));
  EXPECT_FALSE(text.contains(QChar(0x2026))) << "nothing is elided";
  EXPECT_TRUE(withoutSpaces(text).contains(withoutSpaces(products + "/temp_high_resolution.bufr"))) << "paths in full";

  ASSERT_EQ(campaign({"--campaign", "good.csv", "--out", "raw"}).exitCode, 0);
  const QString raw = reportText(folder.filePath("raw/report.pdf"));
  EXPECT_TRUE(raw.contains("Разделитель дробной части"));
  EXPECT_TRUE(withoutSpaces(raw).contains(withoutSpaces("строк таблицы слоёв — в layers.csv"))) << "100 m layers: the summary";

  // Numbers as the locale writes them; the tables for scripts keep the point.
  ASSERT_EQ(campaign({"--campaign", "good.csv", "--out", "russian"}, "LC_ALL=ru_RU.UTF-8").exitCode, 0);
  EXPECT_TRUE(reportText(folder.filePath("russian/report.pdf")).contains(QRegularExpression("\\d,\\d{3}\\b")));
  EXPECT_EQ(output("russian/layers.csv"), output("raw/layers.csv"));
}

// The panels' lines are written apart from the page's texts: they must still land in their panel.
TEST_F(CampaignBatch, EachPairsLineLiesInItsPanel) {
  ASSERT_EQ(campaign({"--campaign", "good.csv", "--out", "one"}).exitCode, 0);
  const QString pdf = folder.filePath("one/report.pdf");
  int page = 1;
  while (!reportText(pdf).split(QChar('\f')).value(page - 1).contains("1. a.txt")) ASSERT_LT(++page, 10);
  const Seen line = seenOnPage(pdf, page, {0x6a, 0xa4, 0xcd});
  ASSERT_FALSE(line.where.isEmpty()) << "the line is drawn";
  EXPECT_LT(line.where.right(), line.width / 2) << "in the row's first panel";
  EXPECT_GT(line.where.top(), line.height / 20) << "below the page's top margin and the panel's title";
  EXPECT_LT(line.where.bottom(), line.height / 3) << "in the page's first row of panels";
  EXPECT_GT(line.where.height(), 150) << "over the panel's heights";
}

}  // namespace
