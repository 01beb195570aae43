// New-aircraft templates: the frames each one makes from the factory values,
// and over any setup only what the template is about changes.

#include <QtTest>

#include "fields.h"
#include "frames.h"
#include "paramset.h"
#include "qtwarnings.h"
#include "rules.h"
#include "templates.h"

namespace {

QStringList framesOf(ParamSet p)
{
    QStringList frames;
    for (int frame = FrameS; frame <= FrameI; ++frame) {
        QString text = QString::fromLatin1(initialFrameText[frame]);
        buildFrame(p, frame, text);
        frames << text;
    }
    return frames;
}

// Every element some template or the dual-rate selection may touch.
bool setBy(const QVector<TemplateSetting> &settings, Field f, int index)
{
    if (f == Field::drUp || f == Field::drDown || f == Field::drCurveRate || f == Field::drCurveExpo)
        return true; // copies of the selected dual-rate entry
    for (const TemplateSetting &s : settings)
        if (s.field == f && s.index == index)
            return true;
    return false;
}

// Far from the factory values everywhere, within every range.
ParamSet oddSetup()
{
    ParamSet p = factoryResetOf(ParamSet());
    for (int k = 0; k < allFieldCount; ++k) {
        const FieldExtent &e = allFields[k];
        if (!e.ranged() || e.show == Show::Volts)
            continue;
        for (int i = e.first; i <= e.last; ++i) {
            int &v = fieldRef(p, e.field, i);
            v = v == e.hi ? e.lo : e.hi - (i % 2);
        }
    }
    p.stickMode = 3;
    p.drChannel = 1;
    drDataSelet(p);
    return p;
}

} // namespace

class TestTemplates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }

    // A brand-new setup from each template: the factory frames with the
    // template's fields, checked position by position against the layouts.
    void framesFromFactory_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("frames");
        const QString i = QStringLiteral("I88888888") + QString(71, QLatin1Char('0')) + QLatin1Char('V');
        // Stick mode at S 79; dual rate on at G 53, drUp 100 % and drDown 70 %
        // at G 55..58, the rate tables at H 1..16.
        QTest::newRow("plane, mode 1") << int(Airframe::Plane) << 1 << QStringList{
            "S0010000078787878787878787070707070707070707070707070707042421042424242421302351Y",
            "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474741074567474747474740135006D2Z",
            "H7474747456567456003747474015747474001020314253647407474747474747474110140380000X", i};
        // Elevon mix on at G 14 with +50 +50 +50 -50 (order 1, 5, 2, 6, 3, 4),
        // end points 100 % on CH1 and CH2, low rate on CH1 and CH2 only.
        QTest::newRow("delta, mode 2") << int(Airframe::Delta) << 2 << QStringList{
            "S0010000078787878787878787474707070707070747470707070707042421042424242421302352Y",
            "G41E2D3C4855681AADCAADCAA460A642A6A6674747474747474741074567474747474740135006D2Z",
            "H7474747456567474003747474015747474001020314253647407474747474747474110140380000X", i};
        // V-tail mix on at G 27 with +50 -50 +50 +50, end points on CH2 and CH4.
        QTest::newRow("V-tail, mode 2") << int(Airframe::VTail) << 2 << QStringList{
            "S0010000078787878787878787074707470707070707470747070707042421042424242421302352Y",
            "G41E2D3C4855680DCDCDCDCDC141A642A6A6674747474747474741074567474747474740135006D2Z",
            "H7474747456567456003747474015747474001020314253647407474747474747474110140380000X", i};
        QTest::newRow("glider, mode 4") << int(Airframe::Glider) << 4 << QStringList{
            "S0010000078787878787878787070707070707070707070707070707042421042424242421302354Y",
            "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474741074567474747474740135006D2Z",
            "H7474747456567456003747474015747474001020314253647407474747474747474110140380000X", i};
    }

    void framesFromFactory()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        QFETCH(QStringList, frames);
        const ParamSet p = templates::apply(*templates::of(Airframe(kind)), mode, factoryResetOf(ParamSet()));
        QCOMPARE(framesOf(p), frames);
    }

    // Over any setup only what the template is about changes, and all of it
    // takes; applied twice it changes nothing more.
    void onlyItsSettingsChange_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("base");
        for (const SetupTemplate &t : templates::all())
            for (int base = 0; base < 2; ++base)
                QTest::addRow("%s over %s", qPrintable(airframe::key(t.kind)), base ? "odd setup" : "factory")
                    << int(t.kind) << base;
    }

    void onlyItsSettingsChange()
    {
        QFETCH(int, kind);
        QFETCH(int, base);
        const SetupTemplate &t = *templates::of(Airframe(kind));
        const ParamSet before = base ? oddSetup() : factoryResetOf(ParamSet());
        const QVector<TemplateSetting> settings = templates::settingsOf(t, 3);
        const ParamSet after = templates::apply(t, 3, before);
        for (int k = 0; k < allFieldCount; ++k) {
            const FieldExtent &e = allFields[k];
            for (int i = e.first; i <= e.last; ++i)
                if (fieldValue(before, e.field, i) != fieldValue(after, e.field, i))
                    QVERIFY2(setBy(settings, e.field, i), qPrintable(elementName(e.field, i)));
        }
        QCOMPARE(after.txAlarmVolt, before.txAlarmVolt);
        QCOMPARE(after.rxAlarmVolt, before.rxAlarmVolt);
        QCOMPARE(after.extAlarmVolt, before.extAlarmVolt);
        for (const TemplateSetting &s : settings) {
            QCOMPARE(fieldValue(after, s.field, s.index), s.value);
            QVERIFY2(!templates::why(s).isEmpty(), qPrintable(elementName(s.field, s.index)));
        }
        // The copies stay those of the selected table entry.
        QCOMPARE(after.drUp, after.drRateUp[after.drChannel + 1]);
        QCOMPARE(after.drDown, after.drRateDown[after.drChannel + 1]);
        QVERIFY(templates::apply(t, 3, after) == after);
        QVERIFY(!templates::description(t).isEmpty());
    }

    // The stick mode asked for is the one set, within what the window offers.
    void stickModeAsked()
    {
        const SetupTemplate &t = templates::all().first();
        for (int mode = templates::firstStickMode; mode <= templates::lastStickMode; ++mode)
            QCOMPARE(templates::apply(t, mode, ParamSet()).stickMode, mode);
        QCOMPARE(templates::apply(t, 9, ParamSet()).stickMode, templates::lastStickMode);
        QVERIFY(templates::of(Airframe::Other) == nullptr);
    }

private:
};

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
