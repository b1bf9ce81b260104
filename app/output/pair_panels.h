#pragma once

#include "campaign/campaign_report.h"

#include <QRectF>

class PageStrokes;
class QPainter;

// One compared pair as a small panel of the report: its comparison values against flight 1's
// height, the pair's layer means over them and zero, under a title that names both flights.
// Drawn by a plain painter, its texts, and its lines into the page's strokes, so that panels may
// be drawn on several threads at once.
void drawPairPanel(QPainter& painter, PageStrokes& lines, const QRectF& area, const CampaignReport& report, std::size_t pair);
