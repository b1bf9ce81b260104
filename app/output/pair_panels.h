#pragma once

#include "campaign/campaign_report.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <vector>

class PageStrokes;
class QFontMetricsF;
class QPainter;

// A panel's text where it goes: from a baseline's start, or laid out in a box with flags, the
// box's coordinates placed on the page.
struct PanelText {
  QString text;
  QPointF at;
  QRectF box;
  int flags = 0;
  QTransform placement;
};

// One compared pair as a small panel of the report: its comparison values against flight 1's
// height, the pair's layer means over them and zero, under a title that names both flights.
// The panel is laid out and its lines drawn first, into the page's strokes, and its texts then,
// by a plain painter: the lines, most of a panel's work, need not wait for the page to be
// numbered, and panels may be drawn on several threads at once. metrics: panelFont()'s on the
// page's device.
QFont panelFont();
std::vector<PanelText> drawPanelLines(const QFontMetricsF& metrics, const QRectF& area, const CampaignReport& report,
                                      std::size_t pair, PageStrokes& lines);
void drawPanelTexts(QPainter& painter, const std::vector<PanelText>& texts);
