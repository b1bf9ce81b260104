#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The window's command line: `flightcompare [FILE1 [FILE2 [FILE3]]]`, `--help`, `--version`.
// Batch mode reads its own.

// Before the application exists: whether the arguments ask for the usage or the version, which
// open no window and so need no display.
bool asksForUsageOrVersion(const QList<QByteArray>& arguments);

struct WindowCommandLine {
  std::optional<int> exitStatus;  // the program ends here with it, the window never opens
  QList<QByteArray> files;        // for slots 1, 2, 3, as given: opened by their bytes
};

// arguments: argv as the application left it, without Qt's own options. --help and --version
// print to stdout and give status 0; an unknown option prints the error and the usage to stderr
// and gives status 2.
WindowCommandLine readWindowCommandLine(const QList<QByteArray>& arguments);
