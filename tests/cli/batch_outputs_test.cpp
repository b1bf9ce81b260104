// What the program shows and writes is what is loaded, and every failure says so.
#include "tests/cli/batch_fixture.h"
#include "tests/generator/reference_products.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

QByteArray contentsOf(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

int pointsOf(const BatchResult& result, const char* series) {
  return static_cast<int>(result.state["series"].toObject()[series].toObject()["points"].toArray().size());
}

}  // namespace

TEST_F(Batch, AFailedReadTakesItsOldFlightOffTheChartsAndExports) {
  const QString a = generated("a.txt", {}), b = generated("b.txt", {});
  const QString bad = folder.filePath("bad.txt");
  QFile(a).copy(bad);
  QFile file(bad);
  file.open(QIODevice::Append);
  file.write("1 2\n");
  file.close();
  const QString csv = folder.filePath("out.csv");
  const BatchResult result = run({"--locale-decimal", ".", "--open", "1", a, "--open", "2", b, "--open", "1", bad,
                                  "--csv", csv});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(pointsOf(result, "Series1"), 0);
  EXPECT_EQ(pointsOf(result, "Series3"), 0);
  EXPECT_EQ(pointsOf(result, "Series2"), 200) << "flight 2 is still loaded";
  EXPECT_FALSE(contentsOf(csv).contains("point,Series1,")) << "the export holds only what is loaded";
}

TEST_F(Batch, TheSeparatorBoxMirrorsTheRegionalSetting) {
  for (const char* separator : {".", ","}) {
    const BatchResult result = run({"--locale-decimal", separator});
    EXPECT_EQ(result.state["point"].toBool(), QString(separator) == ".") << separator;
    EXPECT_EQ(result.state["comma"].toBool(), QString(separator) == ",") << separator;
  }
}

TEST_F(Batch, OpensANameThatIsNoUtf8ByItsBytes) {
  // "Полет.txt" in Windows-1251, as a file from a station's disk may be named.
  const QByteArray name = QFile::encodeName(folder.path()) + "/\xCF\xEE\xEB\xE5\xF2.txt";
  ASSERT_EQ(std::rename(QFile::encodeName(generated("a.txt", {})).constData(), name.constData()), 0);
  const BatchResult result = runShell(R"sh(exec "$0" --batch --locale-decimal . --open 1 "$1/$(printf '\317\356\353\345\362.txt')" --json -)sh",
                                      {folder.path()});
  EXPECT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  EXPECT_EQ(slot(result, 1)["rows"].toInt(), 200);
}

// Each file is written whole or not at all; a failure names the file and the system's reason.
TEST_F(Batch, WritesEveryFileWholeOrLeavesTheOldOne) {
  const QString flight = generated("a.txt", {});
  const QStringList opened = {"--locale-decimal", ".", "--open", "1", flight, "--open", "2", flight};
  for (const char* suffix : {"csv", "png", "svg", "pdf", "json"}) {
    SCOPED_TRACE(suffix);
    const QString target = folder.filePath(QStringLiteral("old.") + suffix);
    QFile old(target);
    old.open(QIODevice::WriteOnly);
    old.write("old");
    old.close();
    const QString step = QString(suffix) == "json" ? "--json" : QString(suffix) == "csv" ? "--csv" : "--png";
    // Writing beyond 4 KB fails as a full disk would.
    const BatchResult result = runShell(R"(trap '' XFSZ; ulimit -f 8; exec "$0" --batch "$@")",
                                        opened + QStringList{step, target});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.errorOutput.contains("Cannot write \"" + target + "\": File too large")) << result.errorOutput.toStdString();
    EXPECT_EQ(contentsOf(target), "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
    QFile::remove(target);
  }

  const QString fifo = folder.filePath("fifo.csv");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const BatchResult toFifo = run(opened + QStringList{"--csv", fifo});
  EXPECT_EQ(toFifo.exitCode, 1);
  EXPECT_TRUE(toFifo.errorOutput.contains("Cannot write \"" + fifo + "\": not a regular file"));
  struct stat status {};
  EXPECT_TRUE(stat(QFile::encodeName(fifo).constData(), &status) == 0 && S_ISFIFO(status.st_mode)) << "the FIFO stays";

  const QString link = folder.filePath("link.csv"), linked = folder.filePath("linked.csv");
  ASSERT_TRUE(QFile::link(linked, link));
  EXPECT_EQ(run(opened + QStringList{"--csv", link}).exitCode, 0);
  EXPECT_TRUE(QFileInfo(link).isSymLink()) << "a link is written through, not replaced";
  EXPECT_TRUE(contentsOf(linked).startsWith("kind,"));

  const BatchResult fullOutput = runShell(R"(exec "$0" --batch "$@" --json - > /dev/full)", opened);
  EXPECT_EQ(fullOutput.exitCode, 1);
  EXPECT_TRUE(fullOutput.errorOutput.contains("No space left on device")) << fullOutput.errorOutput.toStdString();
  // Closed, its place is never taken by a file the program opens, which the JSON would land in.
  const BatchResult closedOutput = runShell(R"(exec "$0" --batch "$@" --json - >&-)", opened);
  EXPECT_EQ(closedOutput.exitCode, 1);
  EXPECT_TRUE(closedOutput.errorOutput.contains("Cannot write the standard output: standard output is closed."))
      << closedOutput.errorOutput.toStdString();
}

// Nothing before --batch would run: a step there is a mistake, not an empty success.
TEST_F(Batch, AStepBeforeBatchIsAUsageError) {
  const BatchResult result = runShell(R"(exec "$0" "$@")", {"--open", "1", generated("a.txt", {}), "--batch", "--json", "-"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(result.errorOutput.contains("flightcompare: --batch comes first, before its steps\nusage: flightcompare --batch"))
      << result.errorOutput.toStdString();
  EXPECT_TRUE(result.output.isEmpty());
}

// Names and stated facts are text in a saved SVG, never markup: the picture parses, and holds no
// element of the files' making.
TEST_F(Batch, ASavedSvgHoldsOnlyTheProgramsElements) {
  const QString raw = generated("R&D<1>.TXT", {});
  std::string cdl = gruanProductCdl({});
  const std::string station = "g.Site.Key = \"TST\"";
  cdl.replace(cdl.find(station), station.size(), "g.Site.Key = \"</title><script>alert(1)</script><title>\"");
  const QString product = folder.filePath("hostile.nc");
  ASSERT_EQ(QProcess::execute(NCGEN, {"-k", "nc4", "-b", "-o", product, written("hostile.cdl", QByteArray::fromStdString(cdl))}), 0);
  const QString svg = folder.filePath("charts.svg");
  ASSERT_EQ(run({"--locale-decimal", ".", "--open", "1", raw, "--open", "2", product, "--png", svg}).exitCode, 0);
  QXmlStreamReader picture(contentsOf(svg));
  const QSet<QString> drawn{"svg", "title", "desc", "defs", "g", "path", "polyline", "polygon", "text", "rect", "image",
                            "line", "circle", "ellipse", "clipPath", "linearGradient", "radialGradient", "stop"};
  QString title;
  while (!picture.atEnd()) {
    if (picture.readNext() != QXmlStreamReader::StartElement) continue;
    EXPECT_TRUE(drawn.contains(picture.name().toString())) << picture.name().toString().toStdString();
    if (picture.name() == QStringLiteral("title")) title = picture.readElementText(QXmlStreamReader::IncludeChildElements);
  }
  EXPECT_FALSE(picture.hasError()) << picture.errorString().toStdString();
  EXPECT_TRUE(title.contains("R&D<1>.TXT")) << title.toStdString();
  EXPECT_TRUE(title.contains("</title><script>")) << "as text";
}

// The user's settings for the libraries and cloud credentials stay out of the process that
// parses a product, in the user's home and in the working folder alike.
TEST_F(Batch, AProductsReaderOpensNoneOfTheUsersSettings) {
  const QString strace = QStandardPaths::findExecutable("strace");
  if (strace.isEmpty()) GTEST_SKIP() << "no strace";
  const QStringList settings{"home/.ncrc", "home/.daprc", "home/.dodsrc", "home/.aws/credentials", "home/.aws/config",
                             "work/.ncrc", "work/.dodsrc"};
  for (const QString& name : settings) {
    QDir().mkpath(QFileInfo(folder.filePath(name)).path());
    written(name, "HTTP.CREDENTIALS.PASSWORD=secret\n");
  }
  // The sanitizer's leak check cannot work under ptrace.
  const BatchResult result = runShell(R"(cd "$1/work" && export ASAN_OPTIONS=detect_leaks=0 && HOME="$1/home" )"
                                      R"(exec "$2" -f -e trace=open,openat -o "$1/trace" )"
                                      R"("$0" --batch --open 1 "$3")",
                                      {folder.path(), strace, QString(REFERENCE_FILES) + "/gruan_rs41.nc"});
  const QByteArray trace = contentsOf(folder.filePath("trace"));
  if (!trace.contains("gruan_rs41.nc")) GTEST_SKIP() << "strace may not trace here: " << result.errorOutput.toStdString();
  EXPECT_EQ(result.exitCode, 0) << result.errorOutput.toStdString();
  for (const QString& name : settings)
    EXPECT_FALSE(trace.contains(QFile::encodeName(folder.filePath(name)))) << name.toStdString();
}
