#pragma once

#include "app/output/campaign_output.h"

#include <qcustomplot.h>

// A campaign's two profiles against height: each group's bias layer by layer, with bands for
// its spread (±sd and 5 to 95 %), and the number of points in each layer. The window shows them
// live; the saved pictures and the report draw them offscreen.

// Titles, axes and legend, once for each chart.
void setUpCampaignCharts(QCustomPlot& bias, QCustomPlot& points);

// Draws the report's layers in place of whatever the charts showed, every group in its colour.
void showCampaignProfiles(QCustomPlot& bias, QCustomPlot& points, const CampaignReport& report);

// Empties the charts, so that no old result stays in sight.
void clearCampaignProfiles(QCustomPlot& bias, QCustomPlot& points);

// Both charts drawn for a report without a window, side by side in the width given: the saved
// picture's size unless told.
class OffscreenCampaignCharts {
 public:
  explicit OffscreenCampaignCharts(const CampaignReport& report, const QSize& size = QSize(1060, 620));
  QList<QCustomPlot*> charts() { return {&bias_, &points_}; }

 private:
  QCustomPlot bias_, points_;
};
