#pragma once

#include <QStringList>

// The commands of varnix-param that talk to a transmitter on a serial port:
// read, write and monitor. args holds what follows the command's name.
namespace transmitter {

// Whether name is one of them.
bool isCommand(const QString &name);
// Runs it; returns the exit status (0 done, 1 incomplete or different, 2
// usage, a file or a port that cannot be used).
int run(const QString &name, const QStringList &args);
// "read PORT [-o FILE]  ..." lines for the tool's own help.
QString summary();

} // namespace transmitter
