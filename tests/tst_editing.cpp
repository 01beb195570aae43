// Edits under control: every bound widget marks what the transmitter does not
// hold yet, edits undo and redo, the review before writing decides what
// reaches the device side of the pty, and nothing unsent goes silently.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include "apptest.h"
#include "bindings.h"
#include "changemarks.h"
#include "usersettings.h"
#include "fixtures.h"
#include "frames.h"
#include "paramfile.h"
#include "rules.h"
#include "linktest.h"
#include "mainwindow.h"
#include "ptypeer.h"
#include "qtwarnings.h"
#include "txsimprocess.h"

using namespace fixtures;

namespace {

// A window on a pty whose transmitter is known: one Write of the start values
// has gone out ("仍然写入" in the review of an unknown transmitter).
struct Rig {
    PtyPeer peer;
    MainWindow window;

    Rig()
    {
        window.link().setPacing(linktest::fastPacing());
        window.setAttribute(Qt::WA_QuitOnClose, false);
    }

    bool open()
    {
        const bool ok = apptest::openPort(&window, peer.slavePath()) && peer.waitFor(2, 2000);
        peer.clear();
        return ok;
    }
    bool openKnown()
    {
        if (!open() || click("toolButton_Send", {}) != wireFrames(ParamSet()))
            return false;
        peer.clear();
        return true;
    }
    template <typename T>
    T *find(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    // Clicks a command, answers its review and returns what the device got.
    QByteArray click(const char *button, const apptest::ReviewAnswer &answer,
                     QList<apptest::ReviewSeen> *seen = nullptr)
    {
        apptest::ModalAnswerer answerer;
        answerer.queueReview(answer);
        find<QAbstractButton>(button)->click();
        if (!linktest::waitIdle(window.link()))
            return "<still running>";
        peer.spin(20);
        if (seen)
            *seen = answerer.reviews();
        const QByteArray got = peer.received();
        peer.clear();
        return got;
    }
    QString message() { return find<QLabel>("statusMessage")->text(); }
};

// A value the widget can take that differs from the one it shows.
bool changeWidget(QWidget *w, int *before)
{
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        *before = combo->currentIndex();
        if (combo->count() < 2)
            return false;
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        *before = spin->value();
        spin->setValue(spin->value() > spin->minimum() ? spin->value() - 1 : spin->value() + 1);
    } else if (auto *volts = qobject_cast<QDoubleSpinBox *>(w)) {
        *before = qRound(volts->value() * 10);
        volts->setValue(volts->value() > volts->minimum() ? volts->value() - 0.1 : volts->value() + 0.1);
    }
    return true;
}

int widgetValue(QWidget *w)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentIndex();
    if (auto *spin = qobject_cast<QSpinBox *>(w))
        return spin->value();
    return qRound(qobject_cast<QDoubleSpinBox *>(w)->value() * 10);
}

void setWidgetValue(QWidget *w, int value)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        combo->setCurrentIndex(value);
    else if (auto *spin = qobject_cast<QSpinBox *>(w))
        spin->setValue(value);
    else
        qobject_cast<QDoubleSpinBox *>(w)->setValue(value / 10.0);
}

} // namespace

class EditingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { apptest::resetProcessState(); }

    void everyBoundWidgetMarksAndUndoes();
    void runOfEditsIsOneStep();
    void reviewListsWhatChanges();
    void untickedRowKeepsTransmitterValue();
    void oneEditOneRow();
    void resetReviewIsTheWire();
    void readNamesWhatTheWindowChanged();
    void escapeSendsNothing_data();
    void escapeSendsNothing();
    void unknownTransmitterOffersRead();
    void loadReviewNamesTheFile();
    void dontAskAgainTurnsReviewOff();
    void alarmBoxesStopAtFrameLimit();
    void closePrompts_data();
    void closePrompts();
    void closingPortWritesFirst();
    void readOverEditsThenUndo();
    void discardOnClosingPortReverts();
    void reviewNamesStickModeChange();
};

void EditingTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

// Every marked row of the binding table, on the widget the table names:
// a change marks it (widget, tab, title, count), undo and redo move it, and
// setting the old value back clears the mark.
void EditingTest::everyBoundWidgetMarksAndUndoes()
{
    MainWindow w;
    QUndoStack *undo = w.undoStack();
    auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    auto *count = w.findChild<QLabel *>(QStringLiteral("statusEdits"));
    int tested = 0;
    for (const Binding &b : bindings()) {
        if (!b.widget || !bindingMarked(b))
            continue;
        QWidget *box = w.findChild<QWidget *>(QLatin1String(b.widget));
        QVERIFY2(box, b.widget);
        QVERIFY2(!changemarks::isMarked(box), b.widget);
        const int steps = undo->count();
        int before = 0;
        if (!changeWidget(box, &before))
            continue; // one item: nothing to choose
        ++tested;
        const int after = widgetValue(box);
        QVERIFY2(changemarks::isMarked(box), b.widget);
        // The box's own tip first, then both values.
        QVERIFY2(box->toolTip().startsWith(bindingHelp(b) + u8("\n发射机 ")) && box->toolTip().contains(u8(" → ")),
                 b.widget);
        QVERIFY2(!tabs->tabIcon(b.page).isNull(), b.widget);
        QVERIFY(w.isWindowModified());
        QVERIFY2(count->text().endsWith(u8("项修改未写入")), qPrintable(count->text()));
        QCOMPARE(undo->count(), steps + 1);

        undo->undo();
        QCOMPARE(widgetValue(box), before);
        QVERIFY2(!changemarks::isMarked(box), b.widget);
        undo->redo();
        QCOMPARE(widgetValue(box), after);
        QVERIFY2(changemarks::isMarked(box), b.widget);

        setWidgetValue(box, before);
        QVERIFY2(!changemarks::isMarked(box), b.widget);
        QVERIFY2(tabs->tabIcon(b.page).isNull(), b.widget);
        QVERIFY2(!w.isWindowModified(), b.widget);
    }
    QVERIFY(tested > 100);
}

// Arrow clicks or typing on one widget are one step, named for its tool tip.
void EditingTest::runOfEditsIsOneStep()
{
    MainWindow w;
    auto *sub4 = w.findChild<QSpinBox *>(QStringLiteral("spinBox_sub4"));
    auto *undoButton = w.findChild<QToolButton *>(QStringLiteral("statusUndo"));
    QVERIFY(!undoButton->isEnabled());
    for (int v = 1; v <= 6; ++v)
        sub4->setValue(v);
    QCOMPARE(w.undoStack()->count(), 1);
    QCOMPARE(undoButton->toolTip(), u8("撤销：副微调 CH4 0 → 6"));
    QVERIFY(undoButton->isEnabled());
    undoButton->click();
    QCOMPARE(sub4->value(), 0);
    QCOMPARE(paramSet.subTrim[4], 0);
    QCOMPARE(w.findChild<QToolButton *>(QStringLiteral("statusRedo"))->toolTip(), u8("重做：副微调 CH4 0 → 6"));
}

void EditingTest::reviewListsWhatChanges()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_sub1")->setValue(25);
    rig.find<QSpinBox>("spinBox_Repa8")->setValue(10);
    rig.find<QComboBox>("comboBox_rev2")->setCurrentIndex(1);
    const ParamSet edited = paramSet;
    QList<apptest::ReviewSeen> seen;
    QCOMPARE(rig.click("toolButton_Send", {}, &seen), wireFrames(edited));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, u8("写入前确认"));
    QCOMPARE(seen[0].headers, QStringList({u8("页面"), u8("设置"), u8("发射机"), u8("写入后")}));
    const QList<QStringList> rows = {
        {u8("基础菜单"), u8("舵机相位 CH2"), u8("正相"), u8("反相")},
        {u8("基础菜单"), u8("副微调 CH1"), u8("0"), u8("25")},
        {u8("基础菜单"), u8("舵机行程 R CH8"), u8("96%"), u8("10%")},
    };
    QCOMPARE(seen[0].rows, rows);
    QVERIFY(seen[0].text.contains(QLatin1String("3")));
    // Written: nothing is marked any more, and an unchanged Write needs no review.
    QVERIFY(!rig.window.isWindowModified());
    QCOMPARE(rig.click("toolButton_Send", {}, &seen), wireFrames(edited));
    QCOMPARE(seen.size(), 0);
}

void EditingTest::untickedRowKeepsTransmitterValue()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_sub1")->setValue(25);
    rig.find<QSpinBox>("spinBox_sub2")->setValue(-5);
    ParamSet expected = paramSet;
    expected.subTrim[2] = 0;
    apptest::ReviewAnswer answer;
    answer.untick = QStringList{u8("副微调 CH2")};
    QCOMPARE(rig.click("toolButton_Send", answer), wireFrames(expected));
    // Not sent, not lost: the edit stays, marked, for a later Write.
    QCOMPARE(paramSet.subTrim[2], -5);
    QCOMPARE(rig.find<QSpinBox>("spinBox_sub2")->value(), -5);
    QVERIFY(changemarks::isMarked(rig.find<QSpinBox>("spinBox_sub2")));
    QVERIFY(!changemarks::isMarked(rig.find<QSpinBox>("spinBox_sub1")));
    QCOMPARE(rig.window.unsentCount(), 1);
    QCOMPARE(rig.window.baseline().subTrim[2], 0);
    // The next Write reviews it alone and sends it.
    QList<apptest::ReviewSeen> seen;
    QCOMPARE(rig.click("toolButton_Send", {}, &seen), wireFrames(paramSet));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].rows.size(), 1);
    QCOMPARE(seen[0].rows[0][1], u8("副微调 CH2"));
    QCOMPARE(rig.window.unsentCount(), 0);
}

// 比率 on 高级菜单2 changes the selected channel's rate and its copy on
// 高级菜单1: one edit, one row. Unticked, neither goes out and the edit
// stays; ticked, both go out.
void EditingTest::oneEditOneRow()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_DR_RATE")->setValue(60);
    rig.find<QSpinBox>("spinBox_sub1")->setValue(25);
    QCOMPARE(paramSet.drRateUp[1], 60);
    QCOMPARE(paramSet.drUp, 60);
    const ParamSet edited = paramSet;
    apptest::ReviewAnswer answer;
    answer.untick = QStringList{u8("大小舵 CH1 上档比例")};
    QList<apptest::ReviewSeen> seen;
    ParamSet expected = edited;
    expected.drRateUp[1] = 100;
    expected.drUp = 100;
    QCOMPARE(rig.click("toolButton_Send", answer, &seen), wireFrames(expected));
    QCOMPARE(seen.size(), 1);
    const QList<QStringList> rows = {
        {u8("基础菜单"), u8("副微调 CH1"), u8("0"), u8("25")},
        {u8("高级菜单1"), u8("大小舵 CH1 上档比例"), u8("100%"), u8("60%")},
    };
    QCOMPARE(seen[0].rows, rows);
    QVERIFY2(seen[0].text.contains(u8("已选 2 项")), qPrintable(seen[0].text));
    QCOMPARE(paramSet.drRateUp[1], 60);
    QCOMPARE(paramSet.drUp, 60);
    QCOMPARE(rig.window.unsentCount(), 1);
    QVERIFY(changemarks::isMarked(rig.find<QSpinBox>("spinBox_DR_RATE")));
    QVERIFY(changemarks::isMarked(rig.find<QSpinBox>("spinBox_DR_UP1")));

    // Ticked: the rate and its copy go out together.
    QCOMPARE(rig.click("toolButton_Send", {}, &seen), wireFrames(edited));
    QCOMPARE(seen[0].rows.size(), 1);
    QCOMPARE(rig.window.unsentCount(), 0);
    QCOMPARE(rig.window.baseline().drRateUp[1], 60);
    QCOMPARE(rig.window.baseline().drUp, 60);
}

// The reset's review shows what its frames carry: both come from one
// function (factoryResetOf).
void EditingTest::resetReviewIsTheWire()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    spoilSettings();
    QVERIFY(!rig.click("toolButton_Send", {}).isEmpty());
    for (const char *button : {"toolButton_Reset", "pushButton_Reset2"}) {
        QList<apptest::ReviewSeen> seen;
        const QByteArray wire = rig.click(button, {}, &seen);
        QCOMPARE(seen.size(), 1);
        const QString text = QString::fromLatin1(wire);
        ParamSet sent;
        QCOMPARE(decodeFileFrames(text, locateFrames(text), sent).count(), 4);
        QVERIFY(seen[0].rows.size() >= 5);
        for (const QStringList &row : seen[0].rows) {
            bool found = false;
            for (const Binding &b : bindings()) {
                if (bindingName(b) != row[1] || pageName(b.page) != row[0])
                    continue;
                found = true;
                QCOMPARE(bindingValueText(b, sent), row[3]);
            }
            QVERIFY2(found, qPrintable(row.join(QLatin1Char('|'))));
        }
        QVERIFY(asSent(factoryResetOf(sent)) == asSent(sent));
        QCOMPARE(rig.window.unsentCount(), 0);
        spoilSettings();
        QVERIFY(!rig.click("toolButton_Send", {}).isEmpty());
    }
}

// A file check passes as inside every range, loaded into the simulator and
// read: the settings the window cannot show are named in the status bar,
// their marks and the review; nothing else is marked.
void EditingTest::readNamesWhatTheWindowChanged()
{
    const ParamSet held = unshowableSet();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("held.txt"));
    QVERIFY(writeParameterFile(path, held));
    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--settings"), path});
    if (!sim.start())
        QFAIL(qPrintable(QStringLiteral("txsim (%1): %2").arg(TxSimProcess::program(), sim.errorString())));
    MainWindow w;
    w.setAttribute(Qt::WA_QuitOnClose, false);
    w.link().setPacing(linktest::fastPacing());
    QVERIFY(apptest::openPort(&w, sim.portName()));
    QVERIFY(sim.waitForStandardError("connected", 5000));
    w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"))->click();
    auto *message = w.findChild<QLabel *>(QStringLiteral("statusMessage"));
    QTRY_VERIFY_WITH_TIMEOUT(message->text().contains(u8("窗口显示不了发射机的 5 项设置")), 10000);
    for (const char *name : {"大小舵开关", "油门曲线", "混控1 被控", "混控3 下边", "混控4 下边"})
        QVERIFY2(message->text().contains(u8(name)), name);
    QCOMPARE(w.unsentCount(), 5);
    auto *sw = w.findChild<QWidget *>(QStringLiteral("comboBox_DR_SW1"));
    QVERIFY(changemarks::isMarked(sw));
    QCOMPARE(sw->toolTip(), bindingHelp(*bindingOf("comboBox_DR_SW1")) + u8("\n发射机 #2 → SWA\n窗口改的：窗口没有第 2 项（只有 1 项）"));
    auto *down3 = w.findChild<QWidget *>(QStringLiteral("spinBox_PRM03_Data3"));
    QCOMPARE(down3->toolTip(), bindingHelp(*bindingOf("spinBox_PRM03_Data3")) + u8("\n发射机 -36% → 0%\n窗口改的：窗口只能显示 0% 到 100%"));
    QVERIFY(!changemarks::isMarked(w.findChild<QWidget *>(QStringLiteral("spinBox_sub1"))));

    // The review says which rows the user did not touch.
    apptest::ModalAnswerer answerer;
    apptest::ReviewAnswer escape;
    escape.action = apptest::ReviewAnswer::Escape;
    answerer.queueReview(escape);
    w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Send"))->click();
    QVERIFY(linktest::waitIdle(w.link()));
    QTRY_COMPARE(answerer.reviews().size(), 1);
    const apptest::ReviewSeen seen = answerer.reviews().first();
    QCOMPARE(seen.rows.size(), 5);
    for (const QStringList &row : seen.rows)
        QVERIFY2(row[3].contains(u8("（窗口改的：")), qPrintable(row.join(QLatin1Char('|'))));
    QVERIFY(seen.text.contains(u8("其中 5 项不是你改的")));
}

void EditingTest::escapeSendsNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Write") << "toolButton_Send";
    QTest::newRow("factory Reset") << "toolButton_Reset";
    QTest::newRow("second reset") << "pushButton_Reset2";
}

void EditingTest::escapeSendsNothing()
{
    QFETCH(QString, button);
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_FS1")->setValue(70);
    const ParamSet before = paramSet;
    apptest::ReviewAnswer answer;
    answer.action = apptest::ReviewAnswer::Escape;
    QList<apptest::ReviewSeen> seen;
    QCOMPARE(rig.click(qPrintable(button), answer, &seen), QByteArray());
    QCOMPARE(seen.size(), 1);
    QVERIFY(!seen[0].rows.isEmpty());
    QVERIFY(paramSet == before);
    QVERIFY(rig.window.isWindowModified());
}

void EditingTest::unknownTransmitterOffersRead()
{
    Rig rig;
    QVERIFY(rig.open());
    rig.find<QSpinBox>("spinBox_sub3")->setValue(9);
    apptest::ReviewAnswer escape;
    escape.action = apptest::ReviewAnswer::Escape;
    QList<apptest::ReviewSeen> seen;
    QCOMPARE(rig.click("toolButton_Send", escape, &seen), QByteArray());
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].buttons.size(), 3);
    for (const char *name : {"reviewRead", "reviewAnyway", "reviewCancel"})
        QVERIFY2(seen[0].buttons.contains(QLatin1String(name)), name);
    QVERIFY(seen[0].rows.isEmpty());

    // 读取: the request goes out, and the review comes back once the read
    // has reported (nothing answered here, so still unknown: Escape).
    apptest::ModalAnswerer answerer;
    apptest::ReviewAnswer read;
    read.action = apptest::ReviewAnswer::ReadFirst;
    answerer.queueReview(read);
    answerer.queueReview(escape);
    rig.find<QAbstractButton>("toolButton_Send")->click();
    QTRY_COMPARE(answerer.reviews().size(), 2);
    QVERIFY(linktest::waitIdle(rig.window.link()));
    QCOMPARE(rig.peer.received(), QByteArray("RR"));
}

// The file is chosen first; the review then compares it with the transmitter.
void EditingTest::loadReviewNamesTheFile()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    ParamSet file;
    file.servoDelay[5] = 30;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("slow.txt"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(wireFrames(file).chopped(3)); // the four frames without "WWW"
    out.close();

    apptest::ModalAnswerer answerer;
    apptest::ReviewAnswer escape;
    escape.action = apptest::ReviewAnswer::Escape;
    answerer.queueFile(path);
    answerer.queueReview(escape);
    answerer.queueFile(path);
    answerer.queueReview(apptest::ReviewAnswer());
    for (int round = 0; round < 2; ++round) {
        rig.find<QAbstractButton>("toolButton_Load")->click();
        QVERIFY(linktest::waitIdle(rig.window.link()));
        rig.peer.spin(20);
        QCOMPARE(answerer.reviews().size(), round + 1);
        QCOMPARE(answerer.reviews().last().headers.last(), u8("文件 slow.txt"));
        QCOMPARE(answerer.reviews().last().rows,
                 QList<QStringList>{QStringList({u8("基础菜单"), u8("舵机延迟 CH5"), u8("100"), u8("30")})});
        // Escape: nothing sent, nothing changed. Return: the file goes out.
        QCOMPARE(rig.peer.received(), round == 0 ? QByteArray() : wireFrames(file));
        QCOMPARE(paramSet.servoDelay[5], round == 0 ? 100 : 30);
        rig.peer.clear();
    }
}

// "不再询问" turns the review off until the preferences turn it back on.
void EditingTest::dontAskAgainTurnsReviewOff()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_sub6")->setValue(6);
    apptest::ReviewAnswer answer;
    answer.dontAskAgain = true;
    QList<apptest::ReviewSeen> seen;
    rig.click("toolButton_Send", answer, &seen);
    QCOMPARE(seen.size(), 1);
    QVERIFY(!UserSettings().reviewBeforeWriting());
    rig.find<QSpinBox>("spinBox_sub6")->setValue(7);
    const ParamSet edited = paramSet;
    QCOMPARE(rig.click("toolButton_Send", {}, &seen), wireFrames(edited));
    QCOMPARE(seen.size(), 0);

    // The settings button's dialog turns it back on.
    apptest::ModalAnswerer answerer;
    answerer.onShown([](const apptest::ModalSeen &) {
        auto *dialog = QApplication::activeModalWidget();
        QCheckBox *review = dialog->findChild<QCheckBox *>(QStringLiteral("preferencesReview"));
        review->setChecked(true);
        static_cast<QDialog *>(dialog)->accept();
    });
    rig.find<QToolButton>("statusSettings")->click();
    QVERIFY(UserSettings().reviewBeforeWriting());
}

// The frame field carries at most 23.9 V; 45.9 V could not be entered.
void EditingTest::alarmBoxesStopAtFrameLimit()
{
    MainWindow w;
    for (const char *name : {"doubleSpinBox_Volt", "doubleSpinBox_rxVolt"}) {
        auto *box = w.findChild<QDoubleSpinBox *>(QLatin1String(name));
        box->setValue(45.9);
        QCOMPARE(box->value(), 23.9);
    }
    QCOMPARE(paramSet.txAlarmVolt, 23.9);
    QCOMPARE(asSent(paramSet).txAlarmVoltX10, 239);
}

void EditingTest::closePrompts_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("connected, discard") << true << u8("放弃") << true;
    QTest::newRow("connected, cancel") << true << u8("取消") << false;
    QTest::newRow("closed port, cancel") << false << u8("取消") << false;
    QTest::newRow("closed port, discard") << false << u8("放弃") << true;
}

void EditingTest::closePrompts()
{
    QFETCH(bool, connected);
    QFETCH(QString, answer);
    QFETCH(bool, closed);
    Rig rig;
    if (connected)
        QVERIFY(rig.openKnown());
    rig.window.show();
    rig.find<QSpinBox>("spinBox_delay2")->setValue(40);
    rig.find<QSpinBox>("spinBox_delay3")->setValue(41);

    apptest::ModalAnswerer answerer(5000);
    answerer.queueBoxButton(answer);
    rig.window.close();
    answerer.stop();
    QCOMPARE(answerer.boxes(), QStringList{u8("提示|有 2 项修改尚未写入发射机")});
    QStringList buttons = connected ? QStringList{u8("写入"), u8("放弃"), u8("取消")}
                                    : QStringList{u8("保存"), u8("放弃"), u8("取消")};
    QStringList shown = answerer.seen()[0].buttons;
    // The platform's style decides their order.
    buttons.sort();
    shown.sort();
    QCOMPARE(shown, buttons);
    QCOMPARE(rig.window.isVisible(), !closed);
    QCOMPARE(rig.peer.received(), QByteArray());
}

// Closing the port with edits: 写入 reviews and writes them, then closes.
void EditingTest::closingPortWritesFirst()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    rig.find<QSpinBox>("spinBox_Atti2")->setValue(31);
    const ParamSet edited = paramSet;
    apptest::ModalAnswerer answerer;
    answerer.queueBoxButton(u8("写入"));
    rig.find<QAbstractButton>("openButton")->click();
    QTRY_COMPARE(rig.find<QAbstractButton>("openButton")->text(), apptest::closedText());
    answerer.stop();
    QCOMPARE(answerer.reviews().size(), 1);
    rig.peer.spin(20);
    QCOMPARE(rig.peer.received(), wireFrames(edited) + "DIS");
}

// A Read replaces an unsent edit, says so, and Ctrl+Z brings the edit back
// (in the program only: the mark shows what a Write would send).
void EditingTest::readOverEditsThenUndo()
{
    TxSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0")});
    if (!sim.start())
        QFAIL(qPrintable(QStringLiteral("txsim (%1): %2").arg(TxSimProcess::program(), sim.errorString())));
    MainWindow w;
    w.link().setPacing(linktest::fastPacing());
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(apptest::openPort(&w, sim.portName()));
    QVERIFY(sim.waitForStandardError("connected", 5000));
    auto *sub1 = w.findChild<QSpinBox *>(QStringLiteral("spinBox_sub1"));
    sub1->setValue(33);
    w.findChild<QAbstractButton *>(QStringLiteral("toolButton_Read"))->click();
    auto *message = w.findChild<QLabel *>(QStringLiteral("statusMessage"));
    QTRY_VERIFY_WITH_TIMEOUT(message->text().contains(u8("读取覆盖了 1 项未写入的修改，Ctrl+Z 可撤销")), 10000);
    QCOMPARE(sub1->value(), 0);
    QVERIFY(!changemarks::isMarked(sub1));

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(paramSet.subTrim[1], 33);
    QCOMPARE(sub1->value(), 33);
    QVERIFY(changemarks::isMarked(sub1));
    QCOMPARE(sub1->toolTip(), bindingHelp(*bindingOf("spinBox_sub1")) + u8("\n发射机 0 → 33"));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(sub1->value(), 0);
}

// Closing the port with edits, 放弃 puts back what the transmitter holds, as
// one step that Ctrl+Z takes back; nothing is written.
void EditingTest::discardOnClosingPortReverts()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    const ParamSet written = paramSet;
    rig.window.show();
    auto *delay = rig.find<QSpinBox>("spinBox_delay2");
    const int held = delay->value();
    delay->setValue(40);
    rig.find<QComboBox>("comboBox_rev5")->setCurrentIndex(1);
    QCOMPARE(rig.window.unsentCount(), 2);
    const int steps = rig.window.undoStack()->count();

    apptest::ModalAnswerer answerer(5000);
    answerer.queueBoxButton(u8("放弃"));
    rig.find<QAbstractButton>("openButton")->click();
    answerer.stop();
    QCOMPARE(answerer.boxes(), QStringList{u8("提示|有 2 项修改尚未写入发射机")});
    QCOMPARE(rig.find<QAbstractButton>("openButton")->text(), apptest::closedText());
    QVERIFY(paramSet == written);
    QCOMPARE(delay->value(), held);
    QCOMPARE(rig.window.unsentCount(), 0);
    QVERIFY(!rig.window.isWindowModified());
    QCOMPARE(rig.window.undoStack()->count(), steps + 1);
    rig.peer.spin(20);
    QCOMPARE(rig.peer.received(), QByteArray("DIS"));

    rig.window.undoStack()->undo();
    QCOMPARE(delay->value(), 40);
    QCOMPARE(rig.window.unsentCount(), 2);
}

// A new stick mode is said as such in the review; other changes say nothing of it.
void EditingTest::reviewNamesStickModeChange()
{
    Rig rig;
    QVERIFY(rig.openKnown());
    const int mode = paramSet.stickMode;
    rig.find<QSpinBox>("spinBox_Mode")->setValue(mode == 1 ? 2 : 1);
    rig.find<QSpinBox>("spinBox_sub3")->setValue(5);
    QList<apptest::ReviewSeen> seen;
    rig.click("toolButton_Send", {}, &seen);
    QCOMPARE(seen.size(), 1);
    const QString said = u8("摇杆模式 %1 → %2：所有摇杆的功能会改变").arg(mode).arg(mode == 1 ? 2 : 1);
    QVERIFY2(seen[0].text.contains(said), qPrintable(seen[0].text));

    rig.find<QSpinBox>("spinBox_sub3")->setValue(6);
    rig.click("toolButton_Send", {}, &seen);
    QCOMPARE(seen.size(), 1);
    QVERIFY2(!seen[0].text.contains(u8("摇杆模式")), qPrintable(seen[0].text));
}

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
