// The commands as a person meets them: real X input (XTEST, through
// xdotool) on an X server of the test's own (Xvfb), the window on the
// simulator. Clicks and keys go through the X server, the window system
// plugin and Qt's event delivery, grabs and modality included, which Qt
// Test's synthetic events skip. Without Xvfb or xdotool every test skips.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "apptest.h"
#include "linktest.h"
#include "mainwindow.h"
#include "qtwarnings.h"
#include "txsimprocess.h"

#include <memory>

namespace {

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

// The X server the test starts before the application object exists.
struct XServer {
    QProcess process;
    QString display;
    QString missing; // why there is none
};

XServer &xServer()
{
    static XServer server;
    return server;
}

// Starts Xvfb on a free display and points Qt at it. Returns false, with the
// reason, when Xvfb or xdotool is not installed or the server does not come up.
bool startXServer()
{
    XServer &x = xServer();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty()) {
        x.missing = QStringLiteral("Xvfb and xdotool are needed (packages xvfb, xdotool: tools/setup.sh installs them)");
        return false;
    }
    // -displayfd: the server picks a free display and writes its number.
    x.process.setProgram(xvfb);
    x.process.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                            QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                            QStringLiteral("tcp")});
    x.process.start();
    if (!x.process.waitForStarted(5000)) {
        x.missing = QStringLiteral("Xvfb did not start");
        return false;
    }
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 10000 && x.process.state() == QProcess::Running) {
        x.process.waitForReadyRead(200);
        number += x.process.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        x.missing = QStringLiteral("Xvfb did not report its display");
        return false;
    }
    x.display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", x.display.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

// The steps of a person at the keyboard and mouse, as xdotool commands run
// one after the other in a process of their own, a pause after each: the
// window runs meanwhile, also inside the dialogs a click opens.
class Person
{
public:
    // A left click at the middle of a widget.
    void click(QWidget *w)
    {
        const QPoint at = w->mapToGlobal(w->rect().center());
        m_steps << QStringLiteral("xdotool mousemove %1 %2 click 1").arg(at.x()).arg(at.y());
    }
    void key(const char *name) { m_steps << QStringLiteral("xdotool key %1").arg(QLatin1String(name)); }
    void type(const QString &text) { m_steps << QStringLiteral("xdotool type '%1'").arg(text); }
    void pause(int ms) { m_steps << QStringLiteral("sleep %1").arg(ms / 1000.0); }
    // Clicks into a box, selects what it holds and types text.
    void typeInto(QWidget *box, const QString &text)
    {
        click(box);
        key("ctrl+a");
        type(text);
    }

    // Runs the steps; true when xdotool did them all in time.
    bool act(int timeoutMs = 60000)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), xServer().display);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("sh"), {QStringLiteral("-ec"), m_steps.join(QStringLiteral("; sleep 0.4; "))});
        m_steps.clear();
        const bool done = QTest::qWaitFor([&p] { return p.state() == QProcess::NotRunning; }, timeoutMs);
        if (!done) {
            p.kill();
            p.waitForFinished(1000);
        }
        QTest::qWait(100);
        return done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

private:
    QStringList m_steps;
};

// Records each modal dialog or box as it comes up, without answering it:
// the person does.
class ModalWatch : public QObject
{
public:
    ModalWatch()
    {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w == m_last)
                return;
            m_last = w;
            QString what = w->objectName();
            if (auto *box = qobject_cast<QMessageBox *>(w))
                what = box->windowTitle() + QLatin1Char('|') + box->text()
                       + (box->informativeText().isEmpty() ? QString() : QLatin1Char('|') + box->informativeText());
            m_seen << what;
        });
        m_timer.start();
    }
    QStringList seen() const { return m_seen; }

private:
    QTimer m_timer;
    QPointer<QWidget> m_last;
    QStringList m_seen;
};

} // namespace

class XInputTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void escapeThenWriteAgain();
    void editAfterVerifiedWrite();
    void writeWithPortClosed();

private:
    // Starts the simulator and a window on it, shown at the top left, with
    // the port opened and the settings read (through the API: the steps in
    // question come after).
    bool startReading();
    template <typename T>
    T *find(const char *name)
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    QString status() { return find<QLabel>("statusMessage")->text(); }

    std::unique_ptr<TxSimProcess> m_sim;
    std::unique_ptr<MainWindow> m_window;
};

void XInputTest::initTestCase()
{
    if (!xServer().missing.isEmpty())
        QSKIP(qPrintable(xServer().missing));
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void XInputTest::init()
{
    apptest::resetProcessState();
}

void XInputTest::cleanup()
{
    // A box left up by a failed test must not block the next one.
    for (int i = 0; i < 5 && QApplication::activeModalWidget(); ++i) {
        QApplication::activeModalWidget()->close();
        QTest::qWait(50);
    }
    m_window.reset();
    m_sim.reset();
}

bool XInputTest::startReading()
{
    m_sim = std::make_unique<TxSimProcess>(QStringList{QStringLiteral("--rate"), QStringLiteral("20")});
    if (!m_sim->start())
        return false;
    m_window = std::make_unique<MainWindow>();
    m_window->setAttribute(Qt::WA_QuitOnClose, false);
    m_window->link().setPacing(linktest::fastPacing());
    m_window->link().setVerify(true);
    m_window->move(0, 0);
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return false;
    if (!apptest::openPort(m_window.get(), m_sim->portName()) || !m_sim->waitForStandardError("connected", 5000))
        return false;
    // The setting up, not what is tested: a Read that lost a section on a
    // busy machine is read again.
    bool read = false;
    for (int attempt = 0; attempt < 3 && !read; ++attempt) {
        if (!linktest::waitIdle(m_window->link()))
            return false;
        find<QAbstractButton>("toolButton_Read")->click();
        read = QTest::qWaitFor([this] { return status().startsWith(u8("读取完成：19/19")); }, 10000);
        if (!read)
            qInfo("Read %d: %s", attempt + 1, qPrintable(status()));
    }
    if (!read)
        return false;
    find<QTabWidget>("tabWidget")->setCurrentIndex(1);
    QTest::qWait(100);
    return true;
}

// Escape in the review, then 写入数据 again at the same place: the review
// comes again, every time, and nothing is sent.
void XInputTest::escapeThenWriteAgain()
{
    QVERIFY(startReading());
    auto *send = find<QAbstractButton>("toolButton_Send");
    ModalWatch watch;
    Person person;
    person.typeInto(find<QSpinBox>("spinBox_sub1"), QStringLiteral("25"));
    for (int round = 0; round < 3; ++round) {
        person.click(send);
        person.pause(500);
        person.key("Escape");
    }
    QVERIFY(person.act());
    const QString review = QStringLiteral("reviewDialog");
    QVERIFY2(watch.seen() == QStringList({review, review, review}), qPrintable(watch.seen().join(u8(" / "))));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!m_window->link().isBusy());
    QCOMPARE(paramSet.subTrim[1], 25);
    QCOMPARE(m_window->unsentCount(), 1);
    QCOMPARE(m_window->baseline().subTrim[1], 0);
}

// A verified Write, a new value typed into the same box, 写入数据: the
// review comes, the value goes out and is verified.
void XInputTest::editAfterVerifiedWrite()
{
    QVERIFY(startReading());
    auto *send = find<QAbstractButton>("toolButton_Send");
    auto *box = find<QSpinBox>("spinBox_sub1");
    ModalWatch watch;
    for (int value : {25, 30}) {
        Person person;
        person.typeInto(box, QString::number(value));
        person.click(send);
        person.pause(500);
        person.key("Return");
        QVERIFY(person.act());
        QVERIFY(linktest::waitIdle(m_window->link()));
        QTRY_COMPARE_WITH_TIMEOUT(status().section(u8(" · "), 0, 0), u8("写入并校验完成"), 5000);
        QCOMPARE(m_window->unsentCount(), 0);
        QCOMPARE(m_window->baseline().subTrim[1], value);
    }
    const QString review = QStringLiteral("reviewDialog");
    QVERIFY2(watch.seen() == QStringList({review, review}), qPrintable(watch.seen().join(u8(" / "))));
}

// After a Write, the port closed with its own button, 写入数据: the box says
// the port is not open, and the command ends, on the screen too.
void XInputTest::writeWithPortClosed()
{
    QVERIFY(startReading());
    auto *send = find<QAbstractButton>("toolButton_Send");
    auto *open = find<QAbstractButton>("openButton");
    ModalWatch watch;
    Person person;
    person.typeInto(find<QSpinBox>("spinBox_sub1"), QStringLiteral("12"));
    person.click(send);
    person.pause(500);
    person.key("Return");
    person.pause(2500); // written and verified at the test's pacing
    person.click(open);
    person.click(send);
    person.pause(800);
    person.key("Return");
    QVERIFY(person.act());
    QCOMPARE(open->text(), apptest::closedText());
    QVERIFY2(watch.seen() == QStringList({QStringLiteral("reviewDialog"), u8("提示|无法打开串口！|请先打开串口")}),
             qPrintable(watch.seen().join(u8(" / "))));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!m_window->link().isBusy());
    QCOMPARE(status(), u8("写入中断：串口未打开，未发送"));
    QVERIFY(send->isEnabled());
    QCOMPARE(m_window->baseline().subTrim[1], 12);
}

int main(int argc, char *argv[])
{
    // The server first: the application object connects to it.
    if (!startXServer())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        XInputTest test;
        QTEST_SET_MAIN_SOURCE_PATH
        result = QTest::qExec(&test, argc, argv);
    }
    if (xServer().process.state() == QProcess::Running) {
        xServer().process.terminate();
        xServer().process.waitForFinished(3000);
    }
    return result;
}

#include "tst_xinput.moc"
