// The transmitter simulator, driven over its pseudo-terminal the way the
// configurator drives a transmitter.

#include <QtTest>

#include <QSerialPort>
#include <QTemporaryDir>

#include <initializer_list>
#include <memory>
#include <sys/stat.h>
#include <vector>

#include "fields.h"
#include "packets.h"
#include "paramset.h"
#include "protocol.h"
#include "ptypeer.h"
#include "txsimprocess.h"
#include "qtwarnings.h"

namespace {

// A Parameter file of non-default values, the frames written by hand from
// the frame layouts. The values are listed in fileValues below; the stick
// trims are 110, 130, 95, 140.
const char fixtureFrames[] =
    "S1001101014557884A7DC77D0101F2E3D4C5B6A88887E746A60564C15101A242E384C607454215A3Y"
    "G21522313F577011EC34BB496141106097D86101C2935424E5B6712563838A1C45B7E2E2674216D2Z"
    "H6A60564C473D332915265B597230AB88D313152436444D607114C6A8DB0831F7BD8126302400000X"
    "I7E926F9C00000000000000000000000000000000000000000000000000000000000000000000000V";

// The four frames the configurator builds from its Initial values.
const char *const initialFrames[4] = {
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E1Y",
    "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z",
    "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X",
    "I8888888800000000000000000000000000000000000000000000000000000000000000000000000V",
};

struct Expected {
    Field field;
    int first;
    std::vector<int> values;
};

// Every field the settings sections carry, as the fixture file holds them.
const std::vector<Expected> fileValues = {
    {Field::reverse, 1, {1, 0, 0, 1, 1, 0, 1, 0}},
    {Field::subTrim, 1, {-100, -35, 0, 12, 47, 100, -1, 88}},
    {Field::epaLeft, 1, {0, 15, 30, 45, 60, 75, 90, 120}},
    {Field::epaRight, 1, {120, 110, 100, 90, 80, 70, 60, 5}},
    {Field::failSafe, 1, {0, 10, 20, 30, 40, 60, 80, 100}},
    {Field::auxSource, 5, {5, 4, 2, 1}},
    {Field::txAlarmVoltX10, 0, {74}},
    {Field::stickMode, 0, {3}},
    {Field::attitudeChannel, 0, {2}},
    {Field::attitude, 1, {5, 18, 33, 47, 71, 96}},
    {Field::elevonMix, 0, {1}},
    {Field::elevon, 1, {-90, -45, 30, -100, 75, 60}},
    {Field::vtailMix, 0, {1}},
    {Field::vtail, 1, {-100, -20, 35, 100}},
    {Field::drMix, 0, {1}},
    {Field::servoDelay, 1, {0, 12, 25, 37, 50, 62, 75, 87}},
    {Field::drRateUp, 1, {90, 80, 70, 60}},
    {Field::drRateDown, 1, {55, 45, 35, 25}},
    {Field::prmUpRate, 1, {-60, 45, 65, 20}},
    {Field::prmDownRate, 1, {80, -25, 35, 95}},
    {Field::prmOffset, 1, {10, -70, -15, 55}},
    {Field::prmMaster, 1, {2, 6, 5, 3}},
    {Field::prmSlave, 1, {7, 4, 2, 0}},
    {Field::prmMix, 1, {2, 1, 1, 2}},
    {Field::thrCurveMix, 0, {1}},
    {Field::thrCurveExtra, 0, {3}},
    {Field::thrCurve, 1, {5, 20, 38, 52, 61, 80, 97}},
    {Field::drSwitch, 0, {2}},
    {Field::drPosition, 0, {1}},
    {Field::extAlarmVoltX10, 0, {126}},
    {Field::rssiAlarm, 0, {-72}},
    {Field::rxAlarmVoltX10, 0, {48}},
    {Field::drExpoUp, 1, {-40, -10, 25, 60}},
    {Field::drExpoDown, 1, {15, -85, 7, 100}},
};

// The same fields after the Initial-value frames.
const std::vector<Expected> initialValues = {
    {Field::reverse, 1, {0, 0, 1, 0, 0, 0, 0, 0}},
    {Field::subTrim, 1, {0, 0, 0, 0, 0, 0, 0, 0}},
    {Field::epaLeft, 1, {96, 96, 96, 96, 96, 96, 96, 96}},
    {Field::epaRight, 1, {96, 96, 96, 96, 96, 96, 96, 96}},
    {Field::failSafe, 1, {50, 50, 0, 50, 50, 50, 50, 50}},
    {Field::auxSource, 5, {1, 3, 0, 2}},
    {Field::txAlarmVoltX10, 0, {110}},
    {Field::stickMode, 0, {1}},
    {Field::attitudeChannel, 0, {4}},
    {Field::attitude, 1, {14, 29, 44, 56, 69, 88}},
    {Field::elevonMix, 0, {0}},
    {Field::elevon, 1, {100, 100, 100, -100, 100, 100}},
    {Field::vtailMix, 0, {0}},
    {Field::vtail, 1, {50, -50, 50, 50}},
    {Field::drMix, 0, {0}},
    {Field::servoDelay, 1, {100, 100, 100, 100, 100, 100, 100, 100}},
    {Field::drRateUp, 1, {100, 100, 100, 100}},
    {Field::drRateDown, 1, {100, 100, 100, 100}},
    {Field::prmUpRate, 1, {0, 0, 0, 0}},
    {Field::prmDownRate, 1, {0, 0, 0, 0}},
    {Field::prmOffset, 1, {0, 0, 0, 0}},
    {Field::prmMaster, 1, {0, 1, 0, 1}},
    {Field::prmSlave, 1, {3, 5, 3, 5}},
    {Field::prmMix, 1, {0, 0, 0, 0}},
    {Field::thrCurveMix, 0, {0}},
    {Field::thrCurveExtra, 0, {0}},
    {Field::thrCurve, 1, {0, 16, 33, 50, 67, 84, 100}},
    {Field::drSwitch, 0, {0}},
    {Field::drPosition, 0, {0}},
    {Field::extAlarmVoltX10, 0, {110}},
    {Field::rssiAlarm, 0, {-100}},
    {Field::rxAlarmVoltX10, 0, {40}},
    {Field::drExpoUp, 1, {0, 0, 0, 0}},
    {Field::drExpoDown, 1, {0, 0, 0, 0}},
};

const QByteArray ack("WWW");

bool isChannel(const QByteArray &b)
{
    return b.size() == 20 && quint8(b[0]) == 0xFE && quint8(b[1]) == 0x18;
}

bool isTelemetry(const QByteArray &b)
{
    return b.size() == 20 && quint8(b[0]) == 0xFE && quint8(b[1]) == 0x19;
}

bool isSettings(const QByteArray &b)
{
    return (b.size() == 12 && quint8(b[0]) == 0xFE && quint8(b[11]) == 0xFE)
        || (b.size() == 8 && quint8(b[2]) == 0xAA);
}

// A set where every field is far from anything a section could carry, so a
// section that never came shows.
ParamSet poisonedSet()
{
    ParamSet p;
    for (int k = 0; k < allFieldCount; ++k)
        for (int i = allFields[k].first; i <= allFields[k].last; ++i)
            fieldRef(p, allFields[k].field, i) = -999;
    return p;
}

QString mismatch(const ParamSet &p, const std::vector<Expected> &expected)
{
    for (const Expected &e : expected) {
        for (int k = 0; k < int(e.values.size()); ++k) {
            const int index = e.first + k;
            const int got = fieldValue(p, e.field, index);
            if (got != e.values[k]) {
                const char *name = "?";
                for (int f = 0; f < allFieldCount; ++f)
                    if (allFields[f].field == e.field)
                        name = allFields[f].name;
                return QStringLiteral("%1[%2] is %3, expected %4").arg(QLatin1String(name)).arg(index).arg(got).arg(e.values[k]);
            }
        }
    }
    return QString();
}

} // namespace

class TestTxSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void badArguments_data();
    void badArguments();
    void nothingBeforeOk();
    void liveStreamAfterOk();
    void slowReaderGetsOnePacketPerRead();
    void waitsForAcknowledgement();
    void readRequestSendsStoredSettings();
    void writtenFramesAreTakenIn();
    void disStopsTheStream();
    void survivesPortClosedWithoutDis();
    void ptyPeerServesAnInProcessPort();

private:
    bool startSim(const QStringList &arguments);
    bool openPort();
    QByteArray readChunk(int timeoutMs = 2000);
    bool send(const QByteArray &bytes);
    void sendAck();
    bool collectSettings(ParamSet &into, int *sections);

    QTemporaryDir m_dir;
    QString m_fixturePath;
    QString m_logPath;
    std::unique_ptr<TxSimProcess> m_sim;
    std::unique_ptr<QSerialPort> m_port;
};

void TestTxSim::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    // The packet decoder logs every section it takes; not news here.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(TxSimProcess::program()).isExecutable(), qPrintable(TxSimProcess::program()));
    m_fixturePath = m_dir.filePath(QStringLiteral("fixture.txt"));
    QFile f(m_fixturePath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(fixtureFrames), qint64(324));
    f.close();
    m_logPath = m_dir.filePath(QStringLiteral("received.log"));
}

void TestTxSim::cleanup()
{
    m_port.reset();
    m_sim.reset();
}

bool TestTxSim::startSim(const QStringList &arguments)
{
    m_sim = std::make_unique<TxSimProcess>(arguments);
    if (!m_sim->start()) {
        qWarning("%s", qPrintable(m_sim->errorString()));
        return false;
    }
    return true;
}

bool TestTxSim::openPort()
{
    m_port = std::make_unique<QSerialPort>(m_sim->portName());
    m_port->setBaudRate(protocol::baudRate);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        qWarning("cannot open %s: %s", qPrintable(m_sim->portName()), qPrintable(m_port->errorString()));
        return false;
    }
    return true;
}

// One read of the port, as the configurator's receiver does it. A wake-up
// can find nothing to read (the simulator flushes what an earlier session
// left unread when a new one starts): wait on until the time is up.
QByteArray TestTxSim::readChunk(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (m_port->bytesAvailable() == 0 && t.elapsed() < timeoutMs)
        m_port->waitForReadyRead(int(qMax<qint64>(1, timeoutMs - t.elapsed())));
    return m_port->readAll();
}

// Writes without waitForBytesWritten(), which would also read whatever has
// arrived into the port's buffer behind the test's back.
bool TestTxSim::send(const QByteArray &bytes)
{
    m_port->write(bytes);
    m_port->flush();
    return m_port->bytesToWrite() == 0;
}

void TestTxSim::sendAck()
{
    send(ack);
}

// Reads (and acknowledges) until all 19 sections came; every read must be
// exactly one packet, live packets included.
bool TestTxSim::collectSettings(ParamSet &into, int *sections)
{
    bool seen[20] = {};
    int count = 0;
    QElapsedTimer t;
    t.start();
    LiveValues live;
    while (count < 19 && t.elapsed() < 10000) {
        const QByteArray chunk = readChunk();
        if (chunk.isEmpty())
            continue;
        sendAck();
        if (isChannel(chunk) || isTelemetry(chunk))
            continue;
        if (!isSettings(chunk)) {
            qWarning("not one packet: %s", chunk.toHex(' ').constData());
            return false;
        }
        const PacketResult r = decodePacket(chunk, into, live);
        if (r.section < 1 || r.section > 19 || seen[r.section]) {
            qWarning("unexpected section %d", r.section);
            return false;
        }
        seen[r.section] = true;
        ++count;
    }
    *sections = count;
    return true;
}

void TestTxSim::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("negative rate") << QStringList{QStringLiteral("--rate"), QStringLiteral("-1")};
    QTest::newRow("rate not a number") << QStringList{QStringLiteral("--rate"), QStringLiteral("fast")};
    QTest::newRow("zero ack time-out") << QStringList{QStringLiteral("--ack-timeout"), QStringLiteral("0")};
    QTest::newRow("missing settings file")
        << QStringList{QStringLiteral("--settings"), QStringLiteral("/nonexistent/settings.txt")};
    QTest::newRow("settings file without frames") << QStringList{QStringLiteral("--settings"), QStringLiteral("@junk")};
    QTest::newRow("settings FIFO") << QStringList{QStringLiteral("--settings"), QStringLiteral("@fifo")};
    QTest::newRow("stray argument") << QStringList{QStringLiteral("/dev/ttyUSB0")};
}

// A script reads the first line as the port: a refused start must print none.
void TestTxSim::badArguments()
{
    QFETCH(QStringList, arguments);
    const QString junkPath = m_dir.filePath(QStringLiteral("junk.txt"));
    {
        QFile junk(junkPath);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(324, 'x'));
    }
    arguments.replaceInStrings(QStringLiteral("@junk"), junkPath);
    // Opened, a FIFO would hold the simulator until someone writes to it.
    const QString fifoPath = m_dir.filePath(QStringLiteral("fifo.txt"));
    QVERIFY(QFile::exists(fifoPath) || ::mkfifo(QFile::encodeName(fifoPath).constData(), 0600) == 0);
    arguments.replaceInStrings(QStringLiteral("@fifo"), fifoPath);

    QProcess p;
    p.start(TxSimProcess::program(), arguments);
    QVERIFY(p.waitForFinished(10000));
    QVERIFY(p.exitCode() != 0);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(!p.readAllStandardError().trimmed().isEmpty());
}

void TestTxSim::nothingBeforeOk()
{
    QVERIFY(startSim({}));
    QVERIFY(m_sim->portName().startsWith(QLatin1String("/dev/")));
    QVERIFY(openPort());
    QVERIFY(!m_port->waitForReadyRead(500));
    QCOMPARE(m_port->bytesAvailable(), qint64(0));
}

void TestTxSim::liveStreamAfterOk()
{
    QVERIFY(startSim({QStringLiteral("--settings"), m_fixturePath}));
    QVERIFY(openPort());
    QVERIFY(send("OK"));

    QList<LiveValues> channels;
    QList<LiveValues> telemetry;
    bool lastWasChannel = false;
    for (int k = 0; k < 16; ++k) {
        const QByteArray chunk = readChunk();
        QCOMPARE(chunk.size(), 20);
        QVERIFY2(isChannel(chunk) || isTelemetry(chunk), chunk.toHex(' ').constData());
        if (k > 0)
            QVERIFY2(isChannel(chunk) != lastWasChannel, "channel and telemetry packets take turns");
        lastWasChannel = isChannel(chunk);
        ParamSet p;
        LiveValues live;
        decodePacket(chunk, p, live);
        if (isChannel(chunk)) {
            channels << live;
        } else {
            telemetry << live;
            QCOMPARE(p.stickTrim[1], 110);
            QCOMPARE(p.stickTrim[2], 130);
            QCOMPARE(p.stickTrim[3], 95);
            QCOMPARE(p.stickTrim[4], 140);
        }
        sendAck();
    }

    for (LiveValues &live : channels) {
        for (int n = 1; n <= 8; ++n) {
            QVERIFY2(live.channel(n) >= 500 && live.channel(n) <= 1500, qPrintable(QString::number(live.channel(n))));
        }
        QVERIFY2(live.txVoltage >= 740 && live.txVoltage <= 840, qPrintable(QString::number(live.txVoltage)));
    }
    bool moved = false;
    for (int n = 1; n <= 8; ++n)
        moved = moved || channels.first().channel(n) != channels.last().channel(n);
    QVERIFY2(moved, "the channels move");
    for (const LiveValues &live : telemetry) {
        QVERIFY(live.rssiValue >= 1 && live.rssiValue <= 100);
        QVERIFY(live.rxVoltage > 0);
        QVERIFY(live.extVoltage > 0);
    }
}

// The configurator keeps no bytes between reads: however late it reads, it
// must find one whole packet, never two joined, acknowledged or not.
void TestTxSim::slowReaderGetsOnePacketPerRead()
{
    QVERIFY(startSim({QStringLiteral("--rate"), QStringLiteral("100")}));
    QVERIFY(openPort());
    QVERIFY(send("OK"));
    for (int k = 0; k < 4; ++k) {
        QThread::msleep(700);
        const QByteArray chunk = readChunk();
        QVERIFY2(isChannel(chunk) || isTelemetry(chunk), chunk.toHex(' ').constData());
    }
}

void TestTxSim::waitsForAcknowledgement()
{
    QVERIFY(startSim({QStringLiteral("--rate"), QStringLiteral("50"), QStringLiteral("--ack-timeout"),
                      QStringLiteral("20000")}));
    QVERIFY(openPort());
    QVERIFY(send("OK"));
    for (int k = 0; k < 3; ++k) {
        const QByteArray chunk = readChunk(5000);
        QCOMPARE(chunk.size(), 20);
        QVERIFY2(!m_port->waitForReadyRead(1000), "no packet before the acknowledgement");
        sendAck();
    }
}

void TestTxSim::readRequestSendsStoredSettings()
{
    QVERIFY(startSim({QStringLiteral("--settings"), m_fixturePath}));
    QVERIFY(openPort());
    QVERIFY(send("OKRR"));

    ParamSet got = poisonedSet();
    int sections = 0;
    QVERIFY(collectSettings(got, &sections));
    QCOMPARE(sections, 19);
    const QString wrong = mismatch(got, fileValues);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(got.txAlarmVolt, 7.4);
    QCOMPARE(got.extAlarmVolt, 12.6);
    QCOMPARE(got.rxAlarmVolt, 4.8);
}

void TestTxSim::writtenFramesAreTakenIn()
{
    QVERIFY(startSim({QStringLiteral("--settings"), m_fixturePath, QStringLiteral("--log"), m_logPath}));
    QVERIFY(openPort());

    // Split, joined with acknowledgements, after a frame cut short and with
    // line noise between, as a troubled link may deliver them.
    const QByteArray s(initialFrames[0]), g(initialFrames[1]), h(initialFrames[2]), i(initialFrames[3]);
    const QList<QByteArray> writes = {
        QByteArray("OK"), QByteArray("S0010"), s.left(10), s.mid(10, 50), s.mid(60) + "WW",
        QByteArray("W"), QByteArray("\r\n?"), g, ack + h.left(1), h.mid(1) + ack,
        i.left(40), i.mid(40),
    };
    QByteArray sent;
    for (const QByteArray &w : writes) {
        QVERIFY(send(w));
        sent += w;
        QThread::msleep(30);
    }
    for (const char *line : {"S frame taken", "G frame taken", "H frame taken", "I frame taken: stickTrim 120 120 120 120"})
        QVERIFY2(m_sim->waitForStandardError(line, 5000), line);
    QVERIFY(!m_sim->standardError().contains("ignored 1 unexpected byte"));
    QVERIFY(m_sim->standardError().contains("ignored 5 unexpected byte(s): \"S0010\""));
    QVERIFY(m_sim->standardError().contains("ignored 3 unexpected byte(s): \"..?\""));

    QVERIFY(send("RR"));
    sent += "RR";
    ParamSet got = poisonedSet();
    int sections = 0;
    QVERIFY(collectSettings(got, &sections));
    QCOMPARE(sections, 19);
    const QString wrong = mismatch(got, initialValues);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The trims of the I frame go out with the telemetry.
    QByteArray chunk;
    for (int k = 0; k < 10 && !isTelemetry(chunk); ++k) {
        chunk = readChunk();
        sendAck();
    }
    QVERIFY(isTelemetry(chunk));
    ParamSet p = poisonedSet();
    LiveValues live;
    decodePacket(chunk, p, live);
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(p.stickTrim[t], 120);

    // The log holds every byte received, in order, the count and the hex
    // dump closing each line.
    m_sim->stop();
    QFile log(m_logPath);
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    QByteArray logged;
    while (!log.atEnd()) {
        const QByteArray line = log.readLine().trimmed();
        if (line.startsWith('#') || line.isEmpty())
            continue;
        const QList<QByteArray> words = line.simplified().split(' ');
        QVERIFY(words.size() >= 4);
        bool ok = false;
        const int count = words.at(2).toInt(&ok);
        QVERIFY2(ok && count > 0, line.constData());
        logged += QByteArray::fromHex(line.right(3 * count - 1));
    }
    QVERIFY(logged.startsWith(sent));
    QVERIFY(logged.mid(sent.size()).replace("W", "").isEmpty());
}

void TestTxSim::disStopsTheStream()
{
    QVERIFY(startSim({QStringLiteral("--rate"), QStringLiteral("50")}));
    QVERIFY(openPort());
    QVERIFY(send("OK"));
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(readChunk().size(), 20);
        sendAck();
    }
    QVERIFY(send("DIS"));
    // One packet may have crossed the DIS on the way.
    int late = 0;
    for (QByteArray chunk = readChunk(700); !chunk.isEmpty(); chunk = readChunk(700)) {
        QCOMPARE(chunk.size(), 20);
        sendAck();
        ++late;
    }
    QVERIFY(late <= 1);
    QVERIFY2(!m_port->waitForReadyRead(1500), "no live data after DIS");

    QVERIFY(send("OK"));
    const QByteArray chunk = readChunk();
    QVERIFY(isChannel(chunk) || isTelemetry(chunk));
}

// The configurator's window may close the port without a DIS; the simulator
// must keep its pty alive and serve the next session with whole packets.
void TestTxSim::survivesPortClosedWithoutDis()
{
    QVERIFY(startSim({}));
    for (int session = 0; session < 3; ++session) {
        QVERIFY(openPort());
        QVERIFY(send("OK"));
        for (int k = 0; k < 3; ++k) {
            const QByteArray chunk = readChunk();
            QVERIFY2(isChannel(chunk) || isTelemetry(chunk), chunk.toHex(' ').constData());
            sendAck();
        }
        m_port->close();
        QThread::msleep(400);
    }
    QCOMPARE(m_sim->process().state(), QProcess::Running);
}

// The test peer other tests put in the transmitter's place: packets written
// with writePacket() reach a port in this process one per readyRead, what
// the port writes comes back, and the pty outlives the port's close.
void TestTxSim::ptyPeerServesAnInProcessPort()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    QList<QByteArray> chunks;
    for (int session = 0; session < 2; ++session) {
        QSerialPort port(peer.slavePath());
        port.setBaudRate(115200);
        QObject::connect(&port, &QSerialPort::readyRead, [&] { chunks << port.readAll(); });
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
        port.write("OK");
        QVERIFY(peer.waitForText("OK", 2000));
        QCOMPARE(peer.readAll(), QByteArray("OK"));
        chunks.clear();
        const QByteArray a = QByteArray::fromHex("FE1803E803E803E803E803E803E803E803E80316");
        const QByteArray b = QByteArray::fromHex("FE19373200760000000078787878000000000000");
        QVERIFY(peer.writePacket(a));
        QVERIFY(peer.writePacket(b));
        QVERIFY(peer.waitFor([&](const QByteArray &) { return chunks.size() >= 2; }, 2000));
        QCOMPARE(chunks, (QList<QByteArray>{a, b}));
        QCOMPARE(peer.unreadByProgram(), 0);
        port.write("DIS");
        QVERIFY(peer.waitForText("DIS", 2000));
        QCOMPARE(peer.readAll(), QByteArray("DIS"));
        port.close();
    }
    QCOMPARE(peer.received(), QByteArray("OKDISOKDIS"));
}

QTEST_GUILESS_MAIN(TestTxSim)
#include "tst_txsim.moc"
