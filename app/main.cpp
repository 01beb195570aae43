#include <QApplication>
#include <QMessageBox>
#include <QScopedPointer>
#include <QSettings>

#include <cstdio>

#include "mainwindow.h"
#include "startup.h"

namespace {

// A console may not be there (a Windows program started from its icon), so
// what goes to standard output also shows in a box there.
void tell(const QString &text, bool isError)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), isError ? stderr : stdout);
#ifdef Q_OS_WIN
    if (isError)
        QMessageBox::warning(nullptr, QStringLiteral("varnix-config"), text);
    else
        QMessageBox::information(nullptr, QStringLiteral("varnix-config"), text);
#endif
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varnix-config"));
    QApplication::setApplicationVersion(QStringLiteral(VARNIX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("varnix-config"));

    const startup::Options options = startup::parseArguments(QApplication::arguments());
    if (!options.error.isEmpty()) {
        tell(options.error + QLatin1String("\n\n") + options.helpText, true);
        return 2;
    }
    if (options.help || options.version) {
        tell(options.help ? options.helpText
                          : QApplication::applicationName() + QLatin1Char(' ') + QApplication::applicationVersion(),
             false);
        return 0;
    }
    {
        const QScopedPointer<QSettings> settings(startup::openUserSettings());
        startup::installTranslations(startup::chooseLanguage(options.language, *settings));
    }

    auto *window = new MainWindow;
    if (!options.portName.isEmpty())
        window->presetPortName(options.portName);
    if (!options.recordPath.isEmpty())
        window->startRecording(options.recordPath);
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
