// The link protocol at window level, through a pseudo-terminal: Device
// packets in and their acknowledgements, what the displays make of them, and
// the Read, Write and reset commands byte for byte, with packets arriving
// while the commands pause. Read is also run against the txsim simulator.

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "apptest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "ptypeer.h"
#include "txsimprocess.h"

namespace {

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

QByteArray be16(int v)
{
    QByteArray b;
    b.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
    return b;
}

// 0xFE 0x18, eight BE16 channel outputs, BE16 battery in 0.01 V.
QByteArray channelPacket(const QVector<int> &values, int txVoltage)
{
    QByteArray p("\xFE\x18", 2);
    for (int v : values)
        p += be16(v);
    p += be16(txVoltage);
    return p;
}

// 0xFE 0x19, RSSI, receiver battery, BE16 power battery, two unused BE16,
// four trim bytes, six unused bytes.
QByteArray telemetryPacket(int rssi, int rx, int ext, const QVector<int> &trims)
{
    QByteArray p("\xFE\x19", 2);
    p.append(char(rssi)).append(char(rx));
    p += be16(ext);
    p += be16(0x1111);
    p += be16(0x2222);
    for (int t : trims)
        p.append(char(t));
    p.append(QByteArray(6, '\0'));
    return p;
}

// 0xFE, any byte, section code, eight data bytes, 0xFE.
QByteArray settingsPacket(int code, const QVector<int> &data)
{
    QByteArray p;
    p.append(char(0xFE)).append(char(0x01)).append(char(code));
    for (int d : data)
        p.append(char(d));
    p.append(char(0xFE));
    return p;
}

// Section 7: anything, anything, 0xAA, aux sources of CH5..CH8, anything.
QByteArray shortSettingsPacket(int a5, int a6, int a7, int a8)
{
    QByteArray p("\x33\x44\xAA", 3);
    p.append(char(a5)).append(char(a6)).append(char(a7)).append(char(a8)).append(char(0x55));
    return p;
}

// The frames the Initial values make, as the transmitter receives them.
const QByteArray initialS = "S00100000787878787878787870707070707070707070707070707070424210424242424213027E1Y";
const QByteArray initialG = "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z";
const QByteArray initialH = "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X";
const QByteArray initialI = "I88888888"
                            "00000000000000000000000000000000000000000000000000000000000000000000000V";
// After the factory values only 3.7 V and stick mode 2 differ.
const QByteArray factoryS = "S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y";

const char *const channelTexts[8] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                     "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};

// A window with its port open on a pseudo-terminal.
struct Rig {
    PtyPeer peer;
    MainWindow window;

    bool open()
    {
        if (!peer.isOpen() || !apptest::openPort(&window, peer.slavePath()))
            return false;
        return peer.waitFor(2, 2000) && peer.readAll(30) == "OK";
    }

    // One chunk in, its acknowledgement out.
    bool exchange(const QByteArray &chunk)
    {
        peer.readAll();
        if (!peer.write(chunk) || !peer.waitFor(3, 2000))
            return false;
        const QByteArray answer = peer.readAll();
        if (answer != "WWW")
            qWarning("answer to a %d-byte chunk: \"%s\"", int(chunk.size()), answer.constData());
        return answer == "WWW";
    }

    template <typename T>
    T *find(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
};

// Acts as the program's output reaches the peer: each step runs once, when
// the end letter of its frame has arrived. Polls from a timer, so it also
// runs inside the pauses of a command. Logs the arrival times.
class StreamWatch
{
public:
    explicit StreamWatch(PtyPeer &peer) : m_peer(peer)
    {
        m_clock.start();
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    ~StreamWatch() { m_timer.stop(); }

    void onFrame(char endLetter, const std::function<void()> &action)
    {
        m_steps.append({endLetter, action, false});
    }

private:
    struct Step {
        char end;
        std::function<void()> action;
        bool done;
    };

    void poll()
    {
        const QByteArray got = m_peer.received();
        for (char end : {'Y', 'Z', 'X', 'V'}) {
            if (!m_logged.contains(end) && got.contains(end)) {
                m_logged.append(end);
                qInfo("frame ending '%c' complete at %lld ms", end, m_clock.elapsed());
            }
        }
        for (Step &s : m_steps) {
            if (!s.done && got.contains(s.end)) {
                s.done = true;
                s.action();
            }
        }
    }

    PtyPeer &m_peer;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QList<Step> m_steps;
    QByteArray m_logged;
};

ParamSet factorySet()
{
    ParamSet f;
    f.txAlarmVolt = 3.7;
    f.txAlarmVoltX10 = 37;
    f.stickMode = 2;
    return f;
}

// Settings far from the start values, for the commands to overwrite.
void spoilSettings()
{
    paramSet.subTrim[1] = 50;
    paramSet.epaRight[8] = 10;
    paramSet.servoDelay[4] = 20;
    paramSet.thrCurve[7] = 70;
    paramSet.txAlarmVolt = 9.9;
    paramSet.stickMode = 4;
    paramSet.firmwareVersion = 7;
    for (int t = 1; t <= 4; ++t)
        paramSet.stickTrim[t] = 100;
}

} // namespace

class LinkTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // receiver
    void oneAckPerChunk_data();
    void oneAckPerChunk();
    void droppedChunksDecodeNothing();
    void channelPacketAtNextTick_data();
    void channelPacketAtNextTick();
    void telemetryReadings_data();
    void telemetryReadings();
    void telemetryTrims_data();
    void telemetryTrims();
    void settingsStoredAndRepaired();
    void refreshRightAfterSettingsPacket_data();
    void refreshRightAfterSettingsPacket();
    void readFlagLogged_data();
    void readFlagLogged();

    // commands
    void commandsNeedOpenPort_data();
    void commandsNeedOpenPort();
    void readSendsRR();
    void readFromSimulator();
    void writeSendsInitialFrames();
    void writeFollowsPacketsBetweenFrames();
    void factoryResetKeepsTrimsBlocked();
    void secondResetPutsTrimsBack();
};

void LinkTest::init()
{
    apptest::resetProcessState();
}

// ----------------------------------------------------------------- receiver

void LinkTest::oneAckPerChunk_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");

    const QVector<int> centre(8, 1000);
    const QByteArray channel = channelPacket(centre, 740);
    const QByteArray settings = settingsPacket(0x55, {0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78, 0x78});

    QTest::newRow("channel") << QList<QByteArray>{channel};
    QTest::newRow("telemetry") << QList<QByteArray>{telemetryPacket(40, 74, 123, {120, 120, 120, 120})};
    QTest::newRow("settings") << QList<QByteArray>{settings};
    QTest::newRow("short settings") << QList<QByteArray>{shortSettingsPacket(1, 3, 0, 2)};
    QTest::newRow("unknown section") << QList<QByteArray>{settingsPacket(0x18, QVector<int>(8, 0))};
    QTest::newRow("one junk byte") << QList<QByteArray>{QByteArray("\x42", 1)};
    QTest::newRow("wrong marker") << QList<QByteArray>{QByteArray(20, '\x18')};
    QTest::newRow("split packet") << QList<QByteArray>{channel.left(10), channel.mid(10)};
    QTest::newRow("two packets joined") << QList<QByteArray>{settings + settings};
    QTest::newRow("a run of five") << QList<QByteArray>{channel, settings, channel, channel, settings};
}

void LinkTest::oneAckPerChunk()
{
    QFETCH(QList<QByteArray>, chunks);

    Rig rig;
    QVERIFY(rig.open());
    rig.peer.clear();
    for (const QByteArray &chunk : chunks)
        QVERIFY(rig.exchange(chunk));
    rig.peer.spin(100);
    QCOMPARE(rig.peer.received(), QByteArray("WWW").repeated(chunks.size()));
}

void LinkTest::droppedChunksDecodeNothing()
{
    Rig rig;
    QVERIFY(rig.open());

    const QVector<int> moved{1, 2, 3, 4, 5, 6, 7, 8};
    const QByteArray channel = channelPacket(moved, 1234);
    const QByteArray subTrims = settingsPacket(0x55, {0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C, 0x8C});

    // Split across two reads: lost.
    QVERIFY(rig.exchange(channel.left(10)));
    QVERIFY(rig.exchange(channel.mid(10)));
    // Two settings packets in one read: lost.
    QVERIFY(rig.exchange(subTrims + subTrims));
    // Markers missing.
    QByteArray badEnd = subTrims;
    badEnd[11] = char(0xFD);
    QVERIFY(rig.exchange(badEnd));
    QByteArray badStart = subTrims;
    badStart[0] = char(0x00);
    QVERIFY(rig.exchange(badStart));
    QByteArray badType = channel;
    badType[1] = char(0x17);
    QVERIFY(rig.exchange(badType));
    QByteArray shortNoMarker = shortSettingsPacket(5, 5, 5, 5);
    shortNoMarker[2] = char(0xAB);
    QVERIFY(rig.exchange(shortNoMarker));

    QVERIFY(paramSet == ParamSet());
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(liveValues.channel(n), 1000);
    QCOMPARE(liveValues.txVoltage, 0);
    QCOMPARE(liveValues.ReadFlag, 0);

    // The same bytes whole are taken.
    QVERIFY(rig.exchange(channel));
    QCOMPARE(liveValues.channelValue1, 1);
    QCOMPARE(liveValues.channelValue8, 8);
    QVERIFY(rig.exchange(subTrims));
    QCOMPARE(paramSet.subTrim[1], 20);
    QCOMPARE(paramSet.subTrim[8], 20);
}

void LinkTest::channelPacketAtNextTick_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");

    // The packet below carries 0, 999, 1000, 1001, 2000, 500, 1500, 65535.
    QTest::newRow("CH1 0") << 1 << "0" << 1010 << 1000;
    QTest::newRow("CH2 999") << 2 << "999" << 11 << 1000;
    QTest::newRow("CH3 1000") << 3 << "1000" << 10 << 1000;
    QTest::newRow("CH4 1001") << 4 << "1001" << 10 << 999;
    QTest::newRow("CH5 2000") << 5 << "2000" << 10 << 0;
    QTest::newRow("CH6 500") << 6 << "500" << 510 << 1000;
    QTest::newRow("CH7 1500") << 7 << "1500" << 10 << 500;
    // No sign: 65535; its lower bar value is out of range and ignored.
    QTest::newRow("CH8 65535") << 8 << "65535" << 10 << 1000;
}

void LinkTest::channelPacketAtNextTick()
{
    QFETCH(int, channel);
    QFETCH(QString, text);
    QFETCH(int, upper);
    QFETCH(int, lower);

    Rig rig;
    QVERIFY(rig.open());
    auto *value = rig.find<QLineEdit>(channelTexts[channel - 1]);
    auto *upperBar = rig.window.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(channel * 10));
    auto *lowerBar = rig.window.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(channel * 10 + 1));
    QVERIFY(value && upperBar && lowerBar);
    QTRY_COMPARE(value->text(), QStringLiteral("1000"));

    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, false));
    QVERIFY(rig.exchange(channelPacket({0, 999, 1000, 1001, 2000, 500, 1500, 65535}, 1234)));
    // Stored at once, shown only by the refresh.
    QCOMPARE(liveValues.channel(channel), text.toInt());
    QCOMPARE(liveValues.txVoltage, 1234);
    QCOMPARE(rig.find<QLineEdit>("lineEdit_TX")->text(), u8(" 0.0V"));
    QCOMPARE(value->text(), QStringLiteral("1000"));
    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, true));

    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_TX")->text(), u8("12.3 V"));
    QCOMPARE(value->text(), text);
    QCOMPARE(upperBar->value(), upper);
    QCOMPARE(lowerBar->value(), lower);
}

void LinkTest::telemetryReadings_data()
{
    QTest::addColumn<int>("rssi");
    QTest::addColumn<int>("rx");
    QTest::addColumn<int>("ext");
    QTest::addColumn<QString>("rssiText");
    QTest::addColumn<QString>("rxText");
    QTest::addColumn<QString>("extText");

    QTest::newRow("typical") << 40 << 74 << 123 << "-60dBm" << " 7.4V" << "12.3 V";
    QTest::newRow("edges") << 1 << 99 << 100 << "-99dBm" << " 9.9V" << "10.0 V";
    QTest::newRow("strongest") << 100 << 5 << 0 << "-00dBm" << " 0.5V" << " 0.0V";
    QTest::newRow("no signal") << 0 << 0 << 65535 << "null" << " 0.0V" << "53.5 V";
    // Off the device's scale: shown as the strongest.
    QTest::newRow("above 100") << 150 << 255 << 999 << "-00dBm" << "25.5 V" << "99.9 V";
}

void LinkTest::telemetryReadings()
{
    QFETCH(int, rssi);
    QFETCH(int, rx);
    QFETCH(int, ext);
    QFETCH(QString, rssiText);
    QFETCH(QString, rxText);
    QFETCH(QString, extText);

    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.exchange(telemetryPacket(rssi, rx, ext, {120, 120, 120, 120})));
    QCOMPARE(liveValues.rssiValue, rssi);
    QCOMPARE(liveValues.rxVoltage, rx);
    QCOMPARE(liveValues.extVoltage, ext);
    QCOMPARE(liveValues.telemetryExtra1, 0x1111);
    QCOMPARE(liveValues.telemetryExtra2, 0x2222);
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_RSSI")->text(), rssiText);
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_RX")->text(), rxText);
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_EXT")->text(), extText);
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

    // The receiver repairs what is out of range. The throttle-curve extra
    // has no editor, so no widget limit comes in between.
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

    // The editors show them by the next tick.
    QTRY_COMPARE(rig.find<QSpinBox>("spinBox_sub2")->value(), 20);
    QTRY_COMPARE(rig.find<QSpinBox>("spinBox_Mode")->value(), 3);
    QCOMPARE(rig.find<QDoubleSpinBox>("doubleSpinBox_Volt")->value(), 4.2);
    QCOMPARE(rig.find<QSpinBox>("spinBox_Rssi")->value(), -50);
    QCOMPARE(rig.find<QComboBox>("comboBox_AUX5")->currentIndex(), 5);
}

void LinkTest::refreshRightAfterSettingsPacket_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("refresh");

    const QVector<int> data(8, 0x78);
    QTest::newRow("settings") << settingsPacket(0x55, data) << true;
    QTest::newRow("unknown section 0x18") << settingsPacket(0x18, data) << true;
    QTest::newRow("unknown section 0x00") << settingsPacket(0x00, data) << true;
    QByteArray badEnd = settingsPacket(0x55, data);
    badEnd[11] = char(0x00);
    QTest::newRow("end marker missing") << badEnd << false;
    QTest::newRow("short settings") << shortSettingsPacket(1, 3, 0, 2) << false;
    QTest::newRow("channel") << channelPacket(QVector<int>(8, 1500), 740) << false;
    QTest::newRow("telemetry") << telemetryPacket(40, 74, 123, {120, 120, 120, 120}) << false;
}

// With the refresh timer stopped, only the receiver itself can have brought
// a changed setting into its widget.
void LinkTest::refreshRightAfterSettingsPacket()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, refresh);

    Rig rig;
    QVERIFY(rig.open());
    auto *delay8 = rig.find<QSpinBox>("spinBox_delay8");
    auto *ch1 = rig.find<QLineEdit>("lineEdit");
    QVERIFY(delay8 && ch1);
    // A tick has run (the form's text is "0").
    QTRY_COMPARE(ch1->text(), QStringLiteral("1000"));
    QCOMPARE(delay8->value(), 100);
    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, false));

    // A setting no packet of the table carries, and a live value.
    paramSet.servoDelay[8] = 42;
    liveValues.channelValue1 = 777;
    QVERIFY(rig.exchange(chunk));

    QCOMPARE(delay8->value(), refresh ? 42 : 100);
    QCOMPARE(ch1->text(), refresh ? QStringLiteral("777") : QStringLiteral("1000"));

    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, true));
    QTRY_COMPARE(delay8->value(), 42);
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
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("blockedWhileBoxShown");

    QTest::newRow("Read") << "toolButton_Read" << 0;
    QTest::newRow("Write") << "toolButton_Send" << 0;
    QTest::newRow("factory Reset") << "toolButton_Reset" << 1;
    QTest::newRow("second reset") << "pushButton_Reset2" << 0;
}

void LinkTest::commandsNeedOpenPort()
{
    QFETCH(QString, button);
    QFETCH(int, blockedWhileBoxShown);

    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    MainWindow w;
    // The device is named in the box, but the port was never opened.
    w.findChild<QComboBox *>("portNameBox")->setEditText(peer.slavePath());
    auto *b = w.findChild<QAbstractButton *>(button);
    QVERIFY(b);

    spoilSettings();
    const ParamSet before = paramSet;
    const FrameTexts framesBefore = frameTexts;

    apptest::MessageLog log;
    apptest::ModalAnswerer answerer(5000);
    int blocked = -1;
    answerer.onShown([&blocked](const apptest::ModalSeen &) { blocked = liveValues.trimUpdateBlocked; });
    b->click();
    answerer.stop();

    QCOMPARE(answerer.boxes(), QStringList{u8("提示|无法打开串口！")});
    QCOMPARE(blocked, blockedWhileBoxShown);
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QVERIFY(b->isEnabled());
    QVERIFY(paramSet == before);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(frameTexts.text[k], framesBefore.text[k]);
    // No frame was built.
    QCOMPARE(log.linesStartingWith(QStringLiteral("Str")), QStringList());
    QCOMPARE(peer.readAll(100), QByteArray());
    QCOMPARE(w.findChild<QAbstractButton *>("openButton")->text(), u8("打开串口"));
}

void LinkTest::readSendsRR()
{
    Rig rig;
    QVERIFY(rig.open());
    rig.peer.clear();
    auto *read = rig.find<QAbstractButton>("toolButton_Read");
    QVERIFY(read);
    // The first event handled after the click is inside the 200 ms guard.
    bool disabledInGuard = false;
    QTimer::singleShot(0, [&] { disabledInGuard = !read->isEnabled(); });
    read->click();
    QVERIFY(read->isEnabled());
    QVERIFY(disabledInGuard);
    QVERIFY(rig.peer.waitFor(2, 2000));
    QCOMPARE(rig.peer.readAll(200), QByteArray("RR"));
    QVERIFY(paramSet == ParamSet());
}

void LinkTest::readFromSimulator()
{
    // A Parameter file for the simulator, differing from the start values in
    // reverse[1] 1, subTrim[1] 20, epaLeft[2] 110, 4.2 V, stick mode 3,
    // attitude[1] 20, servoDelay[1] 50, thrCurve[4] 60 and RSSI alarm -50.
    const QByteArray file = "S101000008C78787878787878707E7070707070707070707070707070424210424242424213023A3Y"
                            "G4242D3C4855680DCDCDCDCDC140A642A6A6642747474747474740074747474747474740135006D2Z"
                            "H7474747474747474003747474015747474001020314C53647407474747474747474110460380000X"
                            "I88888888"
                            "00000000000000000000000000000000000000000000000000000000000000000000000V";
    QCOMPARE(file.size(), 324);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("simulator.txt"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(file), qint64(file.size()));
    }

    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), path});
    if (!sim.start())
        QFAIL(qPrintable(QStringLiteral("txsim (%1): %2").arg(TxSimProcess::program(), sim.errorString())));

    MainWindow w;
    QVERIFY(apptest::openPort(&w, sim.portName()));
    QVERIFY(sim.waitForStandardError("connected", 5000));
    w.findChild<QAbstractButton *>("toolButton_Read")->click();

    ParamSet expected;
    expected.reverse[1] = 1;
    expected.subTrim[1] = 20;
    expected.epaLeft[2] = 110;
    expected.txAlarmVoltX10 = 42;
    expected.txAlarmVolt = 4.2;
    expected.stickMode = 3;
    expected.attitude[1] = 20;
    expected.servoDelay[1] = 50;
    expected.thrCurve[4] = 60;
    expected.rssiAlarm = -50;

    // The answers may still be coming after the command's pause.
    QTRY_VERIFY_WITH_TIMEOUT(paramSet.rssiAlarm == -50 && paramSet.thrCurve[4] == 60, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(paramSet.reverse[1] == 1 && paramSet.subTrim[1] == 20, 10000);
    // The simulator reports a firmware version of its own.
    expected.firmwareVersion = paramSet.firmwareVersion;
    QTRY_VERIFY_WITH_TIMEOUT(paramSet == expected, 10000);

    QTRY_COMPARE(w.findChild<QComboBox *>("comboBox_rev1")->currentIndex(), 1);
    QTRY_COMPARE(w.findChild<QSpinBox *>("spinBox_sub1")->value(), 20);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Lepa2")->value(), 110);
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_Volt")->value(), 4.2);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Mode")->value(), 3);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Atti1")->value(), 20);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_delay1")->value(), 50);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_THCURE_Data04")->value(), 60);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Rssi")->value(), -50);
    // Untouched by the read: still the start values.
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_sub2")->value(), 0);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_delay2")->value(), 100);
}

void LinkTest::writeSendsInitialFrames()
{
    Rig rig;
    QVERIFY(rig.open());
    rig.peer.clear();
    apptest::MessageLog log;
    {
        StreamWatch watch(rig.peer); // arrival times in the log
        rig.find<QAbstractButton>("toolButton_Send")->click();
    }
    QVERIFY(rig.peer.waitFor(4 * 81 + 3, 3000));
    rig.peer.spin(100);
    QCOMPARE(rig.peer.received(), initialS + initialG + initialH + initialI + "WWW");
    QCOMPARE(frameTexts.text[0], QString::fromLatin1(initialS));
    QCOMPARE(frameTexts.text[3], QString::fromLatin1(initialI));
    QCOMPARE(log.linesStartingWith(QStringLiteral("Str")),
             (QStringList{QStringLiteral("Str1Blength:81"), QStringLiteral("Str2Blength:81"),
                          QStringLiteral("Str3Blength:81"), QStringLiteral("Str4Blength:81")}));
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
    rig.peer.clear();
    {
        StreamWatch watch(rig.peer);
        // After S: servo delay CH1 50, for the G frame.
        watch.onFrame('Y', [&] { rig.peer.write(settingsPacket(0xA4, {50, 100, 100, 100, 100, 100, 100, 100})); });
        // After G: dual rate UP of CH1 60, for the H frame.
        watch.onFrame('Z', [&] { rig.peer.write(settingsPacket(0xA5, {60, 100, 100, 100, 100, 100, 100, 100})); });
        // After H: trim 1 at 130, for the I frame.
        watch.onFrame('X', [&] { rig.peer.write(telemetryPacket(40, 74, 123, {130, 120, 120, 120})); });
        rig.find<QAbstractButton>("toolButton_Send")->click();
    }
    QVERIFY(rig.peer.waitFor(4 * 81 + 4 * 3, 3000));
    rig.peer.spin(100);

    const QByteArray g = "G41E2D3C4855680DCDCDCDCDC140A642A6A6642747474747474740074747474747474740135006D2Z";
    const QByteArray h = "H4C74747474747474003747474015747474001020314253647407474747474747474110140380000X";
    const QByteArray i = "I92888888"
                         "00000000000000000000000000000000000000000000000000000000000000000000000V";
    QCOMPARE(rig.peer.received(), initialS + "WWW" + g + "WWW" + h + "WWW" + i + "WWW");
    QCOMPARE(paramSet.servoDelay[1], 50);
    QCOMPARE(paramSet.drRateUp[1], 60);
    QCOMPARE(paramSet.stickTrim[1], 130);
}

void LinkTest::factoryResetKeepsTrimsBlocked()
{
    Rig rig;
    QVERIFY(rig.open());
    rig.peer.clear();
    spoilSettings();

    QVector<int> blockedSeen;
    QVector<int> trimSeen;
    const QByteArray telemetry = telemetryPacket(40, 74, 123, {200, 200, 200, 200});
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
        rig.find<QAbstractButton>("toolButton_Reset")->click();
    }
    QVERIFY(rig.peer.waitFor(4 * 81 + 4 * 3, 3000));
    rig.peer.spin(100);

    QCOMPARE(rig.peer.received(),
             factoryS + "WWW" + initialG + initialH + "WWW" + initialI + "WWW" + "WWW");
    QCOMPARE(blockedSeen, (QVector<int>{1, 1, 1}));
    QCOMPARE(trimSeen, QVector<int>{120});
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    // The telemetry was taken, all but its trims.
    QCOMPARE(liveValues.rssiValue, 40);
    QCOMPARE(liveValues.extVoltage, 123);

    ParamSet expected = factorySet();
    expected.firmwareVersion = 7; // not a factory setting
    QVERIFY(paramSet == expected);
    QCOMPARE(paramSet.stickTrim[1], 120);
    QCOMPARE(paramSet.stickTrim[4], 120);

    // Unblocked again: the next telemetry moves the trims.
    QVERIFY(rig.exchange(telemetry));
    QCOMPARE(paramSet.stickTrim[1], 200);
}

void LinkTest::secondResetPutsTrimsBack()
{
    Rig rig;
    QVERIFY(rig.open());
    rig.peer.clear();
    spoilSettings();

    QVector<int> blockedSeen;
    QVector<int> trimSeen;
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
        rig.find<QAbstractButton>("pushButton_Reset2")->click();
    }
    QVERIFY(rig.peer.waitFor(4 * 81 + 3 * 3, 3000));
    rig.peer.spin(100);

    // The same frames as the factory Reset: the trims went back to 120
    // before the I frame was built.
    QCOMPARE(rig.peer.received(), factoryS + "WWW" + initialG + initialH + "WWW" + initialI + "WWW");
    // Not blocked: the telemetry did move the trims during the pauses.
    QCOMPARE(blockedSeen, QVector<int>{0});
    QCOMPARE(trimSeen, (QVector<int>{200, 203}));
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QCOMPARE(liveValues.rssiValue, 41);

    ParamSet expected = factorySet();
    expected.firmwareVersion = 7;
    QVERIFY(paramSet == expected);
}

QTEST_MAIN(LinkTest)
#include "tst_link.moc"
