#include "app/widgets/clearest_area.h"

#include <qcustomplot.h>

#include <algorithm>

std::size_t clearestArea(QCustomPlot* chart, const std::vector<QRectF>& areas) {
  std::vector<int> hidden(areas.size(), 0);
  for (int i = 0; i < chart->plottableCount(); ++i) {
    const auto curve = qobject_cast<const QCPCurve*>(chart->plottable(i));
    // A band is a fill: seen through, it hides nothing a box would.
    if (!curve || !curve->visible() || curve->pen().style() == Qt::NoPen) continue;
    const QCPAxis* x = curve->keyAxis();
    const QCPAxis* y = curve->valueAxis();
    for (const QCPCurveData& point : *curve->data()) {
      const QPointF pixel(x->coordToPixel(point.key), y->coordToPixel(point.value));
      for (std::size_t area = 0; area < areas.size(); ++area)
        if (areas[area].contains(pixel)) ++hidden[area];
    }
  }
  return static_cast<std::size_t>(std::min_element(hidden.begin(), hidden.end()) - hidden.begin());
}
