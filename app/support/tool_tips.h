#pragma once

#include <QString>
#include <QWidget>

#include <cstddef>

// A control's tip in the operator's words, by the control's object name.
struct ToolTip {
  const char* control;
  const char* text;
};

// Gives each named control of the window its tip; every name must be one of its controls.
template <std::size_t Count>
void setToolTips(QWidget* window, const ToolTip (&tips)[Count]) {
  for (const ToolTip& tip : tips)
    window->findChild<QWidget*>(QString::fromLatin1(tip.control))->setToolTip(QString::fromUtf8(tip.text));
}
