#include "app/output/svg_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <optional>

namespace {

// Every font the generator names, on a text or a group of them, with the fallbacks after it.
const QRegularExpression kFamily(QStringLiteral(R"re(font-family="([^",]*)")re"));
const QString kWithFallbacks = QStringLiteral(R"(font-family="\1, 'DejaVu Sans', sans-serif")");

// A <text> as the generator writes it: (1) its paint, (2) x, (3) y, (4) family, (5) size,
// (6) weight, (7) style, (8) the run's text, escaped.
const QRegularExpression kRun(QStringLiteral(R"re(<text ([^>]*?) x="([^"]*)" y="([^"]*)" font-family="([^"]*)" )re"
                                             R"re(font-size="([^"]*)" font-weight="([^"]*)" font-style="([^"]*)"\s*>([^<]*)</text>)re"));

QString unescaped(QString text) {
  return text.replace(QLatin1String("&lt;"), QLatin1String("<"))
      .replace(QLatin1String("&gt;"), QLatin1String(">"))
      .replace(QLatin1String("&quot;"), QLatin1String("\""))
      .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// A text being joined from its runs: the first run's attributes and every run's text so far.
struct Text {
  QRegularExpressionMatch first;
  QString runs;

  bool sameLook(const QRegularExpressionMatch& run) const {
    for (int attribute : {1, 3, 4, 5, 6, 7})
      if (run.captured(attribute) != first.captured(attribute)) return false;
    return true;
  }
  // Where the runs so far end, by the metrics that placed them.
  double end(const QPaintDevice& painted) const {
    QFont font(first.captured(4));
    font.setPointSizeF(first.captured(5).toDouble() * 72 / painted.logicalDpiY());
    font.setWeight(static_cast<QFont::Weight>(first.captured(6).toInt()));
    font.setItalic(first.captured(7) == QLatin1String("italic"));
    return first.captured(2).toDouble() + QFontMetricsF(font, &painted).horizontalAdvance(unescaped(runs));
  }
  QString element() const {
    return QStringLiteral(R"(<text %1 x="%2" y="%3" font-family="%4" font-size="%5" font-weight="%6" font-style="%7">%8</text>)")
        .arg(first.captured(1), first.captured(2), first.captured(3), first.captured(4), first.captured(5),
             first.captured(6), first.captured(7), runs);
  }
};

}  // namespace

QByteArray withPortableText(const QByteArray& svg, const QPaintDevice& painted) {
  const QString source = QString::fromUtf8(svg);
  QString written;
  qsizetype copied = 0;
  std::optional<Text> text;
  for (QRegularExpressionMatchIterator runs = kRun.globalMatch(source); runs.hasNext();) {
    const QRegularExpressionMatch run = runs.next();
    const QString between = source.mid(copied, run.capturedStart() - copied);
    copied = run.capturedEnd();
    // The next run of one text follows at once, on its line, in its look, where the last ended.
    if (text && between.trimmed().isEmpty() && text->sameLook(run) &&
        std::abs(text->end(painted) - run.captured(2).toDouble()) < 1.5) {
      text->runs += run.captured(8);
      continue;
    }
    if (text) written += text->element();
    written += between;
    text = Text{run, run.captured(8)};
  }
  if (text) written += text->element();
  written += source.mid(copied);
  return written.replace(kFamily, kWithFallbacks).toUtf8();
}
