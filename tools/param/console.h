#pragma once

// What varnix-param says, and how it ends: every message to the user goes
// through here, on the standard streams in the system's encoding.

#include <QString>

#include <cstdio>

namespace console {

// The exit codes of every command: done, a difference or fault found (diff,
// check, a verify that failed), or refused (wrong input, nothing done).
enum Exit { Success = 0, Found = 1, Refused = 2 };

void put(std::FILE *stream, const QString &text);
// "varnix-param: text" on stderr, at once.
void say(const QString &text);
// say(text), for a command that gives up: returns Refused.
int refuse(const QString &text);

} // namespace console
