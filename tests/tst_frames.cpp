#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "fields.h"
#include "frames.h"
#include "paramset.h"
#include "rules.h"
#include "qtwarnings.h"

namespace {

// The four frames as built from the Initial values.
const char *const initialFrames[4] = {
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E1Y",
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z",
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X",
    "I88888888" "00000000000000000000000000000000000000000000000000000000000000000000000" "V",
};

const char startLetters[] = "SGHI";
const char endLetters[] = "YZXV";
const int bodyLengths[] = {80, 77, 76, 9};

// The frame formats as runs of equally coded fields, start letter first.
using Runs = std::vector<std::pair<int, Code>>;
const Runs &formatRuns(int frame)
{
    static const Runs runs[4] = {
        {{1, Code::L}, {8, Code::D1}, {8, Code::X120}, {24, Code::X16}, {4, Code::D1},
         {1, Code::X16}, {1, Code::D1}},
        {{1, Code::L}, {1, Code::D1}, {6, Code::X16}, {1, Code::D1}, {6, Code::X120},
         {1, Code::D1}, {4, Code::X116}, {1, Code::K6}, {8, Code::X16}, {2, Code::D1},
         {2, Code::X16}, {6, Code::X116}, {6, Code::D1}},
        {{1, Code::L}, {8, Code::X16}, {3, Code::D1}, {3, Code::X116}, {3, Code::D1},
         {3, Code::X116}, {2, Code::D1}, {7, Code::X16}, {1, Code::D1}, {8, Code::X116},
         {1, Code::D3}, {1, Code::X120}, {1, Code::D1}, {1, Code::X16}},
        {{1, Code::L}, {4, Code::X16}},
    };
    return runs[frame];
}

int widthOf(Code c)
{
    switch (c) {
    case Code::X16:
    case Code::X116:
    case Code::X120: return 2;
    case Code::D3: return 3;
    default: return 1;
    }
}

// (position, code) of every field of a frame, from the runs above.
std::vector<std::pair<int, Code>> formatFields(int frame)
{
    std::vector<std::pair<int, Code>> out;
    int pos = 0;
    for (const auto &run : formatRuns(frame))
        for (int k = 0; k < run.first; ++k) {
            out.push_back({pos, run.second});
            pos += widthOf(run.second);
        }
    return out;
}

// The values each code can carry in its width.
int clampLit(Code c, int v)
{
    int lo = 0, hi = 0;
    switch (c) {
    case Code::D1: lo = 0; hi = 9; break;
    case Code::X16: lo = 0; hi = 239; break;
    case Code::X116: lo = -100; hi = 139; break;
    case Code::X120: lo = -104; hi = 135; break;
    case Code::D3: lo = 0; hi = 999; break;
    default: return v;
    }
    return qBound(lo, v, hi);
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isUpperHex(QChar c)
{
    return isDigit(c) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

QString built(ParamSet &p, int frame)
{
    QString text = QString::fromLatin1(initialFrameText[frame]);
    buildFrame(p, frame, text);
    return text;
}

bool isCompanion(Field f)
{
    return f == Field::txAlarmVoltX10 || f == Field::rxAlarmVoltX10 || f == Field::extAlarmVoltX10;
}

double &voltsOf(ParamSet &p, Field f)
{
    if (f == Field::txAlarmVoltX10)
        return p.txAlarmVolt;
    if (f == Field::rxAlarmVoltX10)
        return p.rxAlarmVolt;
    return p.extAlarmVolt;
}

} // namespace

Q_DECLARE_METATYPE(Field)

class TestFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void layoutsMatchFormat();
    void initialValuesGiveFrames_data();
    void initialValuesGiveFrames();
    void initialTextsDecode();
    void initialSBodyDiffersOnlyInStickMode();
    void factoryFrames();

    void fieldPositions_data();
    void fieldPositions();
    void encodings_data();
    void encodings();
    void companionKeepsUnclampedValue();
    void companionsPerFrame();
    void tailIsKept();
    void rebuildIsStable();

    void companion_data();
    void companion();
    void companionOfNonFinite();

    void randomSetsGiveValidFrames();
    void roundTrip();
};

void TestFrames::layoutsMatchFormat()
{
    for (int f = 0; f < 4; ++f) {
        const FrameLayout &layout = frameLayout(f);
        QCOMPARE(layout.start, startLetters[f]);
        QCOMPARE(layout.end, endLetters[f]);
        QCOMPARE(layout.bodyLength, bodyLengths[f]);
        QCOMPARE(layout.length, 81);
        const auto expected = formatFields(f);
        QCOMPARE(layout.count, int(expected.size()));
        for (int k = 0; k < layout.count; ++k) {
            QCOMPARE(layout.fields[k].pos, expected[k].first);
            QVERIFY2(layout.fields[k].code == expected[k].second,
                     qPrintable(QStringLiteral("frame %1 pos %2").arg(f).arg(expected[k].first)));
        }
        const auto &last = expected.back();
        QCOMPARE(last.first + widthOf(last.second), bodyLengths[f]);
    }
}

void TestFrames::initialValuesGiveFrames_data()
{
    QTest::addColumn<int>("frame");
    QTest::newRow("S") << int(FrameS);
    QTest::newRow("G") << int(FrameG);
    QTest::newRow("H") << int(FrameH);
    QTest::newRow("I") << int(FrameI);
}

void TestFrames::initialValuesGiveFrames()
{
    QFETCH(int, frame);
    ParamSet p;
    const QString text = built(p, frame);
    QCOMPARE(text, QString::fromLatin1(initialFrames[frame]));
    QCOMPARE(text.size(), 81);
    QCOMPARE(encodeBody(p, frame), text.left(bodyLengths[frame]));
}

void TestFrames::initialTextsDecode()
{
    // The initial frame texts hold stick mode 2, 11.0 V and, in the G text,
    // V-tail and mix values that differ from the Initial set.
    ParamSet p;
    decodeFrameFields(QString::fromLatin1(initialFrameText[FrameS]), 0, FrameS, p);
    const int reverse[] = {0, 0, 1, 0, 0, 0, 0, 0};
    const int failSafe[] = {50, 50, 0, 50, 50, 50, 50, 50};
    for (int n = 1; n <= 8; ++n) {
        QCOMPARE(p.reverse[n], reverse[n - 1]);
        QCOMPARE(p.subTrim[n], 0);
        QCOMPARE(p.epaLeft[n], 96);
        QCOMPARE(p.epaRight[n], 96);
        QCOMPARE(p.failSafe[n], failSafe[n - 1]);
    }
    const int aux[] = {1, 3, 0, 2};
    for (int n = 5; n <= 8; ++n)
        QCOMPARE(p.auxSource[n], aux[n - 5]);
    QCOMPARE(p.txAlarmVoltX10, 110);
    QCOMPARE(p.txAlarmVolt, 11.0);
    QCOMPARE(p.stickMode, 2);

    decodeFrameFields(QString::fromLatin1(initialFrameText[FrameG]), 0, FrameG, p);
    QCOMPARE(p.attitudeChannel, 4);
    const int attitude[] = {14, 29, 44, 56, 69, 88};
    const int elevon[] = {100, 100, 100, -100, 100, 100};
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(p.attitude[i], attitude[i - 1]);
        QCOMPARE(p.elevon[i], elevon[i - 1]);
    }
    QCOMPARE(p.elevonMix, 0);
    QCOMPARE(p.vtailMix, 0);
    const int vtail[] = {34, -66, 50, 34};
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(p.vtail[i], vtail[i - 1]);
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(p.servoDelay[n], 100);
    QCOMPARE(p.drMix, 0);
    QCOMPARE(p.drChannel, 0);
    QCOMPARE(p.drUp, 100);
    QCOMPARE(p.drDown, 100);
    QCOMPARE(p.prmUpRate[1], -16);
    QCOMPARE(p.prmUpRate[2], 0);
    QCOMPARE(p.prmDownRate[1], -16);
    QCOMPARE(p.prmDownRate[2], 0);
    QCOMPARE(p.prmOffset[1], -16);
    QCOMPARE(p.prmOffset[2], -16);
    QCOMPARE(p.prmMaster[1], 0);
    QCOMPARE(p.prmMaster[2], 1);
    QCOMPARE(p.prmSlave[1], 3);
    QCOMPARE(p.prmSlave[2], 5);
    QCOMPARE(p.prmMix[1], 0);
    QCOMPARE(p.prmMix[2], 0);
}

void TestFrames::initialSBodyDiffersOnlyInStickMode()
{
    ParamSet p;
    const QString text = built(p, FrameS);
    const QString initial = QString::fromLatin1(initialFrameText[FrameS]);
    QCOMPARE(text.size(), initial.size());
    for (int i = 0; i < text.size(); ++i)
        if (i != 79)
            QCOMPARE(text.at(i), initial.at(i));
    QCOMPARE(text.at(79), QLatin1Char('1'));
    QCOMPARE(initial.at(79), QLatin1Char('2'));
}

void TestFrames::factoryFrames()
{
    ParamSet p;
    p.txAlarmVolt = 20.0; // anything, the reset puts it back
    p.stickMode = 4;
    restData(p);
    restData2(p);
    QCOMPARE(built(p, FrameS),
             QStringLiteral("S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y"));
    for (int f = FrameG; f <= FrameI; ++f)
        QCOMPARE(built(p, f), QString::fromLatin1(initialFrames[f]));
}

void TestFrames::fieldPositions_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("encoded");

    auto row = [](const char *name, int frame, Field f, int index, int value, int pos, const char *enc) {
        QTest::newRow(name) << frame << f << index << value << pos << QString::fromLatin1(enc);
    };
    using F = Field;
    row("S reverse[1]", FrameS, F::reverse, 1, 1, 1, "1");
    row("S reverse[3]", FrameS, F::reverse, 3, 0, 3, "0");
    row("S reverse[8]", FrameS, F::reverse, 8, 1, 8, "1");
    row("S subTrim[1]", FrameS, F::subTrim, 1, 7, 9, "7F");
    row("S subTrim[2]", FrameS, F::subTrim, 2, -7, 11, "71");
    row("S subTrim[8]", FrameS, F::subTrim, 8, 7, 23, "7F");
    row("S epaLeft[1]", FrameS, F::epaLeft, 1, 7, 25, "17");
    row("S epaLeft[8]", FrameS, F::epaLeft, 8, 7, 39, "17");
    row("S epaRight[1]", FrameS, F::epaRight, 1, 7, 41, "17");
    row("S epaRight[8]", FrameS, F::epaRight, 8, 7, 55, "17");
    row("S failSafe[1]", FrameS, F::failSafe, 1, 7, 57, "17");
    row("S failSafe[8]", FrameS, F::failSafe, 8, 7, 71, "17");
    row("S auxSource[5]", FrameS, F::auxSource, 5, 4, 73, "4");
    row("S auxSource[8]", FrameS, F::auxSource, 8, 5, 76, "5");
    row("S txAlarmVoltX10", FrameS, F::txAlarmVoltX10, 0, 7, 77, "17");
    row("S stickMode", FrameS, F::stickMode, 0, 3, 79, "3");

    row("G attitudeChannel", FrameG, F::attitudeChannel, 0, 2, 1, "2");
    row("G attitude[1]", FrameG, F::attitude, 1, 7, 2, "17");
    row("G attitude[6]", FrameG, F::attitude, 6, 7, 12, "17");
    row("G elevonMix", FrameG, F::elevonMix, 0, 1, 14, "1");
    row("G elevon[1]", FrameG, F::elevon, 1, 7, 15, "7F");
    row("G elevon[5]", FrameG, F::elevon, 5, 7, 17, "7F");
    row("G elevon[2]", FrameG, F::elevon, 2, 7, 19, "7F");
    row("G elevon[6]", FrameG, F::elevon, 6, 7, 21, "7F");
    row("G elevon[3]", FrameG, F::elevon, 3, 7, 23, "7F");
    row("G elevon[4]", FrameG, F::elevon, 4, 7, 25, "7F");
    row("G vtailMix", FrameG, F::vtailMix, 0, 1, 27, "1");
    row("G vtail[1]", FrameG, F::vtail, 1, 7, 28, "7B");
    row("G vtail[2]", FrameG, F::vtail, 2, 7, 30, "7B");
    row("G vtail[3]", FrameG, F::vtail, 3, 7, 32, "7B");
    row("G vtail[4]", FrameG, F::vtail, 4, -7, 34, "6D");
    row("G servoDelay[1]", FrameG, F::servoDelay, 1, 7, 37, "17");
    row("G servoDelay[8]", FrameG, F::servoDelay, 8, 7, 51, "17");
    row("G drMix", FrameG, F::drMix, 0, 1, 53, "1");
    row("G drChannel", FrameG, F::drChannel, 0, 3, 54, "3");
    row("G drUp", FrameG, F::drUp, 0, 7, 55, "17");
    row("G drDown", FrameG, F::drDown, 0, 7, 57, "17");
    row("G prmUpRate[1]", FrameG, F::prmUpRate, 1, 7, 59, "7B");
    row("G prmUpRate[2]", FrameG, F::prmUpRate, 2, 7, 61, "7B");
    row("G prmDownRate[1]", FrameG, F::prmDownRate, 1, 7, 63, "7B");
    row("G prmDownRate[2]", FrameG, F::prmDownRate, 2, 7, 65, "7B");
    row("G prmOffset[1]", FrameG, F::prmOffset, 1, 7, 67, "7B");
    row("G prmOffset[2]", FrameG, F::prmOffset, 2, 7, 69, "7B");
    row("G prmMaster[1]", FrameG, F::prmMaster, 1, 7, 71, "7");
    row("G prmMaster[2]", FrameG, F::prmMaster, 2, 7, 72, "7");
    row("G prmSlave[1]", FrameG, F::prmSlave, 1, 7, 73, "7");
    row("G prmSlave[2]", FrameG, F::prmSlave, 2, 7, 74, "7");
    row("G prmMix[1]", FrameG, F::prmMix, 1, 2, 75, "2");
    row("G prmMix[2]", FrameG, F::prmMix, 2, 2, 76, "2");

    row("H drRateUp[1]", FrameH, F::drRateUp, 1, 7, 1, "17");
    row("H drRateUp[4]", FrameH, F::drRateUp, 4, 7, 7, "17");
    row("H drRateDown[1]", FrameH, F::drRateDown, 1, 7, 9, "17");
    row("H drRateDown[4]", FrameH, F::drRateDown, 4, 7, 15, "17");
    row("H prmMix[3]", FrameH, F::prmMix, 3, 2, 17, "2");
    row("H prmMaster[3]", FrameH, F::prmMaster, 3, 7, 18, "7");
    row("H prmSlave[3]", FrameH, F::prmSlave, 3, 6, 19, "6");
    row("H prmOffset[3]", FrameH, F::prmOffset, 3, 7, 20, "7B");
    row("H prmUpRate[3]", FrameH, F::prmUpRate, 3, 7, 22, "7B");
    row("H prmDownRate[3]", FrameH, F::prmDownRate, 3, 7, 24, "7B");
    row("H prmMix[4]", FrameH, F::prmMix, 4, 2, 26, "2");
    row("H prmMaster[4]", FrameH, F::prmMaster, 4, 7, 27, "7");
    row("H prmSlave[4]", FrameH, F::prmSlave, 4, 6, 28, "6");
    row("H prmOffset[4]", FrameH, F::prmOffset, 4, 7, 29, "7B");
    row("H prmUpRate[4]", FrameH, F::prmUpRate, 4, 7, 31, "7B");
    row("H prmDownRate[4]", FrameH, F::prmDownRate, 4, 7, 33, "7B");
    row("H thrCurveMix", FrameH, F::thrCurveMix, 0, 1, 35, "1");
    row("H thrCurveExtra", FrameH, F::thrCurveExtra, 0, 3, 36, "3");
    row("H thrCurve[1]", FrameH, F::thrCurve, 1, 7, 37, "17");
    row("H thrCurve[7]", FrameH, F::thrCurve, 7, 7, 49, "17");
    row("H drPosition", FrameH, F::drPosition, 0, 1, 51, "1");
    row("H drExpoUp[1]", FrameH, F::drExpoUp, 1, 7, 52, "7B");
    row("H drExpoUp[4]", FrameH, F::drExpoUp, 4, 7, 58, "7B");
    row("H drExpoDown[1]", FrameH, F::drExpoDown, 1, 7, 60, "7B");
    row("H drExpoDown[4]", FrameH, F::drExpoDown, 4, 7, 66, "7B");
    row("H extAlarmVoltX10", FrameH, F::extAlarmVoltX10, 0, 123, 68, "123");
    row("H rssiAlarm", FrameH, F::rssiAlarm, 0, -7, 71, "71");
    row("H drSwitch", FrameH, F::drSwitch, 0, 2, 73, "2");
    row("H rxAlarmVoltX10", FrameH, F::rxAlarmVoltX10, 0, 7, 74, "17");

    row("I stickTrim[1]", FrameI, F::stickTrim, 1, 7, 1, "17");
    row("I stickTrim[2]", FrameI, F::stickTrim, 2, 200, 3, "D8");
    row("I stickTrim[4]", FrameI, F::stickTrim, 4, 7, 7, "17");
}

// One field changed on the Initial set changes exactly its own characters.
void TestFrames::fieldPositions()
{
    QFETCH(int, frame);
    QFETCH(Field, field);
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(int, pos);
    QFETCH(QString, encoded);

    ParamSet p;
    if (isCompanion(field))
        voltsOf(p, field) = value / 10.0;
    else
        fieldRef(p, field, index) = value;
    QString expected = QString::fromLatin1(initialFrames[frame]);
    QVERIFY(expected.mid(pos, encoded.size()) != encoded);
    expected.replace(pos, encoded.size(), encoded);
    QCOMPARE(built(p, frame), expected);

    // The file decoder reads the field back from the same place.
    ParamSet q;
    decodeFrameFields(expected, 0, frame, q);
    QCOMPARE(fieldValue(q, field, index), value);
}

void TestFrames::encodings_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("byVolts");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("encoded");

    auto field = [](const char *name, int frame, Field f, int index, int value, int pos, const char *enc) {
        QTest::newRow(name) << frame << f << index << false << double(value) << pos << QString::fromLatin1(enc);
    };
    auto volts = [](const char *name, int frame, Field f, double v, int pos, const char *enc) {
        QTest::newRow(name) << frame << f << 0 << true << v << pos << QString::fromLatin1(enc);
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    using F = Field;

    field("subTrim -100", FrameS, F::subTrim, 1, -100, 9, "14");
    field("subTrim +100", FrameS, F::subTrim, 1, 100, 9, "DC");
    field("epaLeft 120", FrameS, F::epaLeft, 3, 120, 29, "88");
    field("epaRight 0", FrameS, F::epaRight, 1, 0, 41, "10");
    field("vtail -100", FrameG, F::vtail, 1, -100, 28, "10");
    field("vtail +100", FrameG, F::vtail, 1, 100, 28, "D8");
    field("mix offset -100", FrameG, F::prmOffset, 1, -100, 67, "10");
    field("mix up rate +100", FrameH, F::prmUpRate, 3, 100, 22, "D8");
    field("expo -100", FrameH, F::drExpoDown, 2, -100, 62, "10");
    field("rssiAlarm -100", FrameH, F::rssiAlarm, 0, -100, 71, "14");
    field("rssiAlarm 0", FrameH, F::rssiAlarm, 0, 0, 71, "78");
    field("thrCurve 100", FrameH, F::thrCurve, 7, 100, 49, "74");
    volts("ext 5.0", FrameH, F::extAlarmVoltX10, 5.0, 68, "050");
    volts("ext 99.9", FrameH, F::extAlarmVoltX10, 99.9, 68, "999");
    volts("ext 0.0", FrameH, F::extAlarmVoltX10, 0.0, 68, "000");
    volts("rx 0.0", FrameH, F::rxAlarmVoltX10, 0.0, 74, "10");
    volts("rx 23.9", FrameH, F::rxAlarmVoltX10, 23.9, 74, "FF");
    volts("tx 11.0 upper case", FrameS, F::txAlarmVoltX10, 11.0, 77, "7E");
    volts("tx 23.9", FrameS, F::txAlarmVoltX10, 23.9, 77, "FF");
    volts("tx 0.0", FrameS, F::txAlarmVoltX10, 0.0, 77, "10");

    // Values wider than their field are held at the nearest value that fits.
    volts("tx 24.0 clamped", FrameS, F::txAlarmVoltX10, 24.0, 77, "FF");
    volts("tx 99.9 clamped", FrameS, F::txAlarmVoltX10, 99.9, 77, "FF");
    volts("tx -5.0 clamped", FrameS, F::txAlarmVoltX10, -5.0, 77, "10");
    volts("tx 1e300 clamped", FrameS, F::txAlarmVoltX10, 1e300, 77, "FF");
    volts("tx inf clamped", FrameS, F::txAlarmVoltX10, inf, 77, "FF");
    volts("tx -inf clamped", FrameS, F::txAlarmVoltX10, -inf, 77, "10");
    volts("tx NaN as 0", FrameS, F::txAlarmVoltX10, nan, 77, "10");
    volts("rx 24.0 clamped", FrameH, F::rxAlarmVoltX10, 24.0, 74, "FF");
    volts("ext 100.0 clamped", FrameH, F::extAlarmVoltX10, 100.0, 68, "999");
    volts("ext -0.1 clamped", FrameH, F::extAlarmVoltX10, -0.1, 68, "000");
    field("trim 239", FrameI, F::stickTrim, 1, 239, 1, "FF");
    field("trim 240 clamped", FrameI, F::stickTrim, 1, 240, 1, "FF");
    field("trim 255 clamped", FrameI, F::stickTrim, 4, 255, 7, "FF");
    field("trim -1 clamped", FrameI, F::stickTrim, 2, -1, 3, "10");
    field("master 10 clamped", FrameG, F::prmMaster, 1, 10, 71, "9");
    field("slave 10 clamped", FrameH, F::prmSlave, 4, 10, 28, "9");
    field("reverse index -1", FrameS, F::reverse, 2, -1, 2, "0");
    field("aux index -1", FrameS, F::auxSource, 6, -1, 74, "0");
    field("attitude channel -1", FrameG, F::attitudeChannel, 0, -1, 1, "0");
    field("stick mode 12", FrameS, F::stickMode, 0, 12, 79, "9");
    field("subTrim -104", FrameS, F::subTrim, 2, -104, 11, "10");
    field("subTrim -105 clamped", FrameS, F::subTrim, 2, -105, 11, "10");
    field("subTrim 135", FrameS, F::subTrim, 2, 135, 11, "FF");
    field("subTrim 136 clamped", FrameS, F::subTrim, 2, 136, 11, "FF");
    field("vtail 139", FrameG, F::vtail, 3, 139, 32, "FF");
    field("vtail 140 clamped", FrameG, F::vtail, 3, 140, 32, "FF");
    field("vtail -101 clamped", FrameG, F::vtail, 3, -101, 32, "10");
    field("epaLeft -1 clamped", FrameS, F::epaLeft, 1, -1, 25, "10");
    field("rssiAlarm INT_MIN", FrameH, F::rssiAlarm, 0, INT_MIN, 71, "10");
    field("rssiAlarm INT_MAX", FrameH, F::rssiAlarm, 0, INT_MAX, 71, "FF");
}

void TestFrames::encodings()
{
    QFETCH(int, frame);
    QFETCH(Field, field);
    QFETCH(int, index);
    QFETCH(bool, byVolts);
    QFETCH(double, value);
    QFETCH(int, pos);
    QFETCH(QString, encoded);

    ParamSet p;
    if (byVolts)
        voltsOf(p, field) = value;
    else
        fieldRef(p, field, index) = int(value);
    const QString text = built(p, frame);
    QCOMPARE(text.size(), 81);
    QCOMPARE(text.mid(pos, encoded.size()), encoded);
    // Nothing else moved.
    QCOMPARE(text.left(pos), QString::fromLatin1(initialFrames[frame]).left(pos));
    QCOMPARE(text.mid(pos + encoded.size()),
             QString::fromLatin1(initialFrames[frame]).mid(pos + encoded.size()));
}

void TestFrames::companionKeepsUnclampedValue()
{
    // Only the text is held to its width; the companion is the real value.
    ParamSet p;
    p.txAlarmVolt = 24.0;
    built(p, FrameS);
    QCOMPARE(p.txAlarmVoltX10, 240);
    p.extAlarmVolt = 100.0;
    p.rxAlarmVolt = 30.0;
    built(p, FrameH);
    QCOMPARE(p.extAlarmVoltX10, 1000);
    QCOMPARE(p.rxAlarmVoltX10, 300);
}

void TestFrames::companionsPerFrame()
{
    ParamSet p;
    p.txAlarmVolt = 4.2;
    p.rxAlarmVolt = 5.1;
    p.extAlarmVolt = 12.6;

    built(p, FrameG);
    built(p, FrameI);
    QCOMPARE(p.txAlarmVoltX10, 37);
    QCOMPARE(p.rxAlarmVoltX10, 40);
    QCOMPARE(p.extAlarmVoltX10, 110);

    built(p, FrameH);
    QCOMPARE(p.txAlarmVoltX10, 37);
    QCOMPARE(p.rxAlarmVoltX10, 51);
    QCOMPARE(p.extAlarmVoltX10, 126);

    built(p, FrameS);
    QCOMPARE(p.txAlarmVoltX10, 42);

    // encodeBody alone uses the companion as it stands.
    ParamSet q;
    q.txAlarmVolt = 4.2;
    QCOMPARE(encodeBody(q, FrameS).mid(77, 2), QStringLiteral("35"));
    QCOMPARE(q.txAlarmVoltX10, 37);
}

void TestFrames::tailIsKept()
{
    ParamSet p;
    QString g = QStringLiteral("G") + QString(76, QLatin1Char('x')) + QStringLiteral("6D2Z");
    buildFrame(p, FrameG, g);
    QCOMPARE(g, QString::fromLatin1(initialFrames[FrameG]));

    QString longer = QString::fromLatin1(initialFrameText[FrameS]) + QStringLiteral("QQ");
    buildFrame(p, FrameS, longer);
    QCOMPARE(longer, QString::fromLatin1(initialFrames[FrameS]) + QStringLiteral("QQ"));

    QString i = QString::fromLatin1(initialFrameText[FrameI]);
    i[40] = QLatin1Char('7');
    buildFrame(p, FrameI, i);
    QCOMPARE(i.left(9), QStringLiteral("I88888888"));
    QCOMPARE(i.at(40), QLatin1Char('7'));
}

void TestFrames::rebuildIsStable()
{
    ParamSet p;
    p.vtail[2] = -77;
    QString g = QString::fromLatin1(initialFrameText[FrameG]);
    buildFrame(p, FrameG, g);
    const QString first = g;
    buildFrame(p, FrameG, g);
    QCOMPARE(g, first);
    QVERIFY(g.endsWith(QStringLiteral("6D2Z")));
}

void TestFrames::companion_data()
{
    QTest::addColumn<double>("volts");
    QTest::addColumn<int>("tenths");
    QTest::newRow("3.7") << 3.7 << 37;
    QTest::newRow("11.0") << 11.0 << 110;
    QTest::newRow("0.0") << 0.0 << 0;
    QTest::newRow("0.1") << 0.1 << 1;
    QTest::newRow("4.2") << 4.2 << 42;
    QTest::newRow("23.9") << 23.9 << 239;
    QTest::newRow("99.9") << 99.9 << 999;
    QTest::newRow("100.0") << 100.0 << 1000;
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << 3;
    QTest::newRow("2.35 truncates") << 2.35 << 23;
    QTest::newRow("0.57 truncates") << 0.57 << 5;
    // 9.9999999 is nearer to 10.0f than to any other single.
    QTest::newRow("0.99999999 via single") << 0.99999999 << 10;
    QTest::newRow("2.39999999 via single") << 2.39999999 << 24;
    QTest::newRow("0.9999 stays below") << 0.9999 << 9;
    QTest::newRow("-0.35 toward zero") << -0.35 << -3;
    QTest::newRow("-3.7") << -3.7 << -37;
}

void TestFrames::companion()
{
    QFETCH(double, volts);
    QFETCH(int, tenths);
    QCOMPARE(voltCompanion(volts), tenths);

    ParamSet p;
    p.txAlarmVolt = volts;
    p.rxAlarmVolt = volts;
    p.extAlarmVolt = volts;
    refreshCompanions(p, FrameS);
    QCOMPARE(p.txAlarmVoltX10, tenths);
    QCOMPARE(p.rxAlarmVoltX10, 40);
    refreshCompanions(p, FrameH);
    QCOMPARE(p.rxAlarmVoltX10, tenths);
    QCOMPARE(p.extAlarmVoltX10, tenths);
}

void TestFrames::companionOfNonFinite()
{
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(voltCompanion(std::numeric_limits<double>::quiet_NaN()), 0);
    QCOMPARE(voltCompanion(inf), INT_MAX);
    QCOMPARE(voltCompanion(-inf), INT_MIN);
    QCOMPARE(voltCompanion(1e300), INT_MAX);
    QCOMPARE(voltCompanion(-1e300), INT_MIN);
    QCOMPARE(voltCompanion(214748364.8), INT_MAX);
    QCOMPARE(voltCompanion(-214748364.8), INT_MIN);
    QCOMPARE(voltCompanion(1e8), 1000000000);
}

void TestFrames::randomSetsGiveValidFrames()
{
    QRandomGenerator rng(20240611);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1000, -121, -120, -117, -116, -105, -104,
                            -101, -100, -17, -16, -1, 0, 1, 9, 10, 99, 100, 135, 136, 139, 140,
                            239, 240, 255, 256, 999, 1000, 65535, INT_MAX - 1, INT_MAX};
    const double voltExtremes[] = {std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   1e300, -1e300, 0.0, -0.1, 23.9, 24.0, 99.9, 100.0,
                                   214748364.7, 214748364.8, -214748364.8, 1e9};
    auto pickInt = [&]() -> int {
        switch (rng.bounded(3)) {
        case 0: return extremes[rng.bounded(int(sizeof extremes / sizeof extremes[0]))];
        case 1: return rng.bounded(-300, 1100);
        default: return int(rng.generate());
        }
    };
    auto pickVolts = [&]() -> double {
        if (rng.bounded(2) == 0)
            return voltExtremes[rng.bounded(int(sizeof voltExtremes / sizeof voltExtremes[0]))];
        return rng.generateDouble() * 1200.0 - 200.0;
    };

    for (int round = 0; round < 3000; ++round) {
        ParamSet p;
        for (int f = 0; f < allFieldCount; ++f)
            for (int i = allFields[f].first; i <= allFields[f].last; ++i)
                fieldRef(p, allFields[f].field, i) = pickInt();
        p.txAlarmVolt = pickVolts();
        p.rxAlarmVolt = pickVolts();
        p.extAlarmVolt = pickVolts();

        for (int frame = 0; frame < 4; ++frame) {
            const QString text = built(p, frame);
            const QString initial = QString::fromLatin1(initialFrames[frame]);
            QCOMPARE(text.size(), 81);
            QCOMPARE(text.at(0), QLatin1Char(startLetters[frame]));
            QCOMPARE(text.mid(bodyLengths[frame]), initial.mid(bodyLengths[frame]));

            for (const auto &fc : formatFields(frame)) {
                const int pos = fc.first;
                switch (fc.second) {
                case Code::D1:
                    QVERIFY2(isDigit(text.at(pos)), qPrintable(text));
                    break;
                case Code::K6:
                    QCOMPARE(text.at(pos), QLatin1Char('6'));
                    break;
                case Code::D3:
                    for (int k = 0; k < 3; ++k)
                        QVERIFY2(isDigit(text.at(pos + k)), qPrintable(text));
                    break;
                case Code::X16:
                case Code::X116:
                case Code::X120:
                    // Biased values lie in 0x10..0xFF: never a leading zero.
                    QVERIFY2(isUpperHex(text.at(pos)) && text.at(pos) != QLatin1Char('0'),
                             qPrintable(text));
                    QVERIFY2(isUpperHex(text.at(pos + 1)), qPrintable(text));
                    break;
                default:
                    break;
                }
            }

            // Reading the frame back gives each value held to its width.
            ParamSet q;
            decodeFrameFields(text, 0, frame, q);
            const FrameLayout &layout = frameLayout(frame);
            for (int k = 0; k < layout.count; ++k) {
                const FrameField &ff = layout.fields[k];
                if (ff.code == Code::L || ff.code == Code::K6)
                    continue;
                QCOMPARE(fieldValue(q, ff.field, ff.index),
                         clampLit(ff.code, fieldValue(p, ff.field, ff.index)));
            }
        }
    }
}

void TestFrames::roundTrip()
{
    QRandomGenerator rng(7);
    for (int round = 0; round < 500; ++round) {
        ParamSet p;
        for (int frame = 0; frame < 4; ++frame) {
            const FrameLayout &layout = frameLayout(frame);
            for (int k = 0; k < layout.count; ++k) {
                const FrameField &ff = layout.fields[k];
                if (ff.code == Code::L || ff.code == Code::K6 || isCompanion(ff.field))
                    continue;
                const int lo = clampLit(ff.code, INT_MIN);
                const int hi = clampLit(ff.code, INT_MAX);
                fieldRef(p, ff.field, ff.index) = rng.bounded(lo, hi + 1);
            }
        }
        p.txAlarmVolt = rng.bounded(240) / 10.0;
        p.rxAlarmVolt = rng.bounded(240) / 10.0;
        p.extAlarmVolt = rng.bounded(1000) / 10.0;

        QString texts[4];
        ParamSet q;
        q.firmwareVersion = 4321;
        q.drCurveRate = 55;
        q.drCurveExpo = -55;
        for (int frame = 0; frame < 4; ++frame) {
            texts[frame] = built(p, frame);
            decodeFrameFields(texts[frame], 0, frame, q);
        }
        // Everything the frames carry comes back; the rest is left alone.
        ParamSet expected = p;
        expected.firmwareVersion = 4321;
        expected.drCurveRate = 55;
        expected.drCurveExpo = -55;
        QVERIFY(q == expected);
        QCOMPARE(q.txAlarmVolt, p.txAlarmVolt);
        QCOMPARE(q.extAlarmVolt, p.extAlarmVolt);

        for (int frame = 0; frame < 4; ++frame)
            QCOMPARE(built(q, frame), texts[frame]);
    }
}

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
