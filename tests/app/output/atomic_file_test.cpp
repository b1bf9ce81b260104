// The one writer of every file: a signal while it writes leaves each target as it was and no
// temporary file behind.
#include "app/output/atomic_file.h"
#include "app/support/interruption.h"
#include "tests/support/temp_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdlib>

TEST(AtomicFile, ASignalWhileWritingLeavesEveryTargetAsItWas) {
  TempFiles files;
  const QString first = QString::fromStdString(files.write("first.csv", "old"));
  const QString second = QString::fromStdString(files.path("second.csv"));
  // The handler only records; a recorded signal stays with the forked process that got it.
  EXPECT_EXIT(
      {
        recordInterruptions();
        std::raise(SIGTERM);
        try {
          writeFilesAtomically({{first, bytesOf(QByteArray(3 << 20, 'n'))}, {second, bytesOf("new")}});
        } catch (const WriteInterrupted&) {
          QFile old(first);
          const bool untouched = old.open(QIODevice::ReadOnly) && old.readAll() == "old";
          std::exit(untouched && QDir(QString::fromStdString(files.path(""))).entryList(QDir::Files).size() == 1 ? 0 : 1);
        }
        std::exit(2);
      },
      ::testing::ExitedWithCode(0), "");
}
