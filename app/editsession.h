#pragma once

// The user's edits against what the transmitter holds: the baseline (the
// link's record of this connection, else the set as last read, written,
// loaded or saved), the undo stack with a step per edit and per command,
// the count of unsent settings, revert, and the values a Read brought that
// the window could not show and so changed.

#include <QHash>
#include <QObject>
#include <QPair>
#include <QVector>

#include "link.h"
#include "paramset.h"

class FormBinder;
class QUndoStack;
class QWidget;
class StatusPanel;

class EditSession : public QObject
{
    Q_OBJECT

public:
    // One setting as the user changed it, with the values that follow it
    // (the dual-rate rate of the selected channel and its copy drUp, say):
    // listed, ticked and unticked together.
    struct Unit {
        int row;           // the binding row that names it
        QVector<int> rows; // every binding row it carries, row first
    };

    // The undo, redo and revert keys go to window.
    EditSession(Link &link, FormBinder *binder, StatusPanel *status, QWidget *window);

    QUndoStack *undoStack() const { return m_undo; }
    ParamSet baseline() const;
    // Settings the transmitter would get changed by a Write.
    int unsentCount() const;
    // The differing rows of next against base, one unit per edit.
    QVector<Unit> units(const ParamSet &next, const ParamSet &base) const;
    // Why the window, not the user, changed what the transmitter holds in
    // this row after the last Read; empty when it did not (or no longer).
    QString windowChange(int row, const ParamSet &base) const;
    // The set when the running command started.
    const ParamSet &setBeforeCommand() const { return m_bulkBefore; }

    // A widget's new value; no step while the display pass writes it.
    void edited(int row, double value);
    // Puts the baseline back into the set, as one undo step.
    void revertToBaseline();
    // The set changed from before by a tool of the window (the airframe
    // check's fix): one undo step named text, shown and marked.
    void changedBy(const QString &text, const ParamSet &before);
    // The set is in a file now.
    void saved();
    void updateMarks();

    void commandStarted(Link::Command command);
    void commandEnded(Link::Command command, bool finished);
    // The running Read's answers have come (or stopped coming).
    void readEnded();

signals:
    // An undo step or a revert changed the set: show it.
    void setChanged();
    void unsentChanged(int count);
    void readFinished();

private:
    void store(int row, double value);
    void pushBulk(const QString &text, const ParamSet &before);
    QVector<int> differingRows(const ParamSet &set, const ParamSet &base) const;
    void noteWindowChanges();

    Link &m_link;
    FormBinder *m_binder;
    StatusPanel *m_status;
    QUndoStack *m_undo;
    ParamSet m_localBaseline;  // the set as last read, written, loaded or saved
    int m_typing = 0;          // counts focus changes: one run of typing is one step
    ParamSet m_bulkBefore;     // the set when the running command started
    ParamSet m_bulkBaseline;   // the baseline then
    bool m_readPending = false; // a Read's answers are still coming in
    quint32 m_readSections = 0; // sections the running Read brought
    struct WindowChange {
        int device; // the transmitter's value, which the widget cannot show
        int window; // what the window made of it
        QString why;
    };
    QHash<QPair<int, int>, WindowChange> m_windowChanges; // by field and element, since the last Read
};
