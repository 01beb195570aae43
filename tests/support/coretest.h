#pragma once

// Test helpers that need only QtCore: the debug log, and the process-wide
// state put back to what the program starts with.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace apptest {

// Collects the debug log lines written while it exists. Every message still
// goes on to the handler installed before it (so warnings fail a test as
// usual), debug lines only when echo is on. One at a time.
class MessageLog
{
public:
    // While it lives, the program's own tracing (category "varnix") is on.
    explicit MessageLog(bool echo = true);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList lines() const { return m_lines; }
    // Lines that start with prefix.
    QStringList linesStartingWith(const QString &prefix) const;
    void clear() { m_lines.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &msg);
    static MessageLog *s_current;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
    bool m_echo;
    bool m_traced = false;
};

// Puts the process-wide state (Parameter set, live values, frame texts, last
// loaded file text) back to what the program starts with.
void resetProcessState();

} // namespace apptest
