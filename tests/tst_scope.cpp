// The channel scope and the recorder on a real pseudo-terminal: every packet
// a row, a write error that stops the recording and keeps the file, the
// scope following the stream and standing still once it stops, and the
// viewer reading a recording cut short.

#include <QAbstractButton>
#include <QImage>
#include <QScopedPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cmath>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

#include "apptest.h"
#include "filetest.h"
#include "fixtures.h"
#include "linktest.h"
#include "livecsv.h"
#include "mainwindow.h"
#include "preferences.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "recorder.h"
#include "scopewidget.h"
#include "scopewindow.h"
#include "startup.h"

using namespace fixtures;

namespace {

struct Rig {
    PtyPeer peer;
    MainWindow window;

    Rig()
    {
        window.link().setPacing(linktest::fastPacing());
        window.recorder().setFlushInterval(10);
    }
    bool open() { return apptest::openPort(&window, peer.slavePath()) && peer.waitFor(2, 2000); }

    // Packet i of a stream: channel packets with CH1 = 1000 + 10 i, every
    // fifth a telemetry packet with RSSI 40 + i.
    static QByteArray packet(int i)
    {
        if (i % 5 == 4)
            return telemetryPacket(40 + i, 74, 111, {120, 120, 120, 120});
        return channelPacket({1000 + 10 * i, 1500, 1000, 1000, 1000, 1000, 1000, 1000}, 1110 + i);
    }
    // Sends packets [first, last) and waits until each is answered.
    bool stream(int first, int last)
    {
        for (int i = first; i < last; ++i) {
            peer.clear();
            if (!peer.writePacket(packet(i)) || !peer.waitForText("WWW", 2000))
                return false;
        }
        return true;
    }
};

} // namespace

class TestScope : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void init() { apptest::resetProcessState(); }

    void everyPacketIsARow()
    {
        QTemporaryDir dir;
        Rig rig;
        QVERIFY(rig.open());
        const QString path = dir.filePath(QStringLiteral("new/folder/run.csv"));
        rig.window.startRecording(path);
        QVERIFY(rig.stream(0, 30));
        // A settings packet is no live sample.
        QVERIFY(rig.peer.writePacket(settingsPacket(0x55, {120, 120, 120, 120, 120, 120, 120, 120})));
        QVERIFY(rig.stream(30, 40));
        QSignalSpy stopped(&rig.window.recorder(), &Recorder::stopped);
        rig.window.recorder().stop();
        QVERIFY(stopped.wait(3000));
        QCOMPARE(stopped.at(0).at(1).toString(), QString());

        const LiveCsvRead read = readLiveCsv(readBytes(path));
        QVERIFY2(read.complete, qPrintable(read.problem));
        QCOMPARE(read.samples.size(), 40);
        for (int i = 0; i < 40; ++i) {
            const ScopeSample s = scopeSample(read.samples.at(i));
            if (i % 5 == 4) {
                QCOMPARE(s.value[int(Trace::Rssi)], float(-(100 - (40 + i))));
                QCOMPARE(s.value[int(Trace::RxVolt)], 7.4f);
            } else {
                QCOMPARE(s.value[int(Trace::CH1)], float(1000 + 10 * i));
                QCOMPARE(s.value[int(Trace::CH2)], 1500.f);
            }
        }
        const QString shown = rig.window.findChild<QLabel *>(QStringLiteral("statusRecording"))->text();
        QVERIFY2(shown.contains(QStringLiteral("0:0")), qPrintable(shown));
    }

#ifdef Q_OS_UNIX
    // The file may grow to 3000 bytes only: the write that goes beyond fails
    // as on a full disk.
    void writeErrorStopsAndKeepsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("full.csv"));
        Rig rig;
        QVERIFY(rig.open());
        apptest::ModalAnswerer answerer;
        QSignalSpy stopped(&rig.window.recorder(), &Recorder::stopped);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old;
        QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit small = old;
        small.rlim_cur = 3000;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        rig.window.startRecording(path);
        for (int i = 0; i < 400 && stopped.isEmpty(); ++i)
            QVERIFY(rig.stream(i, i + 1));
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(stopped.count() == 1 || stopped.wait(2000));
        // The system's reason and the file, not Qt's "Unknown error" for a
        // write that went in part.
        QCOMPARE(stopped.at(0).at(1).toString(), QStringLiteral("File too large: ") + path);
        QVERIFY(!rig.window.recorder().isRecording());
        QCOMPARE(QFileInfo(path).size(), qint64(3000));
        // What was written reads back up to the row the disk cut.
        const LiveCsvRead read = readLiveCsv(readBytes(path));
        QVERIFY(read.samples.size() > 10);
        QTRY_COMPARE(answerer.count(), 1);
        QVERIFY2(answerer.boxes().first().contains(QStringLiteral("录制已停止")), qPrintable(answerer.boxes().first()));
        // The receive path goes on answering.
        QVERIFY(rig.stream(0, 3));
    }

    // A disk with no room: the recording stops at once, and the box says
    // so and names the file.
    void fullDiskIsNamed()
    {
        Rig rig;
        QVERIFY(rig.open());
        apptest::ModalAnswerer answerer;
        QSignalSpy stopped(&rig.window.recorder(), &Recorder::stopped);
        rig.window.startRecording(QStringLiteral("/dev/full"));
        QVERIFY(rig.stream(0, 3));
        QVERIFY(stopped.count() == 1 || stopped.wait(2000));
        QCOMPARE(stopped.at(0).at(1).toString(), QStringLiteral("disk full (No space left on device): /dev/full"));
        QVERIFY(rig.window.recorder().failure().diskFull);
        QTRY_COMPARE(answerer.boxes().size(), 1);
        QVERIFY2(answerer.boxes().first().contains(QString::fromUtf8("录制已停止：磁盘已满：/dev/full")),
                 qPrintable(answerer.boxes().first()));
    }
#endif

    // The scope's button records a new file into the folder the preferences name.
    void recordButtonUsesThePreferredFolder()
    {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        {
            const QScopedPointer<QSettings> settings(startup::openUserSettings());
            settings->setValue(QLatin1String(preferences::recordingsKey), dir.filePath(QStringLiteral("flights")));
        }
        Rig rig;
        QVERIFY(rig.open());
        ScopeWindow *scope = rig.window.showScope();
        auto *record = scope->findChild<QAbstractButton *>(QStringLiteral("recordButton"));
        record->click();
        QVERIFY(rig.window.recorder().isRecording());
        QVERIFY(rig.stream(0, 5));
        QSignalSpy stopped(&rig.window.recorder(), &Recorder::stopped);
        record->click();
        QVERIFY(stopped.wait(3000));
        QVERIFY(!record->isChecked());
        const QStringList files = QDir(dir.filePath(QStringLiteral("flights"))).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        QVERIFY(files.first().endsWith(QLatin1String(".csv")));
        QCOMPARE(readLiveCsv(readBytes(dir.filePath(QStringLiteral("flights/")) + files.first())).samples.size(), 5);
        const QScopedPointer<QSettings> settings(startup::openUserSettings());
        settings->remove(QLatin1String(preferences::recordingsKey));
    }

    void recordOption()
    {
        const startup::Options o = startup::parseArguments(
            {QStringLiteral("varnix-config"), QStringLiteral("--record"), QStringLiteral("x.csv"), QStringLiteral("/dev/ttyS3")});
        QCOMPARE(o.recordPath, QStringLiteral("x.csv"));
        QCOMPARE(o.portName, QStringLiteral("/dev/ttyS3"));
        QVERIFY(Recorder::defaultPath().contains(QStringLiteral("varnix-config/recordings/")));
    }

    void scopeFollowsTheStreamAndStopsWithIt()
    {
        Rig rig;
        QVERIFY(rig.open());
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        QTest::keyClick(&rig.window, Qt::Key_F5);
        auto *scope = rig.window.findChild<ScopeWindow *>();
        QVERIFY(scope && scope->isVisible());
        QVERIFY(rig.stream(0, 20));
        QCOMPARE(scope->buffer().size(), 20);
        QTRY_COMPARE(scope->plot()->viewTo(), qMax(scope->buffer().lastMs(), qint64(10000)));
        QCOMPARE(scope->plot()->viewTo() - scope->plot()->viewFrom(), qint64(10000));
        // CH1 over the view: 1000 + 10 i, a telemetry row repeating the row before.
        scope->setSpanSeconds(60);
        QTRY_COMPARE(scope->legendRow(Trace::CH1).mid(1), (QStringList{QStringLiteral("1000"), QStringLiteral("1180"), QStringLiteral("1093")}));

        // The port closes: nothing comes, nothing moves, no timer runs.
        QVERIFY(apptest::closePort(&rig.window));
        const qint64 to = scope->plot()->viewTo();
        QTest::qWait(150);
        QCOMPARE(scope->plot()->viewTo(), to);
        QVERIFY(!scope->isFramePending());
        QCOMPARE(scope->buffer().size(), 20);

        // The cursor reads out every trace at its time.
        const qint64 t = scope->buffer().at(5).ms;
        scope->plot()->setCursorMs(t);
        QCOMPARE(scope->legendRow(Trace::CH1).first(), QStringLiteral("1050"));
        QCOMPARE(scope->legendRow(Trace::Rssi).first(), QStringLiteral("-56 dBm"));

        // Closed, it takes nothing in; the status bar's button brings back the same window.
        scope->close();
        QVERIFY(apptest::openPort(&rig.window, rig.peer.slavePath()));
        QVERIFY(rig.stream(20, 23));
        QCOMPARE(scope->buffer().size(), 20);
        rig.window.statusBar()->findChild<QToolButton *>(QStringLiteral("scopeButton"))->click();
        QCOMPARE(rig.window.findChildren<ScopeWindow *>().size(), 1);
        QVERIFY(scope->isVisible());
        QVERIFY(rig.stream(23, 24));
        QCOMPARE(scope->buffer().size(), 21);
    }

    void viewerReadsAsFarAsItCan()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.csv"));
        QByteArray bytes = liveCsvHeader();
        for (int i = 0; i < 5; ++i) {
            LiveSample s;
            s.seconds = i * 0.1;
            s.channel[0] = 1000 + 100 * i;
            bytes += liveCsvRow(s);
        }
        bytes += liveCsvRow(LiveSample()).left(7); // cut short
        QVERIFY(writeBytes(path, bytes));
        ScopeWindow viewer(path);
        QCOMPARE(viewer.buffer().size(), 5);
        QVERIFY2(viewer.fileNote().contains(QStringLiteral("7")), qPrintable(viewer.fileNote()));
        QCOMPARE(viewer.legendRow(Trace::CH1).mid(1),
                 (QStringList{QStringLiteral("1000"), QStringLiteral("1400"), QStringLiteral("1200")}));
        const QString png = dir.filePath(QStringLiteral("view.png"));
        viewer.resize(900, 500);
        QVERIFY(viewer.exportPng(png));
        QVERIFY(!QImage(png).isNull());
        // A zoom to the first 150 ms narrows the statistics to two samples.
        viewer.plot()->setView(0, 150);
        emit viewer.plot()->viewChanged(0, 150);
        QCOMPARE(viewer.legendRow(Trace::CH1).mid(1),
                 (QStringList{QStringLiteral("1000"), QStringLiteral("1100"), QStringLiteral("1050")}));
    }
};

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
