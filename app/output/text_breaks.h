#pragma once

#include <QString>

// Where a text too wide for its column may break, so that a table's cell wraps as a reader
// expects rather than anywhere. Each step adds places to what the one before gives.

// After the separators of paths and names: "/", "\", "_", ".", "-", "·", ":" (a zero-width space).
QString withPathBreaks(const QString& text);
// And within words of five letters or more, between their syllables, Russian or Latin (a soft
// hyphen, drawn as "-" where a line breaks there): a syllable starts with the consonant before
// a vowel ("неиз-вест-но"); й, ь and ъ stay with the letter before them, and no part is shorter
// than two letters or without a vowel.
QString withSyllableBreaks(const QString& text);
