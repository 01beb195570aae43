#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// A program of this build: the path in the environment variable envVar (set
// by CTest), else name next to or above the test.
QString builtProgram(const char *envVar, const QString &name);

// How a program run as a process ended; code -1 when it did not start, did
// not end within 30 s or crashed.
struct ProgramRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// Runs program to its end. While it runs, during() is called every few
// milliseconds (a test's transmitter at work).
ProgramRun runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                      const std::function<void()> &during = {});
