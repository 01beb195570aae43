// The window for the keyboard, the wheel and a screen reader: the wheel
// changes only the box that has focus, Tab reaches every command and every
// input of the page shown in reading order, the commands and pages have keys,
// and every input tells a screen reader what it is.

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <tuple>

#include "apptest.h"
#include "bindings.h"
#include "keyboard.h"
#include "linktest.h"
#include "mainwindow.h"
#include "paramset.h"
#include "qtwarnings.h"

namespace {

const char *const kCommands[] = {"toolButton_Read", "toolButton_Load", "toolButton_Send", "toolButton_Save",
                                 "toolButton_Reset"};

// The widget that stands for the focus: a box rather than its line edit.
QWidget *owner(QWidget *w)
{
    if (w && (qobject_cast<QAbstractSpinBox *>(w->parentWidget()) || qobject_cast<QComboBox *>(w->parentWidget())))
        return w->parentWidget();
    return w;
}

QString accessibleText(QWidget *w, QAccessible::Text text)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(text) : QString();
}

QString accessibleName(QWidget *w)
{
    return accessibleText(w, QAccessible::Name);
}

// What a screen reader says first: the name, or where Qt names a combo box
// by its current item (Linux), the description.
bool saysName(QWidget *w, const QString &name)
{
    return accessibleName(w) == name
        || (qobject_cast<QComboBox *>(w) && accessibleText(w, QAccessible::Description).startsWith(name));
}

bool isInput(const QWidget *w)
{
    return qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QComboBox *>(w)
        || qobject_cast<const QAbstractButton *>(w);
}

// One turn of the wheel, down, over the middle of w.
void wheelDown(QWidget *w)
{
    const QPoint local = w->rect().center();
    QWheelEvent wheel(local, w->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
}

int valueOf(QWidget *w)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentIndex();
    if (auto *spin = qobject_cast<QSpinBox *>(w))
        return spin->value();
    return qRound(qobject_cast<QDoubleSpinBox *>(w)->value() * 10);
}

struct Window {
    MainWindow window;

    Window()
    {
        window.setAttribute(Qt::WA_QuitOnClose, false);
        window.link().setPacing(linktest::fastPacing());
    }
    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    template <typename T>
    T *find(const QString &name)
    {
        return window.findChild<T *>(name);
    }
    // Presses Tab from the focus widget until the focus comes back to start;
    // the widgets it stopped at, start first.
    QList<QWidget *> tabRound(QWidget *start)
    {
        start->setFocus(Qt::TabFocusReason);
        QList<QWidget *> stops{owner(QApplication::focusWidget())};
        for (int i = 0; i < 400; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *now = owner(QApplication::focusWidget());
            if (now == stops.first())
                return stops;
            if (stops.contains(now))
                break; // a cycle that leaves start out
            stops << now;
        }
        return {};
    }
};

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { apptest::resetProcessState(); }

    void wheelNeedsFocus_data();
    void wheelNeedsFocus();
    void tabReachesEveryCommandAndInput();
    void everyInputIsNamed();
    void keysRunCommandsAndPages_data();
    void keysRunCommandsAndPages();
};

void KeyboardTest::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    apptest::useFreshSettings();
}

void KeyboardTest::wheelNeedsFocus_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("end point") << "spinBox_Lepa4";
    QTest::newRow("volts") << "doubleSpinBox_Volt";
    QTest::newRow("combo box") << "comboBox_rev2";
    QTest::newRow("mix") << "comboBox_PRM03_Master";
}

// On a screen smaller than the form the wheel over a box without focus
// scrolls the page and leaves the value; once the box has focus it steps it.
void KeyboardTest::wheelNeedsFocus()
{
    QFETCH(QString, box);
    Window w;
    w.window.fitInto(QRect(0, 0, 1024, 600));
    QVERIFY(w.show());
    QWidget *target = w.find<QWidget>(box);
    QVERIFY(target);
    const Binding *b = bindingOf(box);
    w.find<QTabWidget>(QStringLiteral("tabWidget"))->setCurrentIndex(b->page);
    w.find<QWidget>(QStringLiteral("openButton"))->setFocus();
    QScrollBar *bar = w.find<QScrollArea>(QStringLiteral("scrollArea"))->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(0);
    const ParamSet before = paramSet;
    const int shown = valueOf(target);

    wheelDown(target);
    QCOMPARE(valueOf(target), shown);
    QVERIFY(paramSet == before);
    QVERIFY(bar->value() > 0);
    QVERIFY(!target->hasFocus());

    target->setFocus(Qt::MouseFocusReason);
    QVERIFY(target->hasFocus());
    const int scrolled = bar->value();
    wheelDown(target);
    QVERIFY(valueOf(target) != shown);
    QVERIFY(!(paramSet == before));
    QCOMPARE(bar->value(), scrolled);
}

// Tab goes through the commands, the port box and the open button, then the
// page shown, group by group from the left and each column from the top,
// then the status bar; captions and values are no stops, every stop is named.
void KeyboardTest::tabReachesEveryCommandAndInput()
{
    Window w;
    QVERIFY(w.show());
    auto *tabs = w.find<QTabWidget>(QStringLiteral("tabWidget"));
    // An edit to undo and revert: those buttons are on.
    w.find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(5);
    QSet<QWidget *> statusButtons;
    for (QToolButton *b : w.window.statusBar()->findChildren<QToolButton *>())
        if (b->isVisible() && b->isEnabled())
            statusButtons << b;
    QVERIFY(statusButtons.size() >= 4);

    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QList<QWidget *> stops = w.tabRound(w.find<QWidget>(QLatin1String(kCommands[0])));
        QVERIFY2(!stops.isEmpty(), "Tab does not come round");

        // The five commands as they stand from left to right, then the port.
        QList<QWidget *> head;
        for (const char *name : kCommands)
            head << w.find<QWidget>(QLatin1String(name));
        std::sort(head.begin(), head.end(), [](QWidget *a, QWidget *b) { return a->x() < b->x(); });
        head << w.find<QWidget>(QStringLiteral("portNameBox")) << w.find<QWidget>(QStringLiteral("openButton"));
        QCOMPARE(stops.mid(0, 7), head);

        QWidget *shown = tabs->widget(page);
        QList<QWidget *> onPage;
        for (QWidget *stop : stops) {
            QVERIFY2(!qobject_cast<QLineEdit *>(stop), qPrintable(stop->objectName()));
            QVERIFY2(!accessibleName(stop).isEmpty(), qPrintable(stop->objectName()));
            if (shown->isAncestorOf(stop))
                onPage << stop;
        }
        for (QWidget *b : statusButtons)
            QVERIFY2(stops.contains(b), qPrintable(b->objectName()));
        // The page's stops come together, right after the open button.
        for (int i = 0; i < onPage.size(); ++i)
            QCOMPARE(stops.at(7 + i), onPage.at(i));

        // Every enabled input of the page is a stop.
        for (QWidget *input : shown->findChildren<QWidget *>()) {
            if (isInput(input) && input->isVisible() && input->isEnabled() && (input->focusPolicy() & Qt::TabFocus))
                QVERIFY2(onPage.contains(input), qPrintable(input->objectName()));
        }
        QCOMPARE(onPage.isEmpty(), page == 0);

        // Reading order: groups from the left, then columns, then rows.
        auto place = [shown](QWidget *w) {
            QWidget *group = w;
            for (QWidget *up = w->parentWidget(); up && up != shown; up = up->parentWidget())
                if (qobject_cast<QGroupBox *>(up))
                    group = up;
            const QPoint at = w->mapTo(shown, QPoint());
            return std::make_tuple(group->mapTo(shown, QPoint()).x(), at.x(), at.y());
        };
        for (int i = 1; i < onPage.size(); ++i)
            QVERIFY2(place(onPage.at(i - 1)) < place(onPage.at(i)),
                     qPrintable(onPage.at(i - 1)->objectName() + QStringLiteral(" before ") + onPage.at(i)->objectName()));
    }
}

// Every bound widget is named after its setting, and its tool tip names the
// setting and what the box really offers. (Every Tab stop is named: above.)
void KeyboardTest::everyInputIsNamed()
{
    Window w;
    int checked = 0;
    for (const Binding &b : bindings()) {
        if (!b.widget)
            continue;
        QWidget *box = w.find<QWidget>(QLatin1String(b.widget));
        QVERIFY2(box, b.widget);
        QVERIFY2(saysName(box, bindingName(b)), b.widget);
        const QString tip = box->toolTip();
        QVERIFY2(tip.startsWith(bindingName(b)), b.widget);
        if (auto *spin = qobject_cast<QSpinBox *>(box)) {
            QVERIFY2(tip.contains(QStringLiteral("：%1").arg(spin->minimum())) && tip.contains(QString::number(spin->maximum())),
                     qPrintable(tip));
        } else if (auto *volts = qobject_cast<QDoubleSpinBox *>(box)) {
            QVERIFY2(tip.contains(QString::number(volts->maximum(), 'f', 1) + QStringLiteral(" V")), qPrintable(tip));
        } else if (auto *combo = qobject_cast<QComboBox *>(box)) {
            for (const QString &item : apptest::itemTexts(combo))
                QVERIFY2(tip.contains(item), qPrintable(tip));
        }
        ++checked;
    }
    QVERIFY(checked > 100);

}

void KeyboardTest::keysRunCommandsAndPages_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("page");
    QTest::newRow("read") << "F2" << "toolButton_Read" << -1;
    QTest::newRow("write") << "F3" << "toolButton_Send" << -1;
    QTest::newRow("load") << "Ctrl+L" << "toolButton_Load" << -1;
    QTest::newRow("save") << "Ctrl+S" << "toolButton_Save" << -1;
    QTest::newRow("factory reset") << "Ctrl+Shift+F" << "toolButton_Reset" << -1;
    QTest::newRow("live page") << "Ctrl+1" << "" << 0;
    QTest::newRow("mixes") << "Ctrl+5" << "" << 4;
    QTest::newRow("system") << "Ctrl+6" << "" << 5;
}

// Each key runs its command (with no port open it says so) or shows its
// page, also while a settings box has focus, and its tool tip names it.
void KeyboardTest::keysRunCommandsAndPages()
{
    QFETCH(QString, key);
    QFETCH(QString, button);
    QFETCH(int, page);
    Window w;
    QVERIFY(w.show());
    auto *tabs = w.find<QTabWidget>(QStringLiteral("tabWidget"));
    tabs->setCurrentIndex(1);
    auto *sub = w.find<QSpinBox>(QStringLiteral("spinBox_sub2"));
    sub->setFocus();
    QVERIFY(sub->hasFocus());
    const QKeySequence sequence(key, QKeySequence::PortableText);
    const QString shown = sequence.toString(QKeySequence::NativeText);

    if (page >= 0) {
        QVERIFY2(tabs->tabToolTip(page).contains(shown), qPrintable(tabs->tabToolTip(page)));
        QTest::keySequence(QApplication::focusWidget(), sequence);
        QCOMPARE(tabs->currentIndex(), page);
        return;
    }
    auto *command = w.find<QAbstractButton>(button);
    QCOMPARE(KeyboardAccess::commandKey(button), sequence);
    QVERIFY2(command->toolTip().contains(QStringLiteral("(%1)").arg(shown)), qPrintable(command->toolTip()));
    QSignalSpy clicked(command, &QAbstractButton::clicked);
    apptest::ModalAnswerer answerer(10000);
    QTest::keySequence(QApplication::focusWidget(), sequence);
    QVERIFY(linktest::waitIdle(w.window.link()));
    answerer.stop();
    QCOMPARE(clicked.count(), 1);
    QVERIFY(answerer.count() >= 1); // the box for no port, or the file dialog
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
