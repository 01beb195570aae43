// varnix-param read, write and monitor run as processes against the
// simulator and against a pseudo-terminal with the test as the transmitter:
// exit codes, files byte for byte, and "DIS" on the way out.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "filetest.h"
#include "fixtures.h"
#include "livecsv.h"
#include "packets.h"
#include "paramfile.h"
#include "paramset.h"
#include "programs.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "rules.h"
#include "txsimprocess.h"

namespace {

using Run = ProgramRun;

// The tool with short pauses, its backups in a folder of the test's, and no
// terminal on standard input; during() as for runProgram().
Run run(const QStringList &args, const QString &dataHome, const std::function<void()> &during = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VARNIX_PARAM_PACING"), QStringLiteral("fast"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    return runProgram(builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param")), args, env, during);
}

// The transmitter's settings in these tests: changed only in fields its
// settings sections report, so that what is read back is the file itself.
ParamSet deviceSet()
{
    ParamSet p;
    p.subTrim[1] = 12;
    p.epaLeft[3] = 80;
    p.servoDelay[6] = 40;
    p.thrCurve[5] = 70;
    p.auxSource[7] = 4;
    p.stickMode = 2;
    // The trims come with the telemetry packets, not with the sections.
    p.stickTrim[1] = 100;
    p.stickTrim[2] = 130;
    p.stickTrim[3] = 125;
    p.stickTrim[4] = 141;
    drDataSelet(p);
    return p;
}

// The simulator with live data, so that the trims come too.
QStringList liveSim(const QStringList &more = {})
{
    return QStringList{QStringLiteral("--rate"), QStringLiteral("20")} + more;
}

} // namespace

class TransmitterCliTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readWritesTheFile();
    void readWithoutTrimsSaysSo();
    void readRefuses_data();
    void readRefuses();
    void writeVerifies();
    void writeDoesNotStick_data();
    void writeDoesNotStick();
    void monitorRecordsAndSaysGoodbye();
    void monitorOnAFullDiskSaysWhy_data();
    void monitorOnAFullDiskSaysWhy();
    void backupWithoutTrimsLeavesThemOut();
    void stoppedWriteNamesWrite();
    void everyCommandHasHelp_data();
    void everyCommandHasHelp();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    QString m_deviceFile;
    QByteArray m_deviceBytes;
};

void TransmitterCliTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    QVERIFY(m_dir.isValid());
    m_deviceFile = path(QStringLiteral("device.txt"));
    m_deviceBytes = parameterFileBytes(deviceSet());
    QVERIFY(writeBytes(m_deviceFile, m_deviceBytes));
}

// All 19 sections come: the file is what the transmitter holds, to a file
// or to standard output, and the transmitter is told goodbye.
void TransmitterCliTest::readWritesTheFile()
{
    TxSimProcess sim(liveSim({QStringLiteral("--settings"), m_deviceFile}));
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));

    const QString out = path(QStringLiteral("read.txt"));
    const Run toFile = run({QStringLiteral("read"), sim.portName(), QStringLiteral("-o"), out}, m_dir.path());
    QCOMPARE(toFile.code, 0);
    QCOMPARE(readBytes(out), m_deviceBytes);
    QVERIFY(sim.waitForStandardError("configurator disconnected", 5000));

    const Run toStdout = run({QStringLiteral("read"), sim.portName()}, m_dir.path());
    QCOMPARE(toStdout.code, 0);
    QCOMPARE(toStdout.out, m_deviceBytes);
}

// No telemetry packet comes (no live data): the trims were never received.
// The file is written without them (S, G, H: a Load of it keeps the
// transmitter's trims) rather than with the centre, and the exit says so.
void TransmitterCliTest::readWithoutTrimsSaysSo()
{
    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), m_deviceFile});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));

    const QString out = path(QStringLiteral("no-trims.txt"));
    const Run toFile = run({QStringLiteral("read"), sim.portName(), QStringLiteral("-o"), out}, m_dir.path());
    QCOMPARE(toFile.code, 1);
    QVERIFY2(toFile.err.contains("the stick trims were not received"), toFile.err.constData());
    QVERIFY2(!toFile.err.contains("all 19 sections read, written"), toFile.err.constData());
    QCOMPARE(readBytes(out), m_deviceBytes.left(3 * 81));
    const ParameterFile file = readParameterFile(out);
    QCOMPARE(file.frames.letters(), QStringLiteral("SGH"));
    QVERIFY(sim.waitForStandardError("configurator disconnected", 5000));

    const Run toStdout = run({QStringLiteral("read"), sim.portName()}, m_dir.path());
    QCOMPARE(toStdout.code, 1);
    QCOMPARE(toStdout.out, m_deviceBytes.left(3 * 81));
    QVERIFY2(toStdout.err.contains("written to standard output without them"), toStdout.err.constData());
}

void TransmitterCliTest::readRefuses_data()
{
    QTest::addColumn<QStringList>("simArgs"); // empty: no simulator, a port that is not there
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("sections 7 and 8 missing") << QStringList{QStringLiteral("--leave-out"), QStringLiteral("7,8")}
                                              << 1 << QByteArray("missing: 7, 8");
    QTest::newRow("no such port") << QStringList() << 2 << QByteArray("cannot open /nonexistent/tty: ");
}

// Nothing is written unless all of it came.
void TransmitterCliTest::readRefuses()
{
    QFETCH(QStringList, simArgs);
    QFETCH(int, code);
    QFETCH(QByteArray, said);

    TxSimProcess sim(simArgs + QStringList{QStringLiteral("--rate"), QStringLiteral("0")});
    QString port = QStringLiteral("/nonexistent/tty");
    if (!simArgs.isEmpty()) {
        QVERIFY2(sim.start(), qPrintable(sim.errorString()));
        port = sim.portName();
    }
    const QString out = path(QStringLiteral("refused.txt"));
    const Run r = run({QStringLiteral("read"), port, QStringLiteral("-o"), out}, m_dir.path());
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(said), r.err.constData());
    QVERIFY(!QFile::exists(out));
    if (!simArgs.isEmpty())
        QVERIFY(sim.waitForStandardError("configurator disconnected", 5000));
}

// The changes, a backup of what the transmitter held, the frames, and the
// read-back that confirms them; without --yes and a terminal, nothing.
void TransmitterCliTest::writeVerifies()
{
    TxSimProcess sim(liveSim({QStringLiteral("--settings"), m_deviceFile}));
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    ParamSet wanted = deviceSet();
    wanted.subTrim[4] = 6;
    wanted.epaLeft[2] = 77;
    const QString file = path(QStringLiteral("wanted.txt"));
    QVERIFY(writeBytes(file, parameterFileBytes(wanted)));
    const QString dataHome = path(QStringLiteral("data-write"));

    const Run refused = run({QStringLiteral("write"), sim.portName(), file}, dataHome);
    QCOMPARE(refused.code, 2);
    QVERIFY(refused.err.contains("--yes"));
    QVERIFY(!sim.standardError().contains("read request"));

    const Run r = run({QStringLiteral("write"), sim.portName(), file, QStringLiteral("--yes")}, dataHome);
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains("written and verified"), r.err.constData());
    QCOMPARE(r.out, QByteArray("  subTrim[4]       0              6\n"
                               "  epaLeft[2]       96             77\n"));
    const QStringList kept = QDir(dataHome + QStringLiteral("/varnix-config/backups")).entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readBytes(dataHome + QStringLiteral("/varnix-config/backups/") + kept.first()), m_deviceBytes);
    QVERIFY(sim.waitForStandardError("I frame taken", 5000));

    // What the transmitter holds now is the file.
    const Run after = run({QStringLiteral("read"), sim.portName()}, dataHome);
    QCOMPARE(after.code, 0);
    QCOMPARE(after.out, parameterFileBytes(wanted));
}

void TransmitterCliTest::writeDoesNotStick_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("sub-trim CH4 kept") << QStringLiteral("change-field") << QByteArray("subTrim[4]       sent 6, read 0");
    QTest::newRow("writes ignored") << QStringLiteral("ignore-writes") << QByteArray("verify: 2 settings differ");
}

void TransmitterCliTest::writeDoesNotStick()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, said);
    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), m_deviceFile,
                      QStringLiteral("--fault"), fault});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    ParamSet wanted = deviceSet();
    wanted.subTrim[4] = 6;
    wanted.epaLeft[2] = 77;
    const QString file = path(QStringLiteral("fault.txt"));
    QVERIFY(writeBytes(file, parameterFileBytes(wanted)));

    const Run r = run({QStringLiteral("write"), sim.portName(), file, QStringLiteral("--yes")},
                      path(QStringLiteral("data-") + fault));
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(said), r.err.constData());
    QVERIFY(sim.waitForStandardError("configurator disconnected", 5000));
}

// The test is the transmitter: live packets, some cut in two, become CSV
// rows; the tool greets with "OK" and leaves with "DIS".
void TransmitterCliTest::monitorRecordsAndSaysGoodbye()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    const QByteArray channel = fixtures::channelPacket({1100, 1200, 1300, 1400, 1500, 1600, 1700, 900}, 812);
    const QString csv = path(QStringLiteral("live.csv"));
    int sent = 0;
    const Run r = run({QStringLiteral("monitor"), peer.slavePath(), QStringLiteral("--csv"), csv,
                       QStringLiteral("--seconds"), QStringLiteral("1")},
                      m_dir.path(), [&] {
                          if (!peer.received().startsWith("OK"))
                              return;
                          // Every other packet in two pieces, as an adapter cuts them.
                          if (++sent % 2)
                              peer.write(channel);
                          else
                              peer.write(channel.left(7)), peer.spin(2), peer.write(channel.mid(7));
                          peer.spin(20);
                      });
    QCOMPARE(r.code, 0);
    peer.spin(20);
    const QByteArray wire = peer.received();
    QVERIFY(wire.startsWith("OK"));
    QVERIFY(wire.endsWith("DIS"));
    const LiveCsvRead recorded = readLiveCsv(readBytes(csv));
    QVERIFY2(recorded.complete, qPrintable(recorded.problem));
    // Cut packets count too: nearly every packet sent is a row (the last
    // may have come after the end).
    QVERIFY2(recorded.samples.size() >= sent - 2,
             qPrintable(QStringLiteral("%1 rows for %2 packets").arg(recorded.samples.size()).arg(sent)));
    QVERIFY(sent >= 5);
    for (const LiveSample &s : recorded.samples) {
        QCOMPARE(s.channel[0], 1100);
        QCOMPARE(s.channel[7], 900);
        QCOMPARE(s.txVolts, 8.12);
    }
}

void TransmitterCliTest::monitorOnAFullDiskSaysWhy_data()
{
    QTest::addColumn<QString>("csv");    // the file the rows go to
    QTest::addColumn<int>("limit");      // the shell's file size limit in 512-byte blocks; 0 none
    QTest::addColumn<QByteArray>("said");
    // Every write fails at once.
    QTest::newRow("/dev/full") << QStringLiteral("/dev/full") << 0
                               << QByteArray("/dev/full: cannot write: disk full (No space left on device) (0 rows written)");
    // The file fills up in the middle of the run: rows went, then one did
    // not, in part (Qt alone would say "Unknown error").
    QTest::newRow("file size limit") << QStringLiteral("limited.csv") << 1 << QByteArray(": cannot write: File too large (");
}

// A write that fails ends the monitor with exit 1 and the reason, never 0
// with rows missing.
void TransmitterCliTest::monitorOnAFullDiskSaysWhy()
{
    QFETCH(QString, csv);
    QFETCH(int, limit);
    QFETCH(QByteArray, said);
    if (!csv.startsWith(QLatin1Char('/')))
        csv = path(csv);
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    const QByteArray channel = fixtures::channelPacket({1100, 1200, 1300, 1400, 1500, 1600, 1700, 900}, 812);
    const QString program = builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param"));
    const QStringList args{QStringLiteral("monitor"), peer.slavePath(), QStringLiteral("--csv"), csv,
                           QStringLiteral("--seconds"), QStringLiteral("3")};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VARNIX_PARAM_PACING"), QStringLiteral("fast"));
    // The shell holds the file size limit and ignores the signal that goes
    // with it, so the write fails as on a full disk.
    const QString shell = QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"").arg(limit);
    const Run r = runProgram(limit ? QStringLiteral("/bin/sh") : program,
                             limit ? QStringList{QStringLiteral("-c"), shell, program} + args : args, env, [&] {
                                 if (peer.received().startsWith("OK"))
                                     peer.write(channel), peer.spin(5);
                             });
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(said), r.err.constData());
    if (limit) {
        // What went stays: the rows up to the limit.
        const qint64 size = QFileInfo(csv).size();
        QVERIFY2(size > 0 && size <= 1024 * limit, qPrintable(QString::number(size)));
        QVERIFY(readLiveCsv(readBytes(csv)).samples.size() > 3);
    }
}

// varnix-param write before any telemetry came: the backup holds what the
// sections said and leaves the trims out, and says so.
void TransmitterCliTest::backupWithoutTrimsLeavesThemOut()
{
    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), m_deviceFile});
    QVERIFY2(sim.start(), qPrintable(sim.errorString()));
    const QString dataHome = path(QStringLiteral("data-no-trims"));
    const Run r = run({QStringLiteral("write"), sim.portName(), m_deviceFile, QStringLiteral("--yes")}, dataHome);
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.contains("the backup leaves them out"), r.err.constData());
    const QString dir = dataHome + QStringLiteral("/varnix-config/backups/");
    const QStringList kept = QDir(dir).entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(readBytes(dir + kept.first()), m_deviceBytes.left(3 * 81));
}

// The test is the transmitter and hangs up after two frames: the stop names
// the command the user ran.
void TransmitterCliTest::stoppedWriteNamesWrite()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    bool answered = false;
    bool gone = false;
    const Run r = run({QStringLiteral("write"), peer.slavePath(), m_deviceFile, QStringLiteral("--yes")}, m_dir.path(),
                      [&] {
                          if (gone)
                              return;
                          const QByteArray got = peer.received();
                          if (!answered && got.contains("RR")) {
                              answered = true;
                              peer.writePacket(fixtures::telemetryPacket(50, 40, 120, {100, 130, 125, 141}));
                              for (int section = 1; section <= 19; ++section)
                                  peer.writePacket(encodeSettingsPacket(deviceSet(), section));
                          }
                          if (got.contains('Z')) { // the G frame's end: two frames out
                              gone = true;
                              peer.hangUp();
                          }
                      });
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("write stopped after 2 of 4 steps: the device hung up"), r.err.constData());
    QVERIFY2(!r.err.contains("Load"), r.err.constData());
}

void TransmitterCliTest::everyCommandHasHelp_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("usage");
    QTest::newRow("read") << QStringLiteral("read") << QByteArray("varnix-param read [options] PORT");
    QTest::newRow("write") << QStringLiteral("write") << QByteArray("varnix-param write [options] PORT FILE");
    QTest::newRow("monitor") << QStringLiteral("monitor") << QByteArray("varnix-param monitor [options] PORT");
}

void TransmitterCliTest::everyCommandHasHelp()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, usage);
    const Run r = run({command, QStringLiteral("--help")}, m_dir.path());
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(usage), r.out.constData());
    const Run wrong = run({command}, m_dir.path());
    QCOMPARE(wrong.code, 2);
}

QTEST_GUILESS_MAIN(TransmitterCliTest)
#include "tst_transmittercli.moc"
