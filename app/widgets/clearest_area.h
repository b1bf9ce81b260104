#pragma once

#include <QRectF>

#include <cstddef>
#include <vector>

class QCustomPlot;

// Of some places for a box on a chart (in its pixels), the first that hides the fewest points of
// the curves drawn as lines: a readout or a legend set there leaves the data in sight.
std::size_t clearestArea(QCustomPlot* chart, const std::vector<QRectF>& areas);
