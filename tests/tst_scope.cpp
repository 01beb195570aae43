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
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <QWheelEvent>

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
#include "usersettings.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "recorder.h"
#include "scopewidget.h"
#include "scopewindow.h"
#include "startup.h"
#include "windowplacement.h"

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

// A recording of hours at 20 rows a second, as long flights are recorded:
// CH1 runs up and down, the RSSI comes and goes.
bool writeLongRecording(const QString &path, int hours)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(liveCsvHeader());
    QByteArray rows;
    for (int i = 0; i < hours * 3600 * 20; ++i) {
        LiveSample s;
        s.seconds = i * 0.05;
        s.channel[0] = 1000 + (i * 13) % 900 - 450;
        s.hasRssi = i % 100 < 90;
        s.rssiDbm = -(i % 80);
        rows += liveCsvRow(s);
        if (rows.size() > (1 << 20)) {
            f.write(rows);
            rows.clear();
        }
    }
    return f.write(rows) == rows.size() && f.flush();
}

bool waitLoaded(ScopeWindow &viewer)
{
    return QTest::qWaitFor([&viewer] { return !viewer.isLoading(); }, 60000);
}

void wheelNotch(QWidget *w, QPoint at, int notches)
{
    QWheelEvent e(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

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
        UserSettings().setRecordingsFolder(dir.filePath(QStringLiteral("flights")));
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
        UserSettings().setRecordingsFolder(QString());
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
        QVERIFY(waitLoaded(viewer));
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

    // An hour's recording zoomed in by the wheel, 50 notches: the pixel
    // columns held follow the plot's width, not the file (they grew to
    // gigabytes), and the list's figures are those of the span in view.
    void zoomingALongRecordingHoldsOnlyTheView()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hour.csv"));
        QVERIFY(writeLongRecording(path, 1));
        ScopeWindow viewer(path);
        viewer.resize(1100, 620);
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QVERIFY(waitLoaded(viewer));
        QCOMPARE(viewer.buffer().size(), 72000);
        QVERIFY2(viewer.fileNote().contains(QStringLiteral("72000")), qPrintable(viewer.fileNote()));
        ScopeWidget *plot = viewer.plot();
        const QPoint at(plot->width() / 3, plot->height() / 2);
        for (int notch = 1; notch <= 50; ++notch) {
            wheelNotch(plot, at, 1);
            plot->repaint();
            QVERIFY2(plot->heldColumns() <= 3 * plot->width(),
                     qPrintable(QStringLiteral("%1 columns held after %2 notches").arg(plot->heldColumns()).arg(notch)));
        }
        QCOMPARE(plot->viewTo() - plot->viewFrom(), ScopeWidget::minSpanMs + 0);
        // CH1 over the view, counted from the file's own rows.
        int lo = 10000, hi = -1;
        for (int i = 0; i < viewer.buffer().size(); ++i) {
            const ScopeSample &s = viewer.buffer().at(i);
            if (s.ms >= plot->viewFrom() && s.ms <= plot->viewTo()) {
                lo = qMin(lo, int(s.value[0]));
                hi = qMax(hi, int(s.value[0]));
            }
        }
        QVERIFY(hi >= lo);
        QCOMPARE(viewer.legendRow(Trace::CH1).mid(1, 2), (QStringList{QString::number(lo), QString::number(hi)}));
        // And out again to the whole hour, and a drag across it.
        for (int notch = 0; notch < 60; ++notch)
            wheelNotch(plot, at, -1);
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(plot, at + QPoint(200, 0));
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, at + QPoint(200, 0));
        plot->repaint();
        QVERIFY(plot->heldColumns() <= 3 * plot->width());
    }

    // However long the span and wide the plot, the time axis has labels, in
    // order, none of two alike, each clear of the next.
    void timeLabelsNeverOverlap_data()
    {
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("span");
        const qint64 s = 1000, m = 60 * s, h = 60 * m;
        const QList<QPair<const char *, qint64>> spans = {
            {"200 ms", 200},     {"1.7 s", 1700}, {"10 s", 10 * s},   {"59 s", 59 * s},  {"3 min", 3 * m},
            {"55 min", 55 * m},  {"1 h", h},      {"9.5 h", 9 * h + 30 * m}, {"24 h", 24 * h}, {"36 h", 36 * h},
            {"100 h", 100 * h}, {"40 days", 960 * h}};
        const QList<QPair<const char *, qint64>> starts = {{"at 0", 0}, {"at 0:59", 59 * s + 900},
                                                           {"at 9:59:59", 10 * h - 1}, {"before 0", -1500}};
        for (const auto &span : spans)
            for (const auto &start : starts)
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(span.first), QLatin1String(start.first))))
                    << start.second << span.second;
    }
    void timeLabelsNeverOverlap()
    {
        QFETCH(qint64, from);
        QFETCH(qint64, span);
        const QFontMetrics fm(QApplication::font());
        const auto width = [&fm](const QString &t) { return fm.horizontalAdvance(t); };
        for (int px : {300, 980, 2500}) {
            const QVector<ScopeWidget::TimeTick> ticks = ScopeWidget::timeTicks(from, from + span, px, width, 16);
            QVERIFY2(ticks.size() >= 2, qPrintable(QStringLiteral("%1 labels on %2 px").arg(ticks.size()).arg(px)));
            for (int i = 0; i < ticks.size(); ++i) {
                const ScopeWidget::TimeTick &t = ticks.at(i);
                QVERIFY(t.ms >= from && t.ms <= from + span && t.x >= 0 && t.x <= px);
                if (i == 0)
                    continue;
                const ScopeWidget::TimeTick &before = ticks.at(i - 1);
                QVERIFY2(t.text != before.text, qPrintable(t.text));
                const int room = t.x - before.x - (width(t.text) + width(before.text)) / 2;
                QVERIFY2(room >= 15, qPrintable(QStringLiteral("%1 | %2 on %3 px: %4 px apart")
                                                    .arg(before.text, t.text).arg(px).arg(room)));
            }
        }
    }

    void placement_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<int>("statusBarTop");
        QTest::addColumn<QRect>("expected");
        const QRect wide(0, 0, 1920, 1050);
        const QRect second(1920, 0, 1280, 994);
        QTest::newRow("1024x600: over the form, above the status bar")
            << QList<QRect>{{0, 0, 1024, 570}} << QRect(0, 0, 1024, 570) << 540 << QRect(0, 0, 1024, 540);
        QTest::newRow("1280x640: at the right edge, above the status bar")
            << QList<QRect>{{0, 0, 1280, 610}} << QRect(0, 0, 1132, 610) << 578 << QRect(164, 0, 1116, 578);
        QTest::newRow("1920x1080: beside") << QList<QRect>{wide} << QRect(0, 0, 1116, 742) << 704
                                           << QRect(1116, 0, 804, 652);
        QTest::newRow("1920x1080, main centred: no room beside")
            << QList<QRect>{wide} << QRect(402, 154, 1116, 742) << 858 << QRect(804, 154, 1116, 652);
        QTest::newRow("portrait: below") << QList<QRect>{{0, 0, 1080, 1890}} << QRect(0, 0, 1080, 742) << 704
                                         << QRect(0, 742, 1080, 652);
        QTest::newRow("two screens: the main window's, not the roomy one")
            << QList<QRect>{wide, second} << QRect(1920, 0, 1116, 742) << 704 << QRect(2084, 0, 1116, 652);
        QTest::newRow("two screens: left of it") << QList<QRect>{wide, second} << QRect(804, 100, 1116, 742) << 804
                                                 << QRect(0, 100, 804, 652);
        QTest::newRow("two screens: across both, on the one with more of it")
            << QList<QRect>{wide, second} << QRect(1600, 50, 1116, 742) << 754 << QRect(2084, 50, 1116, 652);
    }

    // The scope's frame for the main window's place on the screens: on its
    // screen, beside or below it where there is room, never over its status
    // bar, never larger than the screen.
    void placement()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, main);
        QFETCH(int, statusBarTop);
        QFETCH(QRect, expected);
        PlacementRequest request;
        request.screens = screens;
        request.mainFrame = main;
        request.statusBarTop = statusBarTop;
        request.wanted = QSize(1116, 652);
        request.minimum = QSize(616, 432);
        const QRect placed = placeBeside(request);
        QCOMPARE(placed, expected);
        int inside = 0;
        for (const QRect &screen : screens)
            inside += screen.contains(placed) ? 1 : 0;
        QCOMPARE(inside, 1);
        QVERIFY(!placed.intersects(QRect(main.left(), statusBarTop, main.width(), main.bottom() + 1 - statusBarTop)));
    }

    // Opened from the window, the scope stays on its screen and clear of
    // its status bar, whatever this screen's size.
    void scopeOpensClearOfTheStatusBar()
    {
        MainWindow window;
        window.setAttribute(Qt::WA_QuitOnClose, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        window.fitInto(area);
        ScopeWindow *scope = window.showScope();
        QVERIFY(QTest::qWaitForWindowExposed(scope));
        QStatusBar *bar = window.statusBar();
        const QRect status(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        QVERIFY(area.contains(scope->frameGeometry()));
        QVERIFY(!scope->frameGeometry().intersects(status));
        scope->close();
    }
};

QTEST_MAIN(TestScope)
#include "tst_scope.moc"
