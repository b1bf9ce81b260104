#pragma once

#include <QList>
#include <QSize>
#include <QString>

class QCustomPlot;

// Pictures of charts, in the format the file name's suffix names: .png, .svg or .pdf; several
// charts stand side by side in one picture. Written whole or not at all; fails with a
// FlightError naming the file.
void saveChartImage(QCustomPlot* chart, const QString& fileName);
void saveChartsImage(const QList<QCustomPlot*>& charts, const QString& fileName);

// The filter for a save dialog offering the three formats.
QString chartImageFilter();
