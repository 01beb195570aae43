#pragma once

// What happens before the window exists: the command line, the language of
// the window and the translations that give it, and the fonts it is drawn in.

#include <QString>
#include <QStringList>

class UserSettings;
class QTranslator;

namespace startup {

// The languages the window speaks. Chinese is the form's own; English comes
// from the compiled-in translation.
extern const char *const chinese; // "zh"
extern const char *const english; // "en"

// What the command line asks for: varnix-config [--lang en|zh] [--record FILE] [PORT].
struct Options {
    QString language; // empty: the remembered one
    QString portName; // empty: none
    QString recordPath; // --record FILE; empty: none
    bool help = false;
    bool version = false;
    QString error; // a wrong command line: what is wrong, for the user
    QString helpText;
};

Options parseArguments(const QStringList &arguments);

// The language to start in: the one asked for (which is then remembered),
// else the remembered one, else Chinese. A remembered code that is no
// language of ours counts as none.
QString chooseLanguage(const QString &asked, UserSettings &settings);

// Folders searched for Qt's own translations: Qt's translations folder, then
// the program's folder and its translations subfolder (where windeployqt puts
// them on Windows).
QStringList qtTranslationDirs();

// Replaces the translators installed by an earlier call with those of
// language: for English the program's translation; for Chinese Qt's own
// Chinese texts (standard buttons, file dialogs), when Qt's translation files
// can be found in qtDirs. A file that is missing is left out; the program
// then shows what it shows without it. Returns the files loaded.
QStringList installTranslations(const QString &language, const QStringList &qtDirs = qtTranslationDirs());

// The font families the window's texts are drawn in on this platform: a
// Latin family first, then Chinese ones for the characters it lacks.
QStringList fontFamilies();

// Makes families the application font's families. Sizes and weights stay
// those of the form and its style sheets, which name no family.
void useFonts(const QStringList &families);

} // namespace startup
