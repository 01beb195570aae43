#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QSocketNotifier;

// The transmitter's end of a pseudo-terminal, for tests that run the
// program in the same process: the program opens slavePath() with its serial
// port, the test writes Device packets with write() and sees what the
// program sent with readAll()/waitFor(). Every wait spins the Qt event loop,
// so the program keeps running meanwhile. The peer holds the slave open
// itself, so the pty lives on while the program closes and reopens it.
class PtyPeer
{
public:
    PtyPeer();  // opens the pair: raw, 115200 baud
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString errorString() const { return m_error; }
    QString slavePath() const { return m_slavePath; }

    // One write() from the device side; true when every byte went.
    bool write(const QByteArray &bytes);
    // Writes, then waits until the program has read the bytes, so that the
    // next write cannot reach it in the same read.
    bool writePacket(const QByteArray &bytes, int timeoutMs = 2000);
    // Bytes written by the device that the program has not read yet.
    int unreadByProgram() const;
    // Spins until the program has read everything written to it.
    bool waitDrained(int timeoutMs = 2000);

    // What the program sent since the last readAll() (or clear()), after
    // spinning the event loop for waitMs.
    QByteArray readAll(int waitMs = 0);
    // Spins until at least count bytes are waiting to be taken by readAll().
    bool waitFor(int count, int timeoutMs);
    // Spins until done(bytes waiting for readAll()) holds.
    bool waitFor(const std::function<bool(const QByteArray &)> &done, int timeoutMs);
    // Spins until text occurs in the bytes waiting for readAll().
    bool waitForText(const QByteArray &text, int timeoutMs);

    // Everything the program sent since the peer was opened or cleared.
    QByteArray received();
    void clear();

    // Runs the event loop for ms milliseconds, collecting what arrives.
    void spin(int ms);

    // The device goes away: both ends of the pair are closed, and the
    // program's end of it hangs up (reads as end of file).
    void hangUp();

private:
    void collect();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_error;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_all;
    QByteArray m_fresh;
};
