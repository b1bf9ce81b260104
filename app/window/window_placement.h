#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Room for a window's frame and title bar around its client area.
inline const QMargins kFrameAllowance(8, 32, 8, 8);

// A client area of the wanted size, shrunk to the room the available area leaves for it (never
// below minimum), centred in that room.
QRect centredWithin(const QRect& available, const QSize& wanted, const QSize& minimum);
