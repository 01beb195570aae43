#include "writereview.h"

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "bindings.h"
#include "protocol.h"
#include "reviewdialog.h"
#include "rules.h"
#include "usersettings.h"

WriteReview::WriteReview(Link &link, EditSession *session, UserSettings &settings, QWidget *window,
                         const std::function<void()> &write, const std::function<void()> &save)
    : QObject(window)
    , m_link(link)
    , m_session(session)
    , m_settings(settings)
    , m_window(window)
    , m_write(write)
    , m_save(save)
{
    connect(m_session, &EditSession::readFinished, this, [this] {
        const std::function<void()> then = std::move(m_afterRead);
        m_afterRead = nullptr;
        if (then)
            QTimer::singleShot(0, this, then);
    });
    // A command that ended without finishing (a cancelled dialog, no port)
    // takes the close that waited for it along.
    connect(&m_link, &Link::busyChanged, this, [this](bool busy) {
        if (!busy)
            QTimer::singleShot(0, this, [this] {
                if (!m_link.isBusy())
                    m_afterCommand = nullptr;
            });
    });
}

bool WriteReview::review(const ParamSet &candidate, const QString &newHeader, const std::function<void()> &go,
                         const std::function<void()> &again)
{
    m_keep.clear();
    m_units.clear();
    // With no port open the command itself says so; nothing reaches the transmitter.
    if (!m_link.isOpen() || !m_settings.reviewBeforeWriting()) {
        go();
        return true;
    }
    if (!m_link.deviceFullyKnown()) {
        QString unknown;
        if (m_link.deviceKnown()) {
            QStringList missing;
            for (int section = 1; section <= protocol::sectionCount; ++section)
                if (!m_link.knownSections().contains(section))
                    missing << QString::number(section);
            unknown = tr("本次连接只读到发射机 %1/%2 段设置（缺 %3），其余设置不知道会被改成什么。")
                          .arg(m_link.knownSections().size())
                          .arg(protocol::sectionCount)
                          .arg(missing.join(QStringLiteral(", ")));
        } else {
            unknown = tr("本次连接还没有读取发射机的设置，不知道写入会改变哪些设置。");
        }
        ReviewDialog dialog(unknown + QLatin1Char('\n') + tr("先读取，再确认要改变的设置？"), m_window);
        dialog.exec();
        if (dialog.choice() == ReviewDialog::Cancel)
            return false;
        if (dialog.dontAskAgain())
            m_settings.setReviewBeforeWriting(false);
        if (dialog.choice() == ReviewDialog::ReadFirst) {
            m_afterRead = again;
            // Started from the event loop: a Load asks from inside its own command.
            QTimer::singleShot(0, this, [this] {
                if (!m_link.read())
                    m_afterRead = nullptr;
            });
            return false;
        }
        go();
        return true;
    }

    const ParamSet base = m_session->baseline();
    const ParamSet next = asSent(candidate);
    const QVector<EditSession::Unit> units = m_session->units(next, base);
    QVector<ReviewDialog::Row> rows;
    QStringList notes;
    int byWindow = 0;
    for (const EditSession::Unit &unit : units) {
        const Binding &b = bindings().at(unit.row);
        QString nextText = bindingValueText(b, next);
        // Nothing the user did not touch goes out unmarked.
        const QString why = m_session->windowChange(unit.row, base);
        if (!why.isEmpty() && bindingSame(b, next, paramSet)) {
            nextText += tr("（窗口改的：%1）").arg(why);
            ++byWindow;
        }
        rows.append({unit.row, pageName(b.page), bindingName(b), bindingValueText(b, base), nextText});
    }
    if (rows.isEmpty()) {
        go();
        return true;
    }
    ReviewDialog dialog(rows, newHeader, m_window);
    if (byWindow > 0)
        notes << tr("其中 %1 项不是你改的：窗口显示不了发射机的值，改成了窗口的值。").arg(byWindow);
    // A new stick mode moves every stick's function, not one setting.
    for (const EditSession::Unit &unit : units) {
        const Binding &b = bindings().at(unit.row);
        if (b.field == Field::stickMode)
            notes << tr("摇杆模式 %1 → %2：所有摇杆的功能会改变").arg(bindingValueText(b, base), bindingValueText(b, next));
    }
    if (!notes.isEmpty())
        dialog.setNote(notes.join(QLatin1Char('\n')));
    dialog.exec();
    if (dialog.choice() != ReviewDialog::Write)
        return false;
    if (dialog.dontAskAgain())
        m_settings.setReviewBeforeWriting(false);
    m_keep = dialog.unticked();
    m_units = units;
    m_candidate = next;
    go();
    return true;
}

// Right before the first frame. Unticked rows: the frames carry the
// transmitter's own values, and the window keeps what it had before the
// command (an unsent edit stays one). The read-back is then held to what
// the review promised: ticked rows new, unticked ones as they were.
void WriteReview::keepUnticked(Link::Command)
{
    const QVector<EditSession::Unit> units = std::move(m_units);
    const QVector<int> unticked = std::move(m_keep);
    m_units.clear();
    m_keep.clear();
    if (units.isEmpty())
        return;
    const QVector<Binding> &table = bindings();
    const ParamSet base = m_session->baseline();
    QVector<int> kept;
    QVector<QPair<Field, int>> promised;
    for (const EditSession::Unit &unit : units) {
        for (int row : unit.rows)
            promised.append(qMakePair(table.at(row).field, table.at(row).element));
        if (unticked.contains(unit.row))
            kept += unit.rows;
    }
    auto keep = [kept, base](ParamSet &p) {
        for (int row : kept)
            bindingCopy(bindings().at(row), base, p);
        drDataSelet(p);
    };
    if (!kept.isEmpty()) {
        for (int row : kept)
            bindingCopy(table.at(row), m_session->setBeforeCommand(), paramSet);
        drDataSelet(paramSet);
        m_link.setFrameAdjust(keep);
    }
    ParamSet promise = m_candidate;
    keep(promise);
    m_link.setPromise(asSent(promise), promised);
}

void WriteReview::commandEnded(Link::Command command, bool finished)
{
    m_keep.clear();
    m_units.clear();
    const std::function<void()> then = std::move(m_afterCommand);
    m_afterCommand = nullptr;
    if (then && finished && (command == Link::Write || command == Link::Save))
        QTimer::singleShot(0, this, then);
}

bool WriteReview::askUnsent(const std::function<void()> &then, bool revertOnDiscard)
{
    const int count = m_session->unsentCount();
    if (count == 0)
        return true;
    const bool open = m_link.isOpen();
    QMessageBox box(QMessageBox::Question, tr("提示"), tr("有 %1 项修改尚未写入发射机").arg(count), QMessageBox::NoButton,
                    m_window);
    QPushButton *keep = box.addButton(open ? tr("写入") : tr("保存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("放弃"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard) {
        // While the port is open the baseline is the transmitter's.
        if (revertOnDiscard)
            m_session->revertToBaseline();
        return true;
    }
    if (box.clickedButton() == keep && !m_link.isBusy()) {
        m_afterCommand = then;
        if (open)
            m_write();
        else
            m_save();
        if (!m_link.isBusy())
            m_afterCommand = nullptr;
    }
    return false;
}

#include "moc_writereview.cpp"
