#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// The transmitter simulator as a child process. start() runs it and reads
// the port from its first line of output; the destructor stops it.
class TxSimProcess
{
public:
    explicit TxSimProcess(const QStringList &arguments = {});
    ~TxSimProcess();
    TxSimProcess(const TxSimProcess &) = delete;
    TxSimProcess &operator=(const TxSimProcess &) = delete;

    // The binary: $TXSIM (set by CTest), else next to or above the test.
    static QString program();

    // Starts it and waits for its port line.
    bool start(int timeoutMs = 10000);
    QString portName() const { return m_port; }
    QString errorString() const { return m_error; }

    // Everything it wrote to stderr so far.
    QByteArray standardError();
    // Spins the event loop until its stderr holds text.
    bool waitForStandardError(const QByteArray &text, int timeoutMs);

    void stop();
    QProcess &process() { return m_process; }

private:
    QStringList m_arguments;
    QProcess m_process;
    QString m_port;
    QString m_error;
    QByteArray m_stderr;
};
