#include <QtTest>

#include <climits>
#include <csignal>
#include <functional>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "coretest.h"
#include "fields.h"
#include "filetest.h"
#include "frames.h"
#include "filewrite.h"
#include "paramfile.h"
#include "paramset.h"
#include "rules.h"
#include "qtwarnings.h"

namespace {

#ifdef Q_OS_UNIX
// Runs work with the process's file size limit at bytes (SIGXFSZ ignored),
// a stand-in for a full disk; false when the limit could not be set.
bool withFileSizeLimit(rlim_t bytes, const std::function<void()> &work)
{
    rlimit saved;
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0)
        return false;
    rlimit small = saved;
    small.rlim_cur = bytes;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const bool limited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (limited)
        work();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return limited;
}
#endif

// The four frame texts back to back, as Save writes them.
QString fileText(const ParamSet &p)
{
    return QString::fromLatin1(parameterFileBytes(p));
}

// What Load finds in a file of these bytes, decoded into p.
FileFrames load(const QByteArray &bytes, ParamSet &p)
{
    return decodeParameterFile(parameterFileFromBytes(bytes), p);
}

FileFrames load(const QString &text, ParamSet &p)
{
    return load(text.toLatin1(), p);
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

bool isCompanion(Field f)
{
    return f == Field::txAlarmVoltX10 || f == Field::rxAlarmVoltX10 || f == Field::extAlarmVoltX10;
}

} // namespace

Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(FileRefusal)

class TestParamFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void byLength_data();
    void byLength();
    void markers_data();
    void markers();
    void blanksBetweenFrames_data();
    void blanksBetweenFrames();
    void characters_data();
    void characters();
    void derivedVolts_data();
    void derivedVolts();
    void lowerCaseFile();
    void byteOrderMarks_data();
    void byteOrderMarks();
    void noRepair();
    void saveLoadRoundTrip_data();
    void saveLoadRoundTrip();
    void randomRoundTrip();
    void refusedFiles_data();
    void refusedFiles();
    void failedWriteKeepsOldFile();
    void writerLeavesWhatIsNoFile_data();
    void whereAFrameBreaks_data();
    void whereAFrameBreaks();
    void writeAllSaysWhy();
    void writerLeavesWhatIsNoFile();
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
    // Each frame needs only its own 81 characters.
    QTest::newRow("161: S") << 161 << true << false << false << false;
    QTest::newRow("81: S") << 81 << true << false << false << false;
    QTest::newRow("80: nothing") << 80 << false << false << false << false;
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
    QStringList logged;
    FileFrames found;
    {
        apptest::MessageLog log(false);
        found = load(text, p);
        logged = log.lines();
    }
    QCOMPARE(found.letters(), QString(s ? "S" : "") + (g ? "G" : "") + (h ? "H" : "") + (i ? "I" : ""));
    QCOMPARE(found.count(), int(s) + int(g) + int(h) + int(i));
    checkFrames(p, s, g, h, i);

    QStringList expectedLog{QStringLiteral("Blength00:%1").arg(length)};
    if (s)
        expectedLog << QStringLiteral("Blength01:%1").arg(length);
    if (g)
        expectedLog << QStringLiteral("Blength02:%1").arg(length);
    if (h)
        expectedLog << QStringLiteral("Blength03:%1").arg(length);
    QCOMPARE(logged, expectedLog);
}

void TestParamFile::markers_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("frames");

    QTest::newRow("S start lower case") << 0 << "s" << "GHI";
    QTest::newRow("S end wrong") << 80 << "Z" << "GHI";
    QTest::newRow("G start wrong") << 81 << "S" << "SHI";
    QTest::newRow("G end wrong") << 161 << "0" << "SHI";
    QTest::newRow("H start wrong") << 162 << "I" << "SGI";
    QTest::newRow("H end wrong") << 242 << "x" << "SGI";
    QTest::newRow("I start wrong") << 243 << "0" << "SGH";
    QTest::newRow("I end wrong") << 323 << "0" << "SGH";
    // The constant and the tails carry nothing and are not looked at.
    QTest::newRow("G constant changed") << 81 + 36 << "7" << "SGHI";
    QTest::newRow("H tail changed") << 162 + 77 << "Q" << "SGHI";
}

void TestParamFile::markers()
{
    QFETCH(int, pos);
    QFETCH(QString, replacement);
    QFETCH(QString, frames);

    QString text = fileText(marked());
    text.replace(pos, 1, replacement);
    ParamSet p;
    apptest::MessageLog log(false);
    QCOMPARE(load(text, p).letters(), frames);
    checkFrames(p, frames.contains('S'), frames.contains('G'), frames.contains('H'), frames.contains('I'));
}

void TestParamFile::blanksBetweenFrames_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("between");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("frames");

    QTest::newRow("LF after each") << "" << "\n" << "\n" << "SGHI";
    QTest::newRow("CR LF after each") << "" << "\r\n" << "\r\n" << "SGHI";
    QTest::newRow("blank lines, spaces, tabs") << "" << " \t\r\n\r\n\t " << "\n\n  " << "SGHI";
    QTest::newRow("text after the I frame") << "" << "" << "\n# spare set\n" << "SGHI";
    // Blanks are skipped between and after the frames, not before them.
    QTest::newRow("blank before S") << " " << "\n" << "" << "";
    QTest::newRow("other text between") << "" << ";" << "" << "S";
}

void TestParamFile::blanksBetweenFrames()
{
    QFETCH(QString, before);
    QFETCH(QString, between);
    QFETCH(QString, after);
    QFETCH(QString, frames);

    const QString plain = fileText(marked());
    QString text = before;
    for (int f = 0; f < 4; ++f)
        text += plain.mid(81 * f, 81) + (f < 3 ? between : after);

    ParamSet p;
    apptest::MessageLog log(false);
    QCOMPARE(load(text, p).letters(), frames);
    checkFrames(p, frames.contains('S'), frames.contains('G'), frames.contains('H'), frames.contains('I'));
    QCOMPARE(log.lines().first(), QStringLiteral("Blength00:%1").arg(text.size()));
}

void TestParamFile::characters_data()
{
    QTest::addColumn<int>("filePos");
    QTest::addColumn<QByteArray>("chars");
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected"); // when the frame is taken

    using F = Field;
    const int notTaken = INT_MIN;
    // D1 is read as one hexadecimal digit.
    QTest::newRow("D1 '7'") << 1 << QByteArray("7") << F::reverse << 1 << 7;
    QTest::newRow("D1 'F'") << 1 << QByteArray("F") << F::reverse << 1 << 15;
    QTest::newRow("D1 'a'") << 1 << QByteArray("a") << F::reverse << 1 << 10;
    // Two hex digits, then the bias.
    QTest::newRow("X120 '7f'") << 9 << QByteArray("7f") << F::subTrim << 1 << 7;
    QTest::newRow("X120 'ff'") << 9 << QByteArray("ff") << F::subTrim << 1 << 135;
    QTest::newRow("X120 '00'") << 9 << QByteArray("00") << F::subTrim << 1 << -120;
    QTest::newRow("X16 '7e'") << 77 << QByteArray("7e") << F::txAlarmVoltX10 << 0 << 110;
    QTest::newRow("X116 'a6'") << 81 + 28 << QByteArray("a6") << F::vtail << 1 << 50;
    QTest::newRow("X120 rssi 'FF'") << 162 + 71 << QByteArray("FF") << F::rssiAlarm << 0 << 135;
    QTest::newRow("X16 trim 'FF'") << 243 + 1 << QByteArray("FF") << F::stickTrim << 1 << 239;
    // D3: each character one hex digit, 100a + 10b + c.
    QTest::newRow("D3 '110'") << 162 + 68 << QByteArray("110") << F::extAlarmVoltX10 << 0 << 110;
    QTest::newRow("D3 '1A0'") << 162 + 68 << QByteArray("1A0") << F::extAlarmVoltX10 << 0 << 200;
    QTest::newRow("D3 'F0F'") << 162 + 68 << QByteArray("F0F") << F::extAlarmVoltX10 << 0 << 1515;
    // Anything that is no digit takes the whole frame out.
    QTest::newRow("D1 'Z'") << 1 << QByteArray("Z") << F::reverse << 1 << notTaken;
    QTest::newRow("D1 NUL") << 1 << QByteArray(1, '\0') << F::reverse << 1 << notTaken;
    QTest::newRow("D1 blank") << 79 << QByteArray(" ") << F::stickMode << 0 << notTaken;
    QTest::newRow("X120 'G1'") << 9 << QByteArray("G1") << F::subTrim << 1 << notTaken;
    QTest::newRow("X120 '1G'") << 9 << QByteArray("1G") << F::subTrim << 1 << notTaken;
    QTest::newRow("X120 '-1'") << 9 << QByteArray("-1") << F::subTrim << 1 << notTaken;
    QTest::newRow("X116 'zz'") << 81 + 34 << QByteArray("zz") << F::vtail << 4 << notTaken;
    QTest::newRow("X16 trim NUL") << 243 + 7 << QByteArray("1\0", 2) << F::stickTrim << 4 << notTaken;
    QTest::newRow("X16 Latin-1 letter") << 162 + 37 << QByteArray("\xC4" "0") << F::thrCurve << 1 << notTaken;
    QTest::newRow("D3 '1Z3'") << 162 + 68 << QByteArray("1Z3") << F::extAlarmVoltX10 << 0 << notTaken;
}

void TestParamFile::characters()
{
    QFETCH(int, filePos);
    QFETCH(QByteArray, chars);
    QFETCH(Field, field);
    QFETCH(int, index);
    QFETCH(int, expected);

    QByteArray bytes = parameterFileBytes(ParamSet());
    bytes.replace(filePos, chars.size(), chars);
    QCOMPARE(bytes.size(), 324);
    ParamSet p;
    fieldRef(p, field, index) = 4321;
    apptest::MessageLog log(false);
    const bool taken = expected != INT_MIN;
    QCOMPARE(load(bytes, p).count(), taken ? 4 : 3);
    QCOMPARE(fieldValue(p, field, index), taken ? expected : 4321);
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
    apptest::MessageLog log(false);
    load(text, p);
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
    apptest::MessageLog log(false);
    QCOMPARE(load(upper, a).count(), 4);
    QCOMPARE(load(lower, b).count(), 4);
    QVERIFY(a == b);
    QCOMPARE(b.subTrim[3], 100);
    QCOMPARE(b.vtail[1], 100);
    QCOMPARE(b.txAlarmVolt, 11.0);
    QCOMPARE(b.stickTrim[2], 200);
}

void TestParamFile::byteOrderMarks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // As editors on Windows save a text file.
    const QString text = fileText(marked()) + QStringLiteral("\r\n");
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") + text.toLatin1();
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE")
            + QByteArray(reinterpret_cast<const char *>(text.utf16()), 2 * text.size());
}

void TestParamFile::byteOrderMarks()
{
    QFETCH(QByteArray, bytes);
    const ParameterFile file = parameterFileFromBytes(bytes);
    QCOMPARE(file.text, fileText(marked()) + QStringLiteral("\r\n"));
    ParamSet p;
    apptest::MessageLog log(false);
    QCOMPARE(decodeParameterFile(file, p).count(), 4);
    checkFrames(p, true, true, true, true);
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
    apptest::MessageLog log(false);
    load(text, p);
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

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.txt"));
    QString error;
    QVERIFY2(writeParameterFile(path, src, &error), qPrintable(error));
    const QByteArray saved = readBytes(path);
    QCOMPARE(saved.size(), 324);
    QCOMPARE(saved, parameterFileBytes(src));

    const ParameterFile file = readParameterFile(path);
    QVERIFY(file.ok());
    QCOMPARE(file.text, QString::fromLatin1(saved));
    ParamSet dst;
    dst.firmwareVersion = 321;
    dst.drCurveRate = 12;
    dst.drCurveExpo = -13;
    dst.subTrim[0] = 99; // element 0 is carried by nothing
    {
        apptest::MessageLog log(false);
        QCOMPARE(decodeParameterFile(file, dst).count(), 4);
        QCOMPARE(log.lines().size(), 4);
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
    QCOMPARE(parameterFileBytes(dst), saved);
}

void TestParamFile::randomRoundTrip()
{
    QRandomGenerator rng(99);
    for (int round = 0; round < 300; ++round) {
        const ParamSet src = randomEncodableSet(rng);
        const QByteArray saved = parameterFileBytes(src);
        ParamSet dst;
        apptest::MessageLog log(false);
        QCOMPARE(load(saved, dst).count(), 4);
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
        QCOMPARE(parameterFileBytes(dst), saved);
    }
}

void TestParamFile::refusedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<FileRefusal>("refusal");
    QTest::newRow("FIFO") << "fifo" << FileRefusal::NotRegular;
    QTest::newRow("/dev/zero") << "/dev/zero" << FileRefusal::NotRegular;
    QTest::newRow("directory") << "dir" << FileRefusal::NotRegular;
    QTest::newRow("missing") << "missing" << FileRefusal::NotFound;
    QTest::newRow("4 GiB") << "huge" << FileRefusal::TooLarge;
    QTest::newRow("64 KiB + 1") << "limit+1" << FileRefusal::TooLarge;
    QTest::newRow("64 KiB") << "limit" << FileRefusal::None;
    QTest::newRow("no frames") << "foreign" << FileRefusal::NoFrames;
}

void TestParamFile::refusedFiles()
{
    QFETCH(QString, kind);
    QFETCH(FileRefusal, refusal);

    QTemporaryDir dir;
#ifndef Q_OS_UNIX
    if (kind.startsWith('/'))
        QSKIP("no device files in a Windows file system");
#endif
    const QString path = kind.startsWith('/') ? kind : dir.filePath(kind);
    const QByteArray frames = parameterFileBytes(marked());
    const QByteArray atLimit = frames + QByteArray(int(parameterFileLimit) - frames.size(), '0');
    if (kind == QLatin1String("fifo")) {
        // Opened, it would block the reader until someone writes.
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
        QSKIP("no FIFOs in a Windows file system");
#endif
    } else if (kind == QLatin1String("dir")) {
        QVERIFY(QDir(dir.path()).mkdir(kind));
    } else if (kind == QLatin1String("huge")) {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(frames) == frames.size());
        QVERIFY(huge.resize(qint64(4) << 30)); // sparse: takes no room
    } else if (kind.startsWith(QLatin1String("limit"))) {
        QVERIFY(writeBytes(path, kind.endsWith('1') ? atLimit + '0' : atLimit));
    } else if (kind == QLatin1String("foreign")) {
        QVERIFY(writeBytes(path, QByteArray(324, 'x')));
    }

    const ParameterFile file = readParameterFile(path);
    QCOMPARE(file.refusal, refusal);
    QCOMPARE(file.ok(), refusal == FileRefusal::None);
    QCOMPARE(file.reason.isEmpty(), refusal == FileRefusal::None);

    ParamSet p;
    apptest::MessageLog log(false);
    const FileFrames found = decodeParameterFile(file, p);
    if (refusal == FileRefusal::None) {
        QCOMPARE(file.text.size(), int(parameterFileLimit));
        QCOMPARE(found.count(), 4);
        checkFrames(p, true, true, true, true);
        return;
    }
    QCOMPARE(found.count(), 0);
    QVERIFY(p == ParamSet());
    // Only a file that was read says how long it was.
    if (refusal == FileRefusal::NoFrames)
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Blength00:324")});
    else
        QCOMPARE(log.lines(), QStringList());
}

void TestParamFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!writeParameterFile(dir.filePath(QStringLiteral("lost/settings.txt")), marked(), &error));
    QVERIFY(!error.isEmpty());

    // A file size limit of 64 bytes stands in for a full disk: the writes
    // land in the buffer, the final flush fails.
    const QString path = dir.filePath(QStringLiteral("settings.txt"));
    const QByteArray old("old settings, not a Parameter file\n");
    QVERIFY(writeBytes(path, old));
#ifndef Q_OS_UNIX
    QSKIP("no file size limit to stand in for a full disk here");
#else
    error.clear();
    bool written = true;
    QVERIFY(withFileSizeLimit(64, [&] { written = writeParameterFile(path, marked(), &error); }));
    QVERIFY(!written);
    // The system's reason, where Qt says "Unknown error" for a flush that
    // went in part.
    QCOMPARE(error, QStringLiteral("File too large"));
    QCOMPARE(readBytes(path), old);
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.txt")});
#endif
}

void TestParamFile::writerLeavesWhatIsNoFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("directory") << QStringLiteral("dir");
    QTest::newRow("link to a device") << QStringLiteral("link");
}

// Save, backups and import never put a file in the place of a device, a FIFO
// or a directory.
void TestParamFile::writerLeavesWhatIsNoFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("target"));
#ifndef Q_OS_UNIX
    if (kind != QLatin1String("dir"))
        QSKIP("no FIFOs or device files in a Windows file system");
#else
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    else if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), target));
#endif
    if (kind == QLatin1String("dir"))
        QVERIFY(QDir().mkdir(target));

    QString error;
    QVERIFY(!writeParameterFile(target, ParamSet(), &error));
    QVERIFY2(error.contains(QStringLiteral("not a regular file")), qPrintable(error));
    const QFileInfo after(target);
    QVERIFY(!after.isFile());
    QCOMPARE(after.isSymLink(), kind == QLatin1String("link"));
    QCOMPARE(after.isDir(), kind == QLatin1String("dir"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
             QStringList{QStringLiteral("target")});
}

void TestParamFile::whereAFrameBreaks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("said");
    const QByteArray whole = parameterFileBytes(marked());
    QTest::newRow("whole") << whole << QString();
    QTest::newRow("foreign") << QByteArray("hello") << QStringLiteral("line 1, column 1: 'h' where the S frame starts");
    QByteArray digit = whole;
    digit[12] = 'Q';
    QTest::newRow("not a digit") << digit << QStringLiteral("line 1, column 13: 'Q' in the S frame, not a hexadecimal digit");
    QByteArray end = whole;
    end[80] = 'Z';
    QTest::newRow("wrong end letter") << end << QStringLiteral("line 1, column 81: 'Z' where the S frame ends with Y");
    QByteArray lines;
    for (int k = 0; k < 4; ++k)
        lines += whole.mid(81 * k, 81) + "\r\n";
    QByteArray third = lines;
    third[2 * 83 + 5] = '\x01';
    QTest::newRow("third line") << third << QStringLiteral("line 3, column 6: U+0001 in the H frame, not a hexadecimal digit");
    QTest::newRow("cut short") << whole.left(300)
                               << QStringLiteral("the I frame is cut short: the text ends at line 1, column 301");
    QTest::newRow("cut short, line ends") << lines.left(2 * 83 + 20)
                                          << QStringLiteral("the H frame is cut short: the text ends at line 3, column 21");
}

// The first frame a text lacks, and where it stops fitting, for people.
void TestParamFile::whereAFrameBreaks()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, said);
    QCOMPARE(firstBreak(QString::fromLatin1(text)).text(), said);
}

// A write that goes in part (here a file size limit) is named by the
// system's reason; a full device as a full disk.
void TestParamFile::writeAllSaysWhy()
{
#ifndef Q_OS_UNIX
    QSKIP("no /dev/full and no file size limit here");
#else
    QFile full(QStringLiteral("/dev/full"));
    QVERIFY(full.open(QIODevice::WriteOnly));
    WriteFailure why;
    QVERIFY(!writeAll(full, "row\n", &why));
    QVERIFY(why.diskFull);
    QCOMPARE(why.text(), QStringLiteral("disk full (No space left on device)"));

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("big.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    bool small1 = false, big = true, direct = true;
    QVERIFY(withFileSizeLimit(100, [&] {
        small1 = writeAll(file, QByteArray(60, 'a'), &why);
        big = writeAll(file, QByteArray(300, 'b'), &why);
        direct = writeAll(file, QByteArray(40000, 'c'), &why);
    }));
    QVERIFY(small1);
    QVERIFY(!big);
    QVERIFY(!why.diskFull);
    QCOMPARE(why.text(), QStringLiteral("File too large"));
    QVERIFY(!direct);
    QCOMPARE(why.text(), QStringLiteral("File too large"));
    QCOMPARE(QFileInfo(file.fileName()).size(), qint64(100));
#endif
}

QTEST_GUILESS_MAIN(TestParamFile)
#include "tst_paramfile.moc"
