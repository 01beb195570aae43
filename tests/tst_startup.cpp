// Start-up of the whole program: what the main window shows once it is
// built, the port list, the settings left alone, the slot table that the
// form's connect-by-name and the meta-object calls depend on, the window on
// screens smaller than the form, and the command line without a display.

#include <QAbstractButton>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMetaMethod>
#include <QProcess>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSerialPortInfo>
#include <QTabWidget>
#include <QToolButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "apptest.h"
#include "mainwindow.h"
#include "startup.h"
#include "paramset.h"
#include "ui_mainwindow.h"
#include "qtwarnings.h"
#include "usersettings.h"

namespace {

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(40, 40)).toImage().convertToFormat(QImage::Format_ARGB32);
}

const char *const channelTexts[8] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                                     "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void init();

    void windowTitle();
    void firstTabShown();
    void toolBarTexts_data();
    void toolBarTexts();
    void readingsAfterRefresh();
    void lampStartsRed();
    void portListFromSystem();
    void settingsUntouched();
    void channelsCentreAfterFirstTick();

    void slotTable();
    void slotIndexes_data();
    void slotIndexes();
    void handlersHaveTheirWidgets();
    void byteArrayToIntThroughMetaObject_data();
    void byteArrayToIntThroughMetaObject();
    void verifyAfterWriteUnlessTurnedOff_data();
    void verifyAfterWriteUnlessTurnedOff();

    void windowFitsScreen_data();
    void windowFitsScreen();
    void commandLineWithoutDisplay_data();
    void commandLineWithoutDisplay();
};

void StartupTest::init()
{
    apptest::resetProcessState();
}

void StartupTest::windowTitle()
{
    MainWindow w;
    // "[*]" is where the modified mark goes; it is not shown otherwise.
    QCOMPARE(w.windowTitle(), u8("Varnix&Tolbane-V5.0[*]"));
    QVERIFY(!w.isWindowModified());
}

void StartupTest::firstTabShown()
{
    // The form alone ends on the last page with an empty port list.
    {
        QMainWindow host;
        Ui::MainWindow form;
        form.setupUi(&host);
        QCOMPARE(form.tabWidget->count(), 6);
        QCOMPARE(form.tabWidget->currentIndex(), 5);
        QCOMPARE(form.portNameBox->count(), 0);
        QCOMPARE(form.portNameBox->currentIndex(), -1);
        QVERIFY(paramSet == ParamSet());
    }

    MainWindow w;
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tab"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(250);
    QCOMPARE(tabs->currentIndex(), 0);
}

void StartupTest::toolBarTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("Read") << "toolButton_Read" << u8(" 读取数据");
    QTest::newRow("Load") << "toolButton_Load" << u8("加载数据");
    QTest::newRow("Send") << "toolButton_Send" << u8("写入数据");
    QTest::newRow("Save") << "toolButton_Save" << u8("保存数据");
    QTest::newRow("Reset") << "toolButton_Reset" << u8("出厂设置");
    QTest::newRow("open") << "openButton" << u8("打开串口");
    QTest::newRow("lamp") << "toolButton_led" << QString();
    QTest::newRow("TX caption") << "lineEdit_26" << u8("遥控:");
    QTest::newRow("EXT caption") << "lineEdit_27" << u8("动力:");
    QTest::newRow("RSSI caption") << "lineEdit_30" << u8("信号:");
    QTest::newRow("RX caption") << "lineEdit_37" << u8("接收:");
    QTest::newRow("TX") << "lineEdit_TX" << u8(" 0.0V");
    QTest::newRow("EXT") << "lineEdit_EXT" << u8(" 0.0V");
    QTest::newRow("RSSI") << "lineEdit_RSSI" << u8("null");
    QTest::newRow("RX") << "lineEdit_RX" << u8(" 0.0V");
}

void StartupTest::toolBarTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    MainWindow w;
    auto textOf = [&w, &name]() -> QString {
        if (auto *b = w.findChild<QAbstractButton *>(name))
            return b->text();
        if (auto *e = w.findChild<QLineEdit *>(name))
            return e->text();
        return QStringLiteral("<no widget %1>").arg(name);
    };
    QCOMPARE(textOf(), text);
}

// The refresh computes the readings from the start values: the same texts.
void StartupTest::readingsAfterRefresh()
{
    MainWindow w;
    QTest::qWait(250);
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_TX")->text(), u8(" 0.0V"));
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_EXT")->text(), u8(" 0.0V"));
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_RSSI")->text(), u8("null"));
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit_RX")->text(), u8(" 0.0V"));
}

void StartupTest::lampStartsRed()
{
    MainWindow w;
    auto *lamp = w.findChild<QToolButton *>("toolButton_led");
    QVERIFY(lamp);
    QCOMPARE(lamp->iconSize(), QSize(40, 40));
    const QImage red = iconImage(QIcon(":/myImage/images/red.png"));
    const QImage green = iconImage(QIcon(":/myImage/images/green.png"));
    QVERIFY(!red.isNull());
    QVERIFY(red != green);
    QCOMPARE(iconImage(lamp->icon()), red);
}

void StartupTest::portListFromSystem()
{
    QStringList expected;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        expected << info.portName();
    qInfo("ports on this machine: %s", qPrintable(expected.join(QStringLiteral(", "))));

    MainWindow w;
    auto *box = w.findChild<QComboBox *>("portNameBox");
    QVERIFY(box);
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
        QVERIFY(box->itemIcon(i).isNull());
        QVERIFY(!box->itemData(i).isValid());
    }
    // USB adapters first; then the system's order.
    QStringList usbFirst;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            usbFirst << info.portName();
    for (const QString &name : expected)
        if (!usbFirst.contains(name))
            usbFirst << name;
    QCOMPARE(items, usbFirst);
    // No port has reached a transmitter yet: none is picked for the user.
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QString());
    QVERIFY(box->isEnabled());
}

void StartupTest::settingsUntouched()
{
    const FrameTexts initialFrames;
    {
        MainWindow w;
        QVERIFY(paramSet == ParamSet());
        // The refresh writes the set into the widgets; the handlers that this
        // fires must store the very same values back.
        QTest::qWait(350);
        QVERIFY(paramSet == ParamSet());
        for (int k = 0; k < 4; ++k)
            QCOMPARE(frameTexts.text[k], initialFrames.text[k]);
        QCOMPARE(liveValues.trimUpdateBlocked, 0);
    }
    // Nor does taking the window down.
    QVERIFY(paramSet == ParamSet());
}

void StartupTest::channelsCentreAfterFirstTick()
{
    MainWindow w;
    // The form's text until the refresh has run once.
    QCOMPARE(w.findChild<QLineEdit *>("lineEdit")->text(), QStringLiteral("0"));
    for (int n = 1; n <= 8; ++n) {
        auto *text = w.findChild<QLineEdit *>(channelTexts[n - 1]);
        QVERIFY(text);
        QTRY_COMPARE(text->text(), QStringLiteral("1000"));
        auto *upper = w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10));
        auto *lower = w.findChild<QProgressBar *>(QStringLiteral("progressBar_%1").arg(n * 10 + 1));
        QVERIFY(upper && lower);
        QCOMPARE(upper->value(), 10);
        QCOMPARE(lower->value(), 1000);
    }
}

void StartupTest::slotTable()
{
    const QMetaObject &mo = MainWindow::staticMetaObject;
    QCOMPARE(mo.className(), "MainWindow");
    QCOMPARE(mo.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 154);
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QMetaMethod m = mo.method(i);
        QVERIFY2(m.methodType() == QMetaMethod::Slot, m.methodSignature().constData());
        QVERIFY2(m.access() == QMetaMethod::Private, m.methodSignature().constData());
    }
    // The edit handlers fill 25..140, one widget signal each.
    for (int i = 25; i <= 140; ++i) {
        const QByteArray sig = mo.method(mo.methodOffset() + i).methodSignature();
        QVERIFY2(sig.startsWith("on_"), sig.constData());
        const bool spin = sig.startsWith("on_spinBox_") && sig.endsWith("_valueChanged(int)");
        const bool doubleSpin = sig.startsWith("on_doubleSpinBox_") && sig.endsWith("_valueChanged(double)");
        const bool combo = sig.startsWith("on_comboBox_") && sig.endsWith("_currentIndexChanged(int)");
        QVERIFY2(spin || doubleSpin || combo, sig.constData());
    }
}

void StartupTest::slotIndexes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<QByteArray>("returnType");

    auto row = [](int index, const char *sig, const char *ret = "void") {
        QTest::addRow("%d %s", index, sig) << index << QByteArray(sig) << QByteArray(ret);
    };
    row(0, "on_openButton_clicked()");
    row(1, "serialPort_readyRead()");
    row(2, "byteArrayToInt(QByteArray,int)", "int");
    row(3, "on_toolButton_Read_clicked()");
    row(4, "on_toolButton_Load_clicked()");
    row(5, "on_toolButton_Send_clicked()");
    row(6, "on_toolButton_Save_clicked()");
    row(7, "on_toolButton_Reset_clicked()");
    const char *const displays[17] = {"Servo_Display()",     "Recieve_Display()", "Rev_Display()",
                                      "EPA_Display()",       "SubTrim_Display()", "FS_Display()",
                                      "Delay_Display()",     "Aux_Display()",     "DR_Display()",
                                      "Parameter_Display()", "Atti_Display()",    "Elev_Display()",
                                      "Vtype_Display()",     "Prm_Display()",     "DRCure_Display()",
                                      "THcure_Display()",    "ui_Display()"};
    for (int k = 0; k < 17; ++k)
        row(8 + k, displays[k]);
    row(25, "on_spinBox_sub1_valueChanged(int)");
    row(140, "on_spinBox_delay8_valueChanged(int)");
    row(141, "RestData()");
    row(142, "RestData2()");
    row(143, "SendData1()");
    row(144, "SendData2()");
    row(145, "SendData3()");
    row(146, "SendData4()");
    row(147, "Dr_DataSelet()");
    row(148, "FalseSaveData()");
    row(149, "on_doubleSpinBox_extVolt_valueChanged(double)");
    row(150, "on_spinBox_Rssi_valueChanged(int)");
    row(151, "on_doubleSpinBox_rxVolt_valueChanged(double)");
    row(152, "on_pushButton_Reset2_clicked()");
    row(153, "StkTrim_Display()");
}

void StartupTest::slotIndexes()
{
    QFETCH(int, index);
    QFETCH(QByteArray, signature);
    QFETCH(QByteArray, returnType);

    const QMetaObject &mo = MainWindow::staticMetaObject;
    const QMetaMethod m = mo.method(mo.methodOffset() + index);
    QCOMPARE(m.methodSignature(), signature);
    QCOMPARE(QByteArray(m.typeName()), returnType);
    QCOMPARE(mo.indexOfSlot(signature.constData()) - mo.methodOffset(), index);
}

// A handler whose widget is missing is never connected by name: the edit
// would silently not reach the settings.
void StartupTest::handlersHaveTheirWidgets()
{
    MainWindow w;
    const QMetaObject &mo = MainWindow::staticMetaObject;
    int handlers = 0;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
        const QByteArray name = mo.method(i).name();
        if (!name.startsWith("on_"))
            continue;
        const int cut = name.lastIndexOf('_');
        const QString object = QString::fromLatin1(name.mid(3, cut - 3));
        QVERIFY2(w.findChild<QObject *>(object), name.constData());
        ++handlers;
    }
    // 0, 3..7, 25..140, 149..152
    QCOMPARE(handlers, 1 + 5 + 116 + 4);
}

void StartupTest::byteArrayToIntThroughMetaObject_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("value");

    QTest::newRow("1000") << QByteArray("\x03\xe8", 2) << 0 << 1000;
    QTest::newRow("unsigned") << QByteArray("\xff\xff", 2) << 0 << 65535;
    QTest::newRow("high byte first") << QByteArray("\x01\x02\x03", 3) << 1 << 0x0203;
    QTest::newRow("low beyond end") << QByteArray("\x12", 1) << 0 << 0x1200;
    QTest::newRow("both beyond end") << QByteArray("\x12\x34", 2) << 2 << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0;
}

void StartupTest::byteArrayToIntThroughMetaObject()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, at);
    QFETCH(int, value);

    MainWindow w;
    int result = -1;
    QVERIFY(QMetaObject::invokeMethod(&w, "byteArrayToInt", Qt::DirectConnection, Q_RETURN_ARG(int, result),
                                      Q_ARG(QByteArray, bytes), Q_ARG(int, at)));
    QCOMPARE(result, value);
}

void StartupTest::verifyAfterWriteUnlessTurnedOff_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid: nothing stored
    QTest::addColumn<bool>("verify");
    QTest::newRow("first start") << QVariant() << true;
    QTest::newRow("turned off") << QVariant(false) << false;
    QTest::newRow("turned on") << QVariant(true) << true;
}

void StartupTest::verifyAfterWriteUnlessTurnedOff()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, verify);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("varnix-config.ini"));
    // The key earlier versions stored it under.
    if (stored.isValid())
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("link/verifyAfterWrite"), stored);
    QCOMPARE(UserSettings(file).verifyAfterWrite(), verify);
}

void StartupTest::windowFitsScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("across"); // a horizontal scroll bar
    QTest::addColumn<bool>("down");   // a vertical one

    QTest::newRow("1920 x 1040") << QRect(0, 0, 1920, 1040) << false << false;
    QTest::newRow("1366 x 728, laptop") << QRect(0, 0, 1366, 728) << false << true;
    QTest::newRow("1280 x 640") << QRect(0, 0, 1280, 640) << false << true;
    QTest::newRow("1024 x 600") << QRect(0, 0, 1024, 600) << true << true;
    QTest::newRow("1024 x 600, second screen") << QRect(1920, 40, 1024, 600) << true << true;
}

// The window opens inside the screen's available area. Where the area is
// smaller, the form scrolls, every control can be scrolled into view and
// the status bar stays visible; on a large screen nothing scrolls and the
// window has the form's whole size.
void StartupTest::windowFitsScreen()
{
    QFETCH(QRect, available);
    QFETCH(bool, across);
    QFETCH(bool, down);

    MainWindow w;
    w.fitInto(available);
    auto *scroll = w.findChild<QScrollArea *>();
    QVERIFY(scroll);
    QWidget *form = scroll->widget();
    QCOMPARE(form->objectName(), QStringLiteral("centralwidget"));
    QVERIFY(w.width() <= available.width());
    QVERIFY(w.height() <= available.height());
    if (across || down)
        QCOMPARE(w.pos(), available.topLeft());
    else
        QCOMPARE(w.size(), QSize(1100, 680 + w.statusBar()->sizeHint().height()));

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(scroll->horizontalScrollBar()->isVisible(), across);
    QCOMPARE(scroll->verticalScrollBar()->isVisible(), down);
    QVERIFY(w.statusBar()->isVisible());
    QVERIFY(w.rect().contains(w.statusBar()->geometry()));

    // Scrolled to the end, the form's far corner shows; no control lies
    // beyond it.
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    const QPoint corner = form->mapTo(scroll->viewport(), QPoint(form->width() - 1, form->height() - 1));
    QVERIFY(scroll->viewport()->rect().contains(corner));
    QStringList beyond;
    for (QWidget *c : form->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QComboBox *>(c)
            || qobject_cast<QAbstractSpinBox *>(c) || qobject_cast<QLineEdit *>(c)
            || qobject_cast<QProgressBar *>(c) || qobject_cast<QTabWidget *>(c);
        if (control && !form->rect().contains(QRect(c->mapTo(form, QPoint()), c->size())))
            beyond << c->objectName();
    }
    QVERIFY2(beyond.isEmpty(), qPrintable(beyond.join(' ')));
}

void StartupTest::commandLineWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // in standard output
    QTest::addColumn<QString>("err"); // in standard error, which is one line or more as given

    QTest::newRow("--version") << QStringList{ "--version" } << 0 << "varnix-config " VERSION "\n" << "";
    QTest::newRow("--help") << QStringList{ "--help" } << 0 << "--lang <language>" << "";
    QTest::newRow("-h with a port") << QStringList{ "-h", "COM3" } << 0 << "Usage:" << "";
    QTest::newRow("unknown option") << QStringList{ "--baud", "9600" } << 2 << "" << "Unknown option 'baud'.";
    QTest::newRow("unknown language") << QStringList{ "--lang", "de" } << 2 << "" << "Unknown language 'de'";
    QTest::newRow("window") << QStringList{} << 2 << ""
                            << "varnix-config: no display could be reached (could not connect to display";
    QTest::newRow("window with a port")
        << QStringList{ "--lang", "en", "/dev/ttyUSB0" } << 2 << "" << "varnix-config: no display could be reached";
}

// --help and --version answer in a terminal without a display; the window,
// which needs one, says so in one line and exits with 2 instead of aborting.
void StartupTest::commandLineWithoutDisplay()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows always has its window system; the console case is tried by tools/windows/test.sh");
#endif
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("XDG_CONFIG_HOME", config.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(PROGRAM, args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QString stdOut = QString::fromUtf8(p.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.contains(out), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.contains(err), qPrintable(stdErr));
    if (status == 2 && !stdErr.startsWith("Unknown"))
        QCOMPARE(stdErr.count('\n'), 1);
    QVERIFY(QDir(config.path()).isEmpty());
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
