#include "editsession.h"

#include <QAction>
#include <QApplication>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

#include "bindings.h"
#include "editsteps.h"
#include "fields.h"
#include "formbinder.h"
#include "frames.h"
#include "protocol.h"
#include "rules.h"
#include "statuspanel.h"

EditSession::EditSession(Link &link, FormBinder *binder, StatusPanel *status, QWidget *window)
    : QObject(window)
    , m_link(link)
    , m_binder(binder)
    , m_status(status)
    , m_undo(new QUndoStack(this))
    , m_localBaseline(paramSet)
{
    QAction *undo = m_undo->createUndoAction(window);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo = m_undo->createRedoAction(window);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto *revert = new QAction(tr("恢复为发射机的设置"), window);
    revert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(revert, &QAction::triggered, this, &EditSession::revertToBaseline);
    for (QAction *a : {undo, redo, revert}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
    connect(m_undo, &QUndoStack::indexChanged, this, &EditSession::updateMarks);
    // A new widget in focus starts a new run of typing, so a new step.
    connect(qApp, &QApplication::focusChanged, this, [this] { ++m_typing; });
    connect(&m_link, &Link::packetReceived, this, [this](const PacketResult &result) {
        if (m_readPending && result.section > 0)
            m_readSections |= 1u << result.section;
    });
}

void EditSession::edited(int row, double value)
{
    const ParamSet before = paramSet;
    store(row, value);
    // The display writing the set back into the widgets is no edit.
    if (m_binder->isShowing() || paramSet == before)
        return;
    m_undo->push(new EditStep(row, m_typing, before, paramSet, [this] { emit setChanged(); }));
    updateMarks();
}

// The widget's value into the set, unchanged; the range rules repair only
// what arrives from the transmitter or a file.
void EditSession::store(int row, double value)
{
    const Binding &b = bindings().at(row);
    const int v = int(value);
    switch (b.field) {
    case Field::drChannel:
        paramSet.drChannel = v;
        // The curve group's channel box (page 3) only stores the channel; the
        // selection follows when the refresh moves the page-2 box to it.
        if (b.page == 2)
            drDataSelet(paramSet);
        return;
    case Field::drPosition:
        paramSet.drPosition = v;
        drDataSelet(paramSet);
        return;
    case Field::drUp: editDualRate(paramSet, DualRateEdit::Up, v); return;
    case Field::drDown: editDualRate(paramSet, DualRateEdit::Down, v); return;
    case Field::drCurveRate: editDualRate(paramSet, DualRateEdit::CurveRate, v); return;
    case Field::drCurveExpo: editDualRate(paramSet, DualRateEdit::CurveExpo, v); return;
    default: break;
    }
    // The alarm voltages keep their tenths companions until the next frame build.
    if (b.show == Show::Volts)
        *companionVolt(paramSet, b.field) = value;
    else
        fieldRef(paramSet, b.field, b.element) = v;
}

ParamSet EditSession::baseline() const
{
    if (!m_link.isOpen() || !m_link.deviceKnown())
        return m_localBaseline;
    ParamSet base = m_localBaseline;
    if (m_link.deviceFullyKnown()) {
        base = m_link.deviceSettings();
    } else {
        for (int section : m_link.knownSections())
            copySectionFields(section, m_link.deviceSettings(), base);
    }
    drDataSelet(base);
    return base;
}

// Rows of values the transmitter gets that differ, each value once (the two
// dual-rate groups show the same fields).
QVector<int> EditSession::differingRows(const ParamSet &set, const ParamSet &base) const
{
    QVector<int> rows;
    QSet<QPair<int, int>> seen;
    const QVector<Binding> &table = bindings();
    for (int row = 0; row < table.size(); ++row) {
        const Binding &b = table.at(row);
        if (!bindingSent(b) || !bindingMarked(b) || bindingSame(b, set, base))
            continue;
        const QPair<int, int> key(int(b.field), b.element);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        rows << row;
    }
    return rows;
}

int EditSession::unsentCount() const
{
    // Counted as the review lists them: one edit, one setting.
    return units(asSent(paramSet), baseline()).size();
}

void EditSession::updateMarks()
{
    const ParamSet base = baseline();
    m_binder->mark(paramSet, base, [this, &base](int row) { return windowChange(row, base); });
    emit unsentChanged(unsentCount());
}

void EditSession::revertToBaseline()
{
    const ParamSet before = paramSet;
    const ParamSet base = baseline();
    for (const Binding &b : bindings())
        if (bindingSent(b) && bindingMarked(b))
            bindingCopy(b, base, paramSet);
    drDataSelet(paramSet);
    pushBulk(tr("恢复为发射机的设置"), before);
    emit setChanged();
}

void EditSession::changedBy(const QString &text, const ParamSet &before)
{
    pushBulk(text, before);
    emit setChanged();
    updateMarks();
}

void EditSession::saved()
{
    m_localBaseline = paramSet;
}

void EditSession::pushBulk(const QString &text, const ParamSet &before)
{
    if (paramSet == before)
        return;
    m_undo->push(new BulkStep(text, before, paramSet, [this] { emit setChanged(); }));
}

void EditSession::commandStarted(Link::Command command)
{
    // A Read whose answers are still coming ends before the next command.
    if (m_readPending)
        readEnded();
    m_readPending = command == Link::Read;
    if (m_readPending)
        m_readSections = 0;
    m_bulkBefore = paramSet;
    m_bulkBaseline = baseline();
}

void EditSession::commandEnded(Link::Command command, bool finished)
{
    if (command == Link::Read) {
        // The answers keep coming after the request's pause: readReport ends it.
        if (!finished)
            readEnded();
        return;
    }
    const char *names[] = {"", "", QT_TR_NOOP("写入数据"), QT_TR_NOOP("出厂设置"), QT_TR_NOOP("重置数据"),
                           QT_TR_NOOP("保存数据"), QT_TR_NOOP("加载数据")};
    pushBulk(tr(names[command]), m_bulkBefore);
    // What the frames carried, not the set: unticked rows stay unsent edits.
    if (finished && command != Link::Save)
        m_localBaseline = m_link.isOpen() && m_link.deviceFullyKnown() ? baseline() : paramSet;
    updateMarks();
}

void EditSession::readEnded()
{
    if (!m_readPending)
        return;
    m_readPending = false;
    // Unsent edits the Read replaced.
    int replaced = 0;
    for (int row : differingRows(m_bulkBefore, m_bulkBaseline))
        if (!bindingSame(bindings().at(row), m_bulkBefore, paramSet))
            ++replaced;
    pushBulk(tr("读取数据"), m_bulkBefore);
    m_localBaseline = paramSet;
    updateMarks();
    if (replaced > 0)
        m_status->appendNote(tr("读取覆盖了 %1 项未写入的修改，Ctrl+Z 可撤销").arg(replaced));
    noteWindowChanges();
    emit readFinished();
}

// After a Read, every setting the window holds otherwise than the
// transmitter is one the window changed: a value its widget cannot show
// (the refresh keeps it so), or one that follows such a value. Said in the
// status bar and kept for the marks and the review.
void EditSession::noteWindowChanges()
{
    m_windowChanges.clear();
    QSet<QPair<int, int>> read;
    for (int section = 1; section <= protocol::sectionCount; ++section)
        if (m_readSections & (1u << section))
            for (const SectionElement &e : sectionElements(section))
                read.insert(qMakePair(int(e.field), e.index));
    const ParamSet base = baseline();
    QStringList names;
    for (int row : differingRows(asSent(paramSet), base)) {
        const Binding &b = bindings().at(row);
        const QPair<int, int> key(int(b.field), b.element);
        if (!read.contains(key))
            continue; // not from this Read: the user's own edit
        QString why;
        // The row's own widget, or its twin on the other page.
        for (const Binding &other : bindings())
            if (why.isEmpty() && other.field == b.field && other.element == b.element)
                why = bindingShowing(other, base).why;
        if (why.isEmpty())
            why = tr("随窗口改的其他设置改变");
        m_windowChanges.insert(key, {fieldValue(base, b.field, b.element), fieldValue(paramSet, b.field, b.element), why});
        names << bindingName(b);
    }
    updateMarks();
    if (!names.isEmpty())
        m_status->appendNote(tr("窗口显示不了发射机的 %1 项设置，已改成窗口的值（未写入）：%2")
                                 .arg(names.size())
                                 .arg(names.join(QStringLiteral("、"))));
}

QString EditSession::windowChange(int row, const ParamSet &base) const
{
    const Binding &b = bindings().at(row);
    const auto it = m_windowChanges.constFind(qMakePair(int(b.field), b.element));
    if (it == m_windowChanges.constEnd() || fieldValue(base, b.field, b.element) != it->device
        || fieldValue(paramSet, b.field, b.element) != it->window)
        return QString();
    return it->why;
}

// The differing rows, with the copies drUp and drDown going with what they
// copy: one edit is one row, and unticking it keeps all of it.
QVector<EditSession::Unit> EditSession::units(const ParamSet &next, const ParamSet &base) const
{
    const QVector<Binding> &table = bindings();
    const QVector<int> differing = differingRows(next, base);
    auto rowOf = [&](Field field, int element) {
        for (int row : differing)
            if (table.at(row).field == field && table.at(row).element == element)
                return row;
        return -1;
    };
    QVector<Unit> units;
    QHash<int, int> unitOf;
    for (int row : differing) {
        const Field f = table.at(row).field;
        if (f == Field::drUp || f == Field::drDown)
            continue;
        unitOf.insert(row, units.size());
        units.append(Unit{row, QVector<int>{row}});
    }
    // drUp and drDown copy the selected channel's rates (Dr_DataSelet); for
    // the fifth channel they are values of their own, sent as set.
    const int c = next.drChannel;
    for (int row : differing) {
        const Field f = table.at(row).field;
        if (f != Field::drUp && f != Field::drDown)
            continue;
        int owner = -1;
        if (c >= 0 && c <= 3)
            owner = rowOf(f == Field::drUp ? Field::drRateUp : Field::drRateDown, c + 1);
        if (owner < 0)
            owner = rowOf(Field::drChannel, 0);
        if (owner >= 0 && unitOf.contains(owner))
            units[unitOf.value(owner)].rows << row;
        else
            units.append(Unit{row, QVector<int>{row}});
    }
    return units;
}

#include "moc_editsession.cpp"
