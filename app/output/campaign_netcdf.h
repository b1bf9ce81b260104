#pragma once

#include "campaign/campaign_report.h"
#include "compare/classic_netcdf.h"

#include <QByteArray>
#include <QDateTime>

// The CF attributes history and source of a file the program makes at that date: the date, what
// made the file, and the program with its version.
NetcdfProvenance netcdfProvenance(const QDateTime& made, const QString& madeBy);

// layers.nc (campaign/layers_netcdf.h) of the report, made at that date. Its history names the
// command that makes the same results (--out and --jobs left out: they change nothing in them),
// so that the same pairs give the same file wherever and however fast they are run.
QByteArray campaignNetcdf(const CampaignReport& report, const QDateTime& made);

// The command line of a campaign with these settings, as a shell reads it.
QString campaignCommand(const CampaignReport& report);
