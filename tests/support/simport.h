#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// The transmitter simulator behind a real serial port, the same on every
// system. On Unix it is txsim on its own pseudo-terminal. On Windows (under
// Wine) it is a txsim that tools/windows/test.sh runs on the Linux side,
// asked for through files in the folder $VARNIX_TXSIM_BRIDGE, on a COM port
// mapped to txsim's pty. Files named in the arguments are taken relative to
// folder(), which both sides see.
class SimulatedPort
{
public:
    explicit SimulatedPort(const QStringList &arguments = {});
    ~SimulatedPort();
    SimulatedPort(const SimulatedPort &) = delete;
    SimulatedPort &operator=(const SimulatedPort &) = delete;

    // Where files for the simulator go.
    QString folder() const;
    void setArguments(const QStringList &arguments) { m_arguments = arguments; }

    bool start(int timeoutMs = 15000);
    QString portName() const { return m_port; }
    QString errorString() const { return m_error; }

    // The simulator quits and its end of the port goes away, as when the
    // cable is pulled.
    bool hangUp(int timeoutMs = 10000);

private:
    struct Local;
    QStringList m_arguments;
    QString m_port;
    QString m_error;
    std::unique_ptr<Local> m_local;
};
