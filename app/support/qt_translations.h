#pragma once

class QLocale;
class QTranslator;

// Qt's own texts (the buttons of message boxes, the file dialogs, the context menus of edits)
// in the language of locale, from Debian's translations of Qt. Loads them into translator,
// which the caller keeps for as long as they are shown, and installs it on the application.
// False, leaving Qt's English, when there is no translation for that language.
bool installQtTranslations(QTranslator& translator, const QLocale& locale);
