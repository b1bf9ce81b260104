#pragma once

#include <QBuffer>
#include <QFont>
#include <QPdfWriter>
#include <QRectF>
#include <QStringList>
#include <qcustomplot.h>

#include <cstddef>
#include <functional>
#include <vector>

// A report's A4 pages, filled from top to bottom in the pixels the charts are laid out in, so
// that their text keeps the size it has on screen. Each block goes on a new page when the rest
// of this one is too short for it; a table repeats its captions on every page it runs onto.
// Fails with a FlightError when the report cannot be drawn.

constexpr int kReportResolution = 96;

QFont reportFont(double points, bool bold = false);

struct ReportColumn {
  double weight;
  Qt::Alignment alignment;
  bool wraps;  // the text wraps within the column (at syllables, where a word is wider); else it is cut at the right
};

// A writer set up for a report's pages, writing to memory: the pages are joined with others
// before they go to the report's file, and only that file's writing can fail.
class ReportWriter {
 public:
  ReportWriter();
  QPdfWriter& pdf() { return pdf_; }
  // The document, once its pages are finished.
  const QByteArray& bytes() const { return buffer_.data(); }

 private:
  QBuffer buffer_;
  QPdfWriter pdf_;
};

class ReportPages {
 public:
  // firstPage: the number the footer gives the first page, asked for once that page is drawn,
  // so that pages may be drawn before those ahead of them are counted.
  ReportPages(QPdfWriter& pdf, std::function<int()> firstPage);

  double width() const { return width_; }
  QCPPainter& painter() { return painter_; }
  // The pages finished so far.
  int pages() const { return pages_; }
  // How many bands of this height fill a page from its top.
  int bandsPerPage(double height) const;
  // The index-th of them.
  QRectF band(int index, double height) const;

  // The band of the page the next block of this height fills.
  QRectF take(double height);
  void skip(double height) { y_ += height; }

  void text(const QString& text, const QFont& font);
  // A heading that stays on its page with the start of what follows it: `room` of height.
  void heading(const QString& text, double room = 100);
  void table(const std::vector<ReportColumn>& columns, const QStringList& captions, const std::vector<QStringList>& rows);
  // The same with each row made when it is drawn: a campaign's tens of thousands of pairs with long
  // paths are never all held as text at once.
  void table(const std::vector<ReportColumn>& columns, const QStringList& captions, std::size_t rows,
             const std::function<QStringList(std::size_t)>& row);

  void newPage();
  void finish();

 private:
  // Goes on to a new page unless this one has the height left.
  void keepRoom(double height);
  void footer();
  int pageNumber();
  // The text as it wraps within a width: at blanks where its words fit, else also after the
  // separators of paths, else also between syllables (text_breaks.h).
  struct Wrapped {
    QString text;
    int flags;
  };
  Wrapped wrapped(const QString& text, double width);
  // A row's cells as they are drawn, and the height they take: laid out once.
  struct Row {
    std::vector<Wrapped> cells;
    double height;
  };
  Row layOutRow(const QStringList& cells, const std::vector<ReportColumn>& columns, const std::vector<double>& widths,
                bool captions);
  void drawRow(const Row& row, const std::vector<ReportColumn>& columns, const std::vector<double>& widths,
               const QRectF& band, bool captions);

  QPdfWriter& pdf_;
  std::function<int()> firstPage_;
  QCPPainter painter_;
  double bottom_, width_, y_;
  int pages_ = 0;
  int firstNumber_ = 0;
};
