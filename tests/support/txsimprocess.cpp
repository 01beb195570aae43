#include "txsimprocess.h"

#include "programs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

TxSimProcess::TxSimProcess(const QStringList &arguments) : m_arguments(arguments) {}

TxSimProcess::~TxSimProcess()
{
    stop();
}

QString TxSimProcess::program()
{
    return builtProgram("TXSIM", QStringLiteral("txsim"));
}

bool TxSimProcess::start(int timeoutMs)
{
    m_process.setProgram(program());
    m_process.setArguments(m_arguments);
    m_process.start(QIODevice::ReadOnly);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start %1: %2").arg(program(), m_process.errorString());
        return false;
    }
    QElapsedTimer t;
    t.start();
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || t.elapsed() > timeoutMs) {
            m_error = QStringLiteral("%1 gave no port: %2")
                          .arg(program(), QString::fromLocal8Bit(standardError()));
            return false;
        }
        m_process.waitForReadyRead(20);
    }
    m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_port.isEmpty();
}

QByteArray TxSimProcess::standardError()
{
    m_stderr += m_process.readAllStandardError();
    return m_stderr;
}

bool TxSimProcess::waitForStandardError(const QByteArray &text, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!standardError().contains(text)) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(2);
    }
    return true;
}

void TxSimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    standardError();
}
