#include "sheet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>

#include "airframe.h"
#include "console.h"
#include "library.h"
#include "paramfile.h"
#include "setupsheet.h"
#include "usersettings.h"

namespace sheetcommand {

const char *const name = "sheet";

using namespace console;

bool isCommand(int argc, char *argv[])
{
    return argc > 1 && qstrcmp(argv[1], name) == 0;
}

void prepareGui()
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

QString summary()
{
    return QStringLiteral("  %1 the setup sheet: FILE -o OUT.pdf (A4) or OUT.html\n")
        .arg(QLatin1String("sheet FILE"), -16);
}

int run(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the setup sheet of a Parameter file: the aircraft's name, type and notes\n"
        "on top, every setting page by page as the window names and lays it out, the\n"
        "dual-rate and throttle curves, the file, the date and the version; at most two\n"
        "A4 pages as PDF, or the same as one HTML file."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Where it goes: a .pdf or an .html file."), QStringLiteral("file"));
    parser.addOption(output);
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("zh or en (default: the window's language)."),
                                  QStringLiteral("language"));
    parser.addOption(lang);
    // Not --name: on X11 Qt takes -name and --name for itself.
    const QCommandLineOption aircraft(QStringLiteral("aircraft"), QStringLiteral("The aircraft's name, on top."),
                                      QStringLiteral("name"));
    parser.addOption(aircraft);
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("plane, delta, vtail, glider or other (with --aircraft)."),
                                  QStringLiteral("type"));
    parser.addOption(type);
    const QCommandLineOption notes(QStringLiteral("notes"), QStringLiteral("Notes under the name; \\n for a new line."),
                                   QStringLiteral("text"));
    parser.addOption(notes);
    const QCommandLineOption written(QStringLiteral("written"),
                                     QStringLiteral("When it was last written to a transmitter (ISO 8601)."),
                                     QStringLiteral("time"));
    parser.addOption(written);
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("The setups library, for a FILE given by setup name."),
                                    QStringLiteral("DIR"));
    parser.addOption(folder);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The Parameter file, or a setup's name."));
    if (!parser.parse(QStringList{QStringLiteral("varnix-param sheet")} + args))
        return refuse(parser.errorText() + QStringLiteral(" (see sheet --help)"));
    if (parser.isSet(help)) {
        put(stdout, parser.helpText());
        return Success;
    }
    if (parser.positionalArguments().size() != 1 || !parser.isSet(output))
        return refuse(QStringLiteral("usage: varnix-param sheet FILE -o OUT.pdf|OUT.html [--lang zh|en] [--folder DIR] "
                                     "[--aircraft NAME] [--type TYPE] [--notes TEXT] [--written TIME]"));
    const QString path = library::resolve(parser.positionalArguments().first(), library::folder(parser.value(folder)));
    if (path.isEmpty())
        return Refused;
    const QString out = parser.value(output);

    // The window's language unless asked: the one it remembers, else Chinese.
    QString language = parser.value(lang);
    if (language.isEmpty())
        language = UserSettings().language();
    if (language == QLatin1String("en")) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QStringLiteral(":/translations/varnix_en.qm")))
            QCoreApplication::installTranslator(translator);
    } else if (!language.isEmpty() && language != QLatin1String("zh")) {
        return refuse(QStringLiteral("unknown language \"%1\": use zh or en").arg(language));
    }

    const ParameterFile file = readParameterFile(path);
    if (!file.ok())
        return refuse(QStringLiteral("%1: %2").arg(path, file.reason));
    if (!file.complete())
        return refuse(QStringLiteral("%1: %2 (%3)").arg(path, file.frames.summary(), firstBreak(file.text).text()));
    ParamSet p;
    decodeParameterFile(file, p);

    SheetSource source{QFileInfo(path).fileName(), QDateTime::currentDateTime(),
                       QCoreApplication::applicationVersion(), SetupInfo()};
    // A setup's own facts from its sidecar; the options say otherwise.
    const LibrarySetup setup = library::setupOf(path);
    if (setup.hasSidecar)
        source.info = setup.info;
    if (parser.isSet(aircraft))
        source.info.name = parser.value(aircraft);
    if (parser.isSet(notes))
        source.info.notes = parser.value(notes).replace(QLatin1String("\\n"), QLatin1String("\n"));
    if (parser.isSet(type)) {
        bool known = false;
        source.info.type = airframe::fromKey(parser.value(type), &known);
        if (!known)
            return refuse(QStringLiteral("unknown type \"%1\": use plane, delta, vtail, glider or other")
                              .arg(parser.value(type)));
    }
    if (parser.isSet(written)) {
        source.info.lastWritten = QDateTime::fromString(parser.value(written), Qt::ISODate);
        if (!source.info.lastWritten.isValid())
            return refuse(QStringLiteral("--written \"%1\" is no date and time like 2026-05-04T09:30")
                              .arg(parser.value(written)));
    }
    QString error;
    int pages = 0;
    if (!writeSetupSheet(p, source, out, &error, &pages))
        return refuse(QStringLiteral("%1: %2").arg(out, error));
    if (pages > 2)
        say(QStringLiteral("the sheet took %1 pages").arg(pages));
    return Success;
}

} // namespace sheetcommand
