#pragma once

#include <QString>

#include <string>

// Text from files and lists as it may be shown: in the window, on a terminal, in an SVG or a PDF.
// A control character (ESC drives a terminal; XML takes none but tab and line ends, and they
// would break a table's row or a line of stderr), a format character (U+202E turns the rest of a
// line around, so that "7654321T" reads "T1234567"; U+200B and U+FEFF hide) and a noncharacter
// (U+FFFE, U+FFFF and their kin, which XML refuses too) show as U+FFFD.
QString shownText(const QString& text);
QString shownText(const std::string& utf8);
