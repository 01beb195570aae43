#include <QtTest>

#include <climits>

#include "fields.h"
#include "frames.h"
#include "paramset.h"
#include "rules.h"

namespace {

QStringList logLines;
QtMessageHandler previousHandler = nullptr;

void keepDebugLines(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtDebugMsg)
        logLines << msg;
}

// Collects the debug log while it lives.
struct LogCapture {
    LogCapture()
    {
        logLines.clear();
        previousHandler = qInstallMessageHandler(keepDebugLines);
    }
    ~LogCapture() { qInstallMessageHandler(previousHandler); }
};

// The four frame texts back to back, as Save writes them.
QString fileText(ParamSet p)
{
    QString text;
    for (int f = 0; f < 4; ++f) {
        QString frame = QString::fromLatin1(initialFrameText[f]);
        buildFrame(p, f, frame);
        text += frame;
    }
    return text;
}

// A set that differs from the Initial set in every frame.
ParamSet marked()
{
    ParamSet p;
    p.subTrim[1] = 5;       // S
    p.txAlarmVolt = 4.2;    // S
    p.attitude[1] = 7;      // G
    p.prmSlave[2] = 6;      // G
    p.thrCurve[1] = 3;      // H
    p.extAlarmVolt = 12.6;  // H
    p.rxAlarmVolt = 5.1;    // H
    p.stickTrim[1] = 100;   // I
    p.stickTrim[4] = 140;   // I
    return p;
}

// Which frames of marked() reached p.
void checkFrames(const ParamSet &p, bool s, bool g, bool h, bool i)
{
    const ParamSet initial;
    QCOMPARE(p.subTrim[1], s ? 5 : 0);
    QCOMPARE(p.txAlarmVolt, s ? 4.2 : initial.txAlarmVolt);
    QCOMPARE(p.txAlarmVoltX10, s ? 42 : initial.txAlarmVoltX10);
    QCOMPARE(p.attitude[1], g ? 7 : 14);
    QCOMPARE(p.prmSlave[2], g ? 6 : 5);
    QCOMPARE(p.thrCurve[1], h ? 3 : 0);
    QCOMPARE(p.extAlarmVolt, h ? 12.6 : 11.0);
    QCOMPARE(p.extAlarmVoltX10, h ? 126 : 110);
    QCOMPARE(p.rxAlarmVolt, h ? 5.1 : 4.0);
    QCOMPARE(p.stickTrim[1], i ? 100 : 120);
    QCOMPARE(p.stickTrim[4], i ? 140 : 120);
}

int codeLow(Code c)
{
    switch (c) {
    case Code::X116: return -100;
    case Code::X120: return -104;
    default: return 0;
    }
}

int codeHigh(Code c)
{
    switch (c) {
    case Code::D1: return 9;
    case Code::X16: return 239;
    case Code::X116: return 139;
    case Code::X120: return 135;
    case Code::D3: return 999;
    default: return 0;
    }
}

bool isCompanion(Field f)
{
    return f == Field::txAlarmVoltX10 || f == Field::rxAlarmVoltX10 || f == Field::extAlarmVoltX10;
}

} // namespace

Q_DECLARE_METATYPE(Field)

class TestParamFile : public QObject
{
    Q_OBJECT

private slots:
    void byLength_data();
    void byLength();
    void markers_data();
    void markers();
    void lineEndAfterEachFrame_data();
    void lineEndAfterEachFrame();
    void characters_data();
    void characters();
    void derivedVolts_data();
    void derivedVolts();
    void lowerCaseFile();
    void noRepair();
    void saveLoadRoundTrip_data();
    void saveLoadRoundTrip();
    void randomRoundTrip();
};

void TestParamFile::byLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("s");
    QTest::addColumn<bool>("g");
    QTest::addColumn<bool>("h");
    QTest::addColumn<bool>("i");

    QTest::newRow("324: all four") << 324 << true << true << true << true;
    QTest::newRow("323: no I") << 323 << true << true << true << false;
    QTest::newRow("243: S G H") << 243 << true << true << true << false;
    QTest::newRow("242: S G") << 242 << true << true << false << false;
    QTest::newRow("200: S G") << 200 << true << true << false << false;
    QTest::newRow("162: S G") << 162 << true << true << false << false;
    QTest::newRow("161: nothing") << 161 << false << false << false << false;
    QTest::newRow("81: nothing") << 81 << false << false << false << false;
    QTest::newRow("0: nothing") << 0 << false << false << false << false;
}

void TestParamFile::byLength()
{
    QFETCH(int, length);
    QFETCH(bool, s);
    QFETCH(bool, g);
    QFETCH(bool, h);
    QFETCH(bool, i);

    const QString full = fileText(marked());
    QCOMPARE(full.size(), 324);
    const QString text = full.left(length);

    ParamSet p;
    FileFrames found;
    {
        LogCapture log;
        found = decodeParameterFile(text, p);
    }
    QCOMPARE(found.present[FrameS], s);
    QCOMPARE(found.present[FrameG], g);
    QCOMPARE(found.present[FrameH], h);
    QCOMPARE(found.present[FrameI], i);
    QCOMPARE(found.count(), int(s) + int(g) + int(h) + int(i));
    checkFrames(p, s, g, h, i);

    QStringList expectedLog{QStringLiteral("Blength00:%1").arg(length)};
    if (s)
        expectedLog << QStringLiteral("Blength01:%1").arg(length);
    if (g)
        expectedLog << QStringLiteral("Blength02:%1").arg(length);
    if (h)
        expectedLog << QStringLiteral("Blength03:%1").arg(length);
    QCOMPARE(logLines, expectedLog);

    const FileFrames again = recognisedFrames(text);
    for (int f = 0; f < 4; ++f)
        QCOMPARE(again.present[f], found.present[f]);
}

void TestParamFile::markers_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("s");
    QTest::addColumn<bool>("g");
    QTest::addColumn<bool>("h");
    QTest::addColumn<bool>("i");

    QTest::newRow("S start lower case") << 0 << "s" << false << true << true << true;
    QTest::newRow("S end wrong") << 80 << "Z" << false << true << true << true;
    QTest::newRow("G start wrong") << 81 << "S" << true << false << true << true;
    QTest::newRow("G end wrong") << 161 << "0" << true << false << true << true;
    QTest::newRow("H start wrong") << 162 << "I" << true << true << false << true;
    QTest::newRow("H end wrong") << 242 << "x" << true << true << false << true;
    QTest::newRow("I start wrong") << 243 << "0" << true << true << true << false;
    QTest::newRow("I end wrong") << 323 << "0" << true << true << true << false;
    // Only the letters are tested, not what lies between them.
    QTest::newRow("G constant changed") << 81 + 36 << "7" << true << true << true << true;
    QTest::newRow("H tail changed") << 162 + 77 << "Q" << true << true << true << true;
}

void TestParamFile::markers()
{
    QFETCH(int, pos);
    QFETCH(QString, replacement);
    QFETCH(bool, s);
    QFETCH(bool, g);
    QFETCH(bool, h);
    QFETCH(bool, i);

    QString text = fileText(marked());
    text.replace(pos, 1, replacement);
    ParamSet p;
    LogCapture log;
    const FileFrames found = decodeParameterFile(text, p);
    QCOMPARE(found.present[FrameS], s);
    QCOMPARE(found.present[FrameG], g);
    QCOMPARE(found.present[FrameH], h);
    QCOMPARE(found.present[FrameI], i);
    checkFrames(p, s, g, h, i);
}

void TestParamFile::lineEndAfterEachFrame_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("LF") << "\n";
    QTest::newRow("CR LF") << "\r\n";
}

void TestParamFile::lineEndAfterEachFrame()
{
    QFETCH(QString, lineEnd);
    const QString plain = fileText(marked());
    QString text;
    for (int f = 0; f < 4; ++f)
        text += plain.mid(81 * f, 81) + lineEnd;

    ParamSet p;
    LogCapture log;
    const FileFrames found = decodeParameterFile(text, p);
    QCOMPARE(found.count(), 1);
    QVERIFY(found.present[FrameS]);
    checkFrames(p, true, false, false, false);
    QCOMPARE(logLines,
             QStringList({QStringLiteral("Blength00:%1").arg(text.size()),
                          QStringLiteral("Blength01:%1").arg(text.size())}));
}

void TestParamFile::characters_data()
{
    QTest::addColumn<int>("filePos");
    QTest::addColumn<QString>("chars");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");

    using F = Field;
    // D1 is read as one hexadecimal digit.
    QTest::newRow("D1 '7'") << 1 << "7" << F::reverse << 1 << 7;
    QTest::newRow("D1 'F'") << 1 << "F" << F::reverse << 1 << 15;
    QTest::newRow("D1 'a'") << 1 << "a" << F::reverse << 1 << 10;
    QTest::newRow("D1 'Z' invalid") << 1 << "Z" << F::reverse << 1 << 0;
    QTest::newRow("D1 blank invalid") << 79 << " " << F::stickMode << 0 << 0;
    // Two hex digits, then the bias.
    QTest::newRow("X120 '7f'") << 9 << "7f" << F::subTrim << 1 << 7;
    QTest::newRow("X120 'ff'") << 9 << "ff" << F::subTrim << 1 << 135;
    QTest::newRow("X120 '00'") << 9 << "00" << F::subTrim << 1 << -120;
    QTest::newRow("X120 'G1' invalid") << 9 << "G1" << F::subTrim << 1 << -120;
    QTest::newRow("X120 '1G' invalid") << 9 << "1G" << F::subTrim << 1 << -120;
    QTest::newRow("X120 '-1' invalid") << 9 << "-1" << F::subTrim << 1 << -120;
    QTest::newRow("X16 '7e'") << 77 << "7e" << F::txAlarmVoltX10 << 0 << 110;
    QTest::newRow("X116 'a6'") << 81 + 28 << "a6" << F::vtail << 1 << 50;
    QTest::newRow("X116 'zz' invalid") << 81 + 34 << "zz" << F::vtail << 4 << -116;
    QTest::newRow("X120 rssi 'FF'") << 162 + 71 << "FF" << F::rssiAlarm << 0 << 135;
    QTest::newRow("X16 trim 'FF'") << 243 + 1 << "FF" << F::stickTrim << 1 << 239;
    QTest::newRow("X16 trim 'xx' invalid") << 243 + 7 << "xx" << F::stickTrim << 4 << -16;
    // D3: each character one hex digit, 100a + 10b + c.
    QTest::newRow("D3 '110'") << 162 + 68 << "110" << F::extAlarmVoltX10 << 0 << 110;
    QTest::newRow("D3 '1A0'") << 162 + 68 << "1A0" << F::extAlarmVoltX10 << 0 << 200;
    QTest::newRow("D3 'abc'") << 162 + 68 << "abc" << F::extAlarmVoltX10 << 0 << 1122;
    QTest::newRow("D3 '1Z3'") << 162 + 68 << "1Z3" << F::extAlarmVoltX10 << 0 << 103;
    QTest::newRow("D3 'F0F'") << 162 + 68 << "F0F" << F::extAlarmVoltX10 << 0 << 1515;
}

void TestParamFile::characters()
{
    QFETCH(int, filePos);
    QFETCH(QString, chars);
    QFETCH(Field, field);
    QFETCH(int, index);
    QFETCH(int, expected);

    QString text = fileText(ParamSet());
    text.replace(filePos, chars.size(), chars);
    QCOMPARE(text.size(), 324);
    ParamSet p;
    LogCapture log;
    QCOMPARE(decodeParameterFile(text, p).count(), 4);
    QCOMPARE(fieldValue(p, field, index), expected);
}

void TestParamFile::derivedVolts_data()
{
    QTest::addColumn<int>("filePos");
    QTest::addColumn<QString>("chars");
    QTest::addColumn<int>("which"); // 0 tx, 1 rx, 2 ext
    QTest::addColumn<double>("volts");

    QTest::newRow("tx 7E") << 77 << "7E" << 0 << 11.0;
    QTest::newRow("tx 35") << 77 << "35" << 0 << 3.7;
    QTest::newRow("tx FF") << 77 << "FF" << 0 << 23.9;
    QTest::newRow("ext 110") << 162 + 68 << "110" << 2 << 11.0;
    QTest::newRow("ext 999") << 162 + 68 << "999" << 2 << 99.9;
    QTest::newRow("rx 7E") << 162 + 74 << "7E" << 1 << 11.0;
    QTest::newRow("rx 38") << 162 + 74 << "38" << 1 << 4.0;
}

void TestParamFile::derivedVolts()
{
    QFETCH(int, filePos);
    QFETCH(QString, chars);
    QFETCH(int, which);
    QFETCH(double, volts);

    QString text = fileText(ParamSet());
    text.replace(filePos, chars.size(), chars);
    ParamSet p;
    p.txAlarmVolt = p.rxAlarmVolt = p.extAlarmVolt = 77.7;
    LogCapture log;
    decodeParameterFile(text, p);
    const double got[] = {p.txAlarmVolt, p.rxAlarmVolt, p.extAlarmVolt};
    QCOMPARE(got[which], volts);
}

void TestParamFile::lowerCaseFile()
{
    ParamSet src;
    src.epaLeft[2] = 120;     // 88
    src.subTrim[3] = 100;     // DC
    src.vtail[1] = 100;       // D8
    src.txAlarmVolt = 11.0;   // 7E
    src.stickTrim[2] = 200;   // D8
    const QString upper = fileText(src);
    QString lower = upper;
    for (int f = 0; f < 4; ++f)
        for (int i = 1; i < 80; ++i)
            lower[81 * f + i] = lower.at(81 * f + i).toLower();
    QVERIFY(lower != upper);

    ParamSet a, b;
    LogCapture log;
    QCOMPARE(decodeParameterFile(upper, a).count(), 4);
    QCOMPARE(decodeParameterFile(lower, b).count(), 4);
    QVERIFY(a == b);
    QCOMPARE(b.subTrim[3], 100);
    QCOMPARE(b.vtail[1], 100);
    QCOMPARE(b.txAlarmVolt, 11.0);
    QCOMPARE(b.stickTrim[2], 200);
}

void TestParamFile::noRepair()
{
    QString text = fileText(ParamSet());
    text.replace(1, 1, QStringLiteral("F"));            // reverse[1] 15
    text.replace(9, 2, QStringLiteral("00"));           // subTrim[1] -120
    text.replace(79, 1, QStringLiteral("F"));           // stickMode 15
    text.replace(81 + 1, 1, QStringLiteral("9"));       // attitudeChannel 9
    text.replace(162 + 71, 2, QStringLiteral("FF"));    // rssiAlarm 135
    text.replace(162 + 68, 3, QStringLiteral("F0F"));   // ext 151.5 V

    ParamSet p;
    LogCapture log;
    decodeParameterFile(text, p);
    QCOMPARE(p.reverse[1], 15);
    QCOMPARE(p.subTrim[1], -120);
    QCOMPARE(p.stickMode, 15);
    QCOMPARE(p.attitudeChannel, 9);
    QCOMPARE(p.rssiAlarm, 135);
    QCOMPARE(p.extAlarmVoltX10, 1515);
    QCOMPARE(p.extAlarmVolt, 151.5);

    // These are values the range repair would replace.
    ParamSet repaired = p;
    falseSaveData(repaired);
    QCOMPARE(repaired.reverse[1], 0);
    QCOMPARE(repaired.subTrim[1], 0);
    QCOMPARE(repaired.extAlarmVolt, 11.0);
}

void TestParamFile::saveLoadRoundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("initial") << 0;
    QTest::newRow("factory") << 1;
    QTest::newRow("edited") << 2;
}

void TestParamFile::saveLoadRoundTrip()
{
    QFETCH(int, kind);
    ParamSet src;
    if (kind == 1) {
        restData(src);
        restData2(src);
    } else if (kind == 2) {
        src = marked();
        src.elevon[4] = 33;
        src.prmMaster[4] = 7;
        src.drExpoDown[3] = -100;
        src.rssiAlarm = -42;
        src.drSwitch = 2;
        src.thrCurveExtra = 4;
    }

    // Save writes Latin-1, Load reads the file through a text stream.
    QTemporaryFile file;
    QVERIFY(file.open());
    const QString saved = fileText(src);
    QCOMPARE(saved.size(), 324);
    file.write(saved.toLatin1());
    file.close();
    QVERIFY(file.open());
    QTextStream in(&file);
    const QString loaded = in.readAll();
    QCOMPARE(loaded, saved);

    ParamSet dst;
    dst.firmwareVersion = 321;
    dst.drCurveRate = 12;
    dst.drCurveExpo = -13;
    dst.subTrim[0] = 99; // element 0 is carried by nothing
    {
        LogCapture log;
        QCOMPARE(decodeParameterFile(loaded, dst).count(), 4);
        QCOMPARE(logLines.size(), 4);
    }

    ParamSet expected = src;
    refreshCompanions(expected, FrameS);
    refreshCompanions(expected, FrameH);
    expected.firmwareVersion = 321;
    expected.drCurveRate = 12;
    expected.drCurveExpo = -13;
    QVERIFY(dst == expected);
    QCOMPARE(dst.subTrim[0], 99);
    QCOMPARE(dst.txAlarmVolt, kind == 1 ? 3.7 : (kind == 2 ? 4.2 : 11.0));
    QCOMPARE(dst.extAlarmVolt, kind == 2 ? 12.6 : 11.0);
    QCOMPARE(dst.rxAlarmVolt, kind == 2 ? 5.1 : 4.0);

    // Saving the loaded set again gives the same file.
    QCOMPARE(fileText(dst), saved);
}

void TestParamFile::randomRoundTrip()
{
    QRandomGenerator rng(99);
    for (int round = 0; round < 300; ++round) {
        ParamSet src;
        for (int f = 0; f < 4; ++f) {
            const FrameLayout &layout = frameLayout(f);
            for (int k = 0; k < layout.count; ++k) {
                const FrameField &ff = layout.fields[k];
                if (ff.code == Code::L || ff.code == Code::K6 || isCompanion(ff.field))
                    continue;
                fieldRef(src, ff.field, ff.index) = rng.bounded(codeLow(ff.code), codeHigh(ff.code) + 1);
            }
        }
        src.txAlarmVolt = rng.bounded(240) / 10.0;
        src.rxAlarmVolt = rng.bounded(240) / 10.0;
        src.extAlarmVolt = rng.bounded(1000) / 10.0;

        const QString saved = fileText(src);
        ParamSet dst;
        LogCapture log;
        decodeParameterFile(saved, dst);
        QCOMPARE(dst.txAlarmVolt, src.txAlarmVolt);
        QCOMPARE(dst.rxAlarmVolt, src.rxAlarmVolt);
        QCOMPARE(dst.extAlarmVolt, src.extAlarmVolt);
        for (int f = 0; f < allFieldCount; ++f)
            for (int i = allFields[f].first; i <= allFields[f].last; ++i) {
                const Field field = allFields[f].field;
                if (field == Field::firmwareVersion || field == Field::drCurveRate
                    || field == Field::drCurveExpo || isCompanion(field))
                    continue;
                QCOMPARE(fieldValue(dst, field, i), fieldValue(src, field, i));
            }
        QCOMPARE(fileText(dst), saved);
    }
}

QTEST_GUILESS_MAIN(TestParamFile)
#include "tst_paramfile.moc"
