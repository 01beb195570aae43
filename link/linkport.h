#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>

class Link;

// The serial port a link runs on, for the window and the command line alike:
// opened at the transmitter's settings (115200 baud 8N1, no flow control),
// its acknowledgements pushed out at once, watched for the device going
// away, and closed with a goodbye.
class LinkPort : public QObject
{
    Q_OBJECT

public:
    // Longest a close waits for "DIS" to leave; a vanished device must not hang us.
    static constexpr int closeFlushMs = 300;

    LinkPort(QSerialPort &port, Link &link, QObject *parent = nullptr);

    // The transmitter's link settings: 115200 baud 8N1, no flow control.
    static void configure(QSerialPort &port);

    // Opens the named port and greets the transmitter. False, with the
    // system's reason in errorString(), when it does not open.
    bool open(const QString &name);
    QString errorString() const { return m_error; }
    // The last open failed for want of permission (on Linux: not in the
    // dialout group).
    bool permissionDenied() const { return m_permissionDenied; }
    // The last open failed because another program holds the port. Qt
    // reports both as a permission error; on Unix a device we may read and
    // write is a busy one, on Windows a denied port is always one another
    // program has open.
    bool busy() const { return m_busy; }

    bool isOpen() const { return m_port.isOpen(); }
    // Says "DIS" and closes.
    void close();

signals:
    // The device went away (cable pulled, peer closed): the link has stopped
    // and the port is closed, without a word to the device. hungUp: the
    // other end hung up, and reason is the system's text for anything else.
    void lost(bool hungUp, const QString &reason);

private:
    void error(QSerialPort::SerialPortError error);

    QSerialPort &m_port;
    Link &m_link;
    QString m_error;
    bool m_permissionDenied = false;
    bool m_busy = false;
};
