#pragma once

// Steps of the undo stack. Each keeps the whole set before and after it and
// applies only the values in which the two differ, so telemetry that moved
// the stick trims meanwhile is not taken back with it.

#include <QUndoCommand>

#include <functional>

#include "paramset.h"

// After a step has changed the set: show it.
using SetChanged = std::function<void()>;

// A change of the set from one whole set to another. Pushed after the
// change has been made, so its first redo does nothing.
class SetStep : public QUndoCommand
{
public:
    SetStep(const ParamSet &before, const ParamSet &after, const SetChanged &changed);

    void undo() override;
    void redo() override;

protected:
    ParamSet m_before;
    ParamSet m_after;

private:
    SetChanged m_changed;
    bool m_done = true;
};

// One user edit on one widget. Edits on the same widget in one run of typing
// or arrow clicks (one session) fold into one step.
class EditStep : public SetStep
{
public:
    EditStep(int row, int session, const ParamSet &before, const ParamSet &after, const SetChanged &changed);

    int id() const override { return m_row + 1; }
    bool mergeWith(const QUndoCommand *other) override;

    int row() const { return m_row; }

private:
    void name();

    int m_row;
    int m_session;
};

// A change of many values at once: a Read, a Load, a reset, a revert.
class BulkStep : public SetStep
{
public:
    BulkStep(const QString &text, const ParamSet &before, const ParamSet &after, const SetChanged &changed);
};
