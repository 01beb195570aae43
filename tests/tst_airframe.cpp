// The airframe check: how channel outputs turn each airframe's surfaces, what
// "反了" changes for each surface and mix, the stored channel table, and the
// check in the window on a pseudo-terminal, its fix one undo step that goes
// out through the review with the next Write.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

#include "airframecheck.h"
#include "airframeview.h"
#include "apptest.h"
#include "curvewidgets.h"
#include "fixtures.h"
#include "frames.h"
#include "linktest.h"
#include "mainwindow.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "surfaces.h"
#include "templates.h"
#include "usersettings.h"

using namespace fixtures;

Q_DECLARE_METATYPE(Airframe)
Q_DECLARE_METATYPE(Stick)
Q_DECLARE_METATYPE(Surface)
Q_DECLARE_METATYPE(ParamSet)
Q_DECLARE_METATYPE(Field)

namespace {

using Angles = QVector<QPair<Surface, double>>;

// A window on a pty whose transmitter is known (one Write of the start
// values went out), with its airframe check open.
struct Rig {
    PtyPeer peer;
    MainWindow window;
    AirframeCheck *check = nullptr;

    Rig()
    {
        window.link().setPacing(linktest::fastPacing());
        window.setAttribute(Qt::WA_QuitOnClose, false);
        check = window.showAirframeCheck();
    }
    bool openKnown()
    {
        if (!apptest::openPort(&window, peer.slavePath()) || !peer.waitFor(2, 2000))
            return false;
        peer.clear();
        if (write(check->findChild<QAbstractButton *>(QStringLiteral("checkWrite"))) != wireFrames(ParamSet()))
            return false;
        return true;
    }
    // Clicks a button that writes, answers the review with Return and returns
    // what the device got.
    QByteArray write(QAbstractButton *button, QList<apptest::ReviewSeen> *seen = nullptr)
    {
        apptest::ModalAnswerer answerer;
        button->click();
        if (!linktest::waitIdle(window.link()))
            return "<still running>";
        peer.spin(20);
        if (seen)
            *seen = answerer.reviews();
        const QByteArray got = peer.received();
        peer.clear();
        return got;
    }
    void click(const char *name) { check->findChild<QAbstractButton *>(QLatin1String(name))->click(); }
    QString text(const char *name) { return check->findChild<QLabel *>(QLatin1String(name))->text(); }
};

} // namespace

class AirframeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testsupport::failOnUnexpectedWarnings();
        apptest::useFreshSettings();
    }
    void init() { m_saved = paramSet; }
    void cleanup() { paramSet = m_saved; }

    void surfaceAngles_data();
    void surfaceAngles();
    void fixes_data();
    void fixes();
    void defaultsAnswerTheirQuestions_data();
    void defaultsAnswerTheirQuestions();
    void tableText();

    void wrongIsOneUndoStepWrittenThroughReview();
    void liveViewsFollowThePort();
    void choiceAndTableRemembered();

private:
    ParamSet m_saved;
};

// Outputs of CH1..CH8 to the angle of each surface of the default table
// (trailing edge up or rudder right positive) and the throttle in %.
void AirframeTest::surfaceAngles_data()
{
    QTest::addColumn<Airframe>("kind");
    QTest::addColumn<QVector<int>>("channels");
    QTest::addColumn<Angles>("angles");

    const QVector<int> centre(8, 1000);
    QTest::newRow("plane at rest, throttle idle")
        << Airframe::Plane << QVector<int>{1000, 1000, 0, 1000, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 0}, {Surface::LeftAileron, 0}, {Surface::Elevator, 0},
                  {Surface::Throttle, 0}, {Surface::Rudder, 0}};
    QTest::newRow("plane: aileron full, elevator half, rudder half left, full throttle")
        << Airframe::Plane << QVector<int>{2000, 1500, 2000, 500, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 30}, {Surface::LeftAileron, -30}, {Surface::Elevator, 15},
                  {Surface::Throttle, 100}, {Surface::Rudder, -15}};
    QTest::newRow("plane: beyond the ends")
        << Airframe::Plane << QVector<int>{65535, 0, 1500, 1000, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 30}, {Surface::LeftAileron, -30}, {Surface::Elevator, -30},
                  {Surface::Throttle, 75}, {Surface::Rudder, 0}};
    QTest::newRow("delta: both halves up (elevator pulled)")
        << Airframe::Delta << QVector<int>{500, 1500, 1000, 1000, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightElevon, 15}, {Surface::LeftElevon, 15}, {Surface::Throttle, 50}};
    QTest::newRow("delta: roll right")
        << Airframe::Delta << QVector<int>{1800, 1800, 1000, 1000, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightElevon, 24}, {Surface::LeftElevon, -24}, {Surface::Throttle, 50}};
    QTest::newRow("v-tail: both up")
        << Airframe::VTail << QVector<int>{1000, 2000, 1000, 0, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 0}, {Surface::LeftAileron, 0}, {Surface::RightRuddervator, 30},
                  {Surface::LeftRuddervator, 30}, {Surface::Throttle, 50}};
    QTest::newRow("v-tail: yaw right")
        << Airframe::VTail << QVector<int>{1000, 1300, 1000, 1300, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 0}, {Surface::LeftAileron, 0}, {Surface::RightRuddervator, -9},
                  {Surface::LeftRuddervator, 9}, {Surface::Throttle, 50}};
    QTest::newRow("glider: no throttle, CH3 moves nothing")
        << Airframe::Glider << QVector<int>{1000, 1000, 2000, 1700, 1000, 1000, 1000, 1000}
        << Angles{{Surface::RightAileron, 0}, {Surface::LeftAileron, 0}, {Surface::Elevator, 0},
                  {Surface::Rudder, 21}};
}

void AirframeTest::surfaceAngles()
{
    QFETCH(Airframe, kind);
    QFETCH(QVector<int>, channels);
    QFETCH(Angles, angles);

    LiveValues live;
    for (int n = 1; n <= 8; ++n)
        live.channel(n) = channels.at(n - 1);
    const SurfaceTable table = surfaces::defaults(kind);
    QCOMPARE(table.size(), angles.size());
    for (int i = 0; i < table.size(); ++i) {
        QCOMPARE(table.at(i).surface, angles.at(i).first);
        const double got = table.at(i).surface == Surface::Throttle ? surfaces::throttlePercent(table.at(i), live)
                                                                    : surfaces::deflection(table.at(i), live);
        QVERIFY2(qAbs(got - angles.at(i).second) < 1e-9,
                 qPrintable(QStringLiteral("%1: %2").arg(surfaces::name(table.at(i).surface)).arg(got)));
    }
}

// What "反了" flips for a surface of the default table, with the mixes as
// the transmitter has them.
void AirframeTest::fixes_data()
{
    QTest::addColumn<Airframe>("kind");
    QTest::addColumn<int>("elevonMix");
    QTest::addColumn<int>("vtailMix");
    QTest::addColumn<Stick>("stick");
    QTest::addColumn<Surface>("surface");
    QTest::addColumn<Field>("field");
    QTest::addColumn<QVector<int>>("elements");

    QTest::newRow("plane aileron") << Airframe::Plane << 0 << 0 << Stick::Aileron << Surface::RightAileron
                                   << Field::reverse << QVector<int>{1};
    QTest::newRow("plane elevator") << Airframe::Plane << 0 << 0 << Stick::Elevator << Surface::Elevator
                                    << Field::reverse << QVector<int>{2};
    QTest::newRow("plane rudder, elevon mix on") << Airframe::Plane << 1 << 0 << Stick::Rudder << Surface::Rudder
                                                 << Field::reverse << QVector<int>{4};
    QTest::newRow("delta roll, right") << Airframe::Delta << 1 << 0 << Stick::Aileron << Surface::RightElevon
                                       << Field::elevon << QVector<int>{2, 6};
    QTest::newRow("delta roll, left") << Airframe::Delta << 1 << 0 << Stick::Aileron << Surface::LeftElevon
                                      << Field::elevon << QVector<int>{1, 5};
    QTest::newRow("delta pitch, right") << Airframe::Delta << 1 << 0 << Stick::Elevator << Surface::RightElevon
                                        << Field::elevon << QVector<int>{3};
    QTest::newRow("delta pitch, left") << Airframe::Delta << 1 << 0 << Stick::Elevator << Surface::LeftElevon
                                       << Field::elevon << QVector<int>{4};
    QTest::newRow("delta, mix off") << Airframe::Delta << 0 << 0 << Stick::Elevator << Surface::RightElevon
                                    << Field::reverse << QVector<int>{2};
    QTest::newRow("v-tail pitch, right") << Airframe::VTail << 0 << 1 << Stick::Elevator
                                         << Surface::RightRuddervator << Field::vtail << QVector<int>{2};
    QTest::newRow("v-tail pitch, left") << Airframe::VTail << 0 << 1 << Stick::Elevator << Surface::LeftRuddervator
                                        << Field::vtail << QVector<int>{1};
    QTest::newRow("v-tail yaw, right") << Airframe::VTail << 0 << 1 << Stick::Rudder << Surface::RightRuddervator
                                       << Field::vtail << QVector<int>{3};
    QTest::newRow("v-tail yaw, left") << Airframe::VTail << 0 << 1 << Stick::Rudder << Surface::LeftRuddervator
                                      << Field::vtail << QVector<int>{4};
    QTest::newRow("v-tail aileron: CH1 not in the mix") << Airframe::VTail << 0 << 1 << Stick::Aileron
                                                        << Surface::RightAileron << Field::reverse << QVector<int>{1};
    QTest::newRow("v-tail, both mixes on: its own first") << Airframe::VTail << 1 << 1 << Stick::Elevator
                                                          << Surface::LeftRuddervator << Field::vtail
                                                          << QVector<int>{1};
}

void AirframeTest::fixes()
{
    QFETCH(Airframe, kind);
    QFETCH(int, elevonMix);
    QFETCH(int, vtailMix);
    QFETCH(Stick, stick);
    QFETCH(Surface, surface);
    QFETCH(Field, field);
    QFETCH(QVector<int>, elements);

    ParamSet set;
    set.elevonMix = elevonMix;
    set.vtailMix = vtailMix;
    SurfaceLink link{};
    for (const SurfaceLink &l : surfaces::defaults(kind))
        if (l.surface == surface)
            link = l;
    const surfaces::Fix fix = surfaces::fixFor(set, stick, link, kind);
    QCOMPARE(fix.field, field);
    QCOMPARE(fix.elements, elements);

    // Applied: exactly those elements change sign, and twice is nothing.
    ParamSet fixed = set;
    surfaces::apply(fix, fixed);
    for (int e : elements) {
        if (field == Field::reverse)
            QCOMPARE(fixed.reverse[e], 1 - set.reverse[e]);
        else if (field == Field::elevon)
            QCOMPARE(fixed.elevon[e], -set.elevon[e]);
        else
            QCOMPARE(fixed.vtail[e], -set.vtail[e]);
    }
    ParamSet back = fixed;
    surfaces::apply(fix, back);
    QVERIFY(back == set);
    QVERIFY(fixed != set);
}

// Each default table, fed the outputs the transmitter's own mixes make from
// its start rates, or from the rates and reverses the new-aircraft template
// sets, moves every surface the way its question says: the tables, the mix
// rates the fixes flip, the templates and the questions agree.
void AirframeTest::defaultsAnswerTheirQuestions_data()
{
    QTest::addColumn<Airframe>("kind");
    QTest::addColumn<ParamSet>("start");
    for (Airframe kind : {Airframe::Plane, Airframe::Delta, Airframe::VTail, Airframe::Glider, Airframe::Other}) {
        QTest::addRow("%s start", qPrintable(airframe::key(kind))) << kind << ParamSet();
        if (const SetupTemplate *t = templates::of(kind))
            QTest::addRow("%s template", qPrintable(airframe::key(kind))) << kind << templates::apply(*t, 2, ParamSet());
    }
}

void AirframeTest::defaultsAnswerTheirQuestions()
{
    QFETCH(Airframe, kind);
    QFETCH(ParamSet, start);
    const SurfaceTable table = surfaces::defaults(kind);
    const QVector<surfaces::Step> steps = surfaces::steps(kind, table);
    QVERIFY(!steps.isEmpty());
    QCOMPARE(steps.first().text, u8(kind == Airframe::Delta ? "向右压副翼：右升降副翼应向上。你的飞机也这样吗？"
                                                            : "向右压副翼：右副翼应向上。你的飞机也这样吗？"));
    for (const surfaces::Step &step : steps) {
        // Full stick: +100 on the stick's channel, or through the mix's rates.
        const double in[3] = {step.stick == Stick::Aileron ? 100.0 : 0, step.stick == Stick::Elevator ? 100.0 : 0,
                              step.stick == Stick::Rudder ? 100.0 : 0};
        double out[9] = {0, in[0], in[1], 0, in[2], 0, 0, 0, 0};
        if (kind == Airframe::Delta) {
            out[1] = (in[0] * start.elevon[1] + in[1] * start.elevon[4]) / 100;
            out[2] = (in[0] * start.elevon[2] + in[1] * start.elevon[3]) / 100;
        } else if (kind == Airframe::VTail) {
            out[2] = (in[1] * start.vtail[1] + in[2] * start.vtail[4]) / 100;
            out[4] = (in[1] * start.vtail[2] + in[2] * start.vtail[3]) / 100;
        }
        for (int n = 1; n <= 4; ++n)
            out[n] *= start.reverse[n] ? -1 : 1;
        for (const SurfaceLink &link : table) {
            if (link.surface != step.surface)
                continue;
            LiveValues live;
            live.channel(link.channel) = int(1000 + 10 * out[link.channel]);
            const double angle = surfaces::deflection(link, live);
            QVERIFY2(angle * step.expected > 0, qPrintable(step.text));
        }
    }
}

void AirframeTest::tableText()
{
    QCOMPARE(surfaces::toText(surfaces::defaults(Airframe::Plane)),
             QStringLiteral("rightAileron:1:+;leftAileron:1:-;elevator:2:+;throttle:3:+;rudder:4:+"));
    SurfaceTable edited = surfaces::defaults(Airframe::VTail);
    edited[1].channel = 6;
    edited[2].sense = +1;
    QCOMPARE(surfaces::toText(surfaces::fromText(Airframe::VTail, surfaces::toText(edited))),
             surfaces::toText(edited));
    // What is not one of the airframe's surfaces with a channel 1..8 and a
    // sense + or - keeps the default.
    const SurfaceTable junk = surfaces::fromText(
        Airframe::Plane, QStringLiteral("rightAileron:9:+;elevator:2:*;rudder:x:-;leftRuddervator:5:+;;leftAileron:7:+"));
    SurfaceTable expected = surfaces::defaults(Airframe::Plane);
    expected[1] = {Surface::LeftAileron, 7, +1};
    QCOMPARE(surfaces::toText(junk), surfaces::toText(expected));
}

// "反了" on the first question reverses CH1 as one undo step, refuses the
// left aileron that shares the channel, and goes out with the next Write,
// listed in its review.
void AirframeTest::wrongIsOneUndoStepWrittenThroughReview()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.check->setAirframe(Airframe::Plane);
    QCOMPARE(rig.text("checkQuestion"), u8("第 1/4 步：向右压副翼：右副翼应向上。你的飞机也这样吗？"));
    QUndoStack *undo = rig.window.undoStack();
    const int steps = undo->count();
    const int reverse1 = paramSet.reverse[1];

    rig.click("checkWrong");
    QCOMPARE(paramSet.reverse[1], 1 - reverse1);
    QCOMPARE(undo->count(), steps + 1);
    QVERIFY2(undo->undoText().contains(u8("右副翼")), qPrintable(undo->undoText()));
    QCOMPARE(rig.window.unsentCount(), 1);
    QCOMPARE(rig.check->stepIndex(), 1);

    // The left aileron hangs on the same CH1: flipping it again would undo
    // the right one.
    rig.click("checkWrong");
    QCOMPARE(paramSet.reverse[1], 1 - reverse1);
    QCOMPARE(undo->count(), steps + 1);
    QCOMPARE(rig.check->stepIndex(), 1);
    QVERIFY(rig.text("checkNote").contains(u8("右副翼")));

    undo->undo();
    QCOMPARE(paramSet.reverse[1], reverse1);
    QCOMPARE(rig.window.unsentCount(), 0);
    undo->redo();

    QList<apptest::ReviewSeen> seen;
    ParamSet expected;
    expected.reverse[1] = 1 - reverse1;
    QCOMPARE(rig.write(rig.check->findChild<QAbstractButton *>(QStringLiteral("checkWrite")), &seen),
             wireFrames(expected));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().rows.size(), 1);
    QCOMPARE(seen.first().rows.first().at(1), u8("舵机相位 CH1"));

    rig.click("checkRestart");
    QCOMPARE(rig.check->stepIndex(), 0);
    for (int i = 0; i < 4; ++i)
        rig.click("checkYes");
    QCOMPARE(rig.check->stepIndex(), 4);
    QCOMPARE(rig.text("checkQuestion"), u8("检查完成。"));
}

// Channel packets move the airframe and the curves' markers; a closed port
// leaves none of them showing.
void AirframeTest::liveViewsFollowThePort()
{
    Rig rig;
    QVERIFY(apptest::openPort(&rig.window, rig.peer.slavePath()));
    auto *view = rig.check->findChild<AirframeView *>(QStringLiteral("airframeView"));
    auto *dualRate = rig.window.findChild<mWidget *>();
    auto *throttle = rig.window.findChild<cureWidget *>();
    QVERIFY(view && dualRate && throttle);
    QVERIFY(!view->isLiveShown() && !dualRate->isLiveShown() && !throttle->isLiveShown());
    QVERIFY(rig.peer.writePacket(channelPacket({2000, 1000, 1000, 1000, 1000, 1000, 1000, 1000}, 800)));
    QTRY_VERIFY(view->isLiveShown());
    QVERIFY(dualRate->isLiveShown() && throttle->isLiveShown());
    QVERIFY(apptest::closePort(&rig.window));
    QVERIFY(!view->isLiveShown() && !dualRate->isLiveShown() && !throttle->isLiveShown());
}

void AirframeTest::choiceAndTableRemembered()
{
    {
        Rig rig;
        rig.check->findChild<QComboBox *>(QStringLiteral("airframeType"))->setCurrentIndex(1);
        QCOMPARE(rig.check->airframe(), Airframe::Delta);
        auto *table = rig.check->findChild<QTableWidget *>(QStringLiteral("surfaceTable"));
        QCOMPARE(table->rowCount(), 3);
        qobject_cast<QComboBox *>(table->cellWidget(0, 1))->setCurrentIndex(4);
        QCOMPARE(rig.check->table().first().channel, 5);
    }
    UserSettings settings;
    QCOMPARE(settings.airframeCheckType(), QStringLiteral("delta"));
    QVERIFY(settings.surfaceTable(QStringLiteral("delta")).startsWith(QStringLiteral("rightElevon:5:+;")));
    Rig again;
    QCOMPARE(again.check->airframe(), Airframe::Delta);
    QCOMPARE(again.check->table().first().channel, 5);
    again.click("surfaceDefaults");
    QCOMPARE(again.check->table().first().channel, 2);
}

QTEST_MAIN(AirframeTest)
#include "tst_airframe.moc"
