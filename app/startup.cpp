#include "startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QList>
#include <QTranslator>

#include "usersettings.h"

namespace startup {

const char *const chinese = "zh";
const char *const english = "en";

namespace {

const char *const kProgramTranslation = ":/translations/varnix_%1.qm";

bool isLanguage(const QString &code)
{
    return code == QLatin1String(chinese) || code == QLatin1String(english);
}

QList<QTranslator *> &installed()
{
    static QList<QTranslator *> translators;
    return translators;
}

// Loads one file into a new translator and installs it; nullptr if the file
// is not there or not a translation.
QTranslator *installFile(const QString &name, const QString &dir)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(name, dir) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    installed().append(translator);
    return translator;
}

} // namespace

Options parseArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Configurator of the Varnix&Tolbane transmitter."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Language of the window: zh (Chinese, the default) or en "
                                                 "(English). Remembered for the next start."),
                                  QStringLiteral("language"));
    parser.addOption(lang);
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("Record the live values to FILE (CSV, as varnix-param "
                                                   "monitor --csv writes them) from the start."),
                                    QStringLiteral("file"));
    parser.addOption(record);
    parser.addPositionalArgument(QStringLiteral("port"),
                                 QStringLiteral("Serial port to put into the port box."),
                                 QStringLiteral("[port]"));

    Options options;
    options.helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    options.recordPath = parser.value(record);
    if (parser.isSet(lang)) {
        options.language = parser.value(lang);
        if (!isLanguage(options.language)) {
            options.error = QStringLiteral("Unknown language '%1': use zh or en.").arg(options.language);
            return options;
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        options.error = QStringLiteral("Only one port can be given.");
    else if (!positional.isEmpty())
        options.portName = positional.first();
    return options;
}

QString chooseLanguage(const QString &asked, UserSettings &settings)
{
    if (isLanguage(asked)) {
        settings.setLanguage(asked);
        settings.sync();
        return asked;
    }
    const QString remembered = settings.language();
    return isLanguage(remembered) ? remembered : QString::fromLatin1(chinese);
}

QStringList qtTranslationDirs()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qtDir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    const QString programDir = QCoreApplication::applicationDirPath();
    return { qtDir, programDir + QLatin1String("/translations"), programDir };
}

QStringList installTranslations(const QString &language, const QStringList &qtDirs)
{
    for (QTranslator *translator : installed()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();

    QStringList loaded;
    if (language == QLatin1String(english)) {
        if (QTranslator *t = installFile(QString::fromLatin1(kProgramTranslation).arg(language), QString()))
            loaded << t->filePath();
        return loaded;
    }
    // Qt's own texts: the qtbase file of a Qt installation, or the combined
    // qt_ file that windeployqt writes beside the program.
    for (const QString &dir : qtDirs) {
        for (const char *name : { "qtbase_zh_CN", "qt_zh_CN" }) {
            if (QTranslator *t = installFile(QString::fromLatin1(name), dir))
                return loaded << t->filePath();
        }
    }
    return loaded;
}

QStringList fontFamilies()
{
#if defined(Q_OS_WIN)
    // Every Windows since Vista has these, whatever its language.
    return { QStringLiteral("Arial"), QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun") };
#elif defined(Q_OS_MACOS)
    return { QStringLiteral("Arial"), QStringLiteral("PingFang SC") };
#else
    // From fonts-liberation2 and fonts-wqy-microhei, which the package
    // depends on. Liberation Sans has Arial's widths, so the English texts
    // take the room they take on Windows. Without it, Latin text comes from
    // DejaVu Sans, which every Debian and Ubuntu has, rather than from the
    // Chinese font.
    return { QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei") };
#endif
}

void useFonts(const QStringList &families)
{
    QFont font = QApplication::font();
    // Qt 5 tries the single family before the list; Qt 6 keeps the list only.
    font.setFamily(families.value(0));
    font.setFamilies(families);
    QApplication::setFont(font);
}

} // namespace startup
