#pragma once

#include <QByteArray>

class QPaintDevice;

// An SVG from Qt's generator made to read alike where the window's face is missing: every font
// names fallbacks down to a generic family, and each text is one element again. The generator
// writes a text in runs, one per script or per font that has the glyphs ("Полёт 1: RS41" is
// two), each placed by the window's face's widths; another face would set them apart or on top
// of each other. `painted` is the device the picture was painted on, whose metrics placed them.
QByteArray withPortableText(const QByteArray& svg, const QPaintDevice& painted);
