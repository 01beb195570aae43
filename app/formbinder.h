#pragma once

// The settings pages seen through the binding table: each row's widget, the
// set's values shown in them, the change marks on widgets and tabs, and the
// dwell sheet of a combo box hovered for about two seconds. The binding
// table is the one place a field meets a widget.

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>
#include <initializer_list>

#include "fields.h"

class QComboBox;
class QTabWidget;
class QWidget;
struct ParamSet;

class FormBinder : public QObject
{
    Q_OBJECT

public:
    // Binds the widgets under form; tabs carries the pages' marks.
    FormBinder(QWidget *form, QTabWidget *tabs, QObject *parent = nullptr);

    // The widget of a binding row, or nullptr.
    QWidget *widget(int row) const { return m_rowWidget.at(row); }
    // The row of an edit slot "on_<widget>_<signal>" (the class may be in
    // front), or -1.
    static int rowOfSlot(const char *slot);

    // The display pass runs: what it writes into the widgets is no edit.
    void setShowing(bool showing) { m_showing = showing; }
    bool isShowing() const { return m_showing; }

    // The rows whose field is one of fields show set, in table order (a
    // field on two pages shows on both).
    void show(const ParamSet &set, std::initializer_list<Field> fields);
    // Boxes bound to nothing, which always show their one item.
    void setFixed(std::initializer_list<QComboBox *> boxes);
    void showFixed();
    // Once a refresh: the dwell sheet of every combo box the pointer is on.
    void hoverAll();

    // Marks the rows whose value differs from what the transmitter holds;
    // why(row) says when the window, not the user, changed it.
    void mark(const ParamSet &set, const ParamSet &base, const std::function<QString(int)> &why);

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hover(QComboBox *box);

    QTabWidget *m_tabs;
    QVector<QWidget *> m_rowWidget; // the widget of each binding row, or nullptr
    QVector<bool> m_rowMarked;
    QStringList m_rowHelp;          // each row's own tool tip, the mark's text goes below it
    QVector<QComboBox *> m_fixed;
    QVector<QComboBox *> m_combos;  // every bound combo box and the fixed ones, in table order
    QHash<QComboBox *, int> m_hoverCount; // refreshes hovered, up to the dwell
    bool m_showing = false;
};
