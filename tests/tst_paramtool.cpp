// varnix-param run as a process on Parameter files the model writes.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "filetest.h"
#include "fixtures.h"
#include "paramset.h"
#include "programs.h"
#include "qtwarnings.h"

namespace {

using Run = ProgramRun;

Run run(const QStringList &args)
{
    return runProgram(builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param")), args);
}

// The Parameter-set fields no frame carries.
const QList<QByteArray> notCarried{"firmwareVersion", "drCurveRate", "drCurveExpo"};

} // namespace

class TestParamTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportImportRoundTrips();
    void everyFileShowTakesRoundTrips_data();
    void everyFileShowTakesRoundTrips();
    void importLeavesAFifo();
    void showsEverySettingByPage();
    void showNamesWhatTheWindowChanges();
    void commands_data();
    void commands();
    void refusalsSayWhere_data();
    void refusalsSayWhere();
    void importRefuses_data();
    void importRefuses();

private:
    QString file(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
    QJsonObject m_export; // of the Initial set
};

QString TestParamTool::file(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    return writeBytes(path, bytes) ? path : QString();
}

void TestParamTool::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.code, 0);
    for (const char *usage : {"show FILE", "diff A B", "check FILE", "export FILE", "import JSON OUT"})
        QVERIFY2(help.out.contains(usage), usage);

    // The files the command table names with '@'.
    ParamSet four;
    four.subTrim[3] = -7;
    four.drExpoDown[2] = 40;
    four.extAlarmVolt = 12.5;
    four.stickTrim[4] = 100;
    QByteArray bad = parameterFileBytes(ParamSet());
    bad.replace(1, 1, "7").replace(9, 2, "00").replace(79, 1, "9");  // reverse[1], subTrim[1], stickMode
    bad.replace(162 + 68, 5, "F0FFF");                                // ext 151.5 V, rssi 135
    QVERIFY(!file(QStringLiteral("four.txt"), parameterFileBytes(four)).isEmpty());
    QVERIFY(!file(QStringLiteral("bad.txt"), bad).isEmpty());
    // Inside every range, but not what the window's boxes can show.
    const ParamSet held = fixtures::unshowableSet();
    QVERIFY(!file(QStringLiteral("held.txt"), parameterFileBytes(held)).isEmpty());
    QVERIFY(!file(QStringLiteral("cut.txt"), bad.left(300)).isEmpty());
    QVERIFY(!file(QStringLiteral("foreign.txt"), QByteArray(324, 'x')).isEmpty());

    const Run e = run({QStringLiteral("export"), file(QStringLiteral("initial.txt"), parameterFileBytes(ParamSet()))});
    QCOMPARE(e.code, 0);
    m_export = QJsonDocument::fromJson(e.out).object();
    QVERIFY(!m_export.isEmpty());
}

void TestParamTool::exportImportRoundTrips()
{
    QStringList expected{QStringLiteral("format"), QStringLiteral("version")};
    for (const QByteArray &name : paramIntNames())
        if (!notCarried.contains(name))
            expected << QString::fromLatin1(name);
    expected.sort();
    QRandomGenerator rng(10);
    for (int round = 0; round < 20; ++round) {
        ParamSet set = randomEncodableSet(rng);
        const QByteArray bytes = parameterFileBytes(set);
        const Run e = run({QStringLiteral("export"), file(QStringLiteral("a.txt"), bytes)});
        QCOMPARE(e.code, 0);
        const QString out = m_dir.filePath(QStringLiteral("b.txt"));
        QCOMPARE(run({QStringLiteral("import"), file(QStringLiteral("a.json"), e.out), out}).code, 0);
        QCOMPARE(readBytes(out), bytes);

        // One member per field a frame carries, named as the field; arrays
        // from index 1, null below the field's first element.
        const QJsonObject json = QJsonDocument::fromJson(e.out).object();
        QCOMPARE(json.keys(), expected);
        QCOMPARE(json.value(QStringLiteral("format")).toString(), QStringLiteral("varnix-parameter-file"));
        QCOMPARE(json.value(QStringLiteral("version")).toInt(), 1);
        for (const QByteArray &name : paramIntNames()) {
            int first = 0, last = 0;
            if (notCarried.contains(name) || !paramIntExtent(name, &first, &last))
                continue;
            const QJsonValue v = json.value(QLatin1String(name));
            const QJsonArray a = last ? v.toArray() : QJsonArray{v};
            QCOMPARE(a.size(), qMax(last, 1));
            for (int i = 0; i < a.size(); ++i)
                QCOMPARE(a.at(i).toInt(-1000), last && i + 1 < first ? -1000 : paramInt(set, name, i + 1));
        }
    }
}

void TestParamTool::showsEverySettingByPage()
{
    const Run r = run({QStringLiteral("show"), m_dir.filePath(QStringLiteral("initial.txt"))});
    QCOMPARE(r.code, 0);
    // Every value export carries, one a line, under five page headings.
    int values = -1; // "version" is a number too
    for (const QJsonValue &v : m_export)
        for (const QJsonValue &e : v.isArray() ? v.toArray() : QJsonArray{v})
            values += e.isDouble();
    QCOMPARE(r.out.count('\n'), 5 + values);
    // Each with its name and its value as the window shows them.
    const char *const pageStarts[] = {
        "[page 1]\n  reverse[1]       0  # 舵机相位 CH1: 正相\n", "[page 2]\n  attitudeChannel  4  # 姿态通道: 关闭\n",
        "[page 3]\n  drSwitch         0  # 大小舵开关: SWA\n", "[page 4]\n  prmMix[1]        0  # 混控1 状态: 禁止\n",
        "[page 5]\n  txAlarmVoltX10   110 (11.0 V)  # 发射机报警电压: 11.0 V\n"};
    // The tool writes in the console's encoding.
    auto local = [](const char *text) { return QString::fromUtf8(text).toLocal8Bit(); };
    QVERIFY(r.out.startsWith(local(pageStarts[0])));
    int at = -1;
    for (const char *start : pageStarts) {
        QVERIFY2(r.out.indexOf(local(start)) > at, start);
        at = r.out.indexOf(local(start));
    }
}

// show names a value the window cannot show, and what the window makes of it.
void TestParamTool::showNamesWhatTheWindowChanges()
{
    const Run r = run({QStringLiteral("show"), m_dir.filePath(QStringLiteral("held.txt"))});
    QCOMPARE(r.code, 0);
    const QString out = QString::fromLocal8Bit(r.out);
    QVERIFY2(out.contains(QString::fromUtf8("  drSwitch         2  # 大小舵开关: #2 (the window cannot show it: "
                                            "窗口没有第 2 项（只有 1 项），窗口改为 SWA)\n")),
             qPrintable(out));
    QVERIFY(out.contains(QString::fromUtf8("# 混控3 下边: -36% (the window cannot show it: 窗口只能显示 0% 到 100%，窗口改为 0%)")));
    QCOMPARE(out.count(QStringLiteral("the window cannot show it")), 5);

    // check, which passed such a file as inside every range, names them.
    const Run c = run({QStringLiteral("check"), m_dir.filePath(QStringLiteral("held.txt"))});
    QCOMPARE(c.code, 1);
    QCOMPARE(QString::fromLocal8Bit(c.out),
             QString::fromUtf8("frames recognised: S G H I\n"
                               "drSwitch = 2: the window shows only 0..0 (大小舵开关), it puts 0; a Write sends that\n"
                               "thrCurveMix = 4: the window shows only 0..1 (油门曲线), it puts 0; a Write sends that\n"
                               "prmSlave[1] = 8: the window shows only 0..7 (混控1 被控), it puts 3; a Write sends that\n"
                               "prmDownRate[3] = -36: the window shows only 0..100 (混控3 下边), it puts 0; a Write sends that\n"
                               "prmDownRate[4] = -48: the window shows only 0..100 (混控4 下边), it puts 0; a Write sends that\n"));
}

void TestParamTool::commands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<int>("code");

    const QByteArray problems("reverse[1] = 7: outside 0..1, the program puts 0\n"
                              "subTrim[1] = -120: outside -100..100, the program puts 0\n"
                              "stickMode = 9: outside 0..4, the program puts 1\n"
                              "extAlarmVoltX10 = 1515: outside 0..1000, the program puts 110\n"
                              "rssiAlarm = 135: outside -100..0, the program puts -100\n"
                              "extAlarmVolt = 151.5 V: outside 0.0..100.0 V, the program puts 11.0 V\n");
    const QByteArray none;
    auto row = [](const char *name, const QStringList &args, const QByteArray &out, int code) {
        QTest::newRow(name) << args << out << code;
    };
    row("diff equal", {"diff", "@initial.txt", "@initial.txt"}, none, 0);
    row("diff", {"diff", "@initial.txt", "@four.txt"},
        "  subTrim[3]       0              -7\n"
        "  drExpoDown[2]    0              40\n"
        "  extAlarmVoltX10  110 (11.0 V)   125 (12.5 V)\n"
        "  stickTrim[4]     120            100\n", 1);
    row("check clean", {"check", "@initial.txt"}, "frames recognised: S G H I\nevery setting inside its range and shown by the window as it is\n", 0);
    row("check out of range", {"check", "@bad.txt"}, "frames recognised: S G H I\n" + problems, 1);
    row("check cut short", {"check", "@cut.txt"}, "frames recognised: S G H; not recognised: I\n" + problems, 1);
    // Refused: a message on stderr, nothing on stdout, exit 2.
    row("show foreign", {"show", "@foreign.txt"}, none, 2);
    row("show cut short", {"show", "@cut.txt"}, none, 2);
    row("show directory", {"show", "@"}, none, 2);
    row("export cut short", {"export", "@cut.txt"}, none, 2);
    row("diff with a cut file", {"diff", "@initial.txt", "@cut.txt"}, none, 2);
    row("check foreign", {"check", "@foreign.txt"}, none, 2);
    row("check missing", {"check", "@missing.txt"}, none, 2);
    row("import a Parameter file", {"import", "@initial.txt", "@missing.txt"}, none, 2);
    row("no command", {}, none, 2);
    row("unknown command", {"frob", "@initial.txt"}, none, 2);
    row("missing file argument", {"diff", "@initial.txt"}, none, 2);
    row("unknown option", {"--frob", "show", "@initial.txt"}, none, 2);
}

void TestParamTool::commands()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    QFETCH(int, code);
    args.replaceInStrings(QRegularExpression(QStringLiteral("^@")), m_dir.path() + QLatin1Char('/'));
    const Run r = run(args);
    QCOMPARE(r.out, out);
    QCOMPARE(r.code, code);
    QCOMPARE(r.err.startsWith("varnix-param: "), code == 2);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("missing.txt"))));
}

void TestParamTool::refusalsSayWhere_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("show cut short") << QStringList{"show", "@cut.txt"}
                                    << QByteArray("frames recognised: S G H; not recognised: I (the I frame is cut "
                                                  "short: the text ends at line 1, column 301)");
    QTest::newRow("check foreign") << QStringList{"check", "@foreign.txt"}
                                   << QByteArray("no Parameter frame found (line 1, column 1: 'x' where the S frame "
                                                 "starts): not a Parameter file");
}

// A file refused says where it broke, as the window does.
void TestParamTool::refusalsSayWhere()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, said);
    args.replaceInStrings(QRegularExpression(QStringLiteral("^@")), m_dir.path() + QLatin1Char('/'));
    const Run r = run(args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(said), r.err.constData());
}

void TestParamTool::importRefuses_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("index"); // -1: the whole member
    QTest::addColumn<QJsonValue>("value"); // undefined: taken out
    QTest::addColumn<QString>("named");

    const QJsonValue gone(QJsonValue::Undefined);
    QTest::newRow("missing") << "subTrim" << -1 << gone << "member subTrim: missing";
    QTest::newRow("no frame carries it") << "firmwareVersion" << -1 << QJsonValue(5) << "member firmwareVersion: unknown";
    QTest::newRow("unknown") << "colour" << -1 << QJsonValue(1) << "member colour: unknown";
    QTest::newRow("text for a number") << "stickMode" << -1 << QJsonValue("2") << "member stickMode: not an integer";
    QTest::newRow("fraction") << "stickMode" << -1 << QJsonValue(1.5) << "member stickMode: not an integer";
    QTest::newRow("array too short") << "subTrim" << -1 << QJsonValue(QJsonArray{0, 0}) << "member subTrim: not an array";
    QTest::newRow("scalar for an array") << "thrCurve" << -1 << QJsonValue(3) << "member thrCurve: not an array";
    QTest::newRow("value where no frame carries one") << "auxSource" << 0 << QJsonValue(1) << "member auxSource[1]: must be null";
    QTest::newRow("hex field overflows") << "subTrim" << 2 << QJsonValue(136) << "member subTrim[3]: 136 does not fit";
    // A file's field may hold any hex digit: F in one digit, FFF in three.
    QTest::newRow("digit field overflows") << "prmMaster" << 0 << QJsonValue(16) << "member prmMaster[1]: 16 does not fit";
    QTest::newRow("three digits overflow") << "extAlarmVoltX10" << -1 << QJsonValue(1666) << "member extAlarmVoltX10: 1666 does not fit";
    QTest::newRow("below the bias") << "rssiAlarm" << -1 << QJsonValue(-121) << "member rssiAlarm: -121 does not fit";
    QTest::newRow("other format") << "format" << -1 << QJsonValue("csv") << "member format";
    QTest::newRow("other version") << "version" << -1 << QJsonValue(2) << "member version";
}

void TestParamTool::importRefuses()
{
    QFETCH(QString, member);
    QFETCH(int, index);
    QFETCH(QJsonValue, value);
    QFETCH(QString, named);

    QJsonObject json = m_export;
    if (index >= 0) {
        QJsonArray a = json.value(member).toArray();
        a[index] = value;
        json[member] = a;
    } else if (value.isUndefined()) {
        json.remove(member);
    } else {
        json[member] = value;
    }
    const QString out = m_dir.filePath(QStringLiteral("out.txt"));
    const Run r = run({QStringLiteral("import"), file(QStringLiteral("in.json"), QJsonDocument(json).toJson()), out});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(named.toLatin1()), r.err.constData());
    QVERIFY(r.err.contains("nothing written"));
    QVERIFY(!QFile::exists(out));
}

void TestParamTool::everyFileShowTakesRoundTrips_data()
{
    QTest::addColumn<int>("at");          // in the file: S frame 0..80, G 81.., H 162.., I 243..
    QTest::addColumn<QByteArray>("text"); // put there
    QTest::newRow("sub-trim 00 (X120)") << 9 << QByteArray("00");
    QTest::newRow("end point 0F (X16)") << 25 << QByteArray("0F");
    QTest::newRow("V-tail 00 (X116)") << 81 + 28 << QByteArray("00");
    QTest::newRow("alarm voltage 00 (X16)") << 77 << QByteArray("00");
    QTest::newRow("lower-case ff") << 11 << QByteArray("ff");
    QTest::newRow("reverse A (one decimal digit)") << 1 << QByteArray("A");
}

// A file show reads, exported and imported, shows the same settings.
void TestParamTool::everyFileShowTakesRoundTrips()
{
    QFETCH(int, at);
    QFETCH(QByteArray, text);
    QByteArray bytes = parameterFileBytes(ParamSet());
    bytes.replace(at, text.size(), text);
    const QString original = file(QStringLiteral("odd.txt"), bytes);
    const Run shown = run({QStringLiteral("show"), original});
    QCOMPARE(shown.code, 0);

    const Run e = run({QStringLiteral("export"), original});
    QCOMPARE(e.code, 0);
    const QString back = m_dir.filePath(QStringLiteral("odd-back.txt"));
    const Run i = run({QStringLiteral("import"), file(QStringLiteral("odd.json"), e.out), back});
    QVERIFY2(i.code == 0, i.err.constData());
    QCOMPARE(run({QStringLiteral("show"), back}).out, shown.out);
}

// import refuses a target that is no regular file, and leaves it as it was.
void TestParamTool::importLeavesAFifo()
{
#ifndef Q_OS_UNIX
    QSKIP("no FIFOs in a Windows file system");
#else
    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Run r = run({QStringLiteral("import"), file(QStringLiteral("ok.json"), QJsonDocument(m_export).toJson()), fifo});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains("not a regular file"), r.err.constData());
    QVERIFY(!QFileInfo(fifo).isFile());
#endif
}

QTEST_GUILESS_MAIN(TestParamTool)
#include "tst_paramtool.moc"
