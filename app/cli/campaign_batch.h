#pragma once

#include <QByteArray>
#include <QList>

// `flightcompare --campaign LIST --out DIR [options]`: a whole campaign without the window.
bool isCampaignRun(const QList<QByteArray>& arguments);

const char* campaignUsage();

// 0 when every pair was compared, 1 when one was skipped or a file could not be written, 2 for
// bad arguments or a list that cannot be read.
int runCampaignBatch(const QList<QByteArray>& arguments);
