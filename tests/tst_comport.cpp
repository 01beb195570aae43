// The window and varnix-param on a real serial port with the simulator at
// its other end, as a user meets them on each system: on Unix txsim's pty,
// on Windows a COM port that tools/windows/test.sh maps to txsim's pty. Also
// what each system keeps where: the port list, the settings, the backups and
// the recordings.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSerialPortInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include "apptest.h"
#include "backups.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramfile.h"
#include "paramset.h"
#include "programs.h"
#include "qtwarnings.h"
#include "usersettings.h"
#include "recorder.h"
#include "scopewindow.h"
#include "scopebuffer.h"
#include "simport.h"
#include "startup.h"

namespace {

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

// Settings the simulator starts from, each unlike the factory's.
ParamSet transmitterSettings()
{
    ParamSet p;
    p.subTrim[1] = 20;
    p.subTrim[3] = -12;
    p.servoDelay[2] = 50;
    p.stickMode = 3;
    return p;
}

// Writes p as a Parameter file into the simulator's folder; the name to
// give the simulator.
QString settingsFile(const SimulatedPort &sim, const QString &name, const ParamSet &p)
{
    return writeParameterFile(QDir(sim.folder()).filePath(name), p) ? name : QString();
}

struct Rig {
    SimulatedPort sim;
    MainWindow window;

    explicit Rig(const QStringList &args = {}) : sim(args)
    {
        // The simulator answers section by section, each after an
        // acknowledgement; on the far side of Wine that takes its time.
        LinkPacing pacing = linktest::fastPacing();
        pacing.readReportMs = 3000;
        pacing.verifyMs = 5000;
        window.link().setPacing(pacing);
    }

    QString message() const { return window.findChild<QLabel *>(QStringLiteral("statusMessage"))->text(); }
    // The message without the note on the backup.
    QString verdict() const { return message().section(QStringLiteral(" · "), 0, 0); }
    // A command, its review (if any) answered with Return, to its end.
    bool click(const char *button, apptest::ModalAnswerer *answerer = nullptr)
    {
        std::unique_ptr<apptest::ModalAnswerer> own(answerer ? nullptr : new apptest::ModalAnswerer);
        window.findChild<QAbstractButton *>(QLatin1String(button))->click();
        return linktest::waitIdle(window.link(), 20000);
    }
};

ProgramRun param(const QStringList &args)
{
    return runProgram(builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param")), args);
}

} // namespace

class ComPortTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void readThenWrite();
    void loadSendsTheFile();
    void scopeFollowsTheStream();
    void pulledCable();
    void commandLine();
    void portListNamesThePort();
    void foldersOfThisSystem();
};

void ComPortTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

// Read brings the transmitter's settings; a Write goes through its review
// and is verified.
void ComPortTest::readThenWrite()
{
    Rig rig;
    rig.sim.setArguments({QStringLiteral("--settings"),
                          settingsFile(rig.sim, QStringLiteral("start.txt"), transmitterSettings())});
    QVERIFY2(rig.sim.start(), qPrintable(rig.sim.errorString()));
    rig.window.link().setVerify(true);
    QVERIFY(apptest::openPort(&rig.window, rig.sim.portName()));

    QVERIFY(rig.click("toolButton_Read"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.verdict(), u8("读取完成：19/19 段"), 5000);
    QCOMPARE(paramSet.subTrim[1], 20);
    QCOMPARE(paramSet.subTrim[3], -12);
    QCOMPARE(paramSet.stickMode, 3);

    paramSet.subTrim[4] = 6;
    {
        apptest::ModalAnswerer review;
        QVERIFY(rig.click("toolButton_Send", &review));
        QTRY_COMPARE_WITH_TIMEOUT(rig.verdict(), u8("写入并校验完成"), 20000);
        QCOMPARE(review.reviews().size(), 1);
    }

    // A Load let go in its file dialog leaves the bar and the buttons as
    // they were; the next one loads.
    {
        apptest::ModalAnswerer cancel;
        QVERIFY(rig.click("toolButton_Load", &cancel));
        QCOMPARE(cancel.count(), 1);
        QCOMPARE(rig.verdict(), u8("写入并校验完成"));
        QVERIFY(rig.window.findChild<QAbstractButton *>(QStringLiteral("toolButton_Load"))->isEnabled());
    }
    ParamSet loaded = transmitterSettings();
    loaded.subTrim[2] = -30;
    const QString file = QDir(rig.sim.folder()).filePath(QStringLiteral("after.txt"));
    QVERIFY(writeParameterFile(file, loaded));
    apptest::ModalAnswerer loading;
    loading.queueFile(file);
    QVERIFY(rig.click("toolButton_Load", &loading));
    QTRY_COMPARE_WITH_TIMEOUT(rig.verdict(), u8("已加载 after.txt"), 20000);
    QCOMPARE(paramSet.subTrim[2], -30);

    QVERIFY(apptest::closePort(&rig.window));
}

// Load sends a file's settings through the review; the transmitter has them.
void ComPortTest::loadSendsTheFile()
{
    Rig rig;
    rig.window.link().setVerify(true);
    QVERIFY2(rig.sim.start(), qPrintable(rig.sim.errorString()));
    QVERIFY(apptest::openPort(&rig.window, rig.sim.portName()));
    ParamSet loaded = transmitterSettings();
    loaded.subTrim[2] = -30;
    const QString file = QDir(rig.sim.folder()).filePath(QStringLiteral("load.txt"));
    QVERIFY(writeParameterFile(file, loaded));
    paramSet = ParamSet();
    apptest::ModalAnswerer loading;
    loading.queueFile(file);
    QVERIFY(rig.click("toolButton_Load", &loading));
    QTRY_COMPARE_WITH_TIMEOUT(rig.verdict(), u8("已加载 load.txt"), 20000);
    QCOMPARE(loading.reviews().size(), 1);
    // What the transmitter now holds, read back.
    paramSet = ParamSet();
    QVERIFY(rig.click("toolButton_Read"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.verdict(), u8("读取完成：19/19 段"), 5000);
    QCOMPARE(paramSet.subTrim[2], -30);
    QVERIFY(apptest::closePort(&rig.window));
}

void ComPortTest::scopeFollowsTheStream()
{
    Rig rig({QStringLiteral("--rate"), QStringLiteral("50")});
    QVERIFY2(rig.sim.start(), qPrintable(rig.sim.errorString()));
    QVERIFY(apptest::openPort(&rig.window, rig.sim.portName()));
    ScopeWindow *scope = rig.window.showScope();
    QVERIFY(scope && scope->isLive());
    QTRY_VERIFY_WITH_TIMEOUT(scope->buffer().size() > 10, 10000);
    scope->close();
    QVERIFY(apptest::closePort(&rig.window));
}

// The simulator goes away under an open port: the window closes it and
// says so, and the port can be chosen again.
void ComPortTest::pulledCable()
{
    Rig rig;
    QVERIFY2(rig.sim.start(), qPrintable(rig.sim.errorString()));
    QVERIFY(apptest::openPort(&rig.window, rig.sim.portName()));
    auto *button = rig.window.findChild<QAbstractButton *>(QStringLiteral("openButton"));
    apptest::ModalAnswerer boxes;
    QVERIFY(rig.sim.hangUp());
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), apptest::closedText(), 10000);
    QVERIFY(button->isEnabled());
}

// varnix-param read, write (verified) and monitor on the same port.
void ComPortTest::commandLine()
{
    SimulatedPort sim({QStringLiteral("--rate"), QStringLiteral("50")});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    const QDir dir(sim.folder());

    const ProgramRun read = param({QStringLiteral("read"), sim.portName(), QStringLiteral("-o"),
                                   dir.filePath(QStringLiteral("read.txt"))});
    QVERIFY2(read.code == 0, read.err.constData());
    ParamSet got;
    decodeParameterFile(readParameterFile(dir.filePath(QStringLiteral("read.txt"))), got);
    QCOMPARE(got.stickMode, ParamSet().stickMode);

    ParamSet mine;
    mine.subTrim[5] = 44;
    QVERIFY(writeParameterFile(dir.filePath(QStringLiteral("mine.txt")), mine));
    const ProgramRun write = param({QStringLiteral("write"), sim.portName(), dir.filePath(QStringLiteral("mine.txt")),
                                    QStringLiteral("--yes")});
    QVERIFY2(write.code == 0, write.err.constData());
    const ProgramRun again = param({QStringLiteral("read"), sim.portName(), QStringLiteral("-o"),
                                    dir.filePath(QStringLiteral("again.txt"))});
    QVERIFY2(again.code == 0, again.err.constData());
    ParamSet back;
    decodeParameterFile(readParameterFile(dir.filePath(QStringLiteral("again.txt"))), back);
    QCOMPARE(back.subTrim[5], 44);

    const ProgramRun monitor = param({QStringLiteral("monitor"), sim.portName(), QStringLiteral("--csv"),
                                      QStringLiteral("-"), QStringLiteral("--seconds"), QStringLiteral("1.5")});
    QVERIFY2(monitor.code == 0, monitor.err.constData());
    QVERIFY2(monitor.out.count('\n') > 10, monitor.out.constData());
}

void ComPortTest::portListNamesThePort()
{
#ifndef Q_OS_WIN
    QSKIP("Pseudo-terminals are not among the system's serial ports here");
#endif
    SimulatedPort sim;
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    QVERIFY2(names.contains(sim.portName()), qPrintable(names.join(QLatin1Char(' '))));
    MainWindow window;
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    QVERIFY(box->findText(sim.portName()) >= 0);
}

// The settings live in the system's own place (the registry on Windows),
// backups and recordings in the user's folders.
void ComPortTest::foldersOfThisSystem()
{
    UserSettings settings;
    settings.setVerifyAfterWrite(false);
    QVERIFY(settings.sync());
#ifdef Q_OS_WIN
    // Settings of an organisation without an application name live in its
    // OrganizationDefaults key.
    QSettings registry(QStringLiteral("HKEY_CURRENT_USER\\Software\\varnix-config\\OrganizationDefaults"),
                       QSettings::NativeFormat);
    QCOMPARE(registry.value(QStringLiteral("link/verifyAfterWrite")).toBool(), false);
    const QString local = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
    QVERIFY(!local.isEmpty());
    QCOMPARE(backups::directory(), local + QStringLiteral("/varnix-config/backups"));
    QVERIFY(Recorder::defaultFolder().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')));
#else
    QVERIFY(backups::directory().endsWith(QStringLiteral("/varnix-config/backups")));
#endif
    settings.setVerifyAfterWrite(true);
}

QTEST_MAIN(ComPortTest)
#include "tst_comport.moc"
