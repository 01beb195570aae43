#include "simulator.h"

#include "fields.h"
#include "frames.h"
#include "packets.h"
#include "protocol.h"
#include "ptypair.h"

#include <QDateTime>
#include <QStringList>
#include <QtMath>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Settings sections go out as fast as the configurator acknowledges them,
// with a short breather between them.
const int sectionGapMs = 5;
// How often to look again while the last packet still sits unread.
const int recheckMs = 10;
// A message cut off for this long is given up.
const int staleMs = 1000;
// Unread for this long: tell the user nobody is listening.
const int heldNoticeMs = 3000;

QString printable(const QByteArray &bytes)
{
    QString s;
    s.reserve(bytes.size());
    for (char c : bytes)
        s += (c >= 0x20 && c < 0x7f) ? QChar::fromLatin1(c) : QChar('.');
    return s;
}

// "reverse 0 0 1 0 0 0 0 0, subTrim 0 0 ..." for the fields one frame carries,
// array elements in index order.
QString describeFrame(const ParamSet &p, int frame)
{
    const FrameLayout &layout = frameLayout(frame);
    QVector<Field> order;
    QVector<QVector<int>> indexes;
    for (int r = 0; r < layout.count; ++r) {
        const FrameField &row = layout.fields[r];
        if (row.code == Code::L || row.code == Code::K6)
            continue;
        int k = order.indexOf(row.field);
        if (k < 0) {
            order.append(row.field);
            indexes.append(QVector<int>());
            k = order.size() - 1;
        }
        indexes[k].append(row.index);
    }
    QStringList parts;
    for (int k = 0; k < order.size(); ++k) {
        std::sort(indexes[k].begin(), indexes[k].end());
        QString part = QString::fromLatin1(fieldExtent(order[k]).name);
        for (int i : indexes[k])
            part += QLatin1Char(' ') + QString::number(fieldValue(p, order[k], i));
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

void say(const QString &text)
{
    std::fprintf(stderr, "txsim: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

LiveValues simulatedLive(double t)
{
    LiveValues live;
    for (int n = 1; n <= 8; ++n)
        live.channel(n) = qRound(1000 + 500 * qSin(2 * M_PI * t / 4.0 + (n - 1) * M_PI / 4));
    live.txVoltage = qRound(790 + 50 * qSin(2 * M_PI * t / 60.0)); // 7.40..8.40 V
    live.rssiValue = qRound(55 + 8 * qSin(2 * M_PI * t / 7.0));    // about -45 dBm
    live.rxVoltage = qRound(50 + 1.5 * qSin(2 * M_PI * t / 11.0)); // about 5.0 V
    live.extVoltage = qRound(118 + 6 * qSin(2 * M_PI * t / 23.0)); // about 11.8 V
    return live;
}

Simulator::Simulator(const ParamSet &settings, const Options &options, QObject *parent)
    : QObject(parent), m_settings(settings), m_options(options)
{
    m_clock.start();
    m_pumpTimer.setSingleShot(true);
    connect(&m_pumpTimer, &QTimer::timeout, this, &Simulator::pump);
    m_staleTimer.setSingleShot(true);
    connect(&m_staleTimer, &QTimer::timeout, this, &Simulator::giveUpPending);
}

Simulator::~Simulator()
{
    delete m_notifier;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool Simulator::open(QString *error)
{
    if (!m_options.logPath.isEmpty()) {
        m_log.setFileName(m_options.logPath);
        if (!m_log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            *error = QStringLiteral("cannot write the log %1: %2").arg(m_options.logPath, m_log.errorString());
            return false;
        }
    }

    // Our own hold on the slave keeps the pty alive while no configurator has
    // it open, so the master never sees a hang-up between sessions.
    pty::Pair pair;
    if (!pty::open(&pair, error))
        return false;
    m_master = pair.master;
    m_slave = pair.slave;
    m_portName = pair.slavePath;

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &Simulator::readLink);
    if (m_log.isOpen()) {
        m_log.write(QStringLiteral("# txsim on %1: bytes received, one line per read\n").arg(m_portName).toUtf8());
        m_log.flush();
    }
    return true;
}

void Simulator::readLink()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            const QByteArray chunk(buf, int(n));
            logReceived(chunk);
            for (const LinkParser::Message &m : m_parser.feed(chunk))
                handle(m);
            if (m_parser.hasPending())
                m_staleTimer.start(staleMs);
            else
                m_staleTimer.stop();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO) {
            // Nobody has the slave open (cannot happen while we hold it, but
            // a hang-up must not spin the event loop): look again later.
            m_notifier->setEnabled(false);
            QTimer::singleShot(200, this, [this] { m_notifier->setEnabled(true); });
        }
        return; // EAGAIN: all read
    }
}

void Simulator::giveUpPending()
{
    for (const LinkParser::Message &m : m_parser.flush())
        handle(m);
}

void Simulator::handle(const LinkParser::Message &m)
{
    switch (m.kind) {
    case LinkParser::Kind::Open:
        // A new session: whatever an earlier one left unread is stale.
        ::tcflush(m_slave, TCIFLUSH);
        m_sections.clear();
        m_awaitingAck = false;
        if (!m_streaming) {
            m_streaming = true;
            if (m_options.rate > 0)
                say(QStringLiteral("configurator connected, sending live data (%1 packets/s)").arg(m_options.rate));
            else
                say(QStringLiteral("configurator connected (no live data)"));
        }
        pump();
        break;
    case LinkParser::Kind::Close:
        if (m_streaming)
            say(QStringLiteral("configurator disconnected, live data stopped"));
        m_streaming = false;
        m_sections.clear();
        m_pumpTimer.stop();
        break;
    case LinkParser::Kind::ReadRequest:
        say(QStringLiteral("read request, sending the stored settings"));
        queueSettings();
        pump();
        break;
    case LinkParser::Kind::Ack:
        m_awaitingAck = false;
        pump();
        break;
    case LinkParser::Kind::Frame:
        takeFrame(m.frame, m.bytes);
        break;
    case LinkParser::Kind::Junk: {
        QString shown = printable(m.bytes.left(40));
        if (m.bytes.size() > 40)
            shown += QStringLiteral("...");
        say(QStringLiteral("ignored %1 unexpected byte(s): \"%2\"").arg(m.bytes.size()).arg(shown));
        break;
    }
    }
}

void Simulator::takeFrame(int frame, const QByteArray &text)
{
    if (m_options.fault == Options::Fault::IgnoreWrites) {
        say(QStringLiteral("%1 frame ignored (--fault ignore-writes)").arg(QChar(QLatin1Char(frameLayout(frame).start))));
        return;
    }
    // --fault change-field: sub-trim CH4 keeps what it was.
    const int keptSubTrim4 = m_settings.subTrim[4];
    decodeFrameFields(QString::fromLatin1(text.constData(), text.size()), 0, frame, m_settings);
    if (m_options.fault == Options::Fault::ChangeField)
        m_settings.subTrim[4] = keptSubTrim4;
    say(QStringLiteral("%1 frame taken: %2").arg(QChar(QLatin1Char(frameLayout(frame).start)), describeFrame(m_settings, frame)));
}

void Simulator::queueSettings()
{
    m_sections.clear();
    for (int s = 1; s <= protocol::sectionCount; ++s)
        if (!m_options.leaveOut.contains(s))
            m_sections.append(encodeSettingsPacket(m_settings, s));
    m_sectionsSent = 0;
    m_sectionsUnacked = 0;
}

QByteArray Simulator::nextLivePacket()
{
    const LiveValues live = simulatedLive(m_clock.elapsed() / 1000.0);
    m_telemetryNext = !m_telemetryNext;
    if (!m_telemetryNext)
        return encodeTelemetryPacket(live, m_settings.stickTrim);
    return encodeChannelPacket(live);
}

// Sends the next packet when the link allows it, else arms the timer for
// the moment it may.
void Simulator::pump()
{
    m_pumpTimer.stop();
    const bool settings = !m_sections.isEmpty();
    const bool live = m_streaming && m_options.rate > 0;
    if (!settings && !live)
        return;

    const qint64 since = m_sinceSend.isValid() ? m_sinceSend.elapsed() : 1000000;
    const int gap = settings ? sectionGapMs : qMax(1, qRound(1000.0 / m_options.rate));
    qint64 wait = gap - since;
    if (m_awaitingAck)
        wait = qMax(wait, m_options.ackTimeoutMs - since);
    if (wait > 0) {
        m_pumpTimer.start(int(wait));
        return;
    }

    // The configurator keeps no bytes between reads: a packet written while
    // the last one is still unread would reach it joined to that one.
    if (unreadBySlave() > 0) {
        if (!m_heldFor.isValid())
            m_heldFor.start();
        if (!m_heldNoticed && m_heldFor.elapsed() >= heldNoticeMs) {
            m_heldNoticed = true;
            say(QStringLiteral("nobody is reading the port, holding data until it is read"));
        }
        m_pumpTimer.start(recheckMs);
        return;
    }
    if (m_heldNoticed)
        say(QStringLiteral("the port is being read again"));
    m_heldFor.invalidate();
    m_heldNoticed = false;

    const bool unacked = m_awaitingAck;
    const QByteArray packet = settings ? m_sections.takeFirst() : nextLivePacket();
    if (!writePacket(packet)) {
        if (settings)
            m_sections.prepend(packet);
        m_pumpTimer.start(recheckMs);
        return;
    }
    m_awaitingAck = true;
    m_sinceSend.restart();

    if (settings) {
        ++m_sectionsSent;
        if (unacked && m_sectionsSent > 1)
            ++m_sectionsUnacked;
        if (m_sections.isEmpty()) {
            if (m_sectionsUnacked > 0)
                say(QStringLiteral("settings sent (%1 sections, %2 not acknowledged)")
                        .arg(m_sectionsSent).arg(m_sectionsUnacked));
            else
                say(QStringLiteral("settings sent (%1 sections)").arg(m_sectionsSent));
        }
    }
    m_pumpTimer.start(qMin(gap, m_options.ackTimeoutMs));
}

bool Simulator::writePacket(const QByteArray &packet)
{
    int done = 0;
    while (done < packet.size()) {
        const ssize_t n = ::write(m_master, packet.constData() + done, size_t(packet.size() - done));
        if (n > 0) {
            done += int(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            if (done == 0)
                return false; // nothing went: try the whole packet later
            // Half a packet is out: finish it, or the configurator gets junk.
            pollfd p{m_master, POLLOUT, 0};
            if (::poll(&p, 1, 100) > 0)
                continue;
        }
        say(QStringLiteral("could not write to the port: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return done > 0;
    }
    return true;
}

int Simulator::unreadBySlave() const
{
    pty::Pair pair;
    pair.slave = m_slave;
    return pty::unreadBySlave(pair);
}

void Simulator::logReceived(const QByteArray &chunk)
{
    if (!m_log.isOpen())
        return;
    const QString line = QStringLiteral("%1 %2 %3  \"%4\"  %5\n")
                             .arg(QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")))
                             .arg(m_clock.elapsed() / 1000.0, 9, 'f', 3)
                             .arg(chunk.size(), 3)
                             .arg(printable(chunk), QString::fromLatin1(chunk.toHex(' ').toUpper()));
    m_log.write(line.toUtf8());
    m_log.flush();
}
