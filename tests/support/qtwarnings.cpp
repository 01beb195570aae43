#include "qtwarnings.h"

#include <QStringList>
#include <QtTest>

namespace testsupport {

namespace {

QtMessageHandler previous = nullptr;
QStringList expected;

// Said by Qt itself about the headless test platform, not by the program.
const char *const alwaysAllowed[] = {
    "XDG_RUNTIME_DIR not set",
    "This plugin does not support propagateSizeHints()",
    "This plugin does not support raise()",
};

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (previous)
        previous(type, context, message);
    if (type != QtWarningMsg && type != QtCriticalMsg)
        return;
    for (const char *allowed : alwaysAllowed)
        if (message.contains(QLatin1String(allowed)))
            return;
    for (int i = 0; i < expected.size(); ++i) {
        if (message.contains(expected.at(i))) {
            expected.removeAt(i);
            return;
        }
    }
    QTest::qFail(qPrintable(QStringLiteral("unexpected warning: ") + message),
                 context.file ? context.file : __FILE__, context.line);
}

} // namespace

void failOnUnexpectedWarnings()
{
    QtMessageHandler before = qInstallMessageHandler(handler);
    if (before != handler)
        previous = before;
}

void expectWarning(const QString &fragment)
{
    expected.append(fragment);
}

QStringList missingWarnings()
{
    QStringList missing;
    missing.swap(expected);
    return missing;
}

} // namespace testsupport
