#pragma once

#include <QString>

#include <vector>

// The program's messages in the user's language. They are written in English, by the core and
// the window alike, with their variable parts (names, numbers, the system's reasons) inside.
// Each line is matched against the catalogue of their forms and told again through Qt's
// translator (context "Messages"), its variable parts kept as they are; a line of no known form,
// and every line while no translation is loaded, stays as written.
QString translatedMessage(const QString& message);

// The forms, English with %1, %2 for their variable parts.
const std::vector<const char*>& messageForms();

// The names of the open dialog's filters (context "OpenDialog"): every file the program reads,
// the raw files, the reference products, any file.
const std::vector<const char*>& filterNames();

// Loads the program's own translation for the locale's language, when it has one.
class QLocale;
class QTranslator;
bool installProgramTranslation(QTranslator& translator, const QLocale& locale);
