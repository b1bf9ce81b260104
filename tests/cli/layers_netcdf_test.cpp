// The NetCDF files the program writes, as other tools read them: ncdump and Python's netCDF4.
#include "tests/cli/campaign_fixture.h"

namespace {

QString toolOutput(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  EXPECT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  return QString::fromUtf8(tool.readAllStandardOutput());
}

// Products that state geometric altitudes and uncertainties: the layers are of altitude.
TEST_F(CampaignBatch, NcdumpReadsTheLayersOfAProductCampaign) {
  const QString product = QString(REFERENCE_FILES) + "/gruan_rs92.nc";
  list("products.csv", ("flight1,flight2\n" + product + "," + product + "\n").toUtf8());
  ASSERT_EQ(campaign({"--campaign", "products.csv", "--out", "out", "--layer", "1000"}, "export SOURCE_DATE_EPOCH=1700000000;")
                .exitCode,
            0);
  const QString header = toolOutput(NCDUMP, {"-h", folder.filePath("out/layers.nc")});
  for (const char* expected :
       {"netcdf layers {", "\tgroup = 1 ;", "\tdouble mean(group, layer) ;", "\t\tmean:units = \"degC\" ;",
        "\t\tlayer:standard_name = \"altitude\" ;", "\tint uc_points(group, layer) ;", "\t\tuc_points:_FillValue = -2147483647 ;",
        "\t\t:Conventions = \"CF-1.8\" ;",
        "\t\t:history = \"2023-11-14T22:13:20Z: flightcompare --campaign products.csv --quantity T --layer 1000\" ;",
        "\t\t:source = \"flightcompare " FLIGHTCOMPARE_VERSION "\" ;", "\t\t:coverage_factors = \"flight 1: "})
    EXPECT_TRUE(header.contains(expected)) << expected << "\n" << header.toStdString();
}

// Debian's python3 has the modules of Debian's packages; the first python3 on PATH may not.
TEST_F(CampaignBatch, PythonsNetcdf4OpensTheGroupsAndLayers) {
  ASSERT_EQ(campaign({"--campaign", "list.csv", "--out", "out", "--layer", "5000"}).exitCode, 1);
  const QString script = R"(
import sys, netCDF4, numpy
with netCDF4.Dataset(sys.argv[1]) as data:
    print(data.Conventions, data.compared_units, data.matching, data.grouping)
    print(data.dimensions["group"].size, data["mean"].shape == (3, data.dimensions["layer"].size))
    print(list(netCDF4.chartostring(data["group_name"][:])))
    print(bool(data["points"][1, 0] > 0), bool(numpy.ma.getmaskarray(data["uc_mean"][:]).all()))
)";
  const QStringList lines = toolOutput("/usr/bin/python3", {"-c", script, folder.filePath("out/layers.nc")}).split('\n');
  ASSERT_GE(lines.size(), 4) << lines.join('\n').toStdString();
  EXPECT_EQ(lines[0], "CF-1.8 degC height list");
  EXPECT_EQ(lines[1], "3 True");
  EXPECT_EQ(lines[2], "['all', 'day', 'night']");
  EXPECT_EQ(lines[3], "True True") << "raw files carry no u_c: masked by the fill value";
}

// The window's data export: the name's .nc makes it NetCDF, whatever step saves it.
TEST_F(CampaignBatch, TheDataExportWritesNetcdfByTheSuffix) {
  const BatchResult saved = run({"--open", "1", folder.filePath("a.txt"), "--open", "2", folder.filePath("b.txt"), "--csv",
                                 folder.filePath("data.nc")});
  ASSERT_EQ(saved.exitCode, 0) << saved.errorOutput.toStdString();
  EXPECT_TRUE(output("data.nc").startsWith(QByteArray("CDF\x02", 4)));
  const QString header = toolOutput(NCDUMP, {"-h", folder.filePath("data.nc")});
  for (const char* expected : {"\tdouble y(point) ;", "\t\tseries:flag_meanings = \"Series1 Series2 Series3 Series4 Series5\" ;",
                               "\tdouble bias(layer) ;", "\t\t:matching = \"height\" ;"})
    EXPECT_TRUE(header.contains(expected)) << expected << "\n" << header.toStdString();
}

}  // namespace
