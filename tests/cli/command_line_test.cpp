// The window's command line: what it prints and how it ends, without ever opening the window.
#include "tests/cli/batch_fixture.h"

TEST_F(Batch, TheUsageTheVersionAndUnknownOptionsEndWithoutTheWindow) {
  struct Case {
    QStringList arguments;
    int exitCode;
    QStringList inOutput;  // none: standard output stays empty
    QStringList inErrors;
  };
  const QString usage = QStringLiteral("Usage: " FLIGHTCOMPARE_BINARY " [options] [FILE1 [FILE2 [FILE3]]]\n");
  const QString batchUsage = QStringLiteral("usage: flightcompare --batch STEP... [--json FILE|-]\n");
  const QString file = folder.filePath("flight.txt");
  const Case cases[] = {
      {{"--help"}, 0, {usage, batchUsage, "--version"}, {}},
      {{file, "-h"}, 0, {usage}, {}},
      {{"--version"}, 0, {"flightcompare " FLIGHTCOMPARE_VERSION "\n"}, {}},
      {{"--bogus", file}, 2, {}, {"flightcompare: Unknown option 'bogus'.", usage}},
      {{"-x"}, 2, {}, {"Unknown option 'x'.", usage}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    // The C locale keeps Qt's texts English; on the offscreen platform a window would never close.
    const BatchResult result = runShell(R"(LC_ALL=C QT_QPA_PLATFORM=offscreen exec "$0" "$@")", c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.errorOutput.toStdString();
    EXPECT_EQ(result.output.isEmpty(), c.inOutput.isEmpty()) << result.output.toStdString();
    for (const QString& part : c.inOutput) EXPECT_TRUE(result.output.contains(part)) << part.toStdString();
    for (const QString& part : c.inErrors) EXPECT_TRUE(result.errorOutput.contains(part)) << part.toStdString();
  }
}
