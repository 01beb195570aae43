// txsim: a transmitter on a pseudo-terminal, for trying the configurator
// (and testing it) with no hardware. The first line on stdout is the port.

#include "paramfile.h"
#include "protocol.h"
#include "simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

// The model writes diagnostic lines to the debug log; a user of the
// simulator only wants its own messages and real warnings.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "txsim: %s\n", msg.toLocal8Bit().constData());
}

int fail(const QString &text)
{
    say(text);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("txsim"));
    qInstallMessageHandler(quietHandler);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated transmitter on a pseudo-terminal. Prints the port to use as its first\n"
        "line, then streams live data after the configurator connects, answers read\n"
        "requests with its settings and takes in written settings. Ctrl+C quits."));
    parser.addHelpOption();
    const QCommandLineOption rateOption(QStringLiteral("rate"),
        QStringLiteral("Live packets per second, channel and telemetry taking turns (default 20; 0 = none)."),
        QStringLiteral("HZ"), QStringLiteral("20"));
    const QCommandLineOption settingsOption(QStringLiteral("settings"),
        QStringLiteral("Parameter file (as saved by the configurator) to start from."), QStringLiteral("FILE"));
    const QCommandLineOption logOption(QStringLiteral("log"),
        QStringLiteral("Write every byte received to FILE, time-stamped."), QStringLiteral("FILE"));
    const QCommandLineOption ackOption(QStringLiteral("ack-timeout"),
        QStringLiteral("Send the next packet after MS milliseconds even without an acknowledgement (default 200)."),
        QStringLiteral("MS"), QStringLiteral("200"));
    const QCommandLineOption leaveOutOption(QStringLiteral("leave-out"),
        QStringLiteral("Sections (1..19, comma-separated) left out of the answer to a read request, as a lossy "
                       "link would lose them."),
        QStringLiteral("LIST"));
    const QCommandLineOption faultOption(QStringLiteral("fault"),
        QStringLiteral("Misbehave on writes: change-field (sub-trim CH4 keeps its value) or ignore-writes "
                       "(frames are not taken in). Read requests are answered with what is kept."),
        QStringLiteral("KIND"));
    parser.addOptions({rateOption, settingsOption, logOption, ackOption, leaveOutOption, faultOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\" (see --help)").arg(parser.positionalArguments().first()));

    Simulator::Options options;
    bool ok = false;
    options.rate = parser.value(rateOption).toDouble(&ok);
    if (!ok || options.rate < 0 || options.rate > 1000)
        return fail(QStringLiteral("--rate wants packets per second between 0 and 1000, e.g. --rate 20"));
    options.ackTimeoutMs = parser.value(ackOption).toInt(&ok);
    if (!ok || options.ackTimeoutMs < 1 || options.ackTimeoutMs > 60000)
        return fail(QStringLiteral("--ack-timeout wants milliseconds between 1 and 60000"));
    options.logPath = parser.value(logOption);
    if (parser.isSet(leaveOutOption)) {
        for (const QString &part : parser.value(leaveOutOption).split(QLatin1Char(','))) {
            const int section = part.trimmed().toInt(&ok);
            if (!ok || section < 1 || section > protocol::sectionCount)
                return fail(QStringLiteral("--leave-out wants section numbers 1..%1, e.g. --leave-out 7,8")
                                .arg(protocol::sectionCount));
            options.leaveOut.append(section);
        }
    }

    if (parser.isSet(faultOption)) {
        const QString fault = parser.value(faultOption);
        if (fault == QLatin1String("change-field"))
            options.fault = Simulator::Options::Fault::ChangeField;
        else if (fault == QLatin1String("ignore-writes"))
            options.fault = Simulator::Options::Fault::IgnoreWrites;
        else
            return fail(QStringLiteral("--fault wants change-field or ignore-writes"));
    }

    ParamSet settings;
    settings.firmwareVersion = 50;
    if (parser.isSet(settingsOption)) {
        const QString path = parser.value(settingsOption);
        const ParameterFile file = readParameterFile(path);
        if (!file.ok())
            return fail(QStringLiteral("cannot use %1: %2").arg(path, file.reason));
        decodeParameterFile(file, settings);
        say(QStringLiteral("settings from %1 (frames %2)").arg(path, file.frames.letters()));
    }

    Simulator simulator(settings, options);
    QString error;
    if (!simulator.open(&error))
        return fail(error);

    std::printf("%s\n", simulator.portName().toLocal8Bit().constData());
    std::fflush(stdout);
    say(QStringLiteral("simulated transmitter on %1, waiting for the configurator").arg(simulator.portName()));
    return app.exec();
}
