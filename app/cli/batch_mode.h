#pragma once

#include <QByteArray>
#include <QList>

// The headless front: `flightcompare --batch STEP... [--json FILE|-]` builds the same window
// without showing it and performs each step as the user's action would. Failures are printed
// and recorded and the next step still runs.
bool isBatchRun(const QList<QByteArray>& arguments);

// Its usage and steps, one step a line.
const char* batchUsage();

// The process exit status: 0 when no step failed, 1 when one did, 2 for bad arguments.
int runBatch(const QList<QByteArray>& arguments);
