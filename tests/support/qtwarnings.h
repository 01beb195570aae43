#pragma once

#include <QString>

// From the call on, every Qt warning or critical message fails the running
// test unless the test announced it with expectWarning(). Let through are
// only Qt's own remarks on the headless test
// platform (no runtime directory, no size hints, no raise). Call it in initTestCase(),
// after Qt Test has installed its own handler.
namespace testsupport {

void failOnUnexpectedWarnings();
// The next warning whose text contains fragment is expected.
void expectWarning(const QString &fragment);
// Expected warnings that have not come; cleared by the call.
QStringList missingWarnings();

} // namespace testsupport
