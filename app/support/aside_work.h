#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// Work that may take a while (a product read by its library's child), run on a thread of its own
// while the window stays drawn: the busy cursor shows, the operator's input to the program waits
// (nothing may change what the work reads and writes), and after a moment a dialog over the
// window says what is going on and offers to cancel, which sets the flag the work watches.
// Returns once the work has ended, with its exception where it failed: to its caller the work
// is done in order, as if on the window's own thread.
using AsideWork = std::function<void(const std::atomic<bool>& cancelled)>;
void runAside(QWidget* window, const QString& doing, const AsideWork& work);
