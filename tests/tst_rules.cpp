#include <QtTest>

#include <climits>
#include <vector>

#include "fields.h"
#include "paramset.h"
#include "rules.h"
#include "qtwarnings.h"

namespace {

// The accepted ranges and replacements of the range repair, one line per
// field family; repl holds one value per element, or one for all.
struct Range {
    const char *name;
    Field field;
    int first;
    int last;
    int lo;
    int hi;
    std::vector<int> repl;
};

const std::vector<Range> &ranges()
{
    static const std::vector<Range> r = {
        {"reverse", Field::reverse, 1, 8, 0, 1, {0, 0, 1, 0, 0, 0, 0, 0}},
        {"subTrim", Field::subTrim, 1, 8, -100, 100, {0}},
        {"epaLeft", Field::epaLeft, 1, 8, 0, 120, {96}},
        {"epaRight", Field::epaRight, 1, 8, 0, 120, {96}},
        {"failSafe", Field::failSafe, 1, 8, 0, 100, {50, 50, 0, 50, 50, 50, 50, 50}},
        {"servoDelay", Field::servoDelay, 1, 8, 0, 100, {100}},
        {"drMix", Field::drMix, 0, 0, 0, 1, {0}},
        {"drChannel", Field::drChannel, 0, 0, 0, 4, {0}},
        {"drSwitch", Field::drSwitch, 0, 0, 0, 2, {0}},
        {"drUp", Field::drUp, 0, 0, 0, 100, {100}},
        {"drRateUp", Field::drRateUp, 1, 4, 0, 100, {100}},
        {"drDown", Field::drDown, 0, 0, 0, 100, {100}},
        {"drRateDown", Field::drRateDown, 1, 4, 0, 100, {100}},
        {"attitudeChannel", Field::attitudeChannel, 0, 0, 0, 5, {4}},
        {"attitude", Field::attitude, 1, 6, 0, 100, {14, 29, 44, 56, 69, 88}},
        {"elevonMix", Field::elevonMix, 0, 0, 0, 1, {0}},
        {"elevon", Field::elevon, 1, 6, -100, 100, {100, 100, 100, -100, 100, 100}},
        {"vtailMix", Field::vtailMix, 0, 0, 0, 1, {0}},
        {"vtail", Field::vtail, 1, 4, -100, 100, {50, -50, 50, 50}},
        {"auxSource", Field::auxSource, 5, 8, 0, 5, {1, 3, 0, 2}},
        {"txAlarmVoltX10", Field::txAlarmVoltX10, 0, 0, 0, 500, {37}},
        {"stickMode", Field::stickMode, 0, 0, 0, 4, {1}},
        {"prmMix", Field::prmMix, 1, 4, 0, 2, {0}},
        {"prmMaster", Field::prmMaster, 1, 4, 0, 10, {0, 1, 0, 1}},
        {"prmSlave", Field::prmSlave, 1, 4, 0, 10, {3, 5, 3, 5}},
        {"prmOffset", Field::prmOffset, 1, 4, -100, 100, {0}},
        {"prmUpRate", Field::prmUpRate, 1, 4, -100, 100, {0}},
        {"prmDownRate", Field::prmDownRate, 1, 4, -100, 100, {0}},
        {"rxAlarmVoltX10", Field::rxAlarmVoltX10, 0, 0, 0, 1000, {40}},
        {"extAlarmVoltX10", Field::extAlarmVoltX10, 0, 0, 0, 1000, {110}},
        {"rssiAlarm", Field::rssiAlarm, 0, 0, -100, 0, {-100}},
        {"thrCurveMix", Field::thrCurveMix, 0, 0, 0, 5, {0}},
        {"thrCurveExtra", Field::thrCurveExtra, 0, 0, 0, 4, {0}},
        {"thrCurve", Field::thrCurve, 1, 7, 0, 100, {0, 16, 33, 50, 67, 84, 100}},
        {"drPosition", Field::drPosition, 0, 0, 0, 4, {0}},
        {"drExpoUp", Field::drExpoUp, 1, 4, -100, 100, {0}},
        {"drCurveExpo", Field::drCurveExpo, 0, 0, -100, 100, {0}},
        {"drExpoDown", Field::drExpoDown, 1, 4, -100, 100, {0}},
    };
    return r;
}

int elementCount()
{
    int n = 0;
    for (const Range &r : ranges())
        n += r.last - r.first + 1;
    return n;
}

QByteArray elementName(const char *name, int first, int last, int i)
{
    if (first == last && first == 0)
        return QByteArray(name);
    return QByteArray(name) + '[' + QByteArray::number(i) + ']';
}

// Every integer element of the set (and the voltages) set to v + a step per
// element, so that no two fields hold the same value.
ParamSet scrambled(int v)
{
    ParamSet p;
    int k = 0;
    for (int f = 0; f < allFieldCount; ++f)
        for (int i = allFields[f].first; i <= allFields[f].last; ++i)
            fieldRef(p, allFields[f].field, i) = v + 7 * k++;
    p.txAlarmVolt = 77.7;
    p.rxAlarmVolt = 88.8;
    p.extAlarmVolt = 99.9;
    return p;
}

void setTables(ParamSet &p)
{
    for (int c = 1; c <= 4; ++c) {
        p.drRateUp[c] = 10 + c;
        p.drRateDown[c] = 20 + c;
        p.drExpoUp[c] = -(30 + c);
        p.drExpoDown[c] = 40 + c;
    }
}

} // namespace

Q_DECLARE_METATYPE(Field)

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void initialValues();

    void rangeEnds_data();
    void rangeEnds();
    void ruleTableCoversEveryRange();
    void uncheckedFields();
    void voltages_data();
    void voltages();
    void checksAreIndependent();

    void drDataSelet_data();
    void drDataSelet();
    void editDualRate_data();
    void editDualRate();

    void factoryValues();
    void restDataLeavesSecondHalf();
    void repairKeepsValidSets_data();
    void repairKeepsValidSets();
};

void TestRules::initialValues()
{
    const ParamSet p;
    const int reverse[] = {0, 0, 1, 0, 0, 0, 0, 0};
    const int failSafe[] = {50, 50, 0, 50, 50, 50, 50, 50};
    for (int n = 1; n <= 8; ++n) {
        QCOMPARE(p.reverse[n], reverse[n - 1]);
        QCOMPARE(p.subTrim[n], 0);
        QCOMPARE(p.epaLeft[n], 96);
        QCOMPARE(p.epaRight[n], 96);
        QCOMPARE(p.failSafe[n], failSafe[n - 1]);
        QCOMPARE(p.servoDelay[n], 100);
    }
    const int aux[] = {1, 3, 0, 2};
    for (int n = 5; n <= 8; ++n)
        QCOMPARE(p.auxSource[n], aux[n - 5]);
    QCOMPARE(p.txAlarmVolt, 11.0);
    QCOMPARE(p.txAlarmVoltX10, 37);
    QCOMPARE(p.rxAlarmVolt, 4.0);
    QCOMPARE(p.rxAlarmVoltX10, 40);
    QCOMPARE(p.extAlarmVolt, 11.0);
    QCOMPARE(p.extAlarmVoltX10, 110);
    QCOMPARE(p.rssiAlarm, -100);
    QCOMPARE(p.stickMode, 1);
    QCOMPARE(p.firmwareVersion, 0);
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(p.stickTrim[t], 120);
    QCOMPARE(p.attitudeChannel, 4);
    const int attitude[] = {14, 29, 44, 56, 69, 88};
    const int elevon[] = {100, 100, 100, -100, 100, 100};
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(p.attitude[i], attitude[i - 1]);
        QCOMPARE(p.elevon[i], elevon[i - 1]);
    }
    QCOMPARE(p.elevonMix, 0);
    QCOMPARE(p.vtailMix, 0);
    const int vtail[] = {50, -50, 50, 50};
    const int master[] = {0, 1, 0, 1};
    const int slave[] = {3, 5, 3, 5};
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(p.vtail[i], vtail[i - 1]);
        QCOMPARE(p.drRateUp[i], 100);
        QCOMPARE(p.drRateDown[i], 100);
        QCOMPARE(p.drExpoUp[i], 0);
        QCOMPARE(p.drExpoDown[i], 0);
        QCOMPARE(p.prmMix[i], 0);
        QCOMPARE(p.prmMaster[i], master[i - 1]);
        QCOMPARE(p.prmSlave[i], slave[i - 1]);
        QCOMPARE(p.prmOffset[i], 0);
        QCOMPARE(p.prmUpRate[i], 0);
        QCOMPARE(p.prmDownRate[i], 0);
    }
    QCOMPARE(p.drMix, 0);
    QCOMPARE(p.drChannel, 0);
    QCOMPARE(p.drSwitch, 0);
    QCOMPARE(p.drPosition, 0);
    QCOMPARE(p.drUp, 100);
    QCOMPARE(p.drDown, 100);
    QCOMPARE(p.drCurveRate, 100);
    QCOMPARE(p.drCurveExpo, 0);
    QCOMPARE(p.thrCurveMix, 0);
    QCOMPARE(p.thrCurveExtra, 0);
    const int thr[] = {0, 16, 33, 50, 67, 84, 100};
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(p.thrCurve[i], thr[i - 1]);
}

void TestRules::rangeEnds_data()
{
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("replacement");
    for (const Range &r : ranges()) {
        for (int i = r.first; i <= r.last; ++i) {
            const int k = i - r.first;
            const int repl = k < int(r.repl.size()) ? r.repl[k] : r.repl.back();
            QTest::newRow(elementName(r.name, r.first, r.last, i).constData())
                << r.field << i << r.lo << r.hi << repl;
        }
    }
}

void TestRules::rangeEnds()
{
    QFETCH(Field, field);
    QFETCH(int, index);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(int, replacement);

    const int probes[] = {lo, hi, lo + 1, hi - 1, lo - 1, hi + 1, INT_MIN, INT_MAX};
    for (int v : probes) {
        ParamSet p;
        fieldRef(p, field, index) = v;
        falseSaveData(p);

        ParamSet expected;
        fieldRef(expected, field, index) = (v >= lo && v <= hi) ? v : replacement;
        QVERIFY2(p == expected, qPrintable(QStringLiteral("value %1").arg(v)));
    }
}

void TestRules::ruleTableCoversEveryRange()
{
    // Other tests check decoded data against this table: it must hold
    // exactly the rules above.
    QCOMPARE(rangeRuleCount, elementCount());
    for (const Range &r : ranges()) {
        for (int i = r.first; i <= r.last; ++i) {
            const int k = i - r.first;
            const int repl = k < int(r.repl.size()) ? r.repl[k] : r.repl.back();
            int found = 0;
            for (int j = 0; j < rangeRuleCount; ++j) {
                const RangeRule &rule = rangeRulesData[j];
                if (rule.field == r.field && rule.index == i) {
                    ++found;
                    QCOMPARE(rule.lo, r.lo);
                    QCOMPARE(rule.hi, r.hi);
                    QCOMPARE(rule.replacement, repl);
                }
            }
            QVERIFY2(found == 1, elementName(r.name, r.first, r.last, i).constData());
        }
    }
}

void TestRules::uncheckedFields()
{
    ParamSet p;
    p.firmwareVersion = -12345;
    p.drCurveRate = 5000;
    const int trims[] = {-1, 255, 100000, INT_MIN};
    for (int t = 1; t <= 4; ++t)
        p.stickTrim[t] = trims[t - 1];
    const ParamSet before = p;
    falseSaveData(p);
    QVERIFY(p == before);
    QCOMPARE(p.firmwareVersion, -12345);
    QCOMPARE(p.drCurveRate, 5000);
    QCOMPARE(p.stickTrim[4], INT_MIN);
}

void TestRules::voltages_data()
{
    QTest::addColumn<int>("which"); // 0 tx, 1 rx, 2 ext
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");

    QTest::newRow("tx 50.0 kept") << 0 << 50.0 << 50.0;
    QTest::newRow("tx 50.1 to 0.0") << 0 << 50.1 << 0.0;
    QTest::newRow("tx 0.0 kept") << 0 << 0.0 << 0.0;
    QTest::newRow("tx -0.1 to 0.0") << 0 << -0.1 << 0.0;
    QTest::newRow("tx 3.7 kept") << 0 << 3.7 << 3.7;
    QTest::newRow("tx 1e9 to 0.0") << 0 << 1e9 << 0.0;
    QTest::newRow("rx 100.0 kept") << 1 << 100.0 << 100.0;
    QTest::newRow("rx 100.1 to 4.0") << 1 << 100.1 << 4.0;
    QTest::newRow("rx -0.1 to 4.0") << 1 << -0.1 << 4.0;
    QTest::newRow("rx 0.0 kept") << 1 << 0.0 << 0.0;
    QTest::newRow("ext 100.0 kept") << 2 << 100.0 << 100.0;
    QTest::newRow("ext 100.1 to 11.0") << 2 << 100.1 << 11.0;
    QTest::newRow("ext -0.1 to 11.0") << 2 << -0.1 << 11.0;
    QTest::newRow("ext 99.9 kept") << 2 << 99.9 << 99.9;
}

void TestRules::voltages()
{
    QFETCH(int, which);
    QFETCH(double, value);
    QFETCH(double, expected);

    ParamSet p;
    double *const volts[] = {&p.txAlarmVolt, &p.rxAlarmVolt, &p.extAlarmVolt};
    *volts[which] = value;
    falseSaveData(p);
    QCOMPARE(*volts[which], expected);

    // The companions are checked on their own, not derived from the volts.
    QCOMPARE(p.txAlarmVoltX10, 37);
    QCOMPARE(p.rxAlarmVoltX10, 40);
    QCOMPARE(p.extAlarmVoltX10, 110);
}

void TestRules::checksAreIndependent()
{
    ParamSet p;
    p.reverse[1] = 7;
    p.reverse[3] = 7;
    p.failSafe[3] = 101;
    p.rssiAlarm = 1;
    p.stickMode = 5;
    p.subTrim[2] = 100;
    p.txAlarmVolt = 50.1;
    p.txAlarmVoltX10 = 501;
    falseSaveData(p);
    QCOMPARE(p.reverse[1], 0);
    QCOMPARE(p.reverse[3], 1);
    QCOMPARE(p.failSafe[3], 0);
    QCOMPARE(p.rssiAlarm, -100);
    QCOMPARE(p.stickMode, 1);
    QCOMPARE(p.subTrim[2], 100);
    QCOMPARE(p.txAlarmVolt, 0.0);
    QCOMPARE(p.txAlarmVoltX10, 37);

    ParamSet q;
    q.rssiAlarm = 0;
    falseSaveData(q);
    QCOMPARE(q.rssiAlarm, 0);
}

void TestRules::drDataSelet_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("changes");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("expo");

    // Tables: rate up 11..14, rate down 21..24, expo up -31..-34, expo down 41..44.
    QTest::newRow("CH1 UP") << 0 << 0 << true << 11 << 21 << 11 << -31;
    QTest::newRow("CH2 DOWN") << 1 << 1 << true << 12 << 22 << 22 << 42;
    QTest::newRow("CH3 UP") << 2 << 0 << true << 13 << 23 << 13 << -33;
    QTest::newRow("CH4 DOWN") << 3 << 1 << true << 14 << 24 << 24 << 44;
    QTest::newRow("position 2 is DOWN") << 2 << 2 << true << 13 << 23 << 23 << 43;
    QTest::newRow("position 3 is DOWN") << 0 << 3 << true << 11 << 21 << 21 << 41;
    QTest::newRow("position 4 is DOWN") << 3 << 4 << true << 14 << 24 << 24 << 44;
    QTest::newRow("channel 4: no change") << 4 << 0 << false << 0 << 0 << 0 << 0;
    QTest::newRow("channel -1: no change") << -1 << 1 << false << 0 << 0 << 0 << 0;
    QTest::newRow("channel 9: no change") << 9 << 0 << false << 0 << 0 << 0 << 0;
}

void TestRules::drDataSelet()
{
    QFETCH(int, channel);
    QFETCH(int, position);
    QFETCH(bool, changes);
    QFETCH(int, up);
    QFETCH(int, down);
    QFETCH(int, rate);
    QFETCH(int, expo);

    ParamSet p;
    setTables(p);
    p.drChannel = channel;
    p.drPosition = position;
    p.drUp = 1;
    p.drDown = 2;
    p.drCurveRate = 3;
    p.drCurveExpo = 4;
    ParamSet expected = p;
    if (changes) {
        expected.drUp = up;
        expected.drDown = down;
        expected.drCurveRate = rate;
        expected.drCurveExpo = expo;
    }
    ::drDataSelet(p);
    // Everything else, the tables included, stays as it was.
    QVERIFY(p == expected);
    QCOMPARE(p.drCurveRate, expected.drCurveRate);
    QCOMPARE(p.drCurveExpo, expected.drCurveExpo);
}

Q_DECLARE_METATYPE(DualRateEdit)

void TestRules::editDualRate_data()
{
    QTest::addColumn<DualRateEdit>("edit");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("position");
    QTest::addColumn<Field>("table"); // the table entry written, or the copy when none is
    QTest::addColumn<int>("index");

    // The group editors keep their own position whatever drPosition says.
    QTest::newRow("up, CH2, at DOWN") << DualRateEdit::Up << 1 << 1 << Field::drRateUp << 2;
    QTest::newRow("down, CH4, at UP") << DualRateEdit::Down << 3 << 0 << Field::drRateDown << 4;
    QTest::newRow("rate, CH1, UP") << DualRateEdit::CurveRate << 0 << 0 << Field::drRateUp << 1;
    QTest::newRow("rate, CH3, DOWN") << DualRateEdit::CurveRate << 2 << 1 << Field::drRateDown << 3;
    QTest::newRow("rate, position 3 is DOWN") << DualRateEdit::CurveRate << 1 << 3 << Field::drRateDown << 2;
    QTest::newRow("expo, CH4, UP") << DualRateEdit::CurveExpo << 3 << 0 << Field::drExpoUp << 4;
    QTest::newRow("expo, position 2 is DOWN") << DualRateEdit::CurveExpo << 0 << 2 << Field::drExpoDown << 1;
    QTest::newRow("up, channel 4: copy only") << DualRateEdit::Up << 4 << 0 << Field::drUp << 0;
    QTest::newRow("expo, channel 4: copy only") << DualRateEdit::CurveExpo << 4 << 1 << Field::drCurveExpo << 0;
}

void TestRules::editDualRate()
{
    QFETCH(DualRateEdit, edit);
    QFETCH(int, channel);
    QFETCH(int, position);
    QFETCH(Field, table);
    QFETCH(int, index);

    ParamSet p;
    setTables(p);
    p.drChannel = channel;
    p.drPosition = position;
    ParamSet expected = p;
    fieldRef(expected, table, index) = 77;
    if (edit == DualRateEdit::Up)
        expected.drUp = 77;
    if (edit == DualRateEdit::Down)
        expected.drDown = 77;
    if (edit == DualRateEdit::CurveRate)
        expected.drCurveRate = 77;
    if (edit == DualRateEdit::CurveExpo)
        expected.drCurveExpo = 77;
    ::drDataSelet(expected);

    ::editDualRate(p, edit, 77);
    QVERIFY(p == expected);
    if (channel >= 0 && channel <= 3) {
        // The selection copies follow the tables at once.
        QCOMPARE(p.drUp, p.drRateUp[channel + 1]);
        QCOMPARE(p.drDown, p.drRateDown[channel + 1]);
    }
}

void TestRules::factoryValues()
{
    ParamSet p = scrambled(-500);
    const int firmware = p.firmwareVersion;
    const int curveRate = p.drCurveRate;
    restData(p);
    restData2(p);

    ParamSet expected; // the Initial values ...
    expected.txAlarmVolt = 3.7; // ... but 3.7 V and stick mode 2
    expected.stickMode = 2;
    expected.txAlarmVoltX10 = 37;
    expected.firmwareVersion = firmware; // never reset
    expected.drCurveRate = curveRate;    // follows at the next selection
    QVERIFY(p == expected);
    QCOMPARE(p.stickMode, 2);
    QCOMPARE(p.txAlarmVolt, 3.7);
    QCOMPARE(p.firmwareVersion, firmware);
    QCOMPARE(p.drCurveRate, curveRate);
    QCOMPARE(ParamSet().stickMode, 1);
}

void TestRules::restDataLeavesSecondHalf()
{
    const ParamSet before = scrambled(1000);
    ParamSet p = before;
    restData(p);
    // First half reset ...
    QCOMPARE(p.reverse[3], 1);
    QCOMPARE(p.failSafe[3], 0);
    QCOMPARE(p.prmSlave[2], 5);
    QCOMPARE(p.stickMode, 2);
    // ... second half untouched.
    QCOMPARE(p.prmMix[3], before.prmMix[3]);
    QCOMPARE(p.prmSlave[4], before.prmSlave[4]);
    QCOMPARE(p.rxAlarmVolt, before.rxAlarmVolt);
    QCOMPARE(p.extAlarmVoltX10, before.extAlarmVoltX10);
    QCOMPARE(p.thrCurve[7], before.thrCurve[7]);
    QCOMPARE(p.drPosition, before.drPosition);
    QCOMPARE(p.drExpoDown[4], before.drExpoDown[4]);
    QCOMPARE(p.stickTrim[1], before.stickTrim[1]);

    ParamSet q = before;
    restData2(q);
    QCOMPARE(q.stickTrim[1], 120);
    QCOMPARE(q.rssiAlarm, -100);
    QCOMPARE(q.reverse[1], before.reverse[1]);
    QCOMPARE(q.stickMode, before.stickMode);
    QCOMPARE(q.txAlarmVolt, before.txAlarmVolt);

    // Between them the halves write every element once, all but the
    // firmware version and the curve rate.
    for (int k = 0; k < allFieldCount; ++k) {
        const Field f = allFields[k].field;
        for (int i = allFields[k].first; i <= allFields[k].last; ++i) {
            const bool first = fieldValue(p, f, i) != fieldValue(before, f, i);
            const bool second = fieldValue(q, f, i) != fieldValue(before, f, i);
            const bool kept = f == Field::firmwareVersion || f == Field::drCurveRate;
            QVERIFY2(!(first && second) && (first || second) != kept, allFields[k].name);
        }
    }
}

void TestRules::repairKeepsValidSets_data()
{
    QTest::addColumn<bool>("factory");
    QTest::newRow("initial") << false;
    QTest::newRow("factory") << true;
}

void TestRules::repairKeepsValidSets()
{
    QFETCH(bool, factory);
    ParamSet p;
    if (factory) {
        restData(p);
        restData2(p);
    }
    const ParamSet before = p;
    falseSaveData(p);
    QVERIFY(p == before);
    QCOMPARE(p.txAlarmVolt, before.txAlarmVolt);
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
