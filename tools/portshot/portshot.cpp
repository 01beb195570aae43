// The port list as the window names it, for the README's picture: the window
// with a list of typical ports (two USB-serial adapters, a USB device of
// another kind, the board's own ports), the remembered adapter picked, the
// list open. Run under a display (Xvfb); it grabs the screen.
//   build/varnix-portshot [--lang en] OUT.png
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

#include "mainwindow.h"
#include "portlist.h"
#include "startup.h"
#include "usersettings.h"
#include "varnixversion.h"

namespace {

PortEntry usb(const char *name, quint16 vendor, quint16 product, const char *serial, const char *description)
{
    PortEntry e{QString::fromLatin1(name), QString::fromLatin1(description)};
    e.vendorId = vendor;
    e.productId = product;
    e.hasVendor = e.hasProduct = true;
    e.serialNumber = QLatin1String(serial);
    return e;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VARNIX_NAME));
    QStringList args = QApplication::arguments().mid(1);
    QString language = QLatin1String(startup::chinese);
    if (args.size() >= 2 && args.first() == QLatin1String("--lang")) {
        language = args.at(1);
        args = args.mid(2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: varnix-portshot [--lang en] OUT.png\n");
        return 2;
    }
    // Settings of its own: the remembered adapter, not opened by itself.
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    {
        UserSettings settings;
        settings.setRememberedAdapter(0x1A86, 0x7523, QStringLiteral("A50285BI"));
        settings.setAutoConnect(false);
        settings.sync();
    }
    startup::installTranslations(language);
    startup::useFonts(startup::fontFamilies());

    MainWindow window;
    window.setPortSource([] {
        return QList<PortEntry>{PortEntry(QStringLiteral("ttyS0")),
                                usb("ttyUSB1", 0x10C4, 0xEA60, "0001", "CP2102 USB to UART Bridge Controller"),
                                PortEntry(QStringLiteral("ttyS1")),
                                usb("ttyUSB0", 0x1A86, 0x7523, "A50285BI", "USB2.0-Serial"),
                                usb("ttyACM0", 0x2341, 0x0043, "75430333", "Arduino Uno")};
    });
    window.move(0, 0);
    window.show();
    auto *box = window.findChild<QComboBox *>(QStringLiteral("portNameBox"));
    QTimer::singleShot(800, &window, [box] { box->showPopup(); });
    QTimer::singleShot(1600, &window, [&window, &args] {
        // The list may reach past the window's right edge.
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, 0, 0, -1, 300);
        if (!shot.save(args.first()))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(args.first()));
        QApplication::exit(0);
    });
    return app.exec();
}
