#pragma once

// The setups library from the command line: `varnix-param library` lists
// it, and the file commands take a setup's name where they take a file.

#include <QString>
#include <QStringList>

#include "setuplibrary.h"

namespace library {

// The library folder: the one given (--folder), else the window's.
QString folder(const QString &given = QString());

// An existing file's path as it is, else the file of the setup of that name
// in the folder; empty (and said on stderr) when neither.
QString resolve(const QString &nameOrPath, const QString &folder);

// The setup facts of a file (its sidecar, else its file name).
LibrarySetup setupOf(const QString &file);

// Whether file lies in folder: a write of it is recorded in its sidecar.
bool inFolder(const QString &file, const QString &folder);

// varnix-param library [--folder DIR]: name, type, file, last written.
int run(const QStringList &args);
QString summary();

} // namespace library
