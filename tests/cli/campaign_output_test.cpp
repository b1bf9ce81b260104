// A campaign's outputs are one result: written whole or left as they were, whatever fails or
// interrupts, and nothing from a list reaches a terminal or an SVG as anything but text.
#include "tests/cli/campaign_fixture.h"

#include <unistd.h>
#include <sys/stat.h>

#include <QDir>
#include <QRegularExpression>
#include <QThread>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

class CampaignTrust : public CampaignBatch {
 protected:
  // A first run's six files, as the outputs a failed run must leave.
  QMap<QString, QByteArray> earlierOutputs(const QString& out) {
    EXPECT_EQ(campaign({"--campaign", "good.csv", "--out", out}).exitCode, 0);
    return outputsIn(out);
  }

  static QMap<QString, QByteArray> outputsIn(const QString& out) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(out).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
      QFile file(QDir(out).filePath(name));
      files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
  }
};

TEST_F(CampaignTrust, ItsSixFilesAreReplacedAllOrNone) {
  const QString out = folder.filePath("out");
  const QMap<QString, QByteArray> before = earlierOutputs(out);
  ASSERT_EQ(before.size(), 6);
  list("grouped.csv", "flight1,flight2,group\na.txt,b.txt,day\n");
  // A file beyond 64 KB fails as on a nearly full disc: the tables fit, the pictures do not.
  const BatchResult full = campaign({"--campaign", "grouped.csv", "--out", out}, "ulimit -f 128;");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_TRUE(full.errorOutput.contains("File too large")) << full.errorOutput.toStdString();
  EXPECT_EQ(outputsIn(out), before) << "not one file replaced, no temporary file left";
  // Beyond 512 bytes the values of the one layer cannot wait on disk for pooling: no table is written.
  const BatchResult values =
      campaign({"--campaign", "grouped.csv", "--out", out, "--layer", "50000"}, "ulimit -f 1;");
  EXPECT_EQ(values.exitCode, 1);
  EXPECT_TRUE(values.errorOutput.contains("flightcompare-values-") && values.errorOutput.contains("File too large"))
      << values.errorOutput.toStdString();
  EXPECT_EQ(outputsIn(out), before);
}

// The report goes to its file as it is drawn: a write that fails there fails the run as any other.
TEST_F(CampaignTrust, AReportTooLargeToWriteLeavesTheOutputsAsTheyWere) {
  QByteArray many = "flight1,flight2\n";
  for (int i = 0; i < 150; ++i) {
    const QString copy = QStringLiteral("a%1.txt").arg(i);
    ASSERT_TRUE(QFile::copy(folder.filePath("a.txt"), folder.filePath(copy)));
    many += copy.toUtf8() + ",b.txt\n";
  }
  list("many.csv", many);
  const QString out = folder.filePath("out");
  ASSERT_EQ(campaign({"--campaign", "many.csv", "--out", out}).exitCode, 0);
  const QMap<QString, QByteArray> before = outputsIn(out);
  qsizetype others = 0;
  for (auto file = before.begin(); file != before.end(); ++file)
    if (file.key() != "report.pdf") others = std::max(others, file.value().size());
  ASSERT_GT(before["report.pdf"].size(), others + 1024) << "the report is the largest file";
  const BatchResult full =
      campaign({"--campaign", "many.csv", "--out", out}, QStringLiteral("ulimit -f %1;").arg(others / 512 + 2));
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_TRUE(full.errorOutput.contains("report.pdf\": File too large")) << full.errorOutput.toStdString();
  EXPECT_EQ(outputsIn(out), before) << "not one file replaced, no temporary file left";
}

TEST_F(CampaignTrust, ASignalLeavesTheOutputsAsTheyWere) {
  const QString out = folder.filePath("out");
  const QMap<QString, QByteArray> before = earlierOutputs(out);
  list("grouped.csv", "flight1,flight2,group\na.txt,b.txt,day\n");
  // SIGTERM as the first file is flushed, and while pairs are compared.
  campaign({"--campaign", "grouped.csv", "--out", out},
           "export LD_PRELOAD=\"" INTERRUPT_ON_FSYNC "\" ASAN_OPTIONS=verify_asan_link_order=0;");
  EXPECT_EQ(outputsIn(out), before) << "no file replaced, no temporary file left";
  list("long.csv", "flight1,flight2\n" + QByteArray("a.txt,b.txt\n").repeated(5000));
  QProcess comparing;
  comparing.setWorkingDirectory(folder.path());
  comparing.start(FLIGHTCOMPARE_BINARY, {"--campaign", "long.csv", "--out", out, "--jobs", "1"});
  ASSERT_TRUE(comparing.waitForStarted());
  QThread::msleep(700);
  comparing.terminate();
  ASSERT_TRUE(comparing.waitForFinished(60000));
  EXPECT_EQ(comparing.exitStatus(), QProcess::CrashExit) << "it ends as SIGTERM ends a program";
  EXPECT_EQ(outputsIn(out), before) << "no file replaced, no temporary file left";
}

TEST_F(CampaignTrust, AClosedStandardErrorNeverStopsTheFiles) {
  // Pair 2 is skipped, which stderr says: to a reader that has gone.
  runShell(R"(cd "$1" && { "$0" --campaign list.csv --out out 2>&1 >/dev/null; echo $? > status; } | head -c 0)",
           {folder.path()});
  EXPECT_EQ(output("status"), "1\n");
  EXPECT_EQ(outputsIn(folder.filePath("out")).size(), 6);
}

// A file that cannot take its old one's place puts back those that did; where even that fails,
// the message says which files are new, where their old ones wait, and which are as they were.
TEST_F(CampaignTrust, ARenameThatFailsPutsTheOthersBack) {
  const QString out = folder.filePath("out");
  const QMap<QString, QByteArray> before = earlierOutputs(out);
  list("grouped.csv", "flight1,flight2,group\na.txt,b.txt,day\n");
  const QString failing = "export LD_PRELOAD=\"" FAILING_RENAMES "\" ASAN_OPTIONS=verify_asan_link_order=0 FAIL_RENAMES=";
  // Also where the file system cannot swap two names, and the old files wait under second names.
  for (const QString& fileSystem : {QString(), QStringLiteral(" NO_RENAME_FLAGS=1")}) {
    SCOPED_TRACE(fileSystem.toStdString());
    const BatchResult refused = campaign({"--campaign", "grouped.csv", "--out", out}, failing + "4" + fileSystem + ";");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errorOutput.contains("/profile.svg\": Operation not permitted")) << refused.errorOutput.toStdString();
    EXPECT_EQ(outputsIn(out), before) << "every file as it was, no temporary file left";
  }
  const BatchResult swapless = campaign({"--campaign", "grouped.csv", "--out", out}, failing + " NO_RENAME_FLAGS=1;");
  EXPECT_EQ(swapless.exitCode, 0) << swapless.errorOutput.toStdString();
  EXPECT_EQ(outputsIn(out).keys(), before.keys()) << "the old files gone once the new are in place";
  EXPECT_NE(outputsIn(out), before);
  const BatchResult stuck = campaign({"--campaign", "grouped.csv", "--out", out}, failing + "4,5;");
  EXPECT_EQ(stuck.exitCode, 1);
  EXPECT_TRUE(stuck.errorOutput.contains(QRegularExpression("Left new: \\S*/pairs.csv \\(the old one in \\S*/pairs.csv\\.\\w+\\)\n"
                                                           "Left as they were: \\S*/layers.csv, \\S*/layers.nc, \\S*/profile.svg, ")))
      << stuck.errorOutput.toStdString();
}

// In a folder all may write to, another user's link is no way into a file of ours.
TEST_F(CampaignTrust, AnotherUsersLinkInASharedFolderIsNotFollowed) {
  const QString shared = folder.filePath("shared"), precious = folder.filePath("precious");
  ASSERT_TRUE(QDir().mkdir(shared));
  ASSERT_EQ(chmod(QFile::encodeName(shared).constData(), 01777), 0);
  written("precious", "mine");
  for (const char* name : {"layers.csv", "state.json"}) {
    const QByteArray link = QFile::encodeName(shared + "/" + name);
    ASSERT_EQ(symlink(QFile::encodeName(precious).constData(), link.constData()), 0);
    if (lchown(link.constData(), 65534, 65534) != 0) GTEST_SKIP() << "only root can give a link to another user";
  }
  const BatchResult run = campaign({"--campaign", "good.csv", "--out", shared});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.errorOutput.contains("/shared/layers.csv\" belongs to another user in a folder all may write to"))
      << run.errorOutput.toStdString();
  const BatchResult json = runShell(R"(exec "$0" --batch --json "$1")", {shared + "/state.json"});
  EXPECT_EQ(json.exitCode, 1);
  EXPECT_EQ(output("precious"), "mine");
}

TEST_F(CampaignTrust, NamesNeverDriveTheTerminalNorBreakTheSvg) {
  // Controls, a noncharacter, a right-to-left override and a zero-width space.
  const QByteArray hostile = "x\x1b[31m\x01\x0b\xef\xbf\xbf\xe2\x80\xae\xe2\x80\x8b";
  list("hostile.csv", "flight1,flight2,group\n\"a.txt\",b.txt," + hostile + "\ngone" + hostile + ".txt,b.txt,\n");
  const BatchResult result = campaign({"--campaign", "hostile.csv", "--out", folder.filePath("out")});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.errorOutput.contains("gonex\uFFFD[31m\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD.txt")) << result.errorOutput.toStdString();
  for (const char control : {'\x1b', '\x01', '\x0b'}) EXPECT_FALSE(result.errorOutput.contains(QChar(control)));
  EXPECT_TRUE(output("out/pairs.csv").contains(",\"" + hostile + "\",ok,")) << "the table keeps the name's bytes";
  QXmlStreamReader svg(output("out/profile.svg"));
  while (!svg.atEnd()) svg.readNext();
  EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
}

TEST_F(CampaignTrust, EveryRefusalSaysWhatAndWhy) {
  const QString out = folder.filePath("out");
  const QMap<QString, QByteArray> before = earlierOutputs(out);
  list("header.csv", "flight1,flight2\n");
  list("cr.csv", "flight1,flight2\ra.txt,b.txt\ra.txt,a.txt\r");
  list("file", "");
  struct Case {
    QStringList arguments;
    int status;
    QString message;
  };
  const Case cases[] = {
      {{"--campaign", "header.csv", "--out", out}, 2, "flightcompare: The list names no pair.\nList: header.csv\n"},
      {{"--campaign", "-", "--out", out}, 2, "Cannot read the campaign list \"-\": there is no such file."},
      {{"--campaign", ".", "--out", out}, 2, "Cannot read the campaign list \".\": it is a folder."},
      {{"--campaign", "--out", out}, 2, "flightcompare: --campaign needs a value\nusage:"},
      {{"--campaign", "good.csv", "--out", out, "--batch"}, 2, "flightcompare: --batch comes first, before its steps"},
      {{"--campaign", "good.csv", "--out", "file/out"}, 1, "Cannot create the folder \"file/out\": Not a directory."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const BatchResult result = campaign(c.arguments);
    EXPECT_EQ(result.exitCode, c.status);
    EXPECT_TRUE(result.errorOutput.contains(c.message)) << result.errorOutput.toStdString();
  }
  EXPECT_EQ(outputsIn(out), before) << "a refused list replaces nothing";
  EXPECT_EQ(campaign({"--campaign", "cr.csv", "--out", out}).exitCode, 0);
  EXPECT_TRUE(output("out/pairs.csv").contains("\n1,a.txt,b.txt,,ok,"));
  EXPECT_TRUE(output("out/pairs.csv").contains("\n2,a.txt,a.txt,,ok,")) << "CR ends a line";
}

}  // namespace
