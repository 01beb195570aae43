// The receiver that puts Device packets back together: every packet kind cut
// at every position, joined in pairs and triples, with gaps up to the quiet
// time between the pieces, behind and between junk, each checked against
// what the same packets decode to as whole chunks; and streams of random
// packets from the transmitter's own encoders, cut and delayed at random.
// The stream is pure (bytes and their time in), so no test here waits.

#include <QRandomGenerator>
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

// A quiet spell: no bytes for the stream's whole quiet time.
const QByteArray quiet;

// The gaps between pieces that must change nothing: none, an adapter's usual
// latency timers, FTDI's longest, and just below the quiet time.
const int gaps[] = {0, 16, 30, 100, 255, PacketStream::quietMs - 1};

struct Outcome {
    ParamSet set;
    LiveValues live;
    QList<QByteArray> packets;
};

// Delivers the chunks as reads of the port gapMs apart (an empty one: the
// quiet time passes), calling idle() whenever the stream's deadline comes as
// a timer would, then lets the quiet time pass; decodes every packet handed on.
Outcome deliver(const QList<QByteArray> &chunks, int gapMs = 0)
{
    PacketStream stream;
    Outcome o;
    qint64 now = 0;
    auto take = [&o](const PacketStream::Packets &packets) {
        for (const PacketStream::Packet &p : packets) {
            o.packets << p.bytes;
            decodePacket(p.bytes, o.set, o.live);
        }
    };
    auto until = [&](qint64 t) {
        while (stream.deadline() >= 0 && stream.deadline() <= t) {
            now = stream.deadline();
            take(stream.idle(now));
        }
        now = t;
    };
    bool first = true;
    for (const QByteArray &chunk : chunks) {
        if (chunk.isEmpty()) {
            until(now + PacketStream::quietMs);
            continue;
        }
        if (!first)
            until(now + gapMs);
        first = false;
        take(stream.feed(chunk, now));
        if (stream.held() >= PacketStream::holdLimit)
            o.packets << "<holds too much>";
    }
    until(now + PacketStream::quietMs);
    if (stream.held() != 0)
        o.packets << "<still holds bytes after the quiet time>";
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
        parts << (c.isEmpty() ? QStringLiteral("(quiet)") : QString::fromLatin1(c.toHex(' ')));
    return parts.join(QStringLiteral(" | "));
}

#define COMPARE_OUTCOME(got, want, chunks, gap)                                                   \
    do {                                                                                         \
        const Outcome &g_ = (got);                                                               \
        const Outcome &w_ = (want);                                                              \
        if (g_.packets != w_.packets || g_.set != w_.set || !sameLive(g_.live, w_.live))         \
            QFAIL(qPrintable(QStringLiteral("delivered as %1, %2 ms apart: got %3, wanted %4")   \
                                 .arg(describe(chunks)).arg(gap)                                 \
                                 .arg(describe(g_.packets), describe(w_.packets))));             \
    } while (false)

// Junk as a line picks it up: bytes that start nothing, and bytes that look
// like the start of a packet but are not.
const QList<QByteArray> junks = {QByteArray("\x00", 1), QByteArray("\xFE", 1), QByteArray("\xAA\x18", 2),
                                 QByteArray("\xFE\x19", 2), QByteArray("\x42\x00\x13\x99", 4)};

// The packets of the fuzzing that found the receiver's last misreadings:
// section 7 (aux sources 1, 3, 0, 2) and a channel packet whose CH1 is 1022
// (03 FE), and section 17 with throttle points 33..77.
QByteArray fuzzSection7()
{
    ParamSet p;
    p.auxSource[5] = 1;
    p.auxSource[6] = 3;
    p.auxSource[7] = 0;
    p.auxSource[8] = 2;
    return encodeSettingsPacket(p, 7);
}

QByteArray fuzzChannel()
{
    LiveValues live;
    live.channelValue1 = 1022;
    live.txVoltage = 790;
    return encodeChannelPacket(live);
}

QByteArray fuzzSection17()
{
    ParamSet p;
    for (int k = 3; k <= 7; ++k)
        p.thrCurve[k] = 11 * k;
    return encodeSettingsPacket(p, 17);
}

// Every kind the transmitter sends, as its encoders build them.
QList<QByteArray> everyPacket()
{
    const ParamSet p = deviceSet();
    LiveValues live;
    for (int n = 1; n <= 8; ++n)
        live.channel(n) = 1000 + 60 * n - 250;
    live.txVoltage = 812;
    live.rssiValue = 57;
    live.rxVoltage = 51;
    live.extVoltage = 118;
    const int trims[5] = {0, 100, 130, 120, 141};
    QList<QByteArray> all{encodeChannelPacket(live), encodeTelemetryPacket(live, trims)};
    for (int section = 1; section <= 19; ++section)
        all << encodeSettingsPacket(p, section);
    all << fuzzSection7() << fuzzChannel() << fuzzSection17();
    return all;
}

// A value for every byte a packet carries, anywhere in what its encoder can
// write.
int anyByte(QRandomGenerator &random)
{
    return int(random.bounded(256));
}

QByteArray randomPacket(QRandomGenerator &random)
{
    const int kind = int(random.bounded(21)); // 0 channel, 1 telemetry, 2..20 sections 1..19
    LiveValues live;
    if (kind <= 1) {
        for (int n = 1; n <= 8; ++n)
            live.channel(n) = int(random.bounded(65536));
        live.txVoltage = int(random.bounded(65536));
        live.rssiValue = anyByte(random);
        live.rxVoltage = anyByte(random);
        live.extVoltage = int(random.bounded(65536));
        live.telemetryExtra1 = int(random.bounded(65536));
        live.telemetryExtra2 = int(random.bounded(65536));
        int trims[5] = {0, anyByte(random), anyByte(random), anyByte(random), anyByte(random)};
        return kind == 0 ? encodeChannelPacket(live) : encodeTelemetryPacket(live, trims);
    }
    const int section = kind - 1;
    ParamSet p;
    if (section == 7) {
        for (int n = 5; n <= 8; ++n)
            p.auxSource[n] = anyByte(random);
        return encodeSettingsPacket(p, section);
    }
    // Every byte of the section anywhere in 0..255, less the bias its
    // encoder adds.
    for (int k = 0; k < settingsSectionCount; ++k) {
        if (settingsSections[k].number != section)
            continue;
        for (const SectionByte &b : settingsSections[k].bytes)
            if (b.used)
                fieldRef(p, b.field, b.index) = b.wide ? int(random.bounded(65536)) : anyByte(random) - b.bias;
    }
    return encodeSettingsPacket(p, section);
}

} // namespace

class PacketStreamTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }

    void everyKind_data();
    void everyKind();
    void headsThatCouldBeEither_data();
    void headsThatCouldBeEither();
    void nothingAppliedBeforeTheQuietTime();
    void quietTimeSettlesTheHead();
    void randomStreamsFromTheEncoders();
    void wholeChunks();
    void holdsLessThanAPacket();
};

void PacketStreamTest::everyKind_data()
{
    QTest::addColumn<QByteArray>("packet");

    const QList<QByteArray> all = everyPacket();
    QTest::newRow("channel") << all.at(0);
    QTest::newRow("telemetry") << all.at(1);
    for (int section = 1; section <= 19; ++section)
        QTest::addRow("section %d", section) << all.at(1 + section);
    QTest::newRow("fuzz: section 7, aux 1 3 0 2") << fuzzSection7();
    QTest::newRow("fuzz: channel, CH1 03 FE") << fuzzChannel();
    QTest::newRow("fuzz: section 17, 33..77") << fuzzSection17();
    // The 8-byte packet as the description of the device has it: only byte 2 marks it.
    QTest::newRow("section 7, head 00 00") << QByteArray::fromHex("0000AA0403020100");
    QTest::newRow("section 7, head 33 44 AA") << QByteArray::fromHex("3344AA0403020155");
}

// One case per kind: cut at every position with every gap below the quiet
// time, joined to every other kind in pairs and triples (also cut at every
// position, with and without the longest gap), behind and between junk.
void PacketStreamTest::everyKind()
{
    QFETCH(QByteArray, packet);
    apptest::MessageLog quietLog(false);

    const QList<QByteArray> others = everyPacket();

    // Whole, and cut at every position.
    COMPARE_OUTCOME(deliver({packet}), wholeResult({packet}), QList<QByteArray>{packet}, 0);
    for (int gap : gaps) {
        for (int cut = 1; cut < packet.size(); ++cut) {
            const QList<QByteArray> chunks{packet.left(cut), packet.mid(cut)};
            COMPARE_OUTCOME(deliver(chunks, gap), wholeResult({packet}), chunks, gap);
        }
        // One byte at a time.
        QList<QByteArray> bytes;
        for (char c : packet)
            bytes << QByteArray(1, c);
        COMPARE_OUTCOME(deliver(bytes, gap), wholeResult({packet}), bytes, gap);
    }

    // Joined with every other kind, before and after it, and in threes; each
    // join also cut at every position.
    for (const QByteArray &other : others) {
        for (const QList<QByteArray> &run : {QList<QByteArray>{packet, other}, QList<QByteArray>{other, packet},
                                             QList<QByteArray>{packet, other, packet},
                                             QList<QByteArray>{other, packet, other}}) {
            const QByteArray joined = run.join();
            COMPARE_OUTCOME(deliver({joined}), wholeResult(run), QList<QByteArray>{joined}, 0);
            for (int gap : {0, PacketStream::quietMs - 1}) {
                for (int cut = 1; cut < joined.size(); ++cut) {
                    const QList<QByteArray> chunks{joined.left(cut), joined.mid(cut)};
                    COMPARE_OUTCOME(deliver(chunks, gap), wholeResult(run), chunks, gap);
                }
            }
            // Each packet a read of its own, the longest gap between.
            COMPARE_OUTCOME(deliver(run, PacketStream::quietMs - 1), wholeResult(run), run, PacketStream::quietMs - 1);
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
            {{junk + packet + junk + others[3]}, {packet, others[3]}},
            {{packet, junk, others[0]}, {packet, others[0]}},
            {{packet + junk, quiet, others[8]}, {packet, others[8]}},
        };
        for (const auto &c : cases)
            COMPARE_OUTCOME(deliver(c.chunks), wholeResult(c.packets), c.chunks, 0);
    }
}

void PacketStreamTest::headsThatCouldBeEither_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("packets");

    // Section 7 and the head of a channel packet in one read look like a
    // whole section 17 (FE .. AA .. FE): the end of a read is no boundary.
    const QByteArray s7 = fuzzSection7();
    const QByteArray channel = fuzzChannel();
    QCOMPARE((s7 + channel).left(12).toHex(' ').toUpper(), QByteArray("FE 00 AA 01 03 00 02 FE FE 18 03 FE"));
    QTest::newRow("fuzz: section 7 + channel, 12 + 16")
        << QList<QByteArray>{(s7 + channel).left(12), (s7 + channel).mid(12)} << QList<QByteArray>{s7, channel};
    // Section 17 cut after its eighth byte looks like the 8-byte packet.
    const QByteArray s17 = fuzzSection17();
    QCOMPARE(s17.left(8).toHex(' ').toUpper(), QByteArray("FE 11 AA 21 2C 37 42 4D"));
    QTest::newRow("fuzz: section 17, 8 + 4") << QList<QByteArray>{s17.left(8), s17.mid(8)} << QList<QByteArray>{s17};
    // A telemetry packet whose byte 11 is FE, cut after 12 bytes, looks like
    // a settings packet (section 1 by its byte 2).
    const QByteArray telemetry = QByteArray::fromHex("FE1944320076111122227BFE7878000000000000");
    QTest::newRow("telemetry, 12 + 8") << QList<QByteArray>{telemetry.left(12), telemetry.mid(12)}
                                       << QList<QByteArray>{telemetry};
    // The 8-byte packet as the simulator sends it (FE 00 AA ...), then the
    // next section, and alone followed by quiet.
    const QByteArray s8 = encodeSettingsPacket(deviceSet(), 8);
    QTest::newRow("section 7 then 8") << QList<QByteArray>{s7, s8} << QList<QByteArray>{s7, s8};
    QTest::newRow("section 7 alone") << QList<QByteArray>{s7} << QList<QByteArray>{s7};
    QTest::newRow("section 7, quiet, 8") << QList<QByteArray>{s7, quiet, s8} << QList<QByteArray>{s7, s8};
    // A 12-byte settings packet whose byte 1 reads like a live packet's.
    const QByteArray odd = QByteArray::fromHex("FE18550000000000000000FE");
    QTest::newRow("settings with byte 1 = 18, alone") << QList<QByteArray>{odd} << QList<QByteArray>{odd};
}

// The cases the weak markers make hard, with the packets they must give,
// with every gap below the quiet time between the reads.
void PacketStreamTest::headsThatCouldBeEither()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, packets);
    apptest::MessageLog quietLog(false);
    for (int gap : gaps)
        COMPARE_OUTCOME(deliver(chunks, gap), wholeResult(packets), chunks, gap);
}

// A head that could be either is not applied as the shorter one while its
// quiet time runs: idle() before the deadline hands on nothing.
void PacketStreamTest::nothingAppliedBeforeTheQuietTime()
{
    const QByteArray s17 = fuzzSection17();
    PacketStream stream;
    QVERIFY(stream.feed(s17.left(8), 1000).isEmpty());
    QCOMPARE(stream.deadline(), qint64(1000 + PacketStream::quietMs));
    for (int t : {1, 30, 100, 255, PacketStream::quietMs - 1})
        QVERIFY2(stream.idle(1000 + t).isEmpty(), qPrintable(QStringLiteral("after %1 ms").arg(t)));
    const PacketStream::Packets rest = stream.feed(s17.mid(8), 1000 + PacketStream::quietMs - 1);
    QCOMPARE(rest.size(), 1);
    QCOMPARE(rest.first().kind, PacketKind::Settings);
    QCOMPARE(rest.first().bytes, s17);
    QCOMPARE(stream.held(), 0);
    QCOMPARE(stream.deadline(), qint64(-1));

    // Section 7 and the head of a channel packet: nothing until the rest.
    const QByteArray joined = fuzzSection7() + fuzzChannel();
    QVERIFY(stream.feed(joined.left(12), 5000).isEmpty());
    QVERIFY(stream.idle(5000 + PacketStream::quietMs - 1).isEmpty());
    const PacketStream::Packets both = stream.feed(joined.mid(12), 5000 + PacketStream::quietMs - 1);
    QCOMPARE(both.size(), 2);
    QCOMPARE(both.at(0).kind, PacketKind::ShortSettings);
    QCOMPARE(both.at(1).kind, PacketKind::Channel);
    QCOMPARE(stream.junk(), qint64(0));
}

// Once the quiet time has passed the head is taken as what it already is,
// with idle() or with the next bytes if the owner did not come by.
void PacketStreamTest::quietTimeSettlesTheHead()
{
    const QByteArray s17 = fuzzSection17();
    {
        PacketStream stream;
        QVERIFY(stream.feed(s17.left(8), 0).isEmpty());
        const PacketStream::Packets settled = stream.idle(PacketStream::quietMs);
        QCOMPARE(settled.size(), 1);
        QCOMPARE(settled.first().kind, PacketKind::ShortSettings);
        QCOMPARE(stream.held(), 0);
    }
    {
        PacketStream stream;
        QVERIFY(stream.feed(s17.left(8), 0).isEmpty());
        const PacketStream::Packets late = stream.feed(fuzzChannel(), PacketStream::quietMs + 5);
        QCOMPARE(late.size(), 2);
        QCOMPARE(late.at(0).kind, PacketKind::ShortSettings);
        QCOMPARE(late.at(1).kind, PacketKind::Channel);
    }
    {
        // A whole 12-byte FE .. FE that nothing followed is the settings packet.
        PacketStream stream;
        const QByteArray head = (fuzzSection7() + fuzzChannel()).left(12);
        QVERIFY(stream.feed(head, 0).isEmpty());
        const PacketStream::Packets settled = stream.idle(PacketStream::quietMs);
        QCOMPARE(settled.size(), 1);
        QCOMPARE(settled.first().kind, PacketKind::Settings);
    }
}

// Streams of packets as the transmitter's encoders build them, every value
// anywhere in its byte, cut into reads of any size with any gaps below the
// quiet time: always the packets sent, nothing misread.
void PacketStreamTest::randomStreamsFromTheEncoders()
{
    apptest::MessageLog quietLog(false);
    QRandomGenerator random(20);
    for (int round = 0; round < 4000; ++round) {
        QList<QByteArray> packets;
        const int count = 1 + int(random.bounded(8));
        for (int k = 0; k < count; ++k)
            packets << randomPacket(random);
        const QByteArray all = packets.join();
        QList<QByteArray> chunks;
        for (int at = 0; at < all.size();) {
            const int n = 1 + int(random.bounded(qMin(40, all.size() - at)));
            chunks << all.mid(at, n);
            at += n;
        }
        const int gap = int(random.bounded(PacketStream::quietMs));
        COMPARE_OUTCOME(deliver({all}), wholeResult(packets), QList<QByteArray>{all}, 0);
        COMPARE_OUTCOME(deliver(chunks, gap), wholeResult(packets), chunks, gap);
    }
}

// A read that is one packet and could be nothing else goes on as it is; one
// whose end may be the start of more is no whole packet.
void PacketStreamTest::wholeChunks()
{
    const QList<QByteArray> all = everyPacket();
    QCOMPARE(PacketStream::wholeKind(all.at(0)), PacketKind::Channel);
    QCOMPARE(PacketStream::wholeKind(all.at(1)), PacketKind::Telemetry);
    QCOMPARE(PacketStream::wholeKind(all.at(2)), PacketKind::Settings);
    QCOMPARE(PacketStream::wholeKind(all.at(1 + 17)), PacketKind::Settings);
    QCOMPARE(PacketStream::wholeKind(QByteArray::fromHex("0000AA0403020100")), PacketKind::ShortSettings);
    // FE 00 AA .. FE may be followed by more of a settings packet.
    QCOMPARE(PacketStream::wholeKind(fuzzSection7()), PacketKind::Unrecognised);
    QCOMPARE(PacketStream::wholeKind((fuzzSection7() + fuzzChannel()).left(12)), PacketKind::Unrecognised);
    QCOMPARE(PacketStream::wholeKind(all.at(0).left(19)), PacketKind::Unrecognised);
}

// Junk of any length never piles up: the stream keeps less than a packet.
void PacketStreamTest::holdsLessThanAPacket()
{
    PacketStream stream;
    QByteArray junk;
    // FE every seventh byte: never FE eleven bytes on, never AA two on.
    for (int i = 0; i < 4096; ++i)
        junk.append(char(i % 7 == 0 ? 0xFE : 0x42));
    QVERIFY(stream.feed(junk, 0).isEmpty());
    QVERIFY(stream.held() < 20);
    QCOMPARE(stream.feed(QByteArray::fromHex("FE"), 1).size(), 0);
    QVERIFY(stream.held() < 20);
    stream.idle(1 + PacketStream::quietMs);
    QCOMPARE(stream.held(), 0);
    QCOMPARE(stream.junk(), qint64(junk.size() + 1));
}

QTEST_GUILESS_MAIN(PacketStreamTest)
#include "tst_packetstream.moc"
