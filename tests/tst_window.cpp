// The window on its link, through a pseudo-terminal: what the displays make
// of Device packets, the command buttons while a command runs, a close in the
// middle of one, Read against the simulator, and one Write end to end at the
// real pacing.

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "apptest.h"
#include "filetest.h"
#include "fixtures.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "txsimprocess.h"

using namespace fixtures;

namespace {

const char *const channelTexts[8] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                     "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};

const char *const commandButtons[] = {"toolButton_Read",  "toolButton_Load",  "toolButton_Send",
                                      "toolButton_Save",  "toolButton_Reset", "pushButton_Reset2"};

// A window with its port open on a pseudo-terminal.
struct Rig {
    PtyPeer peer;
    MainWindow window;

    Rig() { window.link().setPacing(linktest::fastPacing()); }

    bool open()
    {
        if (!peer.isOpen() || !apptest::openPort(&window, peer.slavePath()))
            return false;
        const bool ok = peer.waitFor(2, 2000) && peer.readAll(20) == "OK";
        peer.clear();
        return ok;
    }

    // One chunk in, its acknowledgement out.
    bool exchange(const QByteArray &chunk)
    {
        peer.readAll();
        return peer.write(chunk) && peer.waitFor(3, 2000) && peer.readAll() == "WWW";
    }

    template <typename T>
    T *find(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }

    // The review before writing, if any, is answered with Return.
    QByteArray click(const char *button)
    {
        apptest::ModalAnswerer review;
        find<QAbstractButton>(button)->click();
        if (!linktest::waitIdle(window.link()))
            return "<still running>";
        peer.spin(20);
        return peer.received();
    }
};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void channelPacketAtNextTick();
    void telemetryReadings_data();
    void telemetryReadings();
    void refreshRightAfterSettingsPacket_data();
    void refreshRightAfterSettingsPacket();
    void editorsShowRepairedSettings_data();
    void editorsShowRepairedSettings();

    void commandsNeedOpenPort_data();
    void commandsNeedOpenPort();
    void buttonsOffWhileCommandRuns();
    void closeDuringWrite();
    void readFromSimulator();
    void writeAtRealPacing();
};

void WindowTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void WindowTest::init()
{
    apptest::resetProcessState();
}

// Stored at once, shown by the next tick: texts and centre-zero bars.
void WindowTest::channelPacketAtNextTick()
{
    struct Shown {
        int value;
        int upper;
        int lower;
    };
    // No sign: 65535, whose lower bar value is out of range and ignored.
    const Shown shown[8] = {{0, 1010, 1000},   {999, 11, 1000}, {1000, 10, 1000}, {1001, 10, 999},
                            {2000, 10, 0},     {500, 510, 1000}, {1500, 10, 500}, {65535, 10, 1000}};
    QVector<int> values;
    for (const Shown &c : shown)
        values << c.value;

    Rig rig;
    QVERIFY(rig.open());
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit")->text(), QStringLiteral("1000"));
    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, false));
    QVERIFY(rig.exchange(channelPacket(values, 1234)));
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(liveValues.channel(n), shown[n - 1].value);
    QCOMPARE(rig.find<QLineEdit>("lineEdit_TX")->text(), u8(" 0.0V"));
    QCOMPARE(rig.find<QLineEdit>("lineEdit")->text(), QStringLiteral("1000"));
    QVERIFY(apptest::setRefreshTimerRunning(&rig.window, true));

    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_TX")->text(), u8("12.3 V"));
    for (int n = 1; n <= 8; ++n) {
        const Shown &c = shown[n - 1];
        QCOMPARE(rig.find<QLineEdit>(channelTexts[n - 1])->text(), QString::number(c.value));
        QCOMPARE(rig.window.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10))->value(),
                 c.upper);
        QCOMPARE(rig.window.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10 + 1))->value(),
                 c.lower);
    }
}

void WindowTest::telemetryReadings_data()
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

void WindowTest::telemetryReadings()
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
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_RSSI")->text(), rssiText);
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_RX")->text(), rxText);
    QTRY_COMPARE(rig.find<QLineEdit>("lineEdit_EXT")->text(), extText);
}

void WindowTest::refreshRightAfterSettingsPacket_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("refresh");

    const QVector<int> data(8, 0x78);
    QTest::newRow("settings") << settingsPacket(0x55, data) << true;
    QTest::newRow("unknown section 0x00") << settingsPacket(0x00, data) << true;
    QTest::newRow("short settings") << shortSettingsPacket(1, 3, 0, 2) << false;
    QTest::newRow("channel") << channelPacket(QVector<int>(8, 1500), 740) << false;
}

// With the refresh timer stopped, only the receiver itself can have brought
// a changed setting into its widget.
void WindowTest::refreshRightAfterSettingsPacket()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, refresh);

    Rig rig;
    QVERIFY(rig.open());
    auto *delay8 = rig.find<QSpinBox>("spinBox_delay8");
    auto *ch1 = rig.find<QLineEdit>("lineEdit");
    QTRY_COMPARE(ch1->text(), QStringLiteral("1000")); // a tick has run (the form says "0")
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

void WindowTest::editorsShowRepairedSettings_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("value"); // shown by the editor and held by the field

    const QVector<int> centre(8, 0x78);
    QTest::newRow("sub-trim") << QList<QByteArray>{settingsPacket(0x55, {0x78, 0x8C, 0, 0, 0, 0, 0, 0})}
                              << "spinBox_sub2" << QByteArray("subTrim") << 2 << 20.0;
    // -120 is outside both the rule and the box: the rule's 0 wins, not the
    // box's -100.
    QTest::newRow("sub-trim -120") << QList<QByteArray>{settingsPacket(0x55, {0, 0, 0, 0, 0, 0, 0, 0})}
                                   << "spinBox_sub1" << QByteArray("subTrim") << 1 << 0.0;
    // 255 is outside both: the safe 50, not the box's extreme 100.
    QTest::newRow("fail-safe 255") << QList<QByteArray>{settingsPacket(0x88, {255, 0, 0, 0, 0, 0, 0, 0})}
                                   << "spinBox_FS1" << QByteArray("failSafe") << 1 << 50.0;
    QTest::newRow("stick mode") << QList<QByteArray>{settingsPacket(0x99, {0x00, 0x2A, 0x00, 0x03, 0, 0x33, 0, 0})}
                                << "spinBox_Mode" << QByteArray("stickMode") << 0 << 3.0;
    QTest::newRow("rssi alarm") << QList<QByteArray>{settingsPacket(0xAB, {0, 0, 0x00, 0x4B, 50, 62, 0, 0})}
                                << "spinBox_Rssi" << QByteArray("rssiAlarm") << 0 << -50.0;
    // Mix 3's up rate: -50 is inside the rule but below its box (0..100),
    // which already shows 0; the box's 0 flows back all the same.
    QTest::newRow("mix 3 up rate") << QList<QByteArray>{settingsPacket(0xA8, {0, 0, 3, 100, 50, 100, 0, 1})}
                                   << "spinBox_PRM03_Data2" << QByteArray("prmUpRate") << 3 << 0.0;
    // The external alarm at 100.0 V passes the rule; the box stops at 99.9,
    // which it already shows after the first packet.
    QTest::newRow("ext alarm 100.0 V") << QList<QByteArray>{settingsPacket(0xAB, {0, 0, 0x03, 0xE7, 50, 62, 0, 0}),
                                                            settingsPacket(0xAB, {0, 0, 0x03, 0xE8, 50, 62, 0, 0})}
                                       << "doubleSpinBox_extVolt" << QByteArray("extAlarmVolt") << 0 << 99.9;
}

void WindowTest::editorsShowRepairedSettings()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, editor);
    QFETCH(QByteArray, field);
    QFETCH(int, index);
    QFETCH(double, value);

    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(apptest::invokeSlot(&rig.window, "ui_Display")); // the editors show the start values
    auto *box = rig.window.findChild<QAbstractSpinBox *>(editor);
    QVERIFY(box);
    // Each settings packet is shown before it is acknowledged.
    for (const QByteArray &chunk : chunks)
        QVERIFY(rig.exchange(chunk));
    const double shown = box->property("value").toDouble();
    QCOMPARE(shown, value);
    if (field.endsWith("Volt"))
        QCOMPARE(paramDouble(paramSet, field), value);
    else
        QCOMPARE(paramInt(paramSet, field, index), int(value));
}

// ----------------------------------------------------------------- commands

void WindowTest::commandsNeedOpenPort_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("blockedWhileBoxShown");

    QTest::newRow("Read") << "toolButton_Read" << 0;
    QTest::newRow("Write") << "toolButton_Send" << 0;
    QTest::newRow("factory Reset") << "toolButton_Reset" << 1;
    QTest::newRow("second reset") << "pushButton_Reset2" << 0;
}

void WindowTest::commandsNeedOpenPort()
{
    QFETCH(QString, button);
    QFETCH(int, blockedWhileBoxShown);

    Rig rig;
    // The device is named in the box, but the port was never opened.
    rig.find<QComboBox>("portNameBox")->setEditText(rig.peer.slavePath());
    spoilSettings();
    const ParamSet before = paramSet;

    apptest::ModalAnswerer answerer(5000);
    int blocked = -1;
    answerer.onShown([&blocked](const apptest::ModalSeen &) { blocked = liveValues.trimUpdateBlocked; });
    QCOMPARE(rig.click(qPrintable(button)), QByteArray());
    answerer.stop();

    QCOMPARE(answerer.boxes(), QStringList{u8("提示|无法打开串口！")});
    QCOMPARE(answerer.seen().first().informative, u8("请先打开串口"));
    QCOMPARE(blocked, blockedWhileBoxShown);
    QCOMPARE(liveValues.trimUpdateBlocked, 0);
    QVERIFY(rig.find<QAbstractButton>(qPrintable(button))->isEnabled());
    QVERIFY(paramSet == before);
    QCOMPARE(rig.find<QAbstractButton>("openButton")->text(), apptest::closedText());
}

// While a Write runs the command buttons are off and clicks on them, or
// their slots called directly, change nothing; the open button stays usable.
void WindowTest::buttonsOffWhileCommandRuns()
{
    Rig rig;
    QVERIFY(rig.open());
    QStringList enabledDuring;
    bool openButtonUsable = false;
    {
        StreamWatch watch(rig.peer);
        watch.onFrame('Y', [&] {
            for (const char *name : commandButtons) {
                auto *b = rig.find<QAbstractButton>(name);
                if (b->isEnabled())
                    enabledDuring << QLatin1String(name);
                b->click();
            }
            for (const char *slot : {"on_toolButton_Read_clicked", "on_toolButton_Send_clicked",
                                     "on_toolButton_Reset_clicked", "on_pushButton_Reset2_clicked"})
                apptest::invokeSlot(&rig.window, slot);
            openButtonUsable = rig.find<QAbstractButton>("openButton")->isEnabled();
        });
        QCOMPARE(rig.click("toolButton_Send"), initialS + initialG + initialH + initialI + "WWW");
    }
    QCOMPARE(enabledDuring, QStringList());
    QVERIFY(openButtonUsable);
    for (const char *name : commandButtons)
        QVERIFY2(rig.find<QAbstractButton>(name)->isEnabled(), name);
}

void WindowTest::closeDuringWrite()
{
    Rig rig;
    QVERIFY(rig.open());
    {
        StreamWatch watch(rig.peer);
        watch.onFrame('Y', [&] {
            testsupport::expectWarning(QStringLiteral("Write stopped after 1 of 4"));
            rig.find<QAbstractButton>("openButton")->click();
        });
        apptest::ModalAnswerer review;
        rig.find<QAbstractButton>("toolButton_Send")->click();
        QVERIFY(linktest::waitIdle(rig.window.link()));
        rig.peer.spin(200); // a frame's pause and more
    }
    QCOMPARE(rig.peer.received(), initialS + "DIS");
    QCOMPARE(rig.find<QAbstractButton>("openButton")->text(), apptest::closedText());
    QCOMPARE(testsupport::missingWarnings(), QStringList());
}

void WindowTest::readFromSimulator()
{
    // A Parameter file for the simulator, differing from the start values in
    // reverse[1] 1, subTrim[1] 20, epaLeft[2] 110, 4.2 V, stick mode 3,
    // attitude[1] 20, servoDelay[1] 50, thrCurve[4] 60 and RSSI alarm -50.
    const QByteArray file = "S101000008C78787878787878707E7070707070707070707070707070424210424242424213023A3Y"
                            "G4242D3C4855680DCDCDCDCDC140A642A6A6642747474747474740074747474747474740135006D2Z"
                            "H7474747474747474003747474015747474001020314C53647407474747474747474110460380000X"
                            "I88888888"
                            "00000000000000000000000000000000000000000000000000000000000000000000000V";
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("simulator.txt"));
    QVERIFY(writeBytes(path, file));

    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), path});
    if (!sim.start())
        QFAIL(qPrintable(QStringLiteral("txsim (%1): %2").arg(TxSimProcess::program(), sim.errorString())));

    MainWindow w;
    w.link().setPacing(linktest::fastPacing());
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

    // The answers may still be coming after the command has ended.
    QTRY_VERIFY_WITH_TIMEOUT(paramSet.rssiAlarm == -50 && paramSet.thrCurve[4] == 60, 10000);
    // The simulator reports a firmware version of its own.
    expected.firmwareVersion = paramSet.firmwareVersion;
    QTRY_VERIFY_WITH_TIMEOUT(paramSet == expected, 10000);

    QTRY_COMPARE(w.findChild<QComboBox *>("comboBox_rev1")->currentIndex(), 1);
    QTRY_COMPARE(w.findChild<QSpinBox *>("spinBox_sub1")->value(), 20);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Lepa2")->value(), 110);
    QCOMPARE(w.findChild<QDoubleSpinBox *>("doubleSpinBox_Volt")->value(), 4.2);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_Mode")->value(), 3);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_THCURE_Data04")->value(), 60);
    // Untouched by the read: still the start values.
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_sub2")->value(), 0);
    QCOMPARE(w.findChild<QSpinBox *>("spinBox_delay2")->value(), 100);
}

// The one command run at the program's own pacing: 200 ms guard, the four
// frames about 800 ms apart, "WWW". The gaps go to the log, not into checks.
void WindowTest::writeAtRealPacing()
{
    PtyPeer peer;
    MainWindow w;
    QVERIFY(apptest::openPort(&w, peer.slavePath()));
    QVERIFY(peer.waitFor(2, 2000));
    peer.clear();
    QVector<qint64> arrivals;
    {
        StreamWatch watch(peer);
        apptest::ModalAnswerer review;
        w.findChild<QAbstractButton *>("toolButton_Send")->click();
        QVERIFY(linktest::waitIdle(w.link(), 10000));
        arrivals = watch.arrivals();
    }
    peer.spin(20);
    QCOMPARE(peer.received(), initialS + initialG + initialH + initialI + "WWW");
    qInfo("frame gaps: %lld, %lld, %lld ms", arrivals[1] - arrivals[0], arrivals[2] - arrivals[1],
          arrivals[3] - arrivals[2]);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
