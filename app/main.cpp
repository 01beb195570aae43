#include <QApplication>
#include <QMessageBox>
#include <QScopedPointer>

#include <cstdio>
#include <cstdlib>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "mainwindow.h"
#include "startup.h"
#include "usersettings.h"
#include "varnixversion.h"

namespace {

#ifdef Q_OS_WIN
// A program of the Windows subsystem has no console of its own. Started
// from one (cmd, PowerShell), it writes to that console; with its output
// redirected, to the file or pipe; started from its icon, to neither.
bool hasConsoleOutput(bool isError)
{
    const HANDLE out = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
        return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
    return true;
}
#endif

// Help, the version and errors go to the console; where there is none (a
// Windows program started from its icon) they show in a box instead.
void tell(int &argc, char **argv, const QString &text, bool isError)
{
#ifdef Q_OS_WIN
    if (!hasConsoleOutput(isError)) {
        const QScopedPointer<QApplication> app(qApp ? nullptr : new QApplication(argc, argv));
        if (isError)
            QMessageBox::warning(nullptr, QStringLiteral(VARNIX_NAME), text);
        else
            QMessageBox::information(nullptr, QStringLiteral(VARNIX_NAME), text);
        return;
    }
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
    std::fputs(qPrintable(text + QLatin1Char('\n')), isError ? stderr : stdout);
    std::fflush(isError ? stderr : stdout);
}

// Answers a command line that asks for help or the version, or is wrong:
// the exit status, or -1 when the window is to open.
int answer(int &argc, char **argv, const startup::Options &options)
{
    if (!options.error.isEmpty()) {
        tell(argc, argv, options.error + QLatin1String("\n\n") + options.helpText, true);
        return 2;
    }
    if (options.help || options.version) {
        tell(argc, argv,
             options.help ? options.helpText
                          : QApplication::applicationName() + QLatin1Char(' ') + QApplication::applicationVersion(),
             false);
        return 0;
    }
    return -1;
}

// Qt gives up with a fatal message when no window system can be reached (a
// terminal over SSH, a headless machine). While the application object is
// built, its messages are held back, and a fatal one becomes a one-line
// answer and exit status 2 instead of an abort.
QStringList heldMessages;

void noDisplayHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages.append(message);
        return;
    }
    QString why = message.section(QLatin1Char('\n'), 0, 0);
    if (!heldMessages.isEmpty())
        why = heldMessages.first();
    for (const QString &held : std::as_const(heldMessages)) {
        if (held.contains(QLatin1String("display"), Qt::CaseInsensitive)) {
            why = held;
            break;
        }
    }
    std::fprintf(stderr, VARNIX_NAME ": no display could be reached (%s); --help and --version work without one\n",
                 qPrintable(why.simplified()));
    std::fflush(stderr);
    std::_Exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 scales by the screen's factor by itself; Qt 5 only when asked.
    // Fractions (125 %, 150 %) as they are, so the fixed layout scales as one.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
    QApplication::setApplicationName(QStringLiteral(VARNIX_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VARNIX_VERSION));

    // The command line is read before anything needs a display. Qt's own
    // options (-platform, -style ...) are taken out only by QApplication, so
    // a command line with a single-dash argument that this first reading
    // refuses is read again once the application object has them out.
    startup::Options options;
    {
        const QCoreApplication reader(argc, argv);
        options = startup::parseArguments(QCoreApplication::arguments());
    }
    bool maybeQtOption = false;
    for (int i = 1; i < argc; ++i)
        maybeQtOption = maybeQtOption || (argv[i][0] == '-' && argv[i][1] != '-' && argv[i][1] != '\0');
    const bool readAgain = !options.error.isEmpty() && maybeQtOption;
    if (!readAgain) {
        const int status = answer(argc, argv, options);
        if (status >= 0)
            return status;
    }

    const QtMessageHandler previousHandler = qInstallMessageHandler(noDisplayHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const QString &message : std::as_const(heldMessages))
        qWarning("%s", qPrintable(message));
    QGuiApplication::setDesktopFileName(QStringLiteral(VARNIX_NAME));

    if (readAgain) {
        options = startup::parseArguments(QApplication::arguments());
        const int status = answer(argc, argv, options);
        if (status >= 0)
            return status;
    }
    UserSettings settings;
    startup::installTranslations(startup::chooseLanguage(options.language, settings));
    startup::useFonts(startup::fontFamilies());

    auto *window = new MainWindow;
    window->link().setVerify(settings.verifyAfterWrite());
    if (!options.portName.isEmpty())
        window->presetPortName(options.portName);
    if (!options.recordPath.isEmpty())
        window->startRecording(options.recordPath);
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
