#include "app/widgets/interactive_chart.h"
#include "app/window/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>
#include <qcustomplot.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// Qt shows the tooltip of the widget under the mouse or, when it has none, of the nearest
// widget around it.
QString shownToolTip(const QWidget* widget, const QWidget* window) {
  for (; widget != window; widget = widget->parentWidget())
    if (!widget->toolTip().isEmpty()) return widget->toolTip();
  return {};
}

// The mouse rests on a panel's children rather than the panel itself.
bool holdsVisibleWidgets(const QWidget* widget) {
  const QList<QWidget*> children = widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  return std::any_of(children.begin(), children.end(), [](const QWidget* child) { return !child->isHidden(); });
}

}  // namespace

TEST(ToolTips, EveryControlInSightSaysWhatItDoes) {
  TForm1 form;
  form.Edit2->show();  // as while flight 1's parameter is the slow channel
  for (const QWidget* widget : form.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&form) || holdsVisibleWidgets(widget)) continue;
    EXPECT_FALSE(shownToolTip(widget, &form).isEmpty())
        << widget->metaObject()->className() << " " << widget->objectName().toStdString() << " in "
        << widget->parentWidget()->objectName().toStdString();
  }
}

TEST(ToolTips, TheSeparatorBoxesStateTheComputersSeparator) {
  TForm1 form;
  for (const QCheckBox* box : {form.CheckBox2, form.CheckBox3}) {
    SCOPED_TRACE(box->text().toStdString());
    EXPECT_TRUE(box->toolTip().contains("разделитель дробной части на этом компьютере"));
    EXPECT_TRUE(box->toolTip().contains(box->text().toLower())) << "names its own separator";
  }
}

TEST(ToolTips, AChartsTipLeavesThePlotToTheCrosshair) {
  TForm1 form;
  form.show();
  form.Chart1->replot();
  const auto restAt = [&](const QPoint& at) {
    QHelpEvent rest(QEvent::ToolTip, at, form.Chart1->mapToGlobal(at));
    QApplication::sendEvent(form.Chart1, &rest);
    return QToolTip::isVisible();
  };
  EXPECT_FALSE(restAt(form.Chart1->axisRect()->rect().center() + QPoint(0, 60)));
  EXPECT_TRUE(restAt(QPoint(form.Chart1->axisRect()->left() / 2, form.Chart1->height() / 2))) << "over the axis";
  EXPECT_EQ(QToolTip::text(), form.Chart1->toolTip());
}
