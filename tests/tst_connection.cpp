// A connection that explains itself: ports named by their adapters, open
// meaning nothing until packets come, the adapter that reached a transmitter
// found again and opened when it is plugged in, and why a port did not open.

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "apptest.h"
#include "fixtures.h"
#include "linktest.h"
#include "mainwindow.h"
#include "portlist.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "statuspanel.h"
#include "usersettings.h"

Q_DECLARE_METATYPE(PortEntry)

using fixtures::u8;

namespace {

PortEntry usbPort(const QString &name, quint16 vendor, quint16 product, const QString &serial = QString(),
                  const QString &description = QString())
{
    PortEntry e(name, description);
    e.vendorId = vendor;
    e.productId = product;
    e.hasVendor = e.hasProduct = true;
    e.serialNumber = serial;
    return e;
}

QImage lampOf(QWidget &w)
{
    return w.findChild<QToolButton *>(QStringLiteral("toolButton_led"))
        ->icon()
        .pixmap(QSize(40, 40))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QImage lampImage(const char *name)
{
    return QIcon(QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name)))
        .pixmap(QSize(40, 40))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QString message(QWidget &w)
{
    return w.findChild<QLabel *>(QStringLiteral("statusMessage"))->text();
}

QString connectionText(QWidget &w)
{
    return w.findChild<QLabel *>(QStringLiteral("statusConnection"))->text();
}

QString openButtonText(QWidget &w)
{
    return w.findChild<QAbstractButton *>(QStringLiteral("openButton"))->text();
}

QComboBox *portBox(QWidget &w)
{
    return w.findChild<QComboBox *>(QStringLiteral("portNameBox"));
}

void forgetAdapter()
{
    UserSettings settings;
    settings.setRememberedAdapter(0, 0, QString());
    settings.setAutoConnect(true);
    settings.sync();
}

const quint16 ch340Vendor = 0x1A86;
const quint16 ch340Product = 0x7523;

} // namespace

class ConnectionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void portNames_data();
    void portNames();
    void usbAdaptersFirst();
    void silentPeerSaysSo();
    void rememberedAdapterFoundUnderANewName();
    void autoConnectOpensOnlyTheRememberedAdapter();
    void busyPortSaysWhatToDo();
};

void ConnectionTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void ConnectionTest::init()
{
    apptest::resetProcessState();
    forgetAdapter();
}

void ConnectionTest::portNames_data()
{
    QTest::addColumn<PortEntry>("port");
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("label");
    QTest::newRow("CH340 with serial number")
        << usbPort("ttyUSB0", 0x1A86, 0x7523, "A50285BI", "USB2.0-Serial") << "CH340"
        << u8("ttyUSB0 · CH340 (1A86:7523) · 序列号 A50285BI · USB2.0-Serial");
    QTest::newRow("CP210x") << usbPort("COM7", 0x10C4, 0xEA60, "0001", "Silicon Labs CP210x USB to UART Bridge")
                            << "CP210x"
                            << u8("COM7 · CP210x (10C4:EA60) · 序列号 0001 · Silicon Labs CP210x USB to UART Bridge");
    QTest::newRow("FTDI 6001, no serial number") << usbPort("ttyUSB1", 0x0403, 0x6001) << "FTDI"
                                                 << u8("ttyUSB1 · FTDI (0403:6001)");
    QTest::newRow("FTDI 6015") << usbPort("ttyUSB2", 0x0403, 0x6015, "DN0123") << "FTDI"
                               << u8("ttyUSB2 · FTDI (0403:6015) · 序列号 DN0123");
    QTest::newRow("PL2303") << usbPort("COM3", 0x067B, 0x2303, QString(), "Prolific USB-to-Serial Comm Port")
                            << "PL2303" << u8("COM3 · PL2303 (067B:2303) · Prolific USB-to-Serial Comm Port");
    // Same vendor, another product: not passed off as the chip.
    QTest::newRow("other FTDI product") << usbPort("ttyUSB3", 0x0403, 0x6010) << QString()
                                        << u8("ttyUSB3 · USB 设备 (0403:6010)");
    QTest::newRow("USB CDC device") << usbPort("ttyACM0", 0x2341, 0x0043, "7543", "Arduino Uno") << QString()
                                    << u8("ttyACM0 · USB 设备 (2341:0043) · 序列号 7543 · Arduino Uno");
    QTest::newRow("built-in port") << PortEntry("ttyS0") << QString() << u8("ttyS0 · 非 USB 串口");
    QTest::newRow("built-in port with a description")
        << PortEntry("COM1", "Communications Port") << QString() << u8("COM1 · Communications Port");
    // Ids without a product are no adapter to name.
    PortEntry vendorOnly("ttyS4");
    vendorOnly.hasVendor = true;
    vendorOnly.vendorId = 0x1A86;
    QTest::newRow("vendor id only") << vendorOnly << QString() << u8("ttyS4 · 非 USB 串口");
}

void ConnectionTest::portNames()
{
    QFETCH(PortEntry, port);
    QFETCH(QString, chip);
    QFETCH(QString, label);
    QCOMPARE(portnames::chipOf(port), chip);
    QCOMPARE(portnames::label(port), label);
}

// The list shows the labels; the box holds the name it opens. Adapters
// plugged in later join the adapters, ahead of the built-in ports.
void ConnectionTest::usbAdaptersFirst()
{
    MainWindow w;
    QList<PortEntry> ports{PortEntry("ttyS0"), usbPort("ttyUSB0", 0x10C4, 0xEA60), PortEntry("ttyS1")};
    w.setPortSource([&ports] { return ports; });
    QComboBox *box = portBox(w);
    QCOMPARE(apptest::itemTexts(box), (QStringList{"ttyUSB0", "ttyS0", "ttyS1"}));
    QCOMPARE(box->itemData(0, Qt::DisplayRole).toString(), u8("ttyUSB0 · CP210x (10C4:EA60)"));
    // Nothing has answered on any of them: none is picked.
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QString());

    ports.append(usbPort("ttyUSB1", 0x1A86, 0x7523));
    QTRY_COMPARE(apptest::itemTexts(box), (QStringList{"ttyUSB0", "ttyUSB1", "ttyS0", "ttyS1"}));
    QCOMPARE(box->currentText(), QString());
    box->setCurrentIndex(1);
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB1"));
}

// A peer that opens but never answers: the lamp stays amber, the bar and the
// live page say so within the wait, and a Read reports the same rather than
// nineteen missing sections. The first packet turns it all green.
void ConnectionTest::silentPeerSaysSo()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    MainWindow w;
    LinkPacing pacing = linktest::fastPacing();
    pacing.noDataMs = 300;
    w.link().setPacing(pacing);
    auto *empty = w.findChild<QLabel *>(QStringLiteral("liveEmptyState"));
    QVERIFY(empty);
    QVERIFY(!empty->isHidden());
    QVERIFY(empty->text().contains(u8("打开串口")));

    QVERIFY(apptest::openPort(&w, peer.slavePath()));
    QVERIFY(peer.waitFor(2, 2000));
    const QImage amber = lampOf(w);
    QVERIFY(amber != lampImage("green"));
    QVERIFY(amber != lampImage("red"));
    QCOMPARE(connectionText(w), peer.slavePath() + u8(" 已打开 · 等待数据"));

    QElapsedTimer clock;
    clock.start();
    QTRY_VERIFY_WITH_TIMEOUT(message(w).startsWith(u8("串口已打开，但没有收到发射机的数据")), 2000);
    QVERIFY(clock.elapsed() >= 250);
    for (const char *check : {"开机", "数据线", "串口", "驱动"})
        QVERIFY2(message(w).contains(u8(check)), check);
    QVERIFY(empty->text().contains(u8("没有收到发射机的数据")));
    QCOMPARE(lampOf(w), amber);
    QTRY_COMPARE(connectionText(w), peer.slavePath() + u8(" 已打开 · 没有数据"));

    // A Read that nothing answers.
    w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"))->click();
    QVERIFY(linktest::waitIdle(w.link()));
    QTRY_COMPARE(message(w), StatusPanel::noDataText());

    QVERIFY(peer.write(fixtures::channelPacket(QVector<int>(8, 1200), 740)));
    QTRY_COMPARE(lampOf(w), lampImage("green"));
    QVERIFY(empty->isHidden());
    QCOMPARE(message(w), QString());
    QTRY_VERIFY(connectionText(w).startsWith(peer.slavePath() + u8(" 已连接")));

    QVERIFY(apptest::closePort(&w));
    QCOMPARE(lampOf(w), lampImage("red"));
    QVERIFY(!empty->isHidden());
    QVERIFY(empty->text().contains(u8("打开串口")));
}

// The adapter that brought packets is remembered by its ids and serial
// number, not by its name: next time it is picked under its new name, and a
// port that never answered is not.
void ConnectionTest::rememberedAdapterFoundUnderANewName()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("ttyUSB7"));
    QVERIFY(QFile::link(peer.slavePath(), renamed));
    {
        UserSettings settings;
        settings.setAutoConnect(false);
        settings.sync();
    }
    {
        MainWindow w;
        w.setPortSource([&] { return QList<PortEntry>{usbPort(peer.slavePath(), ch340Vendor, ch340Product, "A1")}; });
        QComboBox *box = portBox(w);
        QCOMPARE(box->currentIndex(), -1);
        box->setCurrentIndex(0);
        QVERIFY(apptest::openPort(&w, box->currentText()));
        // Opened, but nothing came: not remembered.
        QTest::qWait(100);
        quint16 vendor = 1, product = 1;
        QString serial;
        UserSettings().rememberedAdapter(&vendor, &product, &serial);
        QCOMPARE(vendor, quint16(0));
        QVERIFY(peer.writePacket(fixtures::channelPacket(QVector<int>(8, 1000), 740)));
        QTRY_COMPARE(lampOf(w), lampImage("green"));
        UserSettings().rememberedAdapter(&vendor, &product, &serial);
        QCOMPARE(vendor, ch340Vendor);
        QCOMPARE(product, ch340Product);
        QCOMPARE(serial, QStringLiteral("A1"));
        QVERIFY(apptest::closePort(&w));
    }
    MainWindow w;
    w.setPortSource([&] {
        return QList<PortEntry>{PortEntry("ttyS0"), usbPort("ttyUSB3", ch340Vendor, ch340Product, "B2"),
                                usbPort(renamed, ch340Vendor, ch340Product, "A1")};
    });
    QCOMPARE(portBox(w)->currentText(), renamed);
    QCOMPARE(openButtonText(w), apptest::closedText()); // picked, not opened: auto-connect is off
}

// With auto-connect on, the remembered adapter is opened when it appears and
// waited for when it goes; another adapter of the same kind is left alone.
void ConnectionTest::autoConnectOpensOnlyTheRememberedAdapter()
{
    {
        UserSettings settings;
        settings.setRememberedAdapter(ch340Vendor, ch340Product, QStringLiteral("A1"));
        settings.sync();
    }
    auto peer = std::make_unique<PtyPeer>();
    MainWindow w;
    QList<PortEntry> ports{PortEntry("ttyS0")};
    w.setPortSource([&ports] { return ports; });
    PtyPeer other;
    ports.append(usbPort(other.slavePath(), ch340Vendor, ch340Product, "B2"));
    QTRY_COMPARE(apptest::itemTexts(portBox(w)).size(), 2);
    QTest::qWait(200);
    QCOMPARE(openButtonText(w), apptest::closedText());
    QCOMPARE(other.received(), QByteArray());

    ports.append(usbPort(peer->slavePath(), ch340Vendor, ch340Product, "A1"));
    QTRY_COMPARE_WITH_TIMEOUT(openButtonText(w), apptest::openText(), 5000);
    QVERIFY(peer->waitForText("OK", 2000));
    QCOMPARE(portBox(w)->currentText(), peer->slavePath());
    QVERIFY(peer->writePacket(fixtures::channelPacket(QVector<int>(8, 1000), 740)));
    QTRY_COMPARE(lampOf(w), lampImage("green"));

    // Pulled out: said in the bar, no box, and waited for.
    apptest::ModalAnswerer answerer(3000);
    peer->hangUp();
    ports.removeLast();
    QTRY_COMPARE(openButtonText(w), apptest::closedText());
    QVERIFY2(message(w).contains(u8("等待 CH340 重新插上")), qPrintable(message(w)));
    QTest::qWait(300);
    QCOMPARE(answerer.count(), 0);

    // Back, as a new device node: opened again.
    peer = std::make_unique<PtyPeer>();
    ports.append(usbPort(peer->slavePath(), ch340Vendor, ch340Product, "A1"));
    QTRY_COMPARE_WITH_TIMEOUT(openButtonText(w), apptest::openText(), 5000);
    QVERIFY(peer->waitForText("OK", 2000));
    QCOMPARE(other.received(), QByteArray());
    QVERIFY(apptest::closePort(&w));
}

// Another program holds the port: the box says so and what to do, not only
// the system's words.
void ConnectionTest::busyPortSaysWhatToDo()
{
    PtyPeer peer;
    QSerialPort holder(peer.slavePath());
    QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));
    MainWindow w;
    apptest::ModalAnswerer answerer(5000);
    portBox(w)->setEditText(peer.slavePath());
    w.findChild<QAbstractButton *>(QStringLiteral("openButton"))->click();
    answerer.stop();
    QCOMPARE(answerer.boxes(), QStringList{u8("提示|无法打开串口！")});
    const QString why = answerer.seen().first().informative;
    QVERIFY2(why.contains(u8("被另一个程序占用")), qPrintable(why));
    QVERIFY2(why.contains(u8("关闭")), qPrintable(why));
    QVERIFY(!why.contains(u8("dialout")));
    QCOMPARE(openButtonText(w), apptest::closedText());
}

QTEST_MAIN(ConnectionTest)
#include "tst_connection.moc"
