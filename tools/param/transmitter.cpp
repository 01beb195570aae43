#include "transmitter.h"

#include "backups.h"
#include "console.h"
#include "filewrite.h"
#include "fields.h"
#include "frames.h"
#include "link.h"
#include "linkport.h"
#include "library.h"
#include "livecsv.h"
#include "paramfile.h"
#include "paramset.h"
#include "protocol.h"
#include "settingsdiff.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace transmitter {

namespace {

using namespace console;

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted = true;
}

// The pauses of the real transmitter. VARNIX_PARAM_PACING=fast shortens them
// for the tests, which run against the simulator.
LinkPacing pacing()
{
    LinkPacing p;
    p.readReportMs = 3000;
    p.verifyMs = 3000;
    if (qEnvironmentVariable("VARNIX_PARAM_PACING") == QLatin1String("fast")) {
        p.guardMs = 10;
        p.readMs = 20;
        p.frameMs = 40;
        p.readReportMs = 1500;
        p.verifyMs = 1500;
    }
    return p;
}

// How long a read waits, after the sections, for a telemetry packet: the
// stick trims come only in those.
int trimWaitMs()
{
    return qEnvironmentVariable("VARNIX_PARAM_PACING") == QLatin1String("fast") ? 1000 : 2000;
}

QString sectionList(const QList<int> &sections)
{
    QStringList parts;
    for (int s : sections)
        parts << QString::number(s);
    return parts.join(QStringLiteral(", "));
}

// One connection to the transmitter: the port, the link on it, and waits
// that keep the event loop running.
class Session
{
public:
    Session()
    {
        QObject::connect(&m_port, &QSerialPort::readyRead, &m_link, &Link::receive);
        QObject::connect(&m_linkPort, &LinkPort::lost, [this](bool hungUp, const QString &reason) {
            say(QStringLiteral("the port went away: %1").arg(hungUp ? QStringLiteral("the device hung up") : reason));
            m_lost = true;
            m_loop.quit();
        });
        m_link.setPacing(pacing());
        m_link.setVerify(true);
    }

    ~Session()
    {
        if (m_linkPort.isOpen())
            m_linkPort.close(); // "DIS" on the way out, however we leave
    }

    Link &link() { return m_link; }
    bool lost() const { return m_lost; }

    bool open(const QString &name)
    {
        if (m_linkPort.open(name))
            return true;
        QString why = m_linkPort.errorString();
#ifdef Q_OS_LINUX
        if (m_linkPort.permissionDenied())
            why += QStringLiteral(" (add yourself to the dialout group: sudo usermod -aG dialout $USER, then log in again)");
#endif
        say(QStringLiteral("cannot open %1: %2").arg(name, why));
        return false;
    }

    // Runs the event loop until done() holds, the port goes away or Ctrl+C.
    bool waitFor(const std::function<bool()> &done)
    {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &m_loop, [this, &done] {
            if (done() || interrupted)
                m_loop.quit();
        });
        poll.start(10);
        if (!done())
            m_loop.exec();
        return done() && !m_lost;
    }

    // "RR" and the sections that answer it; false with the missing ones
    // named when not all 19 came.
    bool readSettings()
    {
        bool reported = false;
        QList<int> missing;
        QObject::connect(&m_link, &Link::readReport, [&](int, const QList<int> &m) {
            reported = true;
            missing = m;
        });
        say(QStringLiteral("reading the transmitter's settings"));
        if (!m_link.read())
            return false;
        waitFor([&] { return reported && !m_link.isBusy(); });
        // Also when the port went away before all had come.
        if (reported && !missing.isEmpty()) {
            say(QStringLiteral("the transmitter sent %1 of %2 sections; missing: %3")
                    .arg(protocol::sectionCount - missing.size())
                    .arg(protocol::sectionCount)
                    .arg(sectionList(missing)));
            return false;
        }
        return reported && !m_lost;
    }

    // Waits a while for a telemetry packet, which brings the stick trims;
    // true once they are known.
    bool waitForTrims()
    {
        QElapsedTimer clock;
        clock.start();
        const int limit = trimWaitMs();
        waitFor([&] { return m_link.trimsKnown() || clock.elapsed() >= limit; });
        return m_link.trimsKnown();
    }

private:
    QSerialPort m_port;
    Link m_link{&m_port};
    LinkPort m_linkPort{m_port, m_link};
    QEventLoop m_loop;
    bool m_lost = false;
};

QByteArray fileBytes(const FrameTexts &texts)
{
    QByteArray bytes;
    for (const QString &t : texts.text)
        bytes += t.toLatin1();
    return bytes;
}

// Parses args for one command; shows its help and returns false when asked
// or when they are wrong (*status then says how to exit).
bool parse(QCommandLineParser &parser, const QString &command, const QStringList &args, int positional,
           int *status)
{
    const QCommandLineOption help = parser.addHelpOption();
    if (!parser.parse(QStringList{QStringLiteral("varnix-param ") + command} + args)) {
        say(parser.errorText() + QStringLiteral(" (see varnix-param %1 --help)").arg(command));
        *status = Refused;
        return false;
    }
    if (parser.isSet(help)) {
        // The usage line names the program as started; name the command too.
        QString text = parser.helpText();
        text.replace(QCoreApplication::arguments().constFirst(), QStringLiteral("varnix-param ") + command);
        put(stdout, text);
        *status = Success;
        return false;
    }
    if (parser.positionalArguments().size() != positional) {
        say(QStringLiteral("wrong arguments (see varnix-param %1 --help)").arg(command));
        *status = Refused;
        return false;
    }
    return true;
}

int readCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads the transmitter's settings into a Parameter file, as Read and Save do in the window.\n"
        "The stick trims come with the live data: it waits a while for a telemetry packet.\n"
        "Exit status: 0 all 19 sections and the trims read and written, 1 sections missing (nothing\n"
        "is written) or the trims not received (the file is written without them: frames S G H),\n"
        "2 a port or file that cannot be used."));
    parser.addPositionalArgument(QStringLiteral("PORT"), QStringLiteral("The serial port, e.g. COM3 or /dev/ttyUSB0."));
    const QCommandLineOption out({QStringLiteral("o"), QStringLiteral("output")},
                                 QStringLiteral("Write the Parameter file to FILE instead of standard output."),
                                 QStringLiteral("FILE"));
    parser.addOption(out);
    int status = 0;
    if (!parse(parser, QStringLiteral("read"), args, 1, &status))
        return status;

    Session session;
    if (!session.open(parser.positionalArguments().at(0)))
        return Refused;
    if (!session.readSettings()) {
        say(QStringLiteral("nothing written"));
        return Found;
    }
    // The trims come with the live data, not with the sections: a file must
    // not pass off the centre as the transmitter's trims.
    const bool trims = session.waitForTrims();
    FrameTexts frames = framesOf(session.link().deviceSettings());
    if (!trims)
        frames.text[FrameI].clear();
    const QString where = parser.isSet(out) ? parser.value(out) : QStringLiteral("standard output");
    if (parser.isSet(out)) {
        QString error;
        if (!writeParameterFile(parser.value(out), frames, &error)) {
            say(QStringLiteral("%1: %2").arg(parser.value(out), error));
            return Refused;
        }
    } else {
        const QByteArray bytes = fileBytes(frames);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            say(QStringLiteral("standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return Found;
        }
    }
    if (!trims) {
        say(QStringLiteral("all %1 sections read, but the stick trims were not received (no telemetry packet "
                           "within %2 s): written to %3 without them (frames S G H, no I frame)")
                .arg(protocol::sectionCount)
                .arg(trimWaitMs() / 1000.0)
                .arg(where));
        return Found;
    }
    if (parser.isSet(out))
        say(QStringLiteral("all %1 sections read, written to %2").arg(protocol::sectionCount).arg(where));
    return Success;
}

// Asks on the terminal; true for yes.
bool confirm(const QString &question)
{
    put(stderr, QStringLiteral("%1 [y/N] ").arg(question));
    std::fflush(stderr);
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y';
}

int writeCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a Parameter file to the transmitter. Reads the transmitter first and shows what\n"
        "changes (name, transmitter, file), asks, keeps a backup of what it held as the window\n"
        "does, sends the four frames and reads the settings back to check them.\n"
        "Exit status: 0 written and verified, 1 the read-back differs or is incomplete (or nothing\n"
        "was written), 2 a port or file that cannot be used, or no terminal to ask and no --yes."));
    parser.addPositionalArgument(QStringLiteral("PORT"), QStringLiteral("The serial port."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The Parameter file to write, or a setup's name."));
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("Do not ask; write."));
    parser.addOption(yes);
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("The setups library, for a FILE given by setup name."),
                                    QStringLiteral("DIR"));
    parser.addOption(folder);
    int status = 0;
    if (!parse(parser, QStringLiteral("write"), args, 2, &status))
        return status;
    const QString port = parser.positionalArguments().at(0);
    const QString libraryFolder = library::folder(parser.value(folder));
    const QString path = library::resolve(parser.positionalArguments().at(1), libraryFolder);
    if (path.isEmpty())
        return Refused;

    ParamSet wanted;
    QString why;
    if (!loadWholeFile(path, wanted, &why)) {
        say(why);
        return Refused;
    }
    const bool askable = isatty(fileno(stdin)) != 0;
    if (!parser.isSet(yes) && !askable) {
        say(QStringLiteral("no terminal to ask on: add --yes to write without asking"));
        return Refused;
    }

    Session session;
    Link &link = session.link();
    if (!session.open(port))
        return Refused;
    if (!session.readSettings()) {
        say(QStringLiteral("cannot compare with what the transmitter holds; nothing written"));
        return Found;
    }
    // The backup's trims must be the transmitter's, or left out.
    if (!session.waitForTrims())
        say(QStringLiteral("the stick trims were not received (no telemetry packet within %1 s): the backup "
                           "leaves them out").arg(trimWaitMs() / 1000.0));
    const QStringList changes = differingRows(link.deviceSettings(), wanted);
    for (const QString &row : changes)
        put(stdout, row + QLatin1Char('\n'));
    std::fflush(stdout);
    if (changes.isEmpty())
        say(QStringLiteral("the transmitter holds these settings already; writing them anyway"));
    if (!parser.isSet(yes)
        && !confirm(QStringLiteral("Write %1 to %2 (%3 changes)?").arg(path, port).arg(changes.size()))) {
        say(QStringLiteral("nothing written"));
        return Found;
    }

    // It runs as a Load (the file's trims go out, whatever telemetry says);
    // a stop names it as the user called it.
    link.setCommandName(Link::Load, QStringLiteral("write"));
    QObject::connect(&link, &Link::aboutToOverwrite, [&link] {
        const backups::Result r = backups::write(backups::directory(), QStringLiteral("write"),
                                                 link.deviceSettings(), QDateTime::currentDateTime(), 100,
                                                 link.trimsKnown());
        if (r.ok)
            say(QStringLiteral("backup of the transmitter's settings: %1").arg(r.path));
        else
            say(QStringLiteral("no backup (%1); writing anyway").arg(r.error));
    });
    QObject::connect(&link, &Link::progress, [](Link::Command, int done, int steps) {
        say(QStringLiteral("frame %1/%2 sent").arg(done).arg(steps));
    });
    QObject::connect(&link, &Link::verifying, [] { say(QStringLiteral("reading back")); });
    bool done = false;
    VerifyResult result;
    QObject::connect(&link, &Link::verified, [&](Link::Command, const VerifyResult &r) {
        result = r;
        done = true;
    });
    if (!link.load([&wanted] {
            paramSet = wanted;
            return true;
        })
        || !session.waitFor([&] { return done && !link.isBusy(); })) {
        say(QStringLiteral("the write did not finish"));
        return Found;
    }
    // A setup of the library remembers when it went to a transmitter.
    if (library::inFolder(path, libraryFolder)) {
        QString error;
        if (!SetupLibrary(libraryFolder).update(path, [](SetupInfo &i) { i.lastWritten = QDateTime::currentDateTimeUtc(); },
                                                &error))
            say(QStringLiteral("not recorded in the library: %1").arg(error));
    }
    if (!result.missing.isEmpty()) {
        say(QStringLiteral("could not verify: %1/%2 sections came back (missing %3)")
                .arg(result.received)
                .arg(protocol::sectionCount)
                .arg(sectionList(result.missing)));
        return Found;
    }
    if (!result.differences.isEmpty()) {
        const int n = result.differences.size();
        say(n == 1 ? QStringLiteral("verify: 1 setting differs") : QStringLiteral("verify: %1 settings differ").arg(n));
        for (const VerifyResult::Difference &d : result.differences)
            say(QStringLiteral("  %1 sent %2, read %3").arg(elementName(d.field, d.index), -16).arg(d.sent).arg(d.read));
        return Found;
    }
    say(QStringLiteral("written and verified"));
    return Success;
}

QString liveLine(const LiveSample &s)
{
    QStringList channels;
    for (int c : s.channel)
        channels << QString::number(c);
    QStringList trims;
    for (int t : s.trim)
        trims << QString::number(t);
    return QStringLiteral("%1 s  ch %2  tx %3 V  rx %4 V  ext %5 V  rssi %6  trims %7\n")
        .arg(s.seconds, 8, 'f', 2)
        .arg(channels.join(QLatin1Char(' ')))
        .arg(s.txVolts, 0, 'f', 2)
        .arg(s.rxVolts, 0, 'f', 1)
        .arg(s.extVolts, 0, 'f', 1)
        .arg(s.hasRssi ? QStringLiteral("%1 dBm").arg(s.rssiDbm) : QStringLiteral("-"))
        .arg(trims.join(QLatin1Char(' ')));
}

int monitorCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows the live values the transmitter sends, one line per packet, until Ctrl+C or --seconds.\n"
        "With --csv they go to FILE (- for standard output) as rows: time in seconds from the start,\n"
        "ch1..ch8, transmitter, receiver and external voltage in volts, RSSI in dBm, the four trims.\n"
        "Exit status: 0 done, 1 the port went away or a write failed (the reason is said: a full\n"
        "disk), 2 a port or file that cannot be used."));
    parser.addPositionalArgument(QStringLiteral("PORT"), QStringLiteral("The serial port."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Write CSV rows to FILE."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Stop after N seconds."),
                                     QStringLiteral("N"));
    parser.addOptions({csv, seconds});
    int status = 0;
    if (!parse(parser, QStringLiteral("monitor"), args, 1, &status))
        return status;
    double limit = 0;
    if (parser.isSet(seconds)) {
        bool ok = false;
        limit = parser.value(seconds).toDouble(&ok);
        if (!ok || limit <= 0) {
            say(QStringLiteral("--seconds wants a number of seconds above 0"));
            return Refused;
        }
    }

    QFile csvFile;
    if (parser.isSet(csv)) {
        const bool toStdout = parser.value(csv) == QLatin1String("-");
        const bool opened = toStdout ? csvFile.open(stdout, QIODevice::WriteOnly)
                                     : (csvFile.setFileName(parser.value(csv)), csvFile.open(QIODevice::WriteOnly));
        if (!opened) {
            say(QStringLiteral("%1: %2").arg(parser.value(csv), csvFile.errorString()));
            return Refused;
        }
    }
    const QString csvName = !parser.isSet(csv) || parser.value(csv) == QLatin1String("-")
        ? QStringLiteral("standard output")
        : parser.value(csv);
    // The first write that fails ends the monitor, with the reason.
    QString failure;
    qint64 rows = 0;
    auto failed = [&](const QString &why) {
        failure = QStringLiteral("%1: cannot write: %2 (%3 rows written)").arg(csvName, why).arg(rows);
    };
    WriteFailure why;
    if (csvFile.isOpen() && !writeAll(csvFile, liveCsvHeader(), &why))
        failed(why.text());
    if (!failure.isEmpty()) {
        say(failure);
        return Found;
    }

    Session session;
    if (!session.open(parser.positionalArguments().at(0)))
        return Refused;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&session.link(), &Link::packetReceived, [&](const PacketResult &r) {
        if (r.kind != PacketKind::Channel && r.kind != PacketKind::Telemetry)
            return;
        if (!failure.isEmpty())
            return;
        const LiveSample s = liveSample(liveValues, paramSet.stickTrim, clock.elapsed() / 1000.0);
        if (csvFile.isOpen()) {
            WriteFailure why;
            if (!writeAll(csvFile, liveCsvRow(s), &why)) {
                failed(why.text());
                return;
            }
        } else if (std::fputs(liveLine(s).toLocal8Bit().constData(), stdout) < 0 || std::fflush(stdout) != 0) {
            failed(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        ++rows;
    });
    std::signal(SIGINT, onInterrupt);
    say(QStringLiteral("showing live values from %1; Ctrl+C stops").arg(parser.positionalArguments().at(0)));
    session.waitFor([&] { return !failure.isEmpty() || (limit > 0 && clock.elapsed() >= qint64(limit * 1000)); });
    if (!failure.isEmpty()) {
        say(failure);
        return Found;
    }
    return session.lost() ? Found : Success;
}

struct Command {
    const char *name;
    const char *usage;
    const char *what;
    int (*run)(const QStringList &args);
};

const Command commands[] = {
    {"read", "read PORT [-o FILE]", "the transmitter's settings as a Parameter file", readCommand},
    {"write", "write PORT FILE [--yes]", "the file to the transmitter: changes, backup, write, check",
     writeCommand},
    {"monitor", "monitor PORT [--csv FILE] [--seconds N]", "the live values, as lines or CSV", monitorCommand},
};

} // namespace

bool isCommand(const QString &name)
{
    for (const Command &c : commands)
        if (name == QLatin1String(c.name))
            return true;
    return false;
}

int run(const QString &name, const QStringList &args)
{
    for (const Command &c : commands)
        if (name == QLatin1String(c.name))
            return c.run(args);
    return Refused;
}

QString summary()
{
    QString text;
    for (const Command &c : commands)
        text += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(c.usage), QLatin1String(c.what));
    return text;
}

} // namespace transmitter
