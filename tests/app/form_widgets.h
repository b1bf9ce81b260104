#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// A control of a window by its object name, as the operator's tools find it: the window keeps
// its widgets to itself.
template <typename Control>
Control* widget(const QObject& window, const char* name) {
  Control* found = window.findChild<Control*>(QString::fromLatin1(name));
  if (!found) ADD_FAILURE() << "the window has no control named " << name;
  return found;
}
