#include "editsteps.h"

#include <QCoreApplication>

#include "bindings.h"

SetStep::SetStep(const ParamSet &before, const ParamSet &after, const SetChanged &changed)
    : m_before(before)
    , m_after(after)
    , m_changed(changed)
{
}

void SetStep::undo()
{
    applyDifference(m_after, m_before, paramSet);
    m_changed();
}

void SetStep::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    applyDifference(m_before, m_after, paramSet);
    m_changed();
}

EditStep::EditStep(int row, int session, const ParamSet &before, const ParamSet &after, const SetChanged &changed)
    : SetStep(before, after, changed)
    , m_row(row)
    , m_session(session)
{
    name();
}

// "副微调 CH4 6 → 0"
void EditStep::name()
{
    const Binding &b = bindings().at(m_row);
    setText(QStringLiteral("%1 %2 → %3").arg(bindingName(b), bindingValueText(b, m_before), bindingValueText(b, m_after)));
}

bool EditStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const EditStep *>(other);
    if (next->m_row != m_row || next->m_session != m_session)
        return false;
    m_after = next->m_after;
    name();
    // Typed back to where it started: no step at all.
    setObsolete(m_before == m_after);
    return true;
}

BulkStep::BulkStep(const QString &text, const ParamSet &before, const ParamSet &after, const SetChanged &changed)
    : SetStep(before, after, changed)
{
    setText(text);
}
