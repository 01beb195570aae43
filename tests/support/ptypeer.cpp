#include "ptypeer.h"

#include "ptypair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    pty::Pair pair;
    if (!pty::open(&pair, &m_error))
        return;
    m_master = pair.master;
    m_slave = pair.slave;
    m_slavePath = pair.slavePath;

    // Collect whenever any event loop runs, the program's own pauses included.
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, [this] { collect(); });
}

PtyPeer::~PtyPeer()
{
    hangUp();
}

void PtyPeer::hangUp()
{
    if (m_master >= 0)
        collect();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

void PtyPeer::collect()
{
    if (m_master < 0)
        return;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            m_all.append(buf, int(n));
            m_fresh.append(buf, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN, or EIO (cannot happen while we hold the slave)
    }
}

bool PtyPeer::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

bool PtyPeer::writePacket(const QByteArray &bytes, int timeoutMs)
{
    return write(bytes) && waitDrained(timeoutMs);
}

int PtyPeer::unreadByProgram() const
{
    pty::Pair pair;
    pair.slave = m_slave;
    return pty::unreadBySlave(pair);
}

bool PtyPeer::waitDrained(int timeoutMs)
{
    // The kernel hands bytes written to the master on to the slave a moment
    // later; give it that moment before trusting an empty queue.
    spin(2);
    QElapsedTimer t;
    t.start();
    while (unreadByProgram() > 0) {
        if (t.elapsed() > timeoutMs)
            return false;
        spin(1);
    }
    return true;
}

void PtyPeer::spin(int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        collect();
        if (t.elapsed() >= ms)
            break;
        QThread::usleep(500);
    } while (true);
}

QByteArray PtyPeer::readAll(int waitMs)
{
    if (waitMs > 0)
        spin(waitMs);
    else
        collect();
    QByteArray out;
    out.swap(m_fresh);
    return out;
}

bool PtyPeer::waitFor(const std::function<bool(const QByteArray &)> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    collect();
    while (!done(m_fresh)) {
        if (t.elapsed() > timeoutMs)
            return false;
        spin(1);
    }
    return true;
}

bool PtyPeer::waitFor(int count, int timeoutMs)
{
    return waitFor([count](const QByteArray &b) { return b.size() >= count; }, timeoutMs);
}

bool PtyPeer::waitForText(const QByteArray &text, int timeoutMs)
{
    return waitFor([&text](const QByteArray &b) { return b.contains(text); }, timeoutMs);
}

QByteArray PtyPeer::received()
{
    collect();
    return m_all;
}

void PtyPeer::clear()
{
    collect();
    m_all.clear();
    m_fresh.clear();
}
