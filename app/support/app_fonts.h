#pragma once

#include <QFont>

// The window's face is Tahoma. Debian ships Wine's metric copy of it outside the font
// system's search path; it is loaded from there when the system has no Tahoma of its own, and
// where neither exists the font system picks the closest sans face.
void loadWindowFace();

// Sizes are pixel heights, as the window was designed.
QFont windowFont(int pixelHeight);

constexpr int kNormalFontPixels = 11;
constexpr int kSmallFontPixels = 9;
constexpr int kMemoFontPixels = 8;
