// The two helpers for the field: the arithmetic of their units, and the
// frames they make the window send to a transmitter on a pseudo-terminal,
// through the review before writing.

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "apptest.h"
#include "fieldhelp.h"
#include "fieldhelpers.h"
#include "fixtures.h"
#include "frames.h"
#include "linktest.h"
#include "mainwindow.h"
#include "packets.h"
#include "paramset.h"
#include "ptypeer.h"
#include "qtwarnings.h"

using fixtures::u8;

namespace {

// A transmitter that answers each read request with all its sections and
// keeps what the last frames of a write carried.
struct Transmitter {
    PtyPeer peer;
    ParamSet settings;
    QTimer watch;
    int answered = 0;

    Transmitter()
    {
        watch.setInterval(2);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (peer.received().count("RR") <= answered)
                return;
            ++answered;
            for (int section = 1; section <= 19; ++section)
                peer.writePacket(encodeSettingsPacket(settings, section));
        });
        watch.start();
    }
    // The settings the frames sent since the last clear() carry, over what
    // the transmitter held; false when no full set of frames came.
    bool written(ParamSet *got)
    {
        const QString text = QString::fromLatin1(peer.received());
        const int start = text.lastIndexOf(QLatin1Char('S'));
        if (start < 0)
            return false;
        *got = settings;
        const FileFrames found = locateFrames(text.mid(start));
        decodeFileFrames(text.mid(start), found, *got);
        return text.mid(start).contains(QLatin1Char('V'));
    }
};

struct Rig {
    Transmitter tx;
    MainWindow window;

    Rig() { window.link().setPacing(linktest::fastPacing()); }

    QString message() { return window.findChild<QLabel *>(QStringLiteral("statusMessage"))->text(); }
    // Open, read every section, and one telemetry packet with these trims.
    bool connect(const QVector<int> &trims)
    {
        if (!apptest::openPort(&window, tx.peer.slavePath()) || !tx.peer.waitFor(2, 2000))
            return false;
        {
            apptest::ModalAnswerer none(2000);
            window.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"))->click();
            if (!linktest::waitIdle(window.link()))
                return false;
        }
        if (!QTest::qWaitFor([this] { return window.link().deviceFullyKnown(); }))
            return false;
        tx.peer.writePacket(fixtures::telemetryPacket(50, 40, 120, trims));
        return QTest::qWaitFor([this] { return window.link().trimsKnown(); });
    }
    void trigger(const char *action) { window.findChild<QAction *>(QLatin1String(action))->trigger(); }
};

} // namespace

class FieldHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void trimsIntoSubTrims_data();
    void trimsIntoSubTrims();
    void failSafeSteps_data();
    void failSafeSteps();
    void trimsToSubTrimsWrites_data();
    void trimsToSubTrimsWrites();
    void failSafeFromSticksWrites();
    void failSafeHoldCancelled();
};

void FieldHelpersTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void FieldHelpersTest::init()
{
    apptest::resetProcessState();
}

void FieldHelpersTest::trimsIntoSubTrims_data()
{
    QTest::addColumn<int>("trim"); // as reported, 120 is centre
    QTest::addColumn<int>("subTrim");
    QTest::addColumn<int>("newSubTrim");
    QTest::addColumn<int>("newTrim");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("centred: nothing") << 120 << 35 << 35 << 120 << false;
    QTest::newRow("right") << 132 << 0 << 12 << 120 << false;
    QTest::newRow("left, into a sub-trim") << 100 << 30 << 10 << 120 << false;
    QTest::newRow("exactly to the limit") << 150 << 70 << 100 << 120 << false;
    QTest::newRow("past the upper limit: the rest stays") << 240 << 0 << 100 << 140 << true;
    QTest::newRow("past the lower limit") << 110 << -95 << -100 << 115 << true;
    QTest::newRow("lowest trim") << 0 << -100 << -100 << 0 << true;
}

void FieldHelpersTest::trimsIntoSubTrims()
{
    QFETCH(int, trim);
    QFETCH(int, subTrim);
    QFETCH(int, newSubTrim);
    QFETCH(int, newTrim);
    QFETCH(bool, clamped);
    for (int n = 1; n <= 4; ++n) {
        ParamSet set;
        set.stickTrim[n] = trim;
        set.subTrim[n] = subTrim;
        set.subTrim[5] = 7;
        const fieldhelp::TrimsMoved moved = fieldhelp::trimsToSubTrims(set);
        QCOMPARE(moved.set.subTrim[n], newSubTrim);
        QCOMPARE(moved.set.stickTrim[n], newTrim);
        QCOMPARE(moved.clamped.contains(n), clamped);
        QCOMPARE(moved.moved.contains(n), trim != 120);
        // Only channel n changed; the output offset, sub-trim plus trim, stays.
        QCOMPARE(moved.set.subTrim[n] + moved.set.stickTrim[n], subTrim + trim);
        ParamSet others = moved.set;
        others.subTrim[n] = set.subTrim[n];
        others.stickTrim[n] = set.stickTrim[n];
        QVERIFY(others == set);
    }
}

void FieldHelpersTest::failSafeSteps_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("failSafe");
    QTest::newRow("low end") << 0 << 0;
    QTest::newRow("centre") << 1000 << 50;
    QTest::newRow("high end") << 2000 << 100;
    QTest::newRow("half a step rounds up") << 1010 << 51;
    QTest::newRow("just under half a step") << 1009 << 50;
    QTest::newRow("below centre") << 990 << 50;
    QTest::newRow("a quarter") << 500 << 25;
    QTest::newRow("past the end") << 2300 << 100;
}

void FieldHelpersTest::failSafeSteps()
{
    QFETCH(int, output);
    QFETCH(int, failSafe);
    QCOMPARE(fieldhelp::failSafeOfOutput(output), failSafe);
}

void FieldHelpersTest::trimsToSubTrimsWrites_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QVector<int>>("subTrims"); // CH1..CH4 as written
    QTest::addColumn<QVector<int>>("trims");
    QTest::newRow("written") << "Return" << QVector<int>{30, -100, 5, 100} << QVector<int>{120, 115, 120, 140};
    // CH1's row unticked: its sub-trim and its trim both stay.
    QTest::newRow("CH1 unticked") << u8("副微调 CH1") << QVector<int>{20, -100, 5, 100}
                                  << QVector<int>{130, 115, 120, 140};
    QTest::newRow("cancelled") << "Escape" << QVector<int>() << QVector<int>();
}

// Trims +10, -10, 0 and +120 on sub-trims 20, -95, 5 and 0: one Write whose
// S frame carries the sub-trims and whose I frame the trims that are left.
void FieldHelpersTest::trimsToSubTrimsWrites()
{
    QFETCH(QString, answer);
    QFETCH(QVector<int>, subTrims);
    QFETCH(QVector<int>, trims);

    Rig rig;
    rig.tx.settings.subTrim[1] = 20;
    rig.tx.settings.subTrim[2] = -95;
    rig.tx.settings.subTrim[3] = 5;
    QVERIFY(rig.connect({130, 110, 120, 240}));
    rig.tx.peer.clear();

    apptest::ModalAnswerer answerer(10000);
    apptest::ReviewAnswer reply;
    if (answer == QLatin1String("Escape"))
        reply.action = apptest::ReviewAnswer::Escape;
    else if (answer != QLatin1String("Return"))
        reply.untick = QStringList{answer};
    answerer.queueReview(reply);
    rig.trigger("actionTrimsToSubTrims");
    QVERIFY(linktest::waitIdle(rig.window.link()));
    QCOMPARE(answerer.reviews().size(), 1);
    QList<QStringList> rows = answerer.reviews().first().rows;
    for (QStringList &row : rows)
        row.removeFirst(); // the page
    QCOMPARE(rows, (QList<QStringList>{{u8("副微调 CH1"), "20", "30"}, {u8("副微调 CH2"), "-95", "-100"},
                                       {u8("副微调 CH4"), "0", "100"}}));

    ParamSet got;
    if (subTrims.isEmpty()) {
        QVERIFY(!rig.tx.written(&got));
        // Not written: the sub-trims are what they were, the trims too.
        QCOMPARE(paramSet.subTrim[1], 20);
        QCOMPARE(paramSet.subTrim[4], 0);
        QCOMPARE(paramSet.stickTrim[1], 130);
        return;
    }
    QVERIFY(rig.tx.written(&got));
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(got.subTrim[n], subTrims.at(n - 1));
        QCOMPARE(got.stickTrim[n], trims.at(n - 1));
    }
    QVERIFY2(rig.message().contains(u8("微调转中点：CH1 +10、CH2 -10、CH4 +120 已转入副微调")), qPrintable(rig.message()));
    QVERIFY(rig.message().contains(u8("CH2 副微调到了 -100，其余 -5 留在微调里")));
    QVERIFY(rig.message().contains(u8("CH4 副微调到了 100，其余 +20 留在微调里")));
    QCOMPARE(rig.window.undoStack()->undoText(), u8("微调转中点"));
}

// The outputs held at the end of the countdown become the fail-safe
// positions, and the Write's review lists them.
void FieldHelpersTest::failSafeFromSticksWrites()
{
    Rig rig;
    QVERIFY(rig.connect({120, 120, 120, 120}));
    rig.window.findChild<FieldHelpers *>(QStringLiteral("fieldHelpers"))->setHoldMs(200);
    QVERIFY(rig.tx.peer.writePacket(fixtures::channelPacket({0, 2000, 1000, 1010, 500, 1500, 990, 1999}, 740)));
    rig.tx.peer.clear();

    apptest::ModalAnswerer answerer(10000);
    rig.trigger("actionFailSafeFromSticks");
    auto *hold = rig.window.findChild<QDialog *>(QStringLiteral("failSafeHold"));
    QVERIFY(hold && hold->isVisible());
    QVERIFY(hold->findChild<QLabel *>(QStringLiteral("failSafeHoldText"))->text().contains(u8("保持不动")));
    QTRY_COMPARE(answerer.reviews().size(), 1);
    QVERIFY(linktest::waitIdle(rig.window.link()));
    QList<QStringList> rows = answerer.reviews().first().rows;
    QCOMPARE(rows.size(), 7); // CH7 was 50 and stays so
    ParamSet got;
    QVERIFY(rig.tx.written(&got));
    const int expected[8] = {0, 100, 50, 51, 25, 75, 50, 100};
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(got.failSafe[n], expected[n - 1]);
    QCOMPARE(rig.window.undoStack()->undoText(), u8("失控保护取当前"));
}

// Closing the port while the sticks are held changes nothing.
void FieldHelpersTest::failSafeHoldCancelled()
{
    Rig rig;
    QVERIFY(rig.connect({120, 120, 120, 120}));
    rig.window.findChild<FieldHelpers *>(QStringLiteral("fieldHelpers"))->setHoldMs(5000);
    QVERIFY(rig.tx.peer.writePacket(fixtures::channelPacket(QVector<int>(8, 1600), 740)));
    const ParamSet before = paramSet;
    rig.trigger("actionFailSafeFromSticks");
    QTRY_VERIFY(rig.window.findChild<QDialog *>(QStringLiteral("failSafeHold")));
    QVERIFY(apptest::closePort(&rig.window));
    QTRY_VERIFY(!rig.window.findChild<QDialog *>(QStringLiteral("failSafeHold")));
    QTest::qWait(100);
    QVERIFY(paramSet == before);
}

QTEST_MAIN(FieldHelpersTest)
#include "tst_fieldhelpers.moc"
