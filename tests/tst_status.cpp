// What the window tells about the link: the status bar through a command and
// after it, a Read's completeness, the backup taken before the transmitter
// is overwritten, and the port list following the system's ports.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "apptest.h"
#include "backups.h"
#include "filetest.h"
#include "fixtures.h"
#include "frames.h"
#include "linktest.h"
#include "mainwindow.h"
#include "packets.h"
#include "paramfile.h"
#include "paramset.h"
#include "ptypeer.h"
#include "statuspanel.h"
#include "qtwarnings.h"

using namespace fixtures;

namespace {

const char *const noBackup = "未备份：本次连接尚未读到发射机的设置";

// A transmitter on a pseudo-terminal that answers each read request with
// its settings, one section per packet, leaving out the sections in skip.
struct Device {
    PtyPeer peer;
    ParamSet settings;
    QList<int> skip;
    QTimer watch;
    int answered = 0;
    bool keepsFrames = false; // takes in what a write sends
    int keptSubTrim4 = -1;    // but sub-trim CH4 stays at this, when not -1

    Device()
    {
        settings.subTrim[1] = 20;
        settings.servoDelay[2] = 50;
        settings.stickMode = 3;
        settings.txAlarmVoltX10 = 42;
        settings.txAlarmVolt = 4.2;
        watch.setInterval(2);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (peer.received().count("RR") <= answered)
                return;
            ++answered;
            const QString got = QString::fromLatin1(peer.received());
            const int frames = got.lastIndexOf(QLatin1Char('S'));
            if (keepsFrames && frames >= 0) {
                decodeFileFrames(got.mid(frames), locateFrames(got.mid(frames)), settings);
                if (keptSubTrim4 >= 0)
                    settings.subTrim[4] = keptSubTrim4;
            }
            for (int section = 1; section <= 19; ++section)
                if (!skip.contains(section))
                    peer.writePacket(encodeSettingsPacket(settings, section));
        });
        watch.start();
    }
};

struct Rig {
    Device device;
    MainWindow window;

    Rig() { window.link().setPacing(linktest::fastPacing()); }

    bool open()
    {
        return apptest::openPort(&window, device.peer.slavePath()) && device.peer.waitFor(2, 2000);
    }
    QString message() { return window.findChild<QLabel *>(QStringLiteral("statusMessage"))->text(); }
    QString connection() { return window.findChild<QLabel *>(QStringLiteral("statusConnection"))->text(); }
    // The review before writing, if any, is answered with Return.
    bool click(const char *button)
    {
        apptest::ModalAnswerer review;
        window.findChild<QAbstractButton *>(QLatin1String(button))->click();
        return linktest::waitIdle(window.link());
    }
    // A Read, and its report.
    bool read()
    {
        return click("toolButton_Read") && QTest::qWaitFor([this] {
                   return message().startsWith(u8("读取")) || message() == StatusPanel::noDataText();
               });
    }
};

QStringList backupsNow()
{
    return backups::list(backups::directory());
}

} // namespace

class StatusTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void writeShowsProgressAndResult();
    void stoppedWriteSaysHowFar_data();
    void stoppedWriteSaysHowFar();
    void readSaysWhatCame_data();
    void readSaysWhatCame();
    void backupHoldsTheTransmittersSettings_data();
    void backupHoldsTheTransmittersSettings();
    void hangUpDuringReadSaysIncomplete();
    void failedBackupLetsTheCommandGoOn();
    void portListFollowsTheSystem();
    void writeSaysWhatWasVerified_data();
    void writeSaysWhatWasVerified();
    void failedVerifyAsksToWriteAgain_data();
    void failedVerifyAsksToWriteAgain();

private:
    QTemporaryDir m_data;
};

void StatusTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
    // Backups go below the data folder of "varnix-config": a folder of ours.
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    QCoreApplication::setApplicationName(QStringLiteral("varnix-config"));
    QCOMPARE(backups::directory(), m_data.path() + QStringLiteral("/varnix-config/backups"));
}

void StatusTest::init()
{
    apptest::resetProcessState();
}

// Nothing read in this connection: the Write goes ahead without a backup,
// and the status bar says so all along.
void StatusTest::writeShowsProgressAndResult()
{
    Rig rig;
    QCOMPARE(rig.connection(), u8("未连接"));
    QVERIFY(rig.open());
    QCOMPARE(rig.connection(), rig.device.peer.slavePath() + u8(" 已打开 · 等待数据"));
    QString during;
    int progress = -1;
    {
        StreamWatch watch(rig.device.peer);
        watch.onFrame('Z', [&] {
            during = rig.message();
            auto *bar = rig.window.findChild<QProgressBar *>(QStringLiteral("statusProgress"));
            progress = bar->isHidden() ? -1 : bar->value();
        });
        QVERIFY(rig.click("toolButton_Send"));
    }
    QCOMPARE(during, u8("正在写入 2/4 · ") + u8(noBackup));
    QCOMPARE(progress, 2);
    QCOMPARE(rig.message(), u8("写入完成：4 帧 · ") + u8(noBackup));
    QCOMPARE(backupsNow(), QStringList());

    // Packets a second, counted while connected.
    QVERIFY(rig.device.peer.write(channelPacket(QVector<int>(8, 1200), 740)));
    QTRY_VERIFY(rig.connection().endsWith(u8("包/秒")));
    QVERIFY(apptest::closePort(&rig.window));
    QCOMPARE(rig.connection(), u8("未连接"));
}

void StatusTest::stoppedWriteSaysHowFar_data()
{
    QTest::addColumn<bool>("lost");
    QTest::addColumn<QString>("message");
    QTest::newRow("closed") << false << u8("写入中断：已发送 1/4 帧 · ") + u8(noBackup);
    QTest::newRow("lost") << true << u8("串口已断开：设备已挂断；写入中断：已发送 1/4 帧");
}

void StatusTest::stoppedWriteSaysHowFar()
{
    QFETCH(bool, lost);
    QFETCH(QString, message);

    Rig rig;
    QVERIFY(rig.open());
    apptest::ModalAnswerer answerer(5000); // the box a lost device brings
    testsupport::expectWarning(QStringLiteral("Write stopped after 1 of 4"));
    {
        StreamWatch watch(rig.device.peer);
        watch.onFrame('Y', [&] {
            if (lost)
                rig.device.peer.hangUp();
            else
                rig.window.findChild<QAbstractButton *>(QStringLiteral("openButton"))->click();
        });
        QVERIFY(rig.click("toolButton_Send"));
    }
    QTRY_COMPARE(rig.message(), message);
    QCOMPARE(rig.connection(), u8("未连接"));
    QTRY_COMPARE(answerer.boxes().size(), lost ? 1 : 0);
}

void StatusTest::readSaysWhatCame_data()
{
    QTest::addColumn<QList<int>>("skip");
    QTest::addColumn<QString>("message");
    QTest::newRow("all") << QList<int>() << u8("读取完成：19/19 段");
    // All answers in while the command still waits after the request.
    QTest::newRow("all, before the command ends") << QList<int>{-1} << u8("读取完成：19/19 段");
    QTest::newRow("short packet and section 8 missing")
        << QList<int>{7, 8} << u8("读取不完整：收到 17/19 段（缺 7, 8）");
    QTest::newRow("nothing") << (QList<int>() << 1 << 2 << 3 << 4 << 5 << 6 << 7 << 8 << 9 << 10 << 11 << 12 << 13
                                              << 14 << 15 << 16 << 17 << 18 << 19)
                             << StatusPanel::noDataText();
}

void StatusTest::readSaysWhatCame()
{
    QFETCH(QList<int>, skip);
    QFETCH(QString, message);

    Rig rig;
    rig.device.skip = skip;
    if (skip.contains(-1)) {
        LinkPacing pacing = linktest::fastPacing();
        pacing.readMs = 500;
        rig.window.link().setPacing(pacing);
    }
    QVERIFY(rig.open());
    QVERIFY(rig.read());
    QCOMPARE(rig.message(), message);
}

void StatusTest::backupHoldsTheTransmittersSettings_data()
{
    QTest::addColumn<bool>("telemetry");
    QTest::newRow("trims received") << true;
    QTest::newRow("no telemetry: trims left out") << false;
}

// The backup holds what the transmitter reported, never the edits about to
// be sent, nor trims no telemetry brought (restoring it keeps the
// transmitter's own); once a Write has gone out, the next backup holds its
// frames.
void StatusTest::backupHoldsTheTransmittersSettings()
{
    QFETCH(bool, telemetry);
    Rig rig;
    QVERIFY(rig.open());
    if (telemetry) {
        QVERIFY(rig.device.peer.writePacket(telemetryPacket(50, 40, 120, {100, 130, 125, 141})));
        QTRY_VERIFY(rig.window.link().trimsKnown());
    }
    QVERIFY(rig.read());
    QCOMPARE(rig.message(), u8("读取完成：19/19 段"));
    const ParamSet readBack = paramSet;
    QCOMPARE(readBack.subTrim[1], 20);
    QCOMPARE(readBack.stickMode, 3);
    QCOMPARE(readBack.stickTrim[4], telemetry ? 141 : 120);

    auto *sub1 = rig.window.findChild<QSpinBox *>(QStringLiteral("spinBox_sub1"));
    sub1->setValue(-33);
    QCOMPARE(paramSet.subTrim[1], -33);
    rig.device.peer.clear();
    QVERIFY(rig.click("toolButton_Send"));
    const QByteArray sent = rig.device.peer.received().replace("WWW", "");
    QCOMPARE(sent.size(), 4 * 81);

    QStringList names = backupsNow();
    QCOMPARE(names.size(), 1);
    QVERIFY(names.first().endsWith(QStringLiteral("-write.txt")));
    QCOMPARE(rig.message(), u8("写入完成：4 帧 · 已备份 ") + names.first()
                                + (telemetry ? QString() : u8("（不含摇杆微调：未收到）")));
    const QString dir = backups::directory();
    const FrameTexts expected = framesOf(readBack);
    QCOMPARE(readBytes(QDir(dir).filePath(names.first())),
             (expected.text[0] + expected.text[1] + expected.text[2] + (telemetry ? expected.text[3] : QString()))
                 .toLatin1());

    // A factory reset now backs up what the Write sent, the edit and the
    // trims it sent with it.
    QVERIFY(rig.click("toolButton_Reset"));
    names = backupsNow();
    QCOMPARE(names.size(), 2);
    QVERIFY(names.last().contains(QStringLiteral("-reset")));
    QCOMPARE(readBytes(QDir(dir).filePath(names.last())), sent);
    QVERIFY(!rig.message().contains(u8("不含摇杆微调")));
    QVERIFY(QFile::remove(QDir(dir).filePath(names.first())));
    QVERIFY(QFile::remove(QDir(dir).filePath(names.last())));
}

// The device hangs up while a Read's answers are still awaited: the Read is
// reported as incomplete with the loss, not forgotten.
void StatusTest::hangUpDuringReadSaysIncomplete()
{
    Rig rig;
    rig.device.skip = {18, 19};
    LinkPacing pacing = linktest::fastPacing();
    pacing.readReportMs = 5000;
    rig.window.link().setPacing(pacing);
    QVERIFY(rig.open());
    apptest::ModalAnswerer answerer(5000); // the box a lost device brings
    QVERIFY(rig.click("toolButton_Read"));
    QTRY_COMPARE(rig.window.link().knownSections().size(), 17);
    QCOMPARE(rig.message(), u8("正在读取：等待设置"));
    rig.device.peer.hangUp();
    QTRY_COMPARE(rig.message(), u8("串口已断开：设备已挂断；读取不完整：收到 17/19 段（缺 18, 19）"));
    QTRY_COMPARE(answerer.boxes().size(), 1);
}

// A backup that cannot be written is reported; the Write goes out anyway.
void StatusTest::failedBackupLetsTheCommandGoOn()
{
    // The data folder is a plain file: no backups folder can be made in it.
    const QString blocked = m_data.filePath(QStringLiteral("not-a-folder"));
    QVERIFY(writeBytes(blocked, "x"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.read());
    testsupport::expectWarning(QStringLiteral("backup not written"));
    rig.device.peer.clear();
    QVERIFY(rig.click("toolButton_Send"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));

    QVERIFY(rig.message().startsWith(u8("写入完成：4 帧 · 备份失败：")));
    QCOMPARE(rig.device.peer.received().replace("WWW", "").size(), 4 * 81);
    QCOMPARE(testsupport::missingWarnings(), QStringList());
}

// The list gains and loses ports as the system does; what the user typed
// stays, and each port names its device in a tool tip.
void StatusTest::portListFollowsTheSystem()
{
    MainWindow w;
    QList<MainWindow::PortEntry> ports{{QStringLiteral("ttyUSB0"), QStringLiteral("CP2102"), QStringLiteral("Silicon Labs")}};
    w.setPortSource([&ports] { return ports; });
    auto *box = w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    QCOMPARE(apptest::itemTexts(box), QStringList{QStringLiteral("ttyUSB0")});
    QCOMPARE(box->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("CP2102 · Silicon Labs"));

    box->setEditText(QStringLiteral("/dev/my-radio"));
    ports.append(MainWindow::PortEntry(QStringLiteral("ttyACM0"), QStringLiteral("Transmitter")));
    QTRY_COMPARE(apptest::itemTexts(box), (QStringList{QStringLiteral("ttyUSB0"), QStringLiteral("ttyACM0")}));
    QCOMPARE(box->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("Transmitter"));
    QCOMPARE(box->currentText(), QStringLiteral("/dev/my-radio"));

    // The port picked goes away: its name stays, no other port takes its place.
    box->setCurrentIndex(1);
    ports.removeLast();
    QTRY_COMPARE(apptest::itemTexts(box), QStringList{QStringLiteral("ttyUSB0")});
    QCOMPARE(box->currentText(), QStringLiteral("ttyACM0"));
}

// The device keeps the frames (sub-trim CH4 as keptSubTrim4 unless -1) and
// leaves out the sections in skip; verification on, sub-trim CH4 edited.
static bool verifiedWriteReady(Rig &rig, int keptSubTrim4, const QList<int> &skip)
{
    rig.device.keepsFrames = true;
    rig.device.keptSubTrim4 = keptSubTrim4;
    rig.device.skip = skip;
    rig.window.link().setVerify(true);
    if (!rig.open())
        return false;
    paramSet.subTrim[4] = 6;
    return true;
}

void StatusTest::writeSaysWhatWasVerified_data()
{
    QTest::addColumn<int>("keptSubTrim4");
    QTest::addColumn<QList<int>>("skip");
    QTest::addColumn<QString>("message");
    QTest::newRow("verified") << -1 << QList<int>() << u8("写入并校验完成");
    QTest::newRow("one differs") << 0 << QList<int>() << u8("校验不符：1 项（副微调 CH4：发送 6，读回 0）");
    QTest::newRow("incomplete") << -1 << QList<int>{13, 14, 15, 16, 17, 18, 19} << u8("未能校验：收到 12/19 段");
}

// With verification on, a Write ends with what the read-back said.
void StatusTest::writeSaysWhatWasVerified()
{
    QFETCH(int, keptSubTrim4);
    QFETCH(QList<int>, skip);
    QFETCH(QString, message);

    Rig rig;
    QVERIFY(verifiedWriteReady(rig, keptSubTrim4, skip));
    QVERIFY(rig.click("toolButton_Send"));
    QCOMPARE(rig.message(), message + QStringLiteral(" · ") + u8(noBackup));
    QVERIFY(rig.device.peer.received().contains("WWWRR"));
}

void StatusTest::failedVerifyAsksToWriteAgain_data()
{
    QTest::addColumn<int>("keptSubTrim4");
    QTest::addColumn<QList<int>>("skip");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("details");
    QTest::addColumn<int>("writes");
    QTest::newRow("verified: no box") << -1 << QList<int>() << QString() << QString() << QString() << 1;
    QTest::newRow("one differs, close")
        << 0 << QList<int>() << u8("关闭") << u8("校验不符：发射机有 1 项设置与写入的不同") << u8("副微调 CH4：发送 6，读回 0") << 1;
    QTest::newRow("one differs, write again")
        << 0 << QList<int>() << u8("再写一次") << u8("校验不符：发射机有 1 项设置与写入的不同") << u8("副微调 CH4：发送 6，读回 0") << 2;
    // Section 19 is the alarm voltages and the stick mode.
    QTest::newRow("incomplete, close")
        << -1 << QList<int>{13, 14, 15, 16, 17, 18, 19} << u8("关闭") << u8("未能校验：收到 12/19 段，其余设置不知道是否已写入")
        << u8("：未读回") << 1;
}

// A read-back that did not verify opens a box naming what differs or was not
// read back; "再写一次" writes again (through the review), "关闭" leaves it.
void StatusTest::failedVerifyAsksToWriteAgain()
{
    QFETCH(int, keptSubTrim4);
    QFETCH(QList<int>, skip);
    QFETCH(QString, answer);
    QFETCH(QString, text);
    QFETCH(QString, details);
    QFETCH(int, writes);

    Rig rig;
    QVERIFY(verifiedWriteReady(rig, keptSubTrim4, skip));
    apptest::ModalAnswerer answerer;
    answerer.queueBoxButton(answer);
    rig.window.findChild<QAbstractButton *>(QStringLiteral("toolButton_Send"))->click();
    // A second Write starts from the event loop once the box is closed.
    QTRY_COMPARE(rig.device.peer.received().count("WWWRR"), writes);
    QVERIFY(linktest::waitIdle(rig.window.link()));
    rig.device.peer.spin(100); // no Write after "关闭"
    QVERIFY(!rig.window.link().isBusy());
    QCOMPARE(rig.device.peer.received().count("WWWRR"), writes);
    answerer.stop();
    QList<apptest::ModalSeen> boxes;
    for (const apptest::ModalSeen &seen : answerer.seen())
        if (seen.kind == QLatin1String("box"))
            boxes << seen;
    if (text.isEmpty()) {
        QCOMPARE(boxes.size(), 0);
        return;
    }
    // One box a Write; the second one found the same and was closed.
    QCOMPARE(boxes.size(), writes);
    QCOMPARE(boxes.first().text, text);
    QVERIFY2(boxes.first().informative.contains(details), qPrintable(boxes.first().informative));
    QVERIFY(boxes.first().informative.count(QLatin1Char('\n')) <= 5);
    QStringList buttons = boxes.first().buttons;
    buttons.sort();
    QCOMPARE(buttons, (QStringList{u8("关闭"), u8("再写一次")}));
}

QTEST_MAIN(StatusTest)
#include "tst_status.moc"
