#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

class QCPPainter;
class QCustomPlot;

// Pictures of charts, in the format the file name's suffix names: .png, .svg or .pdf; several
// charts stand side by side in one picture. Written whole or not at all; fails with a
// FlightError naming the file.
void saveChartImage(QCustomPlot* chart, const QString& fileName);
void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName);

// The same picture as the bytes of a "png", "svg" or "pdf" file; the file name only names it
// in a failure. A PNG has `scale` times the charts' pixels, with the same look, and states
// `dotsPerInch` for print.
QByteArray chartsPicture(const QList<QCustomPlot*>& charts, const QString& suffix, const QString& fileName,
                         int scale = 1, int dotsPerInch = 96);

// Draws the charts left to right from the painter's origin, at their widgets' sizes, without
// the crosshair that follows the mouse.
void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts);

// The filter for a save dialog offering the three formats.
QString chartImageFilter();
