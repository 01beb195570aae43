// The receiver that puts Device packets back together: every packet kind cut
// at every position, joined in pairs and triples, behind and between junk,
// each checked against what the same packet decodes to as one whole chunk.

#include <QtTest>

#include "coretest.h"
#include "packets.h"
#include "packetstream.h"
#include "paramset.h"
#include "qtwarnings.h"

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

// What the transmitter holds in these tests: far from the start values, so a
// section decoded into the wrong fields shows.
ParamSet deviceSet()
{
    ParamSet p;
    for (int n = 1; n <= 8; ++n) {
        p.reverse[n] = n % 2;
        p.subTrim[n] = 10 * n - 45;
        p.epaLeft[n] = 60 + n;
        p.epaRight[n] = 70 + n;
        p.failSafe[n] = 20 + n;
        p.servoDelay[n] = 90 - n;
    }
    for (int n = 5; n <= 8; ++n)
        p.auxSource[n] = 9 - n; // 4 3 2 1
    for (int k = 1; k <= 7; ++k)
        p.thrCurve[k] = 11 * k;
    p.rssiAlarm = -80;
    p.stickMode = 3;
    return p;
}

// A quiet spell long enough for the stream to give up waiting.
const QByteArray quiet;

struct Outcome {
    ParamSet set;
    LiveValues live;
    QList<QByteArray> packets;
};

// Delivers the chunks as reads of the port (an empty one: time passes), then
// lets the stream's waits run out, decoding every packet it hands on.
Outcome deliver(const QList<QByteArray> &chunks)
{
    PacketStream stream;
    Outcome o;
    auto take = [&o](const PacketStream::Packets &packets) {
        for (const PacketStream::Packet &p : packets) {
            o.packets << p.bytes;
            decodePacket(p.bytes, o.set, o.live);
        }
    };
    auto wait = [&] {
        if (stream.undecided())
            take(stream.settle());
        take(stream.expire());
    };
    for (const QByteArray &chunk : chunks) {
        if (chunk.isEmpty())
            wait();
        else
            take(stream.feed(chunk));
        if (stream.held() > 22)
            o.packets << "<holds more than a packet and two bytes>";
    }
    wait();
    return o;
}

bool sameLive(const LiveValues &a, const LiveValues &b)
{
    for (int n = 1; n <= 8; ++n)
        if (const_cast<LiveValues &>(a).channel(n) != const_cast<LiveValues &>(b).channel(n))
            return false;
    return a.txVoltage == b.txVoltage && a.rssiValue == b.rssiValue && a.rxVoltage == b.rxVoltage
        && a.extVoltage == b.extVoltage && a.ReadFlag == b.ReadFlag;
}

// What the packets decode to, each as one whole chunk.
Outcome wholeResult(const QList<QByteArray> &packets)
{
    Outcome o;
    for (const QByteArray &p : packets) {
        o.packets << p;
        decodePacket(p, o.set, o.live);
    }
    return o;
}

QString describe(const QList<QByteArray> &chunks)
{
    QStringList parts;
    for (const QByteArray &c : chunks)
        parts << QString::fromLatin1(c.toHex(' '));
    return parts.join(QStringLiteral(" | "));
}

#define COMPARE_OUTCOME(got, want, chunks)                                                       \
    do {                                                                                         \
        const Outcome &g_ = (got);                                                               \
        const Outcome &w_ = (want);                                                              \
        if (g_.packets != w_.packets || g_.set != w_.set || !sameLive(g_.live, w_.live))         \
            QFAIL(qPrintable(QStringLiteral("delivered as %1: %2 packets, %3 wanted")            \
                                 .arg(describe(chunks)).arg(g_.packets.size())                   \
                                 .arg(w_.packets.size())));                                      \
    } while (false)

// Junk as a line picks it up: bytes that start nothing, and bytes that look
// like the start of a packet but are not.
const QList<QByteArray> junks = {QByteArray("\x00", 1), QByteArray("\xFE", 1), QByteArray("\xAA\x18", 2),
                                 QByteArray("\xFE\x19", 2), QByteArray("\x42\x00\x13\x99", 4)};

} // namespace

class PacketStreamTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }

    void everyKind_data();
    void everyKind();
    void weakMarkersSettled_data();
    void weakMarkersSettled();
    void holdsLessThanAPacket();
};

void PacketStreamTest::everyKind_data()
{
    QTest::addColumn<QByteArray>("packet");

    const ParamSet p = deviceSet();
    LiveValues live;
    for (int n = 1; n <= 8; ++n)
        live.channel(n) = 1000 + 60 * n - 250;
    live.txVoltage = 812;
    live.rssiValue = 57;
    live.rxVoltage = 51;
    live.extVoltage = 118;
    const int trims[5] = {0, 100, 130, 120, 141};

    QTest::newRow("channel") << encodeChannelPacket(live);
    QTest::newRow("telemetry") << encodeTelemetryPacket(live, trims);
    for (int section = 1; section <= 19; ++section)
        QTest::addRow("section %d", section) << encodeSettingsPacket(p, section);
    // The 8-byte packet as the description of the device has it: only byte 2 marks it.
    QTest::newRow("section 7, head 00 00") << QByteArray::fromHex("0000AA0403020100");
    QTest::newRow("section 7, head 33 44 AA") << QByteArray::fromHex("3344AA0403020155");
}

// One case per kind: cut at every position, joined to every other kind in
// pairs and triples (also cut at every position), behind and between junk.
void PacketStreamTest::everyKind()
{
    QFETCH(QByteArray, packet);
    apptest::MessageLog quietLog(false);

    QList<QByteArray> others;
    const ParamSet p = deviceSet();
    LiveValues live;
    live.channelValue2 = 1400;
    const int trims[5] = {0, 120, 120, 120, 120};
    others << encodeChannelPacket(live) << encodeTelemetryPacket(live, trims) << encodeSettingsPacket(p, 2)
           << encodeSettingsPacket(p, 7) << encodeSettingsPacket(p, 17) << encodeSettingsPacket(p, 19);

    // Whole, and cut at every position.
    COMPARE_OUTCOME(deliver({packet}), wholeResult({packet}), QList<QByteArray>{packet});
    for (int cut = 1; cut < packet.size(); ++cut) {
        const QList<QByteArray> chunks{packet.left(cut), packet.mid(cut)};
        COMPARE_OUTCOME(deliver(chunks), wholeResult({packet}), chunks);
    }
    // Cut in three, one byte at a time.
    QList<QByteArray> bytes;
    for (char c : packet)
        bytes << QByteArray(1, c);
    COMPARE_OUTCOME(deliver(bytes), wholeResult({packet}), bytes);

    // Joined with every other kind, before and after it, and in threes; each
    // join also cut at every position.
    for (const QByteArray &other : others) {
        for (const QList<QByteArray> &run : {QList<QByteArray>{packet, other}, QList<QByteArray>{other, packet},
                                             QList<QByteArray>{packet, other, packet},
                                             QList<QByteArray>{other, packet, other}}) {
            const QByteArray joined = run.join();
            COMPARE_OUTCOME(deliver({joined}), wholeResult(run), QList<QByteArray>{joined});
            for (int cut = 1; cut < joined.size(); ++cut) {
                const QList<QByteArray> chunks{joined.left(cut), joined.mid(cut)};
                COMPARE_OUTCOME(deliver(chunks), wholeResult(run), chunks);
            }
        }
    }

    // Junk before it, between it and the next packet, in the same read or
    // its own; and a quiet spell between.
    for (const QByteArray &junk : junks) {
        const struct {
            QList<QByteArray> chunks;
            QList<QByteArray> packets;
        } cases[] = {
            {{junk + packet}, {packet}},
            {{junk, packet}, {packet}},
            {{junk, quiet, packet}, {packet}},
            {{junk + packet + junk + others[2]}, {packet, others[2]}},
            {{packet, junk, others[0]}, {packet, others[0]}},
            {{packet + junk, quiet, others[3]}, {packet, others[3]}},
        };
        for (const auto &c : cases)
            COMPARE_OUTCOME(deliver(c.chunks), wholeResult(c.packets), c.chunks);
    }
}

void PacketStreamTest::weakMarkersSettled_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("packets");

    // Section 17 cut after its eighth byte looks like the 8-byte packet.
    const QByteArray s17 = QByteArray::fromHex("FE11AA212B353F49000000FE");
    QTest::newRow("section 17, 8 + 4") << QList<QByteArray>{s17.left(8), s17.mid(8)} << QList<QByteArray>{s17};
    // A telemetry packet whose byte 11 is FE, cut after 12 bytes, looks like
    // a settings packet (section 1 by its byte 2).
    const QByteArray telemetry = QByteArray::fromHex("FE1944320076111122227BFE7878000000000000");
    QTest::newRow("telemetry, 12 + 8") << QList<QByteArray>{telemetry.left(12), telemetry.mid(12)}
                                       << QList<QByteArray>{telemetry};
    // The 8-byte packet as the simulator sends it (FE 00 AA ...), then the
    // next section, and alone followed by quiet.
    const QByteArray s7 = QByteArray::fromHex("FE00AA04030201FE");
    const QByteArray s8 = encodeSettingsPacket(deviceSet(), 8);
    QTest::newRow("section 7 then 8") << QList<QByteArray>{s7, s8} << QList<QByteArray>{s7, s8};
    QTest::newRow("section 7 alone") << QList<QByteArray>{s7} << QList<QByteArray>{s7};
    QTest::newRow("section 7, quiet, 8") << QList<QByteArray>{s7, quiet, s8} << QList<QByteArray>{s7, s8};
    // A 12-byte settings packet whose byte 1 reads like a live packet's.
    const QByteArray odd = QByteArray::fromHex("FE18550000000000000000FE");
    QTest::newRow("settings with byte 1 = 18, alone") << QList<QByteArray>{odd} << QList<QByteArray>{odd};
}

// The cases the weak markers make hard, with the packets they must give.
void PacketStreamTest::weakMarkersSettled()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, packets);
    apptest::MessageLog quietLog(false);
    COMPARE_OUTCOME(deliver(chunks), wholeResult(packets), chunks);
}

// Junk of any length never piles up: the stream keeps less than a packet.
void PacketStreamTest::holdsLessThanAPacket()
{
    PacketStream stream;
    QByteArray junk;
    // FE every seventh byte: never FE eleven bytes on, never AA two on.
    for (int i = 0; i < 4096; ++i)
        junk.append(char(i % 7 == 0 ? 0xFE : 0x42));
    QVERIFY(stream.feed(junk).isEmpty());
    QVERIFY(stream.held() < 20);
    QCOMPARE(stream.feed(QByteArray::fromHex("FE")).size(), 0);
    QVERIFY(stream.held() < 20);
    stream.expire();
    QCOMPARE(stream.held(), 0);
    QCOMPARE(stream.junk(), qint64(junk.size() + 1));
}

QTEST_GUILESS_MAIN(PacketStreamTest)
#include "tst_packetstream.moc"
