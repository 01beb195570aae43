#pragma once

// The main window for the keyboard and a screen reader. Tab goes through the
// five command buttons, the port box and the open button, then the inputs of
// the page shown in reading order (group by group from the left, each column
// top to bottom), then the status bar's buttons; captions and values take no
// focus. The commands and the pages have keys of their own, named in their
// tool tips. Every settings box is named after its row of the binding table.

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAbstractButton;
class QMainWindow;
class QWidget;
struct Binding;

class KeyboardAccess : public QObject
{
    Q_OBJECT

public:
    // Sets the window up; its status bar must hold all its buttons by now.
    explicit KeyboardAccess(QMainWindow *window);

    // The settings box of a binding row: its accessible name is the
    // setting's name, its description and tool tip say what it offers.
    static void describe(QWidget *widget, const Binding &b);

    // The key of a command button ("toolButton_Read": F2); empty for others.
    static QKeySequence commandKey(const QString &button);

private:
    void makeValuesPassive();
    void addKeys();
    void orderTabs();

    QMainWindow *m_window;
};
