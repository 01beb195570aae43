#include "library.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "console.h"
#include "usersettings.h"

using namespace console;

namespace library {

QString folder(const QString &given)
{
    return given.isEmpty() ? UserSettings().libraryFolder() : given;
}

QString resolve(const QString &nameOrPath, const QString &dir)
{
    QString error;
    const QString path = SetupLibrary(dir).resolve(nameOrPath, &error);
    if (path.isEmpty())
        say(error);
    return path;
}

LibrarySetup setupOf(const QString &file)
{
    return SetupLibrary::read(file);
}

bool inFolder(const QString &file, const QString &dir)
{
    return QFileInfo(QFileInfo(file).absolutePath()).canonicalFilePath() == QFileInfo(dir).canonicalFilePath();
}

QString summary()
{
    return QStringLiteral("  %1 the setups in the library: name, type, file, last written\n")
        .arg(QLatin1String("library"), -16);
}

int run(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the setups of the library folder, one a line, tab-separated: the name, the\n"
        "airframe type, the file and when it was last written to a transmitter (UTC, or -).\n"
        "A sidecar that cannot be read is said on standard error; its setup is listed by\n"
        "its file name. Setup names work in show, diff, check, export, sheet and write."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption folderOption(QStringLiteral("folder"),
                                          QStringLiteral("The library folder (default: the window's)."),
                                          QStringLiteral("DIR"));
    parser.addOption(folderOption);
    if (!parser.parse(QStringList{QStringLiteral("varnix-param library")} + args))
        return refuse(parser.errorText() + QStringLiteral(" (see library --help)"));
    if (parser.isSet(help)) {
        put(stdout, parser.helpText());
        return Success;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("usage: varnix-param library [--folder DIR]"));
    const QString dir = folder(parser.value(folderOption));
    if (!QFileInfo(dir).isDir())
        return refuse(QStringLiteral("%1: no such folder").arg(QDir::toNativeSeparators(dir)));
    for (const LibrarySetup &s : SetupLibrary(dir).list()) {
        if (!s.note.isEmpty())
            say(QStringLiteral("%1 ignored").arg(s.note));
        const QString written = s.info.lastWritten.isValid() ? s.info.lastWritten.toUTC().toString(Qt::ISODate)
                                                              : QStringLiteral("-");
        put(stdout, QStringLiteral("%1\t%2\t%3\t%4\n")
                        .arg(s.info.name, airframe::key(s.info.type), QFileInfo(s.path).fileName(), written));
    }
    return Success;
}

} // namespace library
