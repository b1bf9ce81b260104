#include "app/output/page_strokes.h"

#include <libdeflate.h>

#include <charconv>
#include <iterator>
#include <memory>
#include <new>

namespace {

constexpr double kPointsPerInch = 72;

// A PDF number: no exponent, which PDF readers do not take, and no trailing zeros.
std::string pdfNumber(double value) {
  char text[64];
  std::string number(text, std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed, 6).ptr);
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

int pdfCap(Qt::PenCapStyle cap) {
  switch (cap) {
    case Qt::FlatCap: return 0;
    case Qt::RoundCap: return 1;
    default: return 2;
  }
}

int pdfJoin(Qt::PenJoinStyle join) {
  switch (join) {
    case Qt::RoundJoin: return 1;
    case Qt::BevelJoin: return 2;
    default: return 0;
  }
}

// A compressor for each thread, kept: a new one's tables are fresh memory that every page would
// fault in again.
libdeflate_compressor& fastestCompressor() {
  thread_local const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
      libdeflate_alloc_compressor(1), &libdeflate_free_compressor);
  if (!compressor) throw std::bad_alloc();
  return *compressor;
}

}  // namespace

PageStrokes::PageStrokes(const QTransform& toDevice, int pageHeightPoints, int dotsPerInch)
    : toPage_(QTransform::fromScale(1 / kGrid, 1 / kGrid) * toDevice *
              QTransform(kPointsPerInch / dotsPerInch, 0, 0, -kPointsPerInch / dotsPerInch, 0, pageHeightPoints)) {}

// PDF readers take whole numbers within 32 bits: a value beyond any scale (a column's overflow)
// leaves a gap in the line.
bool PageStrokes::to(const QPointF& point, bool movesTo) {
  constexpr double kLargest = 2147483647 / kGrid;
  if (!(std::abs(point.x()) < kLargest && std::abs(point.y()) < kLargest)) return false;
  for (const double coordinate : {point.x(), point.y()}) {
    char digits[24];
    content_.append(digits, std::to_chars(std::begin(digits), std::end(digits), std::lround(coordinate * kGrid)).ptr);
    content_ += ' ';
  }
  content_ += movesTo ? "m\n" : "l\n";
  return true;
}

void PageStrokes::setPen(const QPen& pen) {
  const QColor colour = pen.color();
  content_ += pdfNumber(colour.redF()) + ' ' + pdfNumber(colour.greenF()) + ' ' + pdfNumber(colour.blueF()) + " RG " +
              pdfNumber(pen.widthF() * kGrid) + " w " + std::to_string(pdfCap(pen.capStyle())) + " J " +
              std::to_string(pdfJoin(pen.joinStyle())) + " j [";
  // Qt's dashes are in widths of the pen, a PDF's in lengths.
  if (pen.style() != Qt::SolidLine)
    for (const qreal dash : pen.dashPattern()) content_ += pdfNumber(dash * pen.widthF() * kGrid) + ' ';
  content_ += "] 0 d\n";
}

void PageStrokes::stroke(const QPainterPath& path, const QPen& pen) {
  if (path.elementCount() < 2) return;
  setPen(pen);
  bool joined = false;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element element = path.elementAt(i);
    joined = to(element, element.isMoveTo() || !joined);
  }
  content_ += "S\n";
}

void PageStrokes::stroke(const std::vector<QPointF>& line, const QPen& pen) {
  if (line.size() < 2) return;
  setPen(pen);
  bool joined = false;
  for (const QPointF& point : line) joined = to(point, !joined);
  content_ += "S\n";
}

QByteArray PageStrokes::deflated() const {
  const std::string content = "q\n" + pdfNumber(toPage_.m11()) + ' ' + pdfNumber(toPage_.m12()) + ' ' +
                              pdfNumber(toPage_.m21()) + ' ' + pdfNumber(toPage_.m22()) + ' ' +
                              pdfNumber(toPage_.dx()) + ' ' + pdfNumber(toPage_.dy()) + " cm\n" + content_ + "Q\n";
  libdeflate_compressor& compressor = fastestCompressor();
  QByteArray deflated(static_cast<qsizetype>(libdeflate_zlib_compress_bound(&compressor, content.size())),
                      Qt::Uninitialized);
  deflated.resize(static_cast<qsizetype>(
      libdeflate_zlib_compress(&compressor, content.data(), content.size(), deflated.data(), deflated.size())));
  return deflated;
}
