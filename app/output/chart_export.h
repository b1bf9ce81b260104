#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class QCPPainter;
class QCustomPlot;

// How the window's charts are saved for a paper: a PNG at `scale` times their pixels (1 to 8)
// with the window's look; an SVG or a PDF as vectors on a page, A4 landscape for two charts and
// its half for one, under the title line. Legends list only the curves drawn, without the
// window's check boxes.
struct ChartPrint {
  QString title;
  int scale = 2;
};

// Pictures of charts, in the format the file name's suffix names: .png, .svg or .pdf; several
// charts stand side by side in one picture. Written whole or not at all; fails with a
// FlightError naming the file.
void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName, const ChartPrint& print);

// The same picture as the bytes of a "png", "svg" or "pdf" file; the file name only names it
// in a failure. A PNG has `scale` times the charts' pixels, with the same look, and states
// `dotsPerInch` for print.
QByteArray chartsPicture(const QList<QCustomPlot*>& charts, const QString& suffix, const QString& fileName,
                         int scale = 1, int dotsPerInch = 96);

// The same picture as a PNG's pixels, and their file: the file may be written on any thread.
QImage chartsImage(const QList<QCustomPlot*>& charts, const QString& fileName, int scale, int dotsPerInch);
QByteArray pngBytes(const QImage& image, const QString& fileName);

// Draws the charts left to right from the painter's origin, at their widgets' sizes (or sharing
// an area as their widths share the window's), without the crosshair that follows the mouse.
void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts);
void drawCharts(QCPPainter& painter, const QList<QCustomPlot*>& charts, const QSize& area);

// The filter for a save dialog offering the three formats, PNG at four scales; the scale a
// chosen filter names (2 for any other).
QString chartImageFilter();
int filterScale(const QString& filter);
