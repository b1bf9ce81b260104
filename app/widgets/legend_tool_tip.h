#pragma once

#include <qcustomplot.h>

#include <QString>
#include <QVariant>

// What a curve's legend entry tells when the mouse rests on it; empty: the chart's own tip. Kept
// as the plottable's property, so that any kind of plottable on a chart can carry one.
inline QString legendToolTip(const QCPAbstractPlottable* plottable) {
  return plottable->property("legendToolTip").toString();
}
inline void setLegendToolTip(QCPAbstractPlottable* plottable, const QString& tip) {
  plottable->setProperty("legendToolTip", tip);
}
