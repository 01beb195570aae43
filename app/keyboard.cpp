#include "keyboard.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

#include "bindings.h"

namespace {

// The command buttons as they stand from left to right, their keys, and what
// each does. The window already has Ctrl+Z, Ctrl+Y, Ctrl+R and F5; the scope
// has Ctrl+O and Space.
struct CommandKey {
    const char *button;
    const char *key; // as QKeySequence::PortableText writes it
    const char *tip;
};
const CommandKey kCommands[] = {
    {"toolButton_Read", "F2", QT_TRANSLATE_NOOP("KeyboardAccess", "读取数据：从发射机读取全部设置")},
    {"toolButton_Load", "Ctrl+L", QT_TRANSLATE_NOOP("KeyboardAccess", "加载数据：打开参数文件，写入发射机")},
    {"toolButton_Send", "F3", QT_TRANSLATE_NOOP("KeyboardAccess", "写入数据：把设置写入发射机")},
    {"toolButton_Save", "Ctrl+S", QT_TRANSLATE_NOOP("KeyboardAccess", "保存数据：把设置保存为参数文件")},
    {"toolButton_Reset", "Ctrl+Shift+F", QT_TRANSLATE_NOOP("KeyboardAccess", "出厂设置：发射机恢复出厂设置")},
};

// "读取数据：… (F2)"
QString withKey(const QString &text, const QKeySequence &key)
{
    return QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
}

// Widgets that are part of a box (a spin box's or an editable combo box's
// line edit) go with the box.
bool insideBox(const QWidget *w)
{
    const QWidget *p = w->parentWidget();
    return qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p);
}

bool takesTab(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && !insideBox(w);
}

// A page's inputs in reading order: the groups from the left, in each group
// the columns from the left, each column from the top.
QList<QWidget *> readingOrder(QWidget *page)
{
    struct Place {
        int group;
        int column;
        int row;
        QWidget *widget;
    };
    QList<Place> places;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (!takesTab(w) || !(qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)
                              || qobject_cast<QAbstractButton *>(w)))
            continue;
        QWidget *group = w;
        for (QWidget *up = w->parentWidget(); up && up != page; up = up->parentWidget())
            if (qobject_cast<QGroupBox *>(up))
                group = up;
        QWidget *column = w->parentWidget() == group ? w : w->parentWidget();
        places.append({group->mapTo(page, QPoint()).x(), column->mapTo(page, QPoint()).x(),
                       w->mapTo(page, QPoint()).y(), w});
    }
    std::stable_sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
        if (a.group != b.group)
            return a.group < b.group;
        if (a.column != b.column)
            return a.column < b.column;
        return a.row < b.row;
    });
    QList<QWidget *> order;
    for (const Place &p : places)
        order << p.widget;
    return order;
}

} // namespace

KeyboardAccess::KeyboardAccess(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    makeValuesPassive();
    addKeys();
    orderTabs();
}

void KeyboardAccess::describe(QWidget *widget, const Binding &b)
{
    widget->setAccessibleName(bindingName(b));
    // On Linux a combo box is named by its current item, so its description
    // carries the setting's name too.
    widget->setAccessibleDescription(b.show == Show::Item ? bindingHelp(b) : bindingRangeText(b));
    widget->setToolTip(bindingHelp(b));
}

QKeySequence KeyboardAccess::commandKey(const QString &button)
{
    for (const CommandKey &c : kCommands)
        if (button == QLatin1String(c.button))
            return QKeySequence(QLatin1String(c.key), QKeySequence::PortableText);
    return QKeySequence();
}

// Captions and the values the window writes (channel outputs, voltages,
// trims, the program's version) are read, not edited: no Tab stop.
void KeyboardAccess::makeValuesPassive()
{
    QWidget *form = m_window->centralWidget();
    for (QLineEdit *edit : form->findChildren<QLineEdit *>())
        if (!insideBox(edit))
            edit->setFocusPolicy(Qt::NoFocus);
    auto *tabs = m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (QComboBox *box : tabs->findChildren<QComboBox *>())
        if (box->count() <= 1 && !bindingOf(box->objectName()))
            box->setFocusPolicy(Qt::NoFocus);
    if (auto *lamp = m_window->findChild<QWidget *>(QStringLiteral("toolButton_led")))
        lamp->setFocusPolicy(Qt::NoFocus);

    // The page scrolls to the box Tab went to; the scroll area is no stop itself.
    if (auto *scroll = qobject_cast<QScrollArea *>(form)) {
        scroll->setFocusPolicy(Qt::NoFocus);
        connect(qApp, &QApplication::focusChanged, this, [scroll](QWidget *, QWidget *now) {
            if (now && scroll->widget() && scroll->widget()->isAncestorOf(now))
                scroll->ensureWidgetVisible(now);
        });
    }
}

void KeyboardAccess::addKeys()
{
    for (const CommandKey &c : kCommands) {
        auto *button = m_window->findChild<QAbstractButton *>(QLatin1String(c.button));
        if (!button)
            continue;
        const QKeySequence key(QLatin1String(c.key), QKeySequence::PortableText);
        button->setToolTip(withKey(tr(c.tip), key));
        auto *action = new QAction(button->text(), m_window);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        // A command that runs keeps its button off, and so its key.
        connect(action, &QAction::triggered, button, [button] {
            if (button->isEnabled())
                button->click();
        });
        m_window->addAction(action);
    }
    if (auto *port = m_window->findChild<QComboBox *>(QStringLiteral("portNameBox"))) {
        port->setAccessibleName(tr("串口"));
        port->setToolTip(tr("串口：选择或输入发射机所在的串口"));
    }
    if (auto *open = m_window->findChild<QAbstractButton *>(QStringLiteral("openButton")))
        open->setToolTip(tr("打开或关闭所选的串口"));

    auto *tabs = m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (int page = 0; page < tabs->count() && page < 9; ++page) {
        const QKeySequence key(QStringLiteral("Ctrl+%1").arg(page + 1), QKeySequence::PortableText);
        tabs->setTabToolTip(page, withKey(tabs->tabText(page), key));
        auto *action = new QAction(tabs->tabText(page), m_window);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, tabs, [tabs, page] { tabs->setCurrentIndex(page); });
        m_window->addAction(action);
    }
}

void KeyboardAccess::orderTabs()
{
    QList<QWidget *> chain;
    QList<QWidget *> commands;
    for (const CommandKey &c : kCommands)
        if (auto *button = m_window->findChild<QWidget *>(QLatin1String(c.button)))
            commands << button;
    std::stable_sort(commands.begin(), commands.end(), [](QWidget *a, QWidget *b) { return a->x() < b->x(); });
    chain << commands;
    for (const char *name : {"portNameBox", "openButton"})
        if (auto *w = m_window->findChild<QWidget *>(QLatin1String(name)))
            chain << w;
    auto *tabs = m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (int page = 0; page < tabs->count(); ++page)
        chain << readingOrder(tabs->widget(page));
    for (QToolButton *button : m_window->statusBar()->findChildren<QToolButton *>()) {
        button->setFocusPolicy(Qt::TabFocus);
        chain << button;
    }
    for (QWidget *w : chain)
        if (!(w->focusPolicy() & Qt::TabFocus))
            w->setFocusPolicy(Qt::StrongFocus);
    // A box's line edit that hands its focus to the box (Qt 6) would drag the
    // chain from the box to where the line edit was made along with the box:
    // the port box's was made after the form, at the chain's end. It is left
    // out while chaining; where the box hands its focus to the line edit
    // (Qt 5), the line edit is chained instead.
    QList<QPair<QWidget *, QWidget *>> handing;
    for (QWidget *&w : chain) {
        while (w->focusProxy() && w->isAncestorOf(w->focusProxy()))
            w = w->focusProxy();
        for (QWidget *child : w->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child->focusProxy() == w) {
                handing.append(qMakePair(child, w));
                child->setFocusProxy(nullptr);
            }
        }
    }
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    for (const QPair<QWidget *, QWidget *> &h : handing)
        h.first->setFocusProxy(h.second);
}

#include "moc_keyboard.cpp"
