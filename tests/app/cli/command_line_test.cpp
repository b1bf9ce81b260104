#include "app/cli/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLine, FilesAreTheArgumentsBytesWhateverTheirEncoding) {
  struct Case {
    QList<QByteArray> arguments;
    QList<QByteArray> files;
  };
  const QByteArray windows1251 = "\xCF\xEE\xEB\xE5\xF2.txt";  // "Полет.txt"
  const Case cases[] = {
      {{"flightcompare", windows1251, "b.txt"}, {windows1251, "b.txt"}},
      {{"flightcompare", "--", "-a.txt", "-", "--"}, {"-a.txt", "-", "--"}},
      {{"flightcompare", "-"}, {"-"}},
      // Both decode to the same text, U+FFFD then ".txt".
      {{"flightcompare", "\xFF.txt", "\xFE.txt"}, {"\xFF.txt", "\xFE.txt"}},
  };
  for (const Case& c : cases) {
    const WindowCommandLine commandLine = readWindowCommandLine(c.arguments);
    EXPECT_FALSE(commandLine.exitStatus);
    EXPECT_EQ(commandLine.files, c.files);
  }
}
