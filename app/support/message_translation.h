#pragma once

#include "flight/messages.h"

#include <QString>

#include <vector>

// A message in the user's language: each form of the catalogue told through Qt's translator
// (context "Messages", the English form the text to translate), its variable parts as they are;
// while no translation is loaded, the documented English.
QString translatedMessage(const Message& message);

// The same in Russian whatever the user's locale: the campaign report an operator hands in is
// written in Russian.
QString russianMessage(const Message& message);

// The names of the open dialog's filters (context "OpenDialog"): every file the program reads,
// the raw files, the reference products, any file.
const std::vector<const char*>& filterNames();

// Loads the program's own translation for the locale's language, when it has one.
class QLocale;
class QTranslator;
bool installProgramTranslation(QTranslator& translator, const QLocale& locale);
