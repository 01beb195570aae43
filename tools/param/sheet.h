#pragma once

// varnix-param sheet FILE -o OUT.pdf|OUT.html [--lang zh|en]: the setup
// sheet of a Parameter file, with its own options and --help.

#include <QString>
#include <QStringList>

namespace sheetcommand {

// The command's name, and whether the command line starts with it.
extern const char *const name; // "sheet"
bool isCommand(int argc, char *argv[]);

// The sheet needs a QGuiApplication; this makes one (on the offscreen
// platform where there is no display) before the command runs.
void prepareGui();

// One line for the program's --help.
QString summary();

// Runs it on the arguments after "sheet"; returns the exit status.
int run(const QStringList &args);

} // namespace sheetcommand
