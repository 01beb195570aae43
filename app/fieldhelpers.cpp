#include "fieldhelpers.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QWidget>

#include "connection.h"
#include "editsession.h"
#include "notebox.h"
#include "protocol.h"
#include "statuspanel.h"

namespace {

QString signedNumber(int v)
{
    return v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v);
}

} // namespace

FieldHelpers::FieldHelpers(Link &link, EditSession *session, StatusPanel *status, ConnectionController *connection,
                           QStatusBar *bar, QWidget *window, const std::function<void()> &write)
    : QObject(window)
    , m_link(link)
    , m_session(session)
    , m_status(status)
    , m_connection(connection)
    , m_window(window)
    , m_write(write)
{
    setObjectName(QStringLiteral("fieldHelpers"));
    auto *trims = new QAction(tr("微调转中点"), window);
    trims->setObjectName(QStringLiteral("actionTrimsToSubTrims"));
    trims->setShortcut(QKeySequence(Qt::Key_F8));
    trims->setToolTip(tr("把四个摇杆微调加进副微调，微调回中，写入前确认：F8"));
    auto *failSafe = new QAction(tr("失控保护取当前"), window);
    failSafe->setObjectName(QStringLiteral("actionFailSafeFromSticks"));
    failSafe->setShortcut(QKeySequence(Qt::Key_F9));
    failSafe->setToolTip(tr("保持摇杆不动，把各通道当前的输出设为失控保护：F9"));
    for (QAction *a : {trims, failSafe}) {
        a->setShortcutContext(Qt::WindowShortcut);
        window->addAction(a);
    }
    connect(trims, &QAction::triggered, this, &FieldHelpers::trimsToSubTrims);
    connect(failSafe, &QAction::triggered, this, &FieldHelpers::failSafeFromSticks);

    auto *button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("statusHelpers"));
    button->setText(tr("工具"));
    button->setToolTip(tr("模板、比较、机型检查，微调转中点和失控保护取当前"));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    menu->setToolTipsVisible(true);
    menu->addAction(trims);
    menu->addAction(failSafe);
    button->setMenu(menu);
    m_menu = menu;
    bar->addPermanentWidget(button);

    // The trims go into the I frame of the Write the helper started, for
    // the sub-trims that go out in it; the review's own adjust (unticked
    // rows) has been applied by then.
    connect(&m_link, &Link::aboutToOverwrite, this, [this](Link::Command command) {
        if (!m_trimsPending || command != Link::Write)
            return;
        const fieldhelp::TrimsMoved moved = m_moved;
        m_link.setFrameAdjust([moved](ParamSet &p) {
            for (int n : moved.moved)
                if (p.subTrim[n] == moved.set.subTrim[n])
                    p.stickTrim[n] = moved.set.stickTrim[n];
        });
        m_status->setResultNote(QStringLiteral(" · ") + m_trimsNote);
    });
    connect(&m_link, &Link::finished, this, [this](Link::Command command) {
        if (!m_trimsPending || command != Link::Write)
            return;
        m_trimsPending = false;
        // The transmitter's trims as the I frame sent them, until telemetry
        // says otherwise.
        for (int n = 1; n <= protocol::trimCount; ++n)
            paramSet.stickTrim[n] = m_link.deviceSettings().stickTrim[n];
    });
    auto dropPending = [this](Link::Command command) {
        if (command == Link::Write)
            m_trimsPending = false;
    };
    connect(&m_link, &Link::aborted, this, dropPending);
    connect(&m_link, &Link::cancelled, this, dropPending);

    m_holdTick.setInterval(100);
    connect(&m_holdTick, &QTimer::timeout, this, &FieldHelpers::updateHold);
    connect(m_connection, &ConnectionController::closed, this, [this] {
        if (m_hold)
            stopHold(tr("失控保护取当前：串口已关闭，未改变"));
    });
}

void FieldHelpers::refuse(const QString &why)
{
    showNote(why, QString());
}

void FieldHelpers::trimsToSubTrims()
{
    if (m_link.isBusy() || m_hold)
        return;
    if (!m_link.isOpen()) {
        refuse(tr("微调转中点：请先打开串口。"));
        return;
    }
    // The sub-trims the trims go into must be the transmitter's own.
    if (!m_link.deviceFullyKnown()) {
        refuse(tr("微调转中点：请先读取数据，再转。"));
        return;
    }
    if (!m_link.trimsKnown()) {
        refuse(tr("微调转中点：还没有收到发射机的微调，请等灯变绿后再试。"));
        return;
    }
    const fieldhelp::TrimsMoved moved = fieldhelp::trimsToSubTrims(paramSet);
    if (moved.moved.isEmpty()) {
        refuse(tr("微调转中点：四个微调都在中点，没有要转的。"));
        return;
    }
    QStringList parts;
    for (int n : moved.moved)
        parts << tr("CH%1 %2").arg(n).arg(signedNumber(paramSet.stickTrim[n] - protocol::trimCentre));
    m_trimsNote = tr("微调转中点：%1 已转入副微调").arg(parts.join(tr("、")));
    for (int n : moved.clamped)
        m_trimsNote += tr("；CH%1 副微调到了 %2，其余 %3 留在微调里")
                           .arg(n)
                           .arg(moved.set.subTrim[n])
                           .arg(signedNumber(moved.set.stickTrim[n] - protocol::trimCentre));

    const ParamSet before = paramSet;
    for (int n : moved.moved)
        paramSet.subTrim[n] = moved.set.subTrim[n];
    m_session->changedBy(tr("微调转中点"), before);
    const int step = m_session->undoStack()->index();
    m_moved = moved;
    m_trimsPending = true;
    m_write();
    if (m_link.isBusy())
        return;
    // Not written: the trims stay where they are, and so do the sub-trims.
    m_trimsPending = false;
    if (m_session->undoStack()->index() == step)
        m_session->undoStack()->undo();
    m_status->showBriefly(tr("微调转中点已取消，未写入"));
}

void FieldHelpers::failSafeFromSticks()
{
    if (m_link.isBusy())
        return;
    if (m_hold) {
        m_hold->raise();
        return;
    }
    if (!m_link.isOpen()) {
        refuse(tr("失控保护取当前：请先打开串口。"));
        return;
    }
    if (!m_connection->receiving()) {
        refuse(tr("失控保护取当前：还没有收到发射机的数据，取不到当前输出。"));
        return;
    }
    // Not modal: the live page keeps showing the outputs being held.
    m_hold = new QDialog(m_window, Qt::Dialog);
    m_hold->setObjectName(QStringLiteral("failSafeHold"));
    m_hold->setWindowTitle(tr("失控保护取当前"));
    m_hold->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(m_hold);
    m_holdText = new QLabel(m_hold);
    m_holdText->setObjectName(QStringLiteral("failSafeHoldText"));
    m_holdText->setWordWrap(true);
    layout->addWidget(m_holdText);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, m_hold);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { stopHold(tr("失控保护取当前已取消，未改变")); });
    connect(m_hold, &QDialog::rejected, this, [this] {
        if (m_hold)
            stopHold(tr("失控保护取当前已取消，未改变"));
    });
    m_holdLeftMs = m_holdMs;
    m_holdTick.setInterval(qBound(1, m_holdMs / 10, 100));
    updateHold();
    m_hold->show();
    m_holdTick.start();
}

void FieldHelpers::updateHold()
{
    if (!m_hold)
        return;
    if (m_holdLeftMs <= 0) {
        takeFailSafe();
        return;
    }
    const int seconds = (m_holdLeftMs + 999) / 1000;
    m_holdText->setText(tr("把摇杆和开关放在信号丢失时飞机应保持的位置（油门通常拉到最低），保持不动。\n"
                           "%1 秒后取各通道当前的输出…")
                            .arg(seconds));
    m_holdLeftMs -= m_holdTick.interval();
}

void FieldHelpers::stopHold(const QString &why)
{
    m_holdTick.stop();
    QDialog *hold = m_hold;
    m_hold = nullptr;
    m_holdText = nullptr;
    if (hold)
        hold->close();
    if (!why.isEmpty())
        m_status->showBriefly(why);
}

void FieldHelpers::takeFailSafe()
{
    stopHold(QString());
    const ParamSet before = paramSet;
    QStringList parts;
    for (int n = 1; n <= 8; ++n) {
        paramSet.failSafe[n] = fieldhelp::failSafeOfOutput(liveValues.channel(n));
        parts << tr("CH%1 %2").arg(n).arg(paramSet.failSafe[n]);
    }
    if (paramSet == before) {
        m_status->showBriefly(tr("失控保护取当前：与现在的设置相同，没有改变"));
        return;
    }
    m_session->changedBy(tr("失控保护取当前"), before);
    m_status->appendNote(tr("失控保护取当前：%1").arg(parts.join(tr("、"))));
    // Reviewed like any edit; cancelled, it stays an unsent edit.
    m_write();
}

#include "moc_fieldhelpers.cpp"
