// The connection panel against a real pseudo-terminal: the handshake bytes
// the transmitter sees, the panel's look in both states, failed opens, what
// closing does to the live channel display, a device that vanishes, and the
// goodbye when the window goes.

#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QToolButton>
#include <QtTest>

#include <QDir>
#include <QFileInfo>

#include <memory>

#include "apptest.h"
#include "fixtures.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "ptypeer.h"
#include "qtwarnings.h"

namespace {

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(40, 40)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage lampImage(const char *name)
{
    return iconImage(QIcon(QStringLiteral(":/myImage/images/%1.png").arg(QLatin1String(name))));
}

QStringList systemPorts()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}

// Whether this process still holds a file descriptor on path.
bool holdsOpen(const QString &path)
{
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::Files | QDir::System))
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() == path)
            return true;
    return false;
}

struct Panel {
    QPushButton *button;
    QComboBox *box;
    QToolButton *lamp;
};

Panel panelOf(QWidget &w)
{
    return {w.findChild<QPushButton *>("openButton"), w.findChild<QComboBox *>("portNameBox"),
            w.findChild<QToolButton *>("toolButton_led")};
}

} // namespace

class SerialTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void openAndCloseHandshake();
    void reopenAfterClose();
    void closeCentresChannelsAtOnce();
    void failedOpenChangesNothing_data();
    void failedOpenChangesNothing();
    void deviceLostClosesThePanel_data();
    void deviceLostClosesThePanel();
    void destroyWithPortOpenSaysGoodbye_data();
    void destroyWithPortOpenSaysGoodbye();
};

void SerialTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void SerialTest::init()
{
    apptest::resetProcessState();
}

void SerialTest::openAndCloseHandshake()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    MainWindow w;
    const Panel p = panelOf(w);
    QVERIFY(p.button && p.box && p.lamp);
    QCOMPARE(iconImage(p.lamp->icon()), lampImage("red"));

    QStringList boxes;
    QVERIFY(apptest::openPort(&w, peer.slavePath(), &boxes));
    QCOMPARE(boxes, QStringList());
    QCOMPARE(p.button->text(), u8("关闭串口"));
    QVERIFY(!p.box->isEnabled());
    // Open, but nothing heard yet: neither red nor green.
    const QImage amber = iconImage(p.lamp->icon());
    QVERIFY(amber != lampImage("green") && amber != lampImage("red"));

    // Exactly "OK" and nothing after it, refreshes running meanwhile.
    QVERIFY(peer.waitFor(2, 2000));
    QCOMPARE(peer.readAll(300), QByteArray("OK"));
    // Green with the transmitter's first packet.
    QVERIFY(peer.write(fixtures::channelPacket(QVector<int>(8, 1000), 740)));
    QVERIFY(peer.waitForText("WWW", 2000));
    QTRY_COMPARE(iconImage(p.lamp->icon()), lampImage("green"));
    peer.clear();

    // Something to be thrown away by the rebuild of the list.
    p.box->addItem(QStringLiteral("not-a-port"));

    p.button->click();
    // "DIS" must leave before the port is closed.
    QVERIFY(peer.waitFor(3, 2000));
    QCOMPARE(peer.readAll(300), QByteArray("DIS"));
    QCOMPARE(peer.received(), QByteArray("DIS"));

    QCOMPARE(p.button->text(), u8("打开串口"));
    QVERIFY(p.box->isEnabled());
    QCOMPARE(iconImage(p.lamp->icon()), lampImage("red"));
    const QStringList ports = systemPorts();
    QCOMPARE(apptest::itemTexts(p.box), ports);
    // None of them answered: none is picked.
    QCOMPARE(p.box->currentIndex(), -1);
    // The port used last stays named, although the system does not list it.
    QCOMPARE(p.box->currentText(), peer.slavePath());
    QVERIFY(paramSet == ParamSet());
}

void SerialTest::reopenAfterClose()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    MainWindow w;
    QVERIFY(apptest::openPort(&w, peer.slavePath()));
    QVERIFY(apptest::closePort(&w));
    // The list was rebuilt around the name: the next click opens the same port.
    panelOf(w).button->click();
    QCOMPARE(panelOf(w).button->text(), u8("关闭串口"));
    QVERIFY(peer.waitFor(7, 2000));
    QCOMPARE(peer.readAll(200), QByteArray("OKDISOK"));
    QVERIFY(apptest::closePort(&w));
    QVERIFY(peer.waitFor(3, 2000));
    QCOMPARE(peer.received(), QByteArray("OKDISOKDIS"));
}

void SerialTest::closeCentresChannelsAtOnce()
{
    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    MainWindow w;
    QVERIFY(apptest::openPort(&w, peer.slavePath()));
    QVERIFY(peer.waitFor(2, 2000));
    peer.readAll();

    QVERIFY(peer.write(fixtures::channelPacket({0, 500, 1500, 2000, 999, 1001, 100, 1900}, 740)));
    QVERIFY(peer.waitForText("WWW", 2000));
    QCOMPARE(liveValues.channelValue1, 0);
    QCOMPARE(liveValues.channelValue8, 1900);
    auto *text1 = w.findChild<QLineEdit *>("lineEdit");
    auto *upper1 = w.findChild<QProgressBar *>("progressBar_10");
    QVERIFY(text1 && upper1);
    QTRY_COMPARE(text1->text(), QStringLiteral("0"));
    QTRY_COMPARE(upper1->value(), 1010);

    // With no tick to help, the bars must be back at the centre when the
    // click returns.
    QVERIFY(apptest::setRefreshTimerRunning(&w, false));
    QVERIFY(apptest::closePort(&w));

    const char *const texts[8] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                  "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};
    for (int n = 1; n <= 8; ++n) {
        QCOMPARE(liveValues.channel(n), 1000);
        QCOMPARE(w.findChild<QLineEdit *>(texts[n - 1])->text(), QStringLiteral("1000"));
        QCOMPARE(w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10))->value(), 10);
        QCOMPARE(w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10 + 1))->value(), 1000);
    }
    // The battery reading is no longer the transmitter's: unknown until the
    // next packet.
    QCOMPARE(liveValues.txVoltage, 740);
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_TX")->text(), QStringLiteral("--"));
    apptest::setRefreshTimerRunning(&w, true);
}

void SerialTest::failedOpenChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("emptyList");

    QTest::newRow("no such device") << "/dev/linktest-no-such-port" << false;
    QTest::newRow("empty name, empty list") << QString() << true;
}

void SerialTest::failedOpenChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, emptyList);

    MainWindow w;
    const Panel p = panelOf(w);
    QVERIFY(p.button && p.box && p.lamp);
    if (emptyList) {
        p.box->clear(); // as on a machine with no serial port
        QCOMPARE(p.box->currentIndex(), -1);
    }
    p.box->setEditText(name);
    QCOMPARE(p.box->currentText(), name);

    apptest::ModalAnswerer answerer(5000);
    p.button->click();
    answerer.stop();

    QCOMPARE(answerer.boxes(), QStringList{u8("提示|无法打开串口！")});
    // The system's reason comes with it.
    QVERIFY(!answerer.seen().first().informative.isEmpty());
    QCOMPARE(p.button->text(), u8("打开串口"));
    QVERIFY(p.box->isEnabled());
    QCOMPARE(iconImage(p.lamp->icon()), lampImage("red"));
    // The list is not rebuilt by a failed open.
    if (emptyList)
        QCOMPARE(p.box->count(), 0);
    else
        QCOMPARE(apptest::itemTexts(p.box), systemPorts());
    QVERIFY(paramSet == ParamSet());

    // Still closed: the next click tries to open again, and fails again.
    apptest::ModalAnswerer again(5000);
    p.button->click();
    again.stop();
    QCOMPARE(again.count(), 1);
    QCOMPARE(p.button->text(), u8("打开串口"));
}

void SerialTest::deviceLostClosesThePanel_data()
{
    QTest::addColumn<QString>("during"); // the command running when the device goes
    QTest::newRow("idle") << QString();
    QTest::newRow("Write") << "toolButton_Send";
    QTest::newRow("Read") << "toolButton_Read";
}

// The device vanishes (its end of the pty closes, as when a cable is pulled):
// the port is let go at once, without a word to it, the panel shows closed,
// a box says why, and the same window connects again.
void SerialTest::deviceLostClosesThePanel()
{
    QFETCH(QString, during);

    auto peer = std::make_unique<PtyPeer>();
    const QString path = peer->slavePath();
    MainWindow w;
    LinkPacing slow = linktest::fastPacing();
    slow.readMs = slow.frameMs = 2000;
    w.link().setPacing(slow);
    const Panel p = panelOf(w);
    QVERIFY(apptest::openPort(&w, path));
    QVERIFY(peer->write(fixtures::channelPacket(QVector<int>(8, 1500), 740)));
    QTRY_COMPARE(w.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("1500"));
    if (!during.isEmpty()) {
        apptest::ModalAnswerer review(5000); // nothing read yet: "仍然写入"
        w.findChild<QAbstractButton *>(during)->click();
        QVERIFY(peer->waitFor([](const QByteArray &b) { return b.endsWith("RR") || b.endsWith('Y'); }, 2000));
        testsupport::expectWarning(QStringLiteral("stopped after 1 of"));
    }
    QVERIFY(holdsOpen(path));

    apptest::ModalAnswerer answerer(5000);
    peer->hangUp();
    QTRY_COMPARE(p.button->text(), u8("打开串口"));
    QTRY_COMPARE(answerer.count(), 1);
    answerer.stop();

    QCOMPARE(answerer.boxes(), QStringList{u8("提示|串口已断开")});
    QVERIFY(!answerer.seen().first().informative.isEmpty()); // the reason
    QVERIFY(!w.link().isBusy());
    QVERIFY(!holdsOpen(path)); // nothing left to spin on
    QVERIFY(p.box->isEnabled());
    QCOMPARE(p.box->currentText(), path);
    QCOMPARE(iconImage(p.lamp->icon()), lampImage("red"));
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("1000"));
    QCOMPARE(w.findChild<QProgressBar *>("progressBar_11")->value(), 1000);
    QCOMPARE(testsupport::missingWarnings(), QStringList());

    PtyPeer next;
    QVERIFY(apptest::openPort(&w, next.slavePath()));
    QVERIFY(next.waitFor(2, 2000));
    QCOMPARE(next.readAll(50), QByteArray("OK"));
}

void SerialTest::destroyWithPortOpenSaysGoodbye_data()
{
    QTest::addColumn<bool>("duringWrite");
    QTest::newRow("idle") << false;
    QTest::newRow("during a Write") << true;
}

// Closing the window while connected says goodbye as the close button does:
// a running command stops, "DIS" is the last thing the transmitter gets.
void SerialTest::destroyWithPortOpenSaysGoodbye()
{
    QFETCH(bool, duringWrite);

    PtyPeer peer;
    QVERIFY2(peer.isOpen(), qPrintable(peer.errorString()));
    auto w = std::make_unique<MainWindow>();
    w->link().setPacing(linktest::fastPacing());
    QVERIFY(apptest::openPort(w.get(), peer.slavePath()));
    QVERIFY(peer.waitFor(2, 2000));
    QByteArray expected = "OK";
    if (duringWrite) {
        apptest::ModalAnswerer review(5000); // nothing read yet: "仍然写入"
        w->findChild<QAbstractButton *>("toolButton_Send")->click();
        QVERIFY(peer.waitForText("Y", 2000));
        expected += fixtures::initialS;
        testsupport::expectWarning(QStringLiteral("Write stopped after 1 of 4"));
    }

    w.reset();
    peer.spin(200);
    QCOMPARE(peer.received(), expected + "DIS");
    QCOMPARE(testsupport::missingWarnings(), QStringList());

    // The port was let go: a new window can open the same device.
    peer.clear();
    MainWindow again;
    QVERIFY(apptest::openPort(&again, peer.slavePath()));
    QVERIFY(peer.waitFor(2, 2000));
    QCOMPARE(peer.readAll(100), QByteArray("OK"));
}

QTEST_MAIN(SerialTest)
#include "tst_serial.moc"
