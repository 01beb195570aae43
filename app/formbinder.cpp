#include "formbinder.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

#include "bindings.h"
#include "changemarks.h"
#include "frames.h"
#include "keyboard.h"
#include "paramset.h"
#include "readouts.h"

namespace {

const char *const kNormalSheet = ":/comboBox.qss";
const char *const kDwellSheet = ":/comboBox_REV.qss";
// About two seconds of hovering, counted in refreshes.
constexpr int kDwellTicks = 2000 / readouts::refreshMs;

void applySheet(QComboBox *box, const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    box->setStyleSheet(QString::fromUtf8(bytes));
}

// Writing an unchanged value would reset the text the user is typing, so a
// spin box is only written when its field has moved. A field outside the
// box's range gets the box's clamped value back through the edit handler,
// also when the box already showed that value and so stays silent.
template <typename Box, typename Value>
void showValue(Box *box, Value value)
{
    if (box->value() == value)
        return;
    const Value before = box->value();
    box->setValue(value);
    if (box->value() == before)
        emit box->valueChanged(box->value());
}

bool isUndoKey(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mods == Qt::ControlModifier)
        return key->key() == Qt::Key_Z || key->key() == Qt::Key_Y || key->key() == Qt::Key_R;
    return mods == (Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_Z;
}

} // namespace

FormBinder::FormBinder(QWidget *form, QTabWidget *tabs, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
{
    for (const Binding &b : bindings()) {
        QWidget *w = b.widget ? form->findChild<QWidget *>(QLatin1String(b.widget)) : nullptr;
        if (b.widget && !w)
            qWarning("no widget %s in the form", b.widget);
        m_rowWidget << w;
        m_rowHelp << (w ? bindingHelp(b) : QString());
        if (!w)
            continue;
        w->installEventFilter(this);
        KeyboardAccess::describe(w, b);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            m_combos << combo;
        // The boxes offer only what the frame field carries (the alarm
        // voltages: 23.9 V, not the form's 99.9 V).
        const FrameField *field = frameFieldOf(b.field, b.element);
        if (!field)
            continue;
        const CodeRange range = codeRange(field->code);
        if (auto *volts = qobject_cast<QDoubleSpinBox *>(w)) {
            volts->setMaximum(qMin(volts->maximum(), range.hi / 10.0));
            volts->setMinimum(qMax(volts->minimum(), range.lo / 10.0));
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            spin->setMaximum(qMin(spin->maximum(), range.hi));
            spin->setMinimum(qMax(spin->minimum(), range.lo));
        }
    }
    m_rowMarked.fill(false, m_rowWidget.size());
}

int FormBinder::rowOfSlot(const char *slot)
{
    QByteArray name(slot);
    const int colon = name.lastIndexOf("::");
    if (colon >= 0)
        name = name.mid(colon + 2);
    if (!name.startsWith("on_"))
        return -1;
    name = name.mid(3, name.lastIndexOf('_') - 3);
    const Binding *b = bindingOf(name.constData());
    return b ? int(b - bindings().constData()) : -1;
}

void FormBinder::show(const ParamSet &set, std::initializer_list<Field> fields)
{
    const QVector<Binding> &table = bindings();
    for (int row = 0; row < table.size(); ++row) {
        const Binding &b = table.at(row);
        QWidget *w = m_rowWidget.at(row);
        if (!w || std::find(fields.begin(), fields.end(), b.field) == fields.end())
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setCurrentIndex(fieldValue(set, b.field, b.element));
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            showValue(spin, fieldValue(set, b.field, b.element));
        else if (auto *volts = qobject_cast<QDoubleSpinBox *>(w))
            showValue(volts, *companionVolt(set, b.field));
    }
}

void FormBinder::setFixed(std::initializer_list<QComboBox *> boxes)
{
    for (QComboBox *box : boxes) {
        m_fixed << box;
        m_combos << box;
    }
}

void FormBinder::showFixed()
{
    for (QComboBox *box : qAsConst(m_fixed))
        box->setCurrentIndex(0);
}

void FormBinder::hoverAll()
{
    for (QComboBox *box : qAsConst(m_combos))
        hover(box);
}

// The dwell sheet once the pointer has stayed long enough, again at every
// refresh while it stays; the normal sheet comes back once at the first
// refresh after it has left. Time below the dwell is kept across leaving.
void FormBinder::hover(QComboBox *box)
{
    int &counter = m_hoverCount[box];
    if (box->underMouse()) {
        if (counter + 1 >= kDwellTicks) {
            counter = kDwellTicks;
            applySheet(box, kDwellSheet);
        } else {
            ++counter;
        }
    } else if (counter >= kDwellTicks) {
        counter = 0;
        applySheet(box, kNormalSheet);
    }
}

void FormBinder::mark(const ParamSet &set, const ParamSet &base, const std::function<QString(int)> &why)
{
    const QVector<Binding> &table = bindings();
    QVector<bool> pageMarked(m_tabs->count(), false);
    for (int row = 0; row < table.size(); ++row) {
        QWidget *w = m_rowWidget.at(row);
        if (!w)
            continue;
        const Binding &b = table.at(row);
        const bool marked = bindingMarked(b) && !bindingSame(b, set, base);
        if (b.page < pageMarked.size())
            pageMarked[b.page] = pageMarked[b.page] || marked;
        if (!marked && !m_rowMarked.at(row))
            continue;
        QString tip = m_rowHelp.at(row) + QLatin1Char('\n')
            + tr("发射机 %1 → %2").arg(bindingValueText(b, base), bindingValueText(b, set));
        if (marked) {
            const QString changed = why(row);
            if (!changed.isEmpty())
                tip += QLatin1Char('\n') + tr("窗口改的：%1").arg(changed);
        }
        if (marked != m_rowMarked.at(row) || (marked && w->toolTip() != tip))
            changemarks::setMarked(w, marked, tip);
        m_rowMarked[row] = marked;
    }
    for (int page = 1; page < pageMarked.size(); ++page) {
        if (m_tabs->tabIcon(page).isNull() == pageMarked[page])
            m_tabs->setTabIcon(page, pageMarked[page] ? changemarks::tabIcon() : QIcon());
    }
}

// The spin boxes have an undo of their own for their text; the window's
// undo and revert keys go past it.
bool FormBinder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isUndoKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

#include "moc_formbinder.cpp"
