#include "simport.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include "txsimprocess.h"
#endif

struct SimulatedPort::Local {
    QTemporaryDir dir;
#ifdef Q_OS_UNIX
    std::unique_ptr<TxSimProcess> process;
#endif
};

namespace {

// The bridge to the other side, when there is one.
QString bridge()
{
    return qEnvironmentVariable("VARNIX_TXSIM_BRIDGE");
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

SimulatedPort::SimulatedPort(const QStringList &arguments)
    : m_arguments(arguments)
    , m_local(new Local)
{
}

SimulatedPort::~SimulatedPort()
{
    hangUp();
}

QString SimulatedPort::folder() const
{
    return bridge().isEmpty() ? m_local->dir.path() : bridge();
}

bool SimulatedPort::start(int timeoutMs)
{
    const QString other = bridge();
    if (other.isEmpty()) {
#ifdef Q_OS_UNIX
        m_local->process.reset(new TxSimProcess(m_arguments));
        m_local->process->process().setWorkingDirectory(m_local->dir.path());
        if (!m_local->process->start(timeoutMs)) {
            m_error = m_local->process->errorString();
            return false;
        }
        m_port = m_local->process->portName();
        return true;
#else
        m_error = QStringLiteral("VARNIX_TXSIM_BRIDGE names no folder");
        return false;
#endif
    }
    // One request at a time: its arguments, a line each; the other side
    // answers with the port's name and takes the request away.
    const QDir dir(other);
    QFile::remove(dir.filePath(QStringLiteral("port")));
    if (!writeWhole(dir.filePath(QStringLiteral("start")), m_arguments.join(QLatin1Char('\n')).toUtf8())) {
        m_error = QStringLiteral("cannot write to %1").arg(other);
        return false;
    }
    QFile port(dir.filePath(QStringLiteral("port")));
    if (!QTest::qWaitFor([&] { return port.exists() && !QFile::exists(dir.filePath(QStringLiteral("start"))); },
                         timeoutMs)
        || !port.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("no simulator started through %1").arg(other);
        return false;
    }
    m_port = QString::fromUtf8(port.readAll()).trimmed();
    return !m_port.isEmpty();
}

bool SimulatedPort::hangUp(int timeoutMs)
{
    if (m_port.isEmpty())
        return true;
    m_port.clear();
    const QString other = bridge();
    if (other.isEmpty()) {
#ifdef Q_OS_UNIX
        m_local->process.reset();
#endif
        return true;
    }
    const QString request = QDir(other).filePath(QStringLiteral("hangup"));
    return writeWhole(request, QByteArray())
           && QTest::qWaitFor([&] { return !QFile::exists(request); }, timeoutMs);
}
