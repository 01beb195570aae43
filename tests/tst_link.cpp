// The link object on a real serial port, a pseudo-terminal with the test as
// the transmitter, no window: Device packets in and their acknowledgements,
// the commands byte for byte with packets arriving between frames, one
// command at a time, and commands stopped by a close or a lost device.

#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "backups.h"
#include "coretest.h"
#include "filetest.h"
#include "fixtures.h"
#include "frames.h"
#include "link.h"
#include "linkport.h"
#include "linktest.h"
#include "paramfile.h"
#include "paramset.h"
#include "ptypeer.h"
#include "qtwarnings.h"

using namespace fixtures;

namespace {

// A link on a serial port opened on a pseudo-terminal.
struct Rig {
    PtyPeer peer;
    QSerialPort port;
    Link link{&port};

    Rig()
    {
        QObject::connect(&port, &QSerialPort::readyRead, &link, &Link::receive);
        link.setPacing(linktest::fastPacing());
    }

    bool open()
    {
        port.setPortName(peer.slavePath());
        if (!peer.isOpen() || !port.open(QIODevice::ReadWrite))
            return false;
        link.opened();
        const bool ok = peer.waitFor(2, 2000) && peer.readAll(20) == "OK";
        peer.clear();
        return ok;
    }

    // One chunk in, its acknowledgement out.
    bool exchange(const QByteArray &chunk)
    {
        peer.readAll();
        if (!peer.write(chunk) || !peer.waitFor(3, 2000))
            return false;
        return peer.readAll() == "WWW";
    }

    // Runs a command to its end; returns what the transmitter got.
    QByteArray run(bool (Link::*command)())
    {
        if (!(link.*command)() || !linktest::waitIdle(link))
            return "<did not run>";
        peer.spin(20);
        return peer.received();
    }
};

bool (Link::*const commands[])() = {&Link::read, &Link::write, &Link::factoryReset, &Link::secondReset};

} // namespace

class LinkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // receive path
    void oneAckPerChunk_data();
    void oneAckPerChunk();
    void splitAndJoinedPacketsDecoded();
    void droppedChunksDecodeNothing();
    void headsThatCouldBeEither_data();
    void headsThatCouldBeEither();
    void telemetryTrims_data();
    void telemetryTrims();
    void settingsStoredAndRepaired();
    void refreshAfterRepair_data();
    void refreshAfterRepair();
    void readFlagLogged_data();
    void readFlagLogged();

    // commands
    void commandsNeedOpenPort_data();
    void commandsNeedOpenPort();
    void readSendsRR();
    void writeSendsInitialFrames();
    void writeFollowsPacketsBetweenFrames();
    void factoryResetKeepsTrimsBlocked();
    void secondResetPutsTrimsBack();
    void oneCommandAtATime();
    void stoppedCommandWritesNothingMore_data();
    void stoppedCommandWritesNothingMore();
    void fileCommandsWithoutPort_data();
    void fileCommandsWithoutPort();
    void backupsKeepTheNewest();
    void trimsKnownOnlyWhenReceived();
    void backupWithoutTrimsLeavesThemOut();
    void hangUpDuringReadReportsIt();

    // verify after write
    void verifyReadsBack_data();
    void verifyReadsBack();
    void verifyOffSendsNoRR();
    void verifyHoldsToPromise();
    void noPortEndsCommand();
    void readOfCutAndJoinedPacketsIsWhole_data();
    void readOfCutAndJoinedPacketsIsWhole();
};

void LinkTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
}

void LinkTest::init()
{
    apptest::resetProcessState();
}

// ----------------------------------------------------------------- receive path

void LinkTest::oneAckPerChunk_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("packets");

    const QVector<int> centre(8, 1000);
    const QByteArray channel = channelPacket(centre, 740);
    const QByteArray settings = settingsPacket(0x55, {0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78});

    QTest::newRow("channel") << QList<QByteArray>{channel} << 1;
    QTest::newRow("telemetry") << QList<QByteArray>{telemetryPacket(40, 74, 123, {120, 120, 120, 120})} << 1;
    QTest::newRow("settings") << QList<QByteArray>{settings} << 1;
    QTest::newRow("short settings") << QList<QByteArray>{shortSettingsPacket(1, 3, 0, 2)} << 1;
    QTest::newRow("unknown section") << QList<QByteArray>{settingsPacket(0x18, QVector<int>(8, 0))} << 1;
    QTest::newRow("one junk byte") << QList<QByteArray>{QByteArray("\x42", 1)} << 0;
    QTest::newRow("wrong marker") << QList<QByteArray>{QByteArray(20, '\x18')} << 0;
    QTest::newRow("split packet") << QList<QByteArray>{channel.left(10), channel.mid(10)} << 1;
    QTest::newRow("two packets joined") << QList<QByteArray>{settings + settings} << 2;
    QTest::newRow("a run of five") << QList<QByteArray>{channel, settings, channel, channel, settings} << 5;
}

// The wire is as before: one "WWW" for every chunk, however many packets it
// held or completed.
void LinkTest::oneAckPerChunk()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, packets);

    Rig rig;
    QVERIFY(rig.open());
    QSignalSpy taken(&rig.link, &Link::packetReceived);
    for (const QByteArray &chunk : chunks)
        QVERIFY(rig.exchange(chunk));
    rig.peer.spin(50);
    QCOMPARE(rig.peer.received(), QByteArray("WWW").repeated(chunks.size()));
    QCOMPARE(taken.count(), packets);
}

void LinkTest::splitAndJoinedPacketsDecoded()
{
    Rig rig;
    QVERIFY(rig.open());

    const QVector<int> moved{1, 2, 3, 4, 5, 6, 7, 8};
    const QByteArray channel = channelPacket(moved, 1234);
    const QByteArray subTrims = settingsPacket(0x55, {0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C});
    const QByteArray epaLeft = settingsPacket(0x66, {90, 90, 90, 90, 90, 90, 90, 91});

    // Split across two reads, and two settings packets in one read.
    QVERIFY(rig.exchange(channel.left(10)));
    QVERIFY(rig.exchange(channel.mid(10)));
    QVERIFY(rig.exchange(subTrims + epaLeft));
    QCOMPARE(liveValues.channelValue1, 1);
    QCOMPARE(liveValues.channelValue8, 8);
    QCOMPARE(liveValues.txVoltage, 1234);
    QCOMPARE(paramSet.subTrim[1], 20);
    QCOMPARE(paramSet.epaLeft[8], 91);
    QCOMPARE(rig.link.knownSections(), (QList<int>{2, 3}));
}

void LinkTest::droppedChunksDecodeNothing()
{
    Rig rig;
    QVERIFY(rig.open());

    const QByteArray subTrims = settingsPacket(0x55, {0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C});
    QByteArray badEnd = subTrims;
    badEnd[11] = char(0xFD);
    QByteArray badStart = subTrims;
    badStart[0] = char(0x00);
    QByteArray badType = channelPacket(QVector<int>(8, 1500), 900);
    badType[1] = char(0x17);
    QByteArray shortNoMarker = shortSettingsPacket(5, 5, 5, 5);
    shortNoMarker[2] = char(0xAB);
    // Each alone, with time for whatever waits for more to be given up.
    for (const QByteArray &chunk : {badEnd, badStart, badType, shortNoMarker}) {
        QVERIFY(rig.exchange(chunk));
        rig.peer.spin(PacketStream::quietMs + 50);
    }

    QVERIFY(paramSet == ParamSet());
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(liveValues.channel(n), 1000);
    QCOMPARE(liveValues.txVoltage, 0);
    QCOMPARE(liveValues.ReadFlag, 0);
}

void LinkTest::headsThatCouldBeEither_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<int>("gapMs");

    // Section 7 (aux sources 1 3 0 2) and a channel packet whose CH1 is 1022.
    const QByteArray joined = QByteArray::fromHex("FE00AA01030002FE" "FE1803FE")
        + QByteArray::fromHex("03E8").repeated(7) + QByteArray::fromHex("0316");
    QTest::newRow("section 7 + channel head, then the rest")
        << QList<QByteArray>{joined.left(12), joined.mid(12)} << 0;
    QTest::newRow("the same in one read") << QList<QByteArray>{joined} << 0;
    // Section 17 (throttle points 3..7 = 33..77) with a gap after its 8th byte.
    const QByteArray s17 = QByteArray::fromHex("FE11AA212C37424D000000FE");
    for (int gap : {0, 40, 120, 250})
        QTest::addRow("section 17, 8 + 4, %d ms apart", gap) << QList<QByteArray>{s17.left(8), s17.mid(8)} << gap;
}

// The fuzzing's two misreadings, through the link on a real port: each
// chunk is answered, and only the packets sent are decoded.
void LinkTest::headsThatCouldBeEither()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(int, gapMs);
    apptest::MessageLog log(false);

    Rig rig;
    QVERIFY(rig.open());
    QSignalSpy taken(&rig.link, &Link::packetReceived);
    for (int i = 0; i < chunks.size(); ++i) {
        if (i > 0)
            rig.peer.spin(gapMs);
        QVERIFY(rig.exchange(chunks.at(i)));
    }
    const bool section17 = chunks.first().startsWith(QByteArray::fromHex("FE11"));
    QTRY_COMPARE(taken.count(), section17 ? 1 : 2);
    rig.peer.spin(PacketStream::quietMs + 50);
    QCOMPARE(taken.count(), section17 ? 1 : 2);
    if (section17) {
        QCOMPARE(rig.link.knownSections(), QList<int>{17});
        for (int k = 3; k <= 7; ++k)
            QCOMPARE(paramSet.thrCurve[k], 11 * k);
        // The auxiliary sources were never touched.
        QCOMPARE(log.linesStartingWith(QStringLiteral("ReadFlag:")), QStringList{QStringLiteral("ReadFlag:17")});
        QVERIFY(paramSet.auxSource[5] == ParamSet().auxSource[5] && paramSet.auxSource[8] == ParamSet().auxSource[8]);
    } else {
        QCOMPARE(rig.link.knownSections(), QList<int>{7});
        QCOMPARE(paramSet.auxSource[5], 1);
        QCOMPARE(paramSet.auxSource[6], 3);
        QCOMPARE(paramSet.auxSource[7], 0);
        QCOMPARE(paramSet.auxSource[8], 2);
        QCOMPARE(liveValues.channelValue1, 1022);
        QCOMPARE(liveValues.channelValue2, 1000);
        QCOMPARE(liveValues.txVoltage, 790);
        QCOMPARE(paramSet.thrCurve[3], ParamSet().thrCurve[3]);
    }
}

void LinkTest::telemetryTrims_data()
{
    QTest::addColumn<QVector<int>>("bytes");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<QVector<int>>("stored");

    QTest::newRow("in order") << QVector<int>{10, 20, 30, 40} << false << QVector<int>{10, 20, 30, 40};
    QTest::newRow("238 kept") << QVector<int>{238, 238, 238, 238} << false << QVector<int>{238, 238, 238, 238};
    QTest::newRow("239 to 240") << QVector<int>{239, 239, 239, 239} << false << QVector<int>{240, 240, 240, 240};
    QTest::newRow("255 to 240") << QVector<int>{255, 255, 255, 255} << false << QVector<int>{240, 240, 240, 240};
    QTest::newRow("0 kept") << QVector<int>{0, 0, 0, 0} << false << QVector<int>{0, 0, 0, 0};
    QTest::newRow("blocked") << QVector<int>{10, 20, 30, 40} << true << QVector<int>{120, 120, 120, 120};
}

void LinkTest::telemetryTrims()
{
    QFETCH(QVector<int>, bytes);
    QFETCH(bool, blocked);
    QFETCH(QVector<int>, stored);

    Rig rig;
    QVERIFY(rig.open());
    liveValues.trimUpdateBlocked = blocked ? 1 : 0;
    QVERIFY(rig.exchange(telemetryPacket(55, 60, 70, bytes)));
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(paramSet.stickTrim[t], stored.at(t - 1));
    // The readings are taken either way.
    QCOMPARE(liveValues.rssiValue, 55);
    QCOMPARE(liveValues.rxVoltage, 60);
    QCOMPARE(liveValues.extVoltage, 70);
    QCOMPARE(liveValues.telemetryExtra1, 0x1111);
    QCOMPARE(liveValues.telemetryExtra2, 0x2222);
    QCOMPARE(liveValues.trimUpdateBlocked, blocked ? 1 : 0);
}

void LinkTest::settingsStoredAndRepaired()
{
    Rig rig;
    QVERIFY(rig.open());

    // Sub-trims, biased by 120.
    paramSet.subTrim[1] = 33;
    QVERIFY(rig.exchange(settingsPacket(0x55, {0x78, 0x8C, 0x78, 0x78, 0x78, 0x78, 0x14, 0xDC})));
    QCOMPARE(paramSet.subTrim[1], 0);
    QCOMPARE(paramSet.subTrim[2], 20);
    QCOMPARE(paramSet.subTrim[7], -100);
    QCOMPARE(paramSet.subTrim[8], 100);
    QCOMPARE(liveValues.ReadFlag, 2);

    // What is out of range is repaired.
    QVERIFY(rig.exchange(settingsPacket(0xA9, {5, 100, 100, 100, 1, 3, 0, 16})));
    QCOMPARE(paramSet.thrCurveExtra, 3);
    QCOMPARE(paramSet.thrCurveMix, 1);
    QCOMPARE(paramSet.prmSlave[4], 5);
    QVERIFY(rig.exchange(settingsPacket(0xA9, {5, 100, 100, 100, 1, 9, 0, 16})));
    QCOMPARE(paramSet.thrCurveExtra, 0);

    // Dual-rate tables: the selection copies follow at once.
    QVERIFY(rig.exchange(settingsPacket(0xA5, {60, 100, 100, 100, 45, 100, 100, 100})));
    QCOMPARE(paramSet.drRateUp[1], 60);
    QCOMPARE(paramSet.drRateDown[1], 45);
    QCOMPARE(paramSet.drUp, 60);
    QCOMPARE(paramSet.drDown, 45);
    QCOMPARE(paramSet.drCurveRate, 60);

    // The short section: auxiliary sources.
    QVERIFY(rig.exchange(shortSettingsPacket(5, 4, 3, 9)));
    QCOMPARE(paramSet.auxSource[5], 5);
    QCOMPARE(paramSet.auxSource[6], 4);
    QCOMPARE(paramSet.auxSource[7], 3);
    QCOMPARE(paramSet.auxSource[8], 2); // 9 is out of range
    QCOMPARE(liveValues.ReadFlag, 7);

    // Alarm voltages and the stick mode.
    QVERIFY(rig.exchange(settingsPacket(0x99, {0x00, 0x2A, 0x00, 0x03, 0x00, 0x33, 0, 0})));
    QCOMPARE(paramSet.txAlarmVoltX10, 42);
    QCOMPARE(paramSet.txAlarmVolt, 4.2);
    QCOMPARE(paramSet.stickMode, 3);
    QCOMPARE(paramSet.firmwareVersion, 51);
    QVERIFY(rig.exchange(settingsPacket(0xAB, {0, 0, 0x00, 0x4B, 50, 62, 0, 0})));
    QCOMPARE(paramSet.extAlarmVoltX10, 75);
    QCOMPARE(paramSet.extAlarmVolt, 7.5);
    QCOMPARE(paramSet.rssiAlarm, -50);
    QCOMPARE(paramSet.rxAlarmVoltX10, 62);
    QCOMPARE(paramSet.rxAlarmVolt, 6.2);
    QCOMPARE(liveValues.ReadFlag, 18);
}

void LinkTest::refreshAfterRepair_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("refreshes");
    QTest::addColumn<int>("subTrim1");  // as the refresh sees it
    QTest::addColumn<int>("failSafe1"); // as the refresh sees it

    const QVector<int> data(8, 0x78);
    QTest::newRow("settings") << settingsPacket(0x55, data) << 1 << 0 << 50;
    // Byte 0 decodes to -120: the refresh must already see the rule's 0.
    QTest::newRow("sub-trim -120") << settingsPacket(0x55, {0, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78}) << 1
                                   << 0 << 50;
    QTest::newRow("sub-trim -100 kept") << settingsPacket(0x55, {0x14, 0, 0, 0, 0, 0, 0, 0}) << 1 << -100 << 50;
    QTest::newRow("fail-safe 255") << settingsPacket(0x88, {255, 0, 0, 0, 0, 0, 0, 0}) << 1 << 7 << 50;
    QTest::newRow("fail-safe 100 kept") << settingsPacket(0x88, {100, 0, 0, 0, 0, 0, 0, 0}) << 1 << 7 << 100;
    QTest::newRow("unknown section 0x18") << settingsPacket(0x18, data) << 1 << 7 << 50;
    QByteArray badEnd = settingsPacket(0x55, data);
    badEnd[11] = char(0x00);
    QTest::newRow("end marker missing") << badEnd << 0 << 7 << 50;
    QTest::newRow("short settings") << shortSettingsPacket(1, 3, 0, 2) << 0 << 7 << 50;
    QTest::newRow("channel") << channelPacket(QVector<int>(8, 1500), 740) << 0 << 7 << 50;
    QTest::newRow("telemetry") << telemetryPacket(40, 74, 123, {120, 120, 120, 120}) << 0 << 7 << 50;
}

// A settings packet is shown at once, and what it shows is already repaired.
void LinkTest::refreshAfterRepair()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, refreshes);
    QFETCH(int, subTrim1);
    QFETCH(int, failSafe1);

    Rig rig;
    QVERIFY(rig.open());
    paramSet.subTrim[1] = 7;
    QList<QPair<int, int>> seen;
    QObject::connect(&rig.link, &Link::refreshNow,
                     [&seen] { seen.append({paramSet.subTrim[1], paramSet.failSafe[1]}); });
    QVERIFY(rig.exchange(chunk));
    QCOMPARE(seen.size(), refreshes);
    if (refreshes) {
        QCOMPARE(seen.first().first, subTrim1);
        QCOMPARE(seen.first().second, failSafe1);
    }
}

void LinkTest::readFlagLogged_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<int>("flag");

    const QVector<int> ones(8, 1);
    QTest::newRow("reverse") << settingsPacket(0x44, ones) << 1;
    QTest::newRow("short") << shortSettingsPacket(0, 0, 0, 0) << 7;
    QTest::newRow("servo delay") << settingsPacket(0xA4, QVector<int>(8, 100)) << 11;
    QTest::newRow("expo") << settingsPacket(0xAC, QVector<int>(8, 100)) << 19;
}

void LinkTest::readFlagLogged()
{
    QFETCH(QByteArray, chunk);
    QFETCH(int, flag);

    Rig rig;
    QVERIFY(rig.open());
    apptest::MessageLog log;
    QVERIFY(rig.exchange(chunk));
    QCOMPARE(liveValues.ReadFlag, flag);
    QCOMPARE(log.linesStartingWith(QStringLiteral("ReadFlag:")),
             QStringList{QStringLiteral("ReadFlag:%1").arg(flag)});

    // Unknown sections and live packets log nothing.
    log.clear();
    QVERIFY(rig.exchange(settingsPacket(0x19, QVector<int>(8, 0))));
    QVERIFY(rig.exchange(channelPacket(QVector<int>(8, 1000), 0)));
    QCOMPARE(log.linesStartingWith(QStringLiteral("ReadFlag:")), QStringList());
    QCOMPARE(liveValues.ReadFlag, flag);
}

// ----------------------------------------------------------------- commands

void LinkTest::commandsNeedOpenPort_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("blockedWhileAsking");

    QTest::newRow("Read") << 0 << 0;
    QTest::newRow("Write") << 1 << 0;
    QTest::newRow("factory Reset") << 2 << 1;
    QTest::newRow("second reset") << 3 << 0;
}

void LinkTest::commandsNeedOpenPort()
{
    QFETCH(int, command);
    QFETCH(int, blockedWhileAsking);

    Rig rig; // never opened
    spoilSettings();
    const ParamSet before = paramSet;
    apptest::MessageLog log;
    QSignalSpy finished(&rig.link, &Link::finished);
    int blocked = -1;
    QObject::connect(&rig.link, &Link::portNeeded, [&blocked] { blocked = liveValues.trimUpdateBlocked; });

    QVERIFY((rig.link.*commands[command])());
    QVERIFY(linktest::waitIdle(rig.link));
    QCOMPARE(blocked, blockedWhileAsking);
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(paramSet == before);
    QCOMPARE(log.linesStartingWith(QStringLiteral("Str")), QStringList()); // no frame built
    QCOMPARE(rig.peer.readAll(50), QByteArray());
}

void LinkTest::readSendsRR()
{
    Rig rig;
    QVERIFY(rig.open());
    QSignalSpy finished(&rig.link, &Link::finished);
    QCOMPARE(rig.run(&Link::read), QByteArray("RR"));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).value<Link::Command>(), Link::Read);
    QCOMPARE(finished.first().at(1).value<QList<QByteArray>>(), QList<QByteArray>{"RR"});
    QVERIFY(paramSet == ParamSet());
}

void LinkTest::writeSendsInitialFrames()
{
    Rig rig;
    QVERIFY(rig.open());
    apptest::MessageLog log;
    QSignalSpy progress(&rig.link, &Link::progress);
    QSignalSpy finished(&rig.link, &Link::finished);

    QCOMPARE(rig.run(&Link::write), initialS + initialG + initialH + initialI + "WWW");
    QCOMPARE(frameTexts.text[0], QString::fromLatin1(initialS));
    QCOMPARE(frameTexts.text[3], QString::fromLatin1(initialI));
    QCOMPARE(log.linesStartingWith(QStringLiteral("Str")),
             (QStringList{QStringLiteral("Str1Blength:81"), QStringLiteral("Str2Blength:81"),
                          QStringLiteral("Str3Blength:81"), QStringLiteral("Str4Blength:81")}));
    QCOMPARE(progress.count(), 4);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(progress.at(k).at(1).toInt(), k + 1);
        QCOMPARE(progress.at(k).at(2).toInt(), 4);
    }
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(1).value<QList<QByteArray>>(),
             (QList<QByteArray>{initialS, initialG, initialH, initialI, "WWW"}));
    // Writing sends the settings, it does not change them (the S companion
    // is brought in line with 11.0 V).
    ParamSet expected;
    expected.txAlarmVoltX10 = 110;
    QVERIFY(paramSet == expected);
}

void LinkTest::writeFollowsPacketsBetweenFrames()
{
    Rig rig;
    QVERIFY(rig.open());
    QByteArray wire;
    {
        StreamWatch watch(rig.peer);
        // After S: servo delay CH1 50, for the G frame.
        watch.onFrame('Y', [&] { rig.peer.write(settingsPacket(0xA4, {50, 100, 100, 100, 100, 100, 100, 100})); });
        // After G: dual rate UP of CH1 60, for the H frame.
        watch.onFrame('Z', [&] { rig.peer.write(settingsPacket(0xA5, {60, 100, 100, 100, 100, 100, 100, 100})); });
        // After H: trim 1 at 130, for the I frame.
        watch.onFrame('X', [&] { rig.peer.write(telemetryPacket(40, 74, 123, {130, 120, 120, 120})); });
        wire = rig.run(&Link::write);
    }

    const QByteArray g = "G41E2D3C4855680DCDCDCDCDC140A642A6A6642747474747474740074747474747474740135006D2Z";
    const QByteArray h = "H4C74747474747474003747474015747474001020314253647407474747474747474110140380000X";
    const QByteArray i = "I92888888"
                         "00000000000000000000000000000000000000000000000000000000000000000000000V";
    QCOMPARE(wire, initialS + "WWW" + g + "WWW" + h + "WWW" + i + "WWW");
    QCOMPARE(paramSet.servoDelay[1], 50);
    QCOMPARE(paramSet.drRateUp[1], 60);
    QCOMPARE(paramSet.stickTrim[1], 130);
}

void LinkTest::factoryResetKeepsTrimsBlocked()
{
    Rig rig;
    QVERIFY(rig.open());
    spoilSettings();

    QVector<int> blockedSeen;
    QVector<int> trimSeen;
    const QByteArray telemetry = telemetryPacket(40, 74, 123, {200, 200, 200, 200});
    QByteArray wire;
    {
        StreamWatch watch(rig.peer);
        auto inject = [&] {
            blockedSeen << liveValues.trimUpdateBlocked;
            rig.peer.write(telemetry);
        };
        watch.onFrame('Y', inject);
        // By the G frame the telemetry after S has been handled.
        watch.onFrame('Z', [&] { trimSeen << paramSet.stickTrim[1]; });
        watch.onFrame('X', inject);
        // During the pause after the last frame, still blocked.
        watch.onFrame('V', inject);
        wire = rig.run(&Link::factoryReset);
    }

    QCOMPARE(wire, factoryS + "WWW" + initialG + initialH + "WWW" + initialI + "WWW" + "WWW");
    QCOMPARE(blockedSeen, (QVector<int>{1, 1, 1}));
    QCOMPARE(trimSeen, QVector<int>{120});
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    // The telemetry was taken, all but its trims.
    QCOMPARE(liveValues.rssiValue, 40);
    QCOMPARE(liveValues.extVoltage, 123);

    ParamSet expected = factorySet();
    expected.firmwareVersion = 7; // not a factory setting
    QVERIFY(paramSet == expected);

    // Unblocked again: the next telemetry moves the trims.
    QVERIFY(rig.exchange(telemetry));
    QCOMPARE(paramSet.stickTrim[1], 200);
}

void LinkTest::secondResetPutsTrimsBack()
{
    Rig rig;
    QVERIFY(rig.open());
    spoilSettings();

    QVector<int> blockedSeen;
    QVector<int> trimSeen;
    QByteArray wire;
    {
        StreamWatch watch(rig.peer);
        watch.onFrame('Y', [&] {
            blockedSeen << liveValues.trimUpdateBlocked;
            rig.peer.write(telemetryPacket(40, 74, 123, {200, 201, 202, 203}));
        });
        watch.onFrame('Z', [&] { trimSeen << paramSet.stickTrim[1]; });
        watch.onFrame('X', [&] {
            trimSeen << paramSet.stickTrim[4];
            rig.peer.write(telemetryPacket(41, 74, 123, {210, 211, 212, 213}));
        });
        wire = rig.run(&Link::secondReset);
    }

    // The same frames as the factory Reset: the trims went back to 120
    // before the I frame was built.
    QCOMPARE(wire, factoryS + "WWW" + initialG + initialH + "WWW" + initialI + "WWW");
    // Not blocked: the telemetry did move the trims during the pauses.
    QCOMPARE(blockedSeen, QVector<int>{0});
    QCOMPARE(trimSeen, (QVector<int>{200, 203}));
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QCOMPARE(liveValues.rssiValue, 41);

    ParamSet expected = factorySet();
    expected.firmwareVersion = 7;
    QVERIFY(paramSet == expected);
}

// Everything asked for while a Write runs is refused: the wire carries the
// one Write, and the frames carry the settings as they were.
void LinkTest::oneCommandAtATime()
{
    Rig rig;
    QVERIFY(rig.open());
    paramSet.subTrim[1] = 20;
    QByteArray wire;
    QVector<bool> accepted;
    {
        StreamWatch watch(rig.peer);
        watch.onFrame('Y', [&] {
            accepted << rig.link.write() << rig.link.read() << rig.link.factoryReset() << rig.link.secondReset()
                     << rig.link.save([] { return true; }, [] {}) << rig.link.load([] { return true; });
        });
        wire = rig.run(&Link::write);
    }
    QCOMPARE(accepted, QVector<bool>(6, false));
    QByteArray s = initialS;
    s.replace(9, 2, "8C");
    QCOMPARE(wire, s + initialG + initialH + initialI + "WWW");
    QCOMPARE(paramSet.subTrim[1], 20);
}

void LinkTest::stoppedCommandWritesNothingMore_data()
{
    QTest::addColumn<int>("command"); // 0..3 as in commands[], 4 Save, 5 Load
    QTest::addColumn<bool>("deviceLost");
    QTest::addColumn<QByteArray>("before"); // what the transmitter got before the stop

    QTest::newRow("Read, closed") << 0 << false << QByteArray("RR");
    QTest::newRow("Write, closed") << 1 << false << initialS;
    QTest::newRow("Write, lost") << 1 << true << initialS;
    QTest::newRow("factory Reset, closed") << 2 << false << factoryS;
    QTest::newRow("second reset, closed") << 3 << false << factoryS;
    QTest::newRow("Save, closed") << 4 << false << initialS;
    QTest::newRow("Load, lost") << 5 << true << initialS;
}

// Closed or lost after the command's first write: the command is reported
// stopped, the trims are free again and nothing of it follows on the wire.
void LinkTest::stoppedCommandWritesNothingMore()
{
    QFETCH(int, command);
    QFETCH(bool, deviceLost);
    QFETCH(QByteArray, before);

    Rig rig;
    QVERIFY(rig.open());
    LinkPacing slow = linktest::fastPacing();
    slow.readMs = slow.frameMs = 200;
    rig.link.setPacing(slow);
    QSignalSpy aborted(&rig.link, &Link::aborted);
    QSignalSpy finished(&rig.link, &Link::finished);
    bool stored = false;
    switch (command) {
    case 4: QVERIFY(rig.link.save([] { return true; }, [&stored] { stored = true; })); break;
    case 5: QVERIFY(rig.link.load([] { return true; })); break;
    default: QVERIFY((rig.link.*commands[command])());
    }
    QVERIFY(rig.peer.waitFor(before.size(), 2000));
    testsupport::expectWarning(QStringLiteral("stopped after 1 of"));
    if (deviceLost)
        rig.link.lost(QStringLiteral("device gone"));
    else
        rig.link.close(100);
    QVERIFY(!rig.port.isOpen());
    QVERIFY(!rig.link.isBusy());
    rig.peer.spin(300);

    QCOMPARE(rig.peer.received(), deviceLost ? before : before + "DIS");
    QCOMPARE(aborted.count(), 1);
    QCOMPARE(aborted.first().at(1).toInt(), 1);
    QCOMPARE(aborted.first().at(2).toInt(), command == 0 ? 1 : 4);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!stored);
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QCOMPARE(testsupport::missingWarnings(), QStringList());
}

void LinkTest::fileCommandsWithoutPort_data()
{
    QTest::addColumn<bool>("load");
    QTest::newRow("Save") << false;
    QTest::newRow("Load") << true;
}

// With no port the frames are only built: no writes, and no frame pauses
// (they would outlast the wait below by far).
void LinkTest::fileCommandsWithoutPort()
{
    QFETCH(bool, load);

    Rig rig;
    LinkPacing pacing = linktest::fastPacing();
    pacing.frameMs = 60000;
    rig.link.setPacing(pacing);
    paramSet.subTrim[1] = 20;
    apptest::MessageLog log;
    QSignalSpy finished(&rig.link, &Link::finished);
    int blockedWhilePreparing = -1;
    const auto prepare = [&blockedWhilePreparing] {
        blockedWhilePreparing = liveValues.trimUpdateBlocked;
        return true;
    };
    QString stored;
    if (load)
        QVERIFY(rig.link.load(prepare));
    else
        QVERIFY(rig.link.save(prepare, [&stored] { stored = frameTexts.text[0]; }));
    QVERIFY(linktest::waitIdle(rig.link, 5000));

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(1).value<QList<QByteArray>>(), QList<QByteArray>());
    QCOMPARE(log.linesStartingWith(QStringLiteral("Str")).size(), 4);
    QCOMPARE(blockedWhilePreparing, load ? 1 : 0);
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QByteArray s = initialS;
    s.replace(9, 2, "8C");
    QCOMPARE(frameTexts.text[0], QString::fromLatin1(s));
    if (!load)
        QCOMPARE(stored, QString::fromLatin1(s));
    QCOMPARE(rig.peer.readAll(20), QByteArray());
}

// Backups are named by their time and command and pruned to the newest;
// other files in the folder are left alone.
void LinkTest::backupsKeepTheNewest()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("notes.txt")), "mine"));
    const QDateTime t0(QDate(2026, 12, 8), QTime(14, 15, 3));
    ParamSet set;
    set.subTrim[2] = 9;
    const char *const commands[] = {"write", "load", "reset", "reset"};
    for (int k = 0; k < 4; ++k) {
        const backups::Result r = backups::write(dir.path(), QLatin1String(commands[k]), set, t0.addSecs(k / 3), 3);
        QVERIFY2(r.ok, qPrintable(r.error));
    }
    // The fourth came in the same second as the third.
    QCOMPARE(backups::list(dir.path()),
             (QStringList{QStringLiteral("20261208-141503-load.txt"), QStringLiteral("20261208-141503-reset.txt"),
                          QStringLiteral("20261208-141504-reset.txt")}));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("notes.txt"))));
    const ParameterFile back = readParameterFile(dir.filePath(QStringLiteral("20261208-141504-reset.txt")));
    QVERIFY(back.complete());
    ParamSet decoded;
    decodeParameterFile(back, decoded);
    QCOMPARE(decoded.subTrim[2], 9);

    // With the clock set back the new backup sorts first; it stays, the
    // oldest of the others goes.
    const backups::Result early = backups::write(dir.path(), QStringLiteral("write"), set, t0.addDays(-1), 3);
    QVERIFY2(early.ok, qPrintable(early.error));
    QCOMPARE(backups::list(dir.path()),
             (QStringList{QStringLiteral("20261207-141503-write.txt"), QStringLiteral("20261208-141503-reset.txt"),
                          QStringLiteral("20261208-141504-reset.txt")}));
}


// The trims are the transmitter's once a telemetry packet brought them
// (not while a command blocks them) or four frames sent them; every
// connection starts without.
void LinkTest::trimsKnownOnlyWhenReceived()
{
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.exchange(encodeSettingsPacket(ParamSet(), 2)));
    QVERIFY(rig.link.deviceKnown());
    QVERIFY(!rig.link.trimsKnown());
    liveValues.trimUpdateBlocked = 1;
    QVERIFY(rig.exchange(telemetryPacket(55, 60, 70, {10, 20, 30, 40})));
    QVERIFY(!rig.link.trimsKnown());
    liveValues.trimUpdateBlocked = 0;
    QVERIFY(rig.exchange(telemetryPacket(55, 60, 70, {10, 20, 30, 40})));
    QVERIFY(rig.link.trimsKnown());
    QCOMPARE(rig.link.deviceSettings().stickTrim[4], 40);

    rig.link.close(100);
    rig.peer.readAll(20);
    rig.peer.clear();
    QVERIFY(rig.open());
    QVERIFY(!rig.link.trimsKnown());
    rig.run(&Link::write);
    QVERIFY(rig.link.trimsKnown());
}

// A backup without trims holds the S, G and H frames only: a Load of it
// keeps the transmitter's trims instead of centring them.
void LinkTest::backupWithoutTrimsLeavesThemOut()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ParamSet set;
    set.subTrim[2] = 9;
    const QDateTime t0(QDate(2026, 12, 8), QTime(14, 15, 3));
    const backups::Result without = backups::write(dir.path(), QStringLiteral("write"), set, t0, 100, false);
    QVERIFY2(without.ok, qPrintable(without.error));
    const FrameTexts frames = framesOf(set);
    QCOMPARE(readBytes(without.path), (frames.text[0] + frames.text[1] + frames.text[2]).toLatin1());
    const ParameterFile file = readParameterFile(without.path);
    QCOMPARE(file.frames.letters(), QStringLiteral("SGH"));

    const backups::Result with = backups::write(dir.path(), QStringLiteral("write"), set, t0, 100, true);
    QVERIFY2(with.ok, qPrintable(with.error));
    QVERIFY(readParameterFile(with.path).complete());
}

// The device hangs up while a Read's answers are still awaited: the report
// still comes, with what came.
void LinkTest::hangUpDuringReadReportsIt()
{
    PtyPeer peer;
    QSerialPort port;
    Link link(&port);
    LinkPort linkPort(port, link);
    QObject::connect(&port, &QSerialPort::readyRead, &link, &Link::receive);
    LinkPacing pacing = linktest::fastPacing();
    pacing.readReportMs = 5000;
    link.setPacing(pacing);
    QVERIFY(linkPort.open(peer.slavePath()));
    apptest::MessageLog log(false);
    QSignalSpy report(&link, &Link::readReport);
    QSignalSpy lost(&linkPort, &LinkPort::lost);
    QVERIFY(link.read());
    QVERIFY(peer.waitForText("RR", 2000));
    for (int section = 1; section <= 17; ++section)
        QVERIFY(peer.writePacket(encodeSettingsPacket(ParamSet(), section)));
    QVERIFY(linktest::waitIdle(link));
    QCOMPARE(report.count(), 0);
    peer.hangUp();
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(report.count(), 1);
    QCOMPARE(report.first().at(0).toInt(), 17);
    QCOMPARE(report.first().at(1).value<QList<int>>(), (QList<int>{18, 19}));
}

// ----------------------------------------------------------- verify after write

void LinkTest::verifyReadsBack_data()
{
    QTest::addColumn<QVector<int>>("answered");  // sections the transmitter sends back
    QTest::addColumn<int>("subTrim4Kept");       // what it keeps of sub-trim CH4 (6 sent)
    QTest::addColumn<bool>("cut");               // every section in two reads
    QTest::addColumn<int>("missing");
    QTest::addColumn<int>("differences");

    QVector<int> all;
    for (int s = 1; s <= 19; ++s)
        all << s;
    QTest::newRow("matches") << all << 6 << false << 0 << 0;
    QTest::newRow("matches, sections cut by the adapter") << all << 6 << true << 0 << 0;
    QTest::newRow("sub-trim CH4 did not stick") << all << 0 << false << 0 << 1;
    QTest::newRow("12 of 19 came back") << all.mid(0, 12) << 6 << false << 7 << 0;
    QTest::newRow("nothing came back") << QVector<int>() << 6 << false << 19 << 0;
}

// After the "WWW" of a write the link asks with "RR" and compares what comes
// back with the frames; the transmitter's record becomes what it reported,
// the user's own set stays as it was.
void LinkTest::verifyReadsBack()
{
    QFETCH(QVector<int>, answered);
    QFETCH(int, subTrim4Kept);
    QFETCH(bool, cut);
    QFETCH(int, missing);
    QFETCH(int, differences);
    apptest::MessageLog log(false);

    Rig rig;
    QVERIFY(rig.open());
    rig.link.setVerify(true);
    paramSet.subTrim[4] = 6;
    paramSet.epaLeft[2] = 77;
    const ParamSet edited = paramSet;
    QSignalSpy verified(&rig.link, &Link::verified);
    QSignalSpy finished(&rig.link, &Link::finished);

    QVERIFY(rig.link.write());
    QVERIFY(rig.peer.waitFor([](const QByteArray &b) { return b.endsWith("WWWRR"); }, 5000));
    // The transmitter keeps what the frames carried, but maybe not all of it.
    const QString wire = QString::fromLatin1(rig.peer.received());
    ParamSet device;
    QCOMPARE(decodeFileFrames(wire, locateFrames(wire), device).count(), 4);
    device.subTrim[4] = subTrim4Kept;
    for (int section : answered) {
        const QByteArray packet = encodeSettingsPacket(device, section);
        if (cut) {
            QVERIFY(rig.peer.writePacket(packet.left(5)));
            QVERIFY(rig.peer.writePacket(packet.mid(5)));
        } else {
            QVERIFY(rig.peer.writePacket(packet));
        }
    }
    QVERIFY(linktest::waitIdle(rig.link));

    QCOMPARE(verified.count(), 1);
    QCOMPARE(finished.count(), 1);
    const VerifyResult r = verified.first().at(1).value<VerifyResult>();
    QCOMPARE(r.received, answered.size());
    QCOMPARE(r.missing.size(), missing);
    QCOMPARE(r.differences.size(), differences);
    if (differences) {
        QCOMPARE(r.differences.first().field, Field::subTrim);
        QCOMPARE(r.differences.first().index, 4);
        QCOMPARE(r.differences.first().sent, 6);
        QCOMPARE(r.differences.first().read, 0);
    }
    QCOMPARE(r.verified(), missing == 0 && differences == 0);
    // The record follows what came back; the edits stay where they were.
    QCOMPARE(rig.link.deviceSettings().subTrim[4], answered.contains(2) ? subTrim4Kept : 6);
    QCOMPARE(rig.link.deviceSettings().epaLeft[2], 77);
    QCOMPARE(paramSet.subTrim[4], edited.subTrim[4]);
    QCOMPARE(paramSet.epaLeft[2], edited.epaLeft[2]);
    // "RR" once, after the "WWW"; one "WWW" for every read of the answer.
    QVERIFY(rig.peer.received().endsWith("WWWRR" + QByteArray("WWW").repeated(answered.size() * (cut ? 2 : 1))));
}

void LinkTest::verifyOffSendsNoRR()
{
    Rig rig;
    QVERIFY(rig.open());
    QSignalSpy verified(&rig.link, &Link::verified);
    QCOMPARE(rig.run(&Link::write), initialS + initialG + initialH + initialI + "WWW");
    QCOMPARE(verified.count(), 0);
}

void LinkTest::readOfCutAndJoinedPacketsIsWhole_data()
{
    QTest::addColumn<int>("cutAt");    // each packet in two writes, cut here; 0: whole
    QTest::addColumn<int>("perWrite"); // packets joined in one write
    QTest::newRow("every packet cut after 8 bytes") << 8 << 1;
    QTest::newRow("every packet cut after 3 bytes") << 3 << 1;
    QTest::newRow("two packets per write") << 0 << 2;
    QTest::newRow("three packets per write, cut after 5") << 5 << 3;
}

// The answers to "RR" as USB adapters deliver them: all 19 sections arrive,
// and the transmitter's settings land in the set.
void LinkTest::readOfCutAndJoinedPacketsIsWhole()
{
    QFETCH(int, cutAt);
    QFETCH(int, perWrite);
    apptest::MessageLog log(false);

    Rig rig;
    QVERIFY(rig.open());
    QSignalSpy report(&rig.link, &Link::readReport);
    QVERIFY(rig.link.read());
    QVERIFY(rig.peer.waitForText("RR", 2000));

    ParamSet device;
    for (int n = 1; n <= 8; ++n)
        device.subTrim[n] = n - 4;
    device.auxSource[5] = 4;
    device.thrCurve[3] = 40;
    QList<QByteArray> writes;
    QByteArray pending;
    for (int section = 1; section <= 19; ++section) {
        pending += encodeSettingsPacket(device, section);
        if (section % perWrite && section < 19)
            continue;
        if (cutAt)
            writes << pending.left(cutAt) << pending.mid(cutAt);
        else
            writes << pending;
        pending.clear();
    }
    for (const QByteArray &w : writes)
        QVERIFY(rig.peer.writePacket(w));
    QTRY_COMPARE(report.count(), 1);
    QCOMPARE(report.first().at(0).toInt(), 19);
    QCOMPARE(rig.link.knownSections().size(), 19);
    QCOMPARE(paramSet.subTrim[1], -3);
    QCOMPARE(paramSet.auxSource[5], 4);
    QCOMPARE(paramSet.thrCurve[3], 40);
}


// The frames carry what the adjustment makes of the set (the review's
// unticked rows), the set keeps its values, and the read-back is compared
// with what the review promised: a frame that carried something else is a
// difference, not "verified".
void LinkTest::verifyHoldsToPromise()
{
    apptest::MessageLog log(false);
    Rig rig;
    QVERIFY(rig.open());
    rig.link.setVerify(true);
    paramSet.subTrim[4] = 6;
    paramSet.epaLeft[2] = 77;
    QSignalSpy verified(&rig.link, &Link::verified);
    QVERIFY(rig.link.write());
    // Unticked: epaLeft[2] goes out as the transmitter has it (96).
    rig.link.setFrameAdjust([](ParamSet &p) { p.epaLeft[2] = 96; });
    // Promised: sub-trim CH4 6 (ticked), epaLeft[2] 96 (unticked), and, as a
    // promise the frames break, servo delay CH1 55.
    ParamSet promise = paramSet;
    promise.epaLeft[2] = 96;
    promise.servoDelay[1] = 55;
    rig.link.setPromise(promise, {qMakePair(Field::subTrim, 4), qMakePair(Field::epaLeft, 2),
                                  qMakePair(Field::servoDelay, 1)});
    QVERIFY(rig.peer.waitFor([](const QByteArray &b) { return b.endsWith("WWWRR"); }, 5000));
    const QString wire = QString::fromLatin1(rig.peer.received());
    ParamSet device;
    QCOMPARE(decodeFileFrames(wire, locateFrames(wire), device).count(), 4);
    QCOMPARE(device.subTrim[4], 6);
    QCOMPARE(device.epaLeft[2], 96);
    QCOMPARE(paramSet.epaLeft[2], 77);
    for (int section = 1; section <= 19; ++section)
        QVERIFY(rig.peer.writePacket(encodeSettingsPacket(device, section)));
    QVERIFY(linktest::waitIdle(rig.link));
    QCOMPARE(verified.count(), 1);
    const VerifyResult r = verified.first().at(1).value<VerifyResult>();
    QCOMPARE(r.missing.size(), 0);
    QCOMPARE(r.differences.size(), 1);
    QCOMPARE(r.differences.first().field, Field::servoDelay);
    QCOMPARE(r.differences.first().sent, 55);
    QCOMPARE(r.differences.first().read, 100);

    // The adjustment and the promise were for that command only.
    rig.peer.clear();
    rig.link.setVerify(false);
    QVERIFY(rig.link.write());
    QVERIFY(linktest::waitIdle(rig.link));
    const QString again = QString::fromLatin1(rig.peer.received());
    QCOMPARE(decodeFileFrames(again, locateFrames(again), device).count(), 4);
    QCOMPARE(device.epaLeft[2], 77);
}

// A command that finds no port open says so and ends: aborted() comes, as
// for any command that ends without finishing, so no one waits for it.
void LinkTest::noPortEndsCommand()
{
    Rig rig;
    QSignalSpy needed(&rig.link, &Link::portNeeded);
    QSignalSpy aborted(&rig.link, &Link::aborted);
    QSignalSpy finished(&rig.link, &Link::finished);
    QVERIFY(rig.link.write());
    QVERIFY(linktest::waitIdle(rig.link));
    QCOMPARE(needed.count(), 1);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(aborted.count(), 1);
    QCOMPARE(aborted.first().at(0).value<Link::Command>(), Link::Write);
    QCOMPARE(aborted.first().at(1).toInt(), 0);
    QCOMPARE(aborted.first().at(3).toString(), Link::noPortReason());
}

QTEST_GUILESS_MAIN(LinkTest)
#include "tst_link.moc"
