#pragma once

#include <QString>

// A program of this build: the path in the environment variable envVar (set
// by CTest), else name next to or above the test.
QString builtProgram(const char *envVar, const QString &name);
