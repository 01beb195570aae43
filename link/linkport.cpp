#include "linkport.h"

#include "link.h"
#include "protocol.h"

#ifdef Q_OS_UNIX
#include <QFile>

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

// True when the device at the other end of the port has hung up: the port
// reads as end of file (readable, no bytes). Only Unix reports it this way.
template <typename Handle> // a file descriptor on Unix, a HANDLE on Windows
bool deviceHungUp(Handle handle)
{
#ifdef Q_OS_UNIX
    pollfd p{handle, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0)
        return false;
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        return true;
    int waiting = 0;
    return (p.revents & POLLIN) && ::ioctl(handle, FIONREAD, &waiting) == 0 && waiting == 0;
#else
    Q_UNUSED(handle);
    return false;
#endif
}

// Whether we may open the device at all, which tells a busy port from a
// denied one.
bool mayUse(const QString &name)
{
#ifdef Q_OS_UNIX
    const QString path = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(name);
    return true;
#endif
}

} // namespace

LinkPort::LinkPort(QSerialPort &port, Link &link, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_link(link)
{
    // The acknowledgement leaves at once: the first flush writes it, the
    // second completes the write, so no further turns of the event loop are
    // spent on it.
    m_link.setFlush([this] {
        if (!m_port.flush())
            return;
        m_port.flush();
    });
    connect(&m_port, &QSerialPort::errorOccurred, this, &LinkPort::error);
}

void LinkPort::configure(QSerialPort &port)
{
    port.setBaudRate(protocol::baudRate, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::DataBits(protocol::dataBits));
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::StopBits(protocol::stopBits));
    port.setFlowControl(QSerialPort::NoFlowControl);
}

bool LinkPort::open(const QString &name)
{
    m_error.clear();
    m_permissionDenied = false;
    m_busy = false;
    m_port.setPortName(name);
    configure(m_port);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_error = m_port.errorString();
        if (m_port.error() == QSerialPort::PermissionError) {
            m_busy = mayUse(name);
            m_permissionDenied = !m_busy;
        }
        return false;
    }
    m_link.opened();
    return true;
}

void LinkPort::close()
{
    m_link.close(closeFlushMs);
}

void LinkPort::error(QSerialPort::SerialPortError error)
{
    if (!m_port.isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    // After a hang-up the system's error text is a stale one.
    const bool hungUp = deviceHungUp(m_port.handle());
    if (!hungUp && error != QSerialPort::ResourceError)
        return;
    const QString reason = hungUp ? QStringLiteral("the device hung up") : m_port.errorString();
    m_link.lost(reason);
    emit lost(hungUp, reason);
}

#include "moc_linkport.cpp"
