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

// Both charts drawn for a report without a window, side by side in the size given: the saved
// picture's unless told. Where pairs carried uncertainties, the bias chart shows 0 ± 2·ū_c and a
// third chart, beside them in the saved picture, the shares of points within 1, 2 and 3 u_c per
// layer.
class OffscreenCampaignCharts {
 public:
  explicit OffscreenCampaignCharts(const CampaignReport& report, const QSize& size = QSize(1060, 620));
  QList<QCustomPlot*> charts() { return {&bias_, &points_}; }
  // The consistency chart, or none; it takes the size it is given.
  QCustomPlot* consistency(const QSize& size);
  // The saved picture's: the two charts, then the consistency where there is one.
  QList<QCustomPlot*> pictureCharts();

 private:
  bool judged_;
  QCustomPlot bias_, points_, consistency_;
};
