#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QPen>
#include <QTransform>

#include <cmath>
#include <string>
#include <vector>

// A page's line art written as a PDF content stream of its own, to be drawn over the page a Qt
// painter drew, and deflated by libdeflate at its fastest level. A thousand report panels' lines
// are most of a report's bytes, and Qt's PDF writer deflates every page with zlib at its default
// level, some 18 MB/s, which was most of a campaign's output time; libdeflate's fastest level
// deflates them at some 300 MB/s into fewer bytes.
//
// The lines lie on a grid of half the page's pixels, finer than the eye tells in print, and are
// written in its units, as whole numbers.
class PageStrokes {
 public:
  static constexpr double kGrid = 2;  // grid points to a pixel
  static double snapped(double coordinate) { return std::round(coordinate * kGrid) / kGrid; }

  // toDevice: the painter's coordinates to the device's pixels; the page's height in points
  // and the device's resolution place them on the PDF page.
  PageStrokes(const QTransform& toDevice, int pageHeightPoints, int dotsPerInch);

  // Lines and moves only, as the panels draw them, with the pen's colour, width, cap, join and
  // dashes. A path with no line draws nothing; a point beyond the page's numbers breaks the line.
  void stroke(const QPainterPath& path, const QPen& pen);
  // One line through the points, as above: a long line without a path's bookkeeping.
  void stroke(const std::vector<QPointF>& line, const QPen& pen);

  // The content, deflated; it leaves the graphics state as it found it, and expects the page's
  // initial one.
  QByteArray deflated() const;

 private:
  void setPen(const QPen& pen);
  // A point, in the grid's units, that begins a line or joins the last; false for a point no
  // PDF can hold, which is left out.
  bool to(const QPointF& point, bool movesTo);

  QTransform toPage_;
  std::string content_;
};
