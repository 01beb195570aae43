#include "statuspanel.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

#include "protocol.h"
#include "verifybox.h"

namespace {

// What each command is called while it runs and when it was cut short.
struct CommandTexts {
    const char *running;
    const char *stopped;
};

CommandTexts textsOf(Link::Command command)
{
    switch (command) {
    case Link::Read: return {QT_TRANSLATE_NOOP("StatusPanel", "正在读取"), QT_TRANSLATE_NOOP("StatusPanel", "读取中断")};
    case Link::Write: return {QT_TRANSLATE_NOOP("StatusPanel", "正在写入"), QT_TRANSLATE_NOOP("StatusPanel", "写入中断")};
    case Link::Reset: return {QT_TRANSLATE_NOOP("StatusPanel", "正在恢复出厂设置"),
                              QT_TRANSLATE_NOOP("StatusPanel", "恢复出厂设置中断")};
    case Link::Reset2: return {QT_TRANSLATE_NOOP("StatusPanel", "正在重置数据"), QT_TRANSLATE_NOOP("StatusPanel", "重置数据中断")};
    case Link::Save: return {QT_TRANSLATE_NOOP("StatusPanel", "正在保存"), QT_TRANSLATE_NOOP("StatusPanel", "保存中断")};
    case Link::Load: return {QT_TRANSLATE_NOOP("StatusPanel", "正在加载"), QT_TRANSLATE_NOOP("StatusPanel", "加载中断")};
    case Link::Idle: break;
    }
    return {"", ""};
}

QString joined(const QList<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(QStringLiteral(", "));
}

} // namespace

StatusPanel::StatusPanel(QStatusBar *bar, Link &link, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_bar(bar)
    , m_message(new QLabel(bar))
    , m_progress(new QProgressBar(bar))
    , m_connection(new QLabel(bar))
{
    m_message->setObjectName(QStringLiteral("statusMessage"));
    m_progress->setObjectName(QStringLiteral("statusProgress"));
    m_connection->setObjectName(QStringLiteral("statusConnection"));
    m_progress->setMaximumWidth(160);
    m_progress->setTextVisible(false);
    m_progress->hide();
    // The window's dark grey, and light text on it.
    bar->setStyleSheet(QStringLiteral("QStatusBar { background-color: rgb(40, 40, 40); }"
                                      "QStatusBar QLabel, QStatusBar QToolButton { color: rgb(230, 230, 230); }"
                                      "QStatusBar QToolButton:disabled { color: rgb(120, 120, 120); }"));
    bar->addWidget(m_message, 1);
    bar->addWidget(m_progress);
    bar->addPermanentWidget(m_connection);

    connect(&link, &Link::started, this, &StatusPanel::started);
    connect(&link, &Link::progress, this, &StatusPanel::progress);
    connect(&link, &Link::finished, this, [this](Link::Command command) { finished(command); });
    connect(&link, &Link::aborted, this,
            [this](Link::Command command, int done, int steps, const QString &reason) {
                aborted(command, done, steps, reason);
            });
    // A dialog let go: the bar says again what it said before.
    connect(&link, &Link::cancelled, this, [this] {
        m_progress->hide();
        m_message->setText(m_before);
    });
    connect(&link, &Link::readReport, this, &StatusPanel::readReport);
    connect(&link, &Link::verifying, this, [this] { show(tr("正在校验")); });
    connect(&link, &Link::verified, this, [this](Link::Command, const VerifyResult &r) { verified(r); });
    connect(&link, &Link::packetReceived, this, [this] {
        ++m_packets;
        m_received = true;
    });

    m_rateTimer.setInterval(1000);
    connect(&m_rateTimer, &QTimer::timeout, this, &StatusPanel::showRate);
    setConnection(QString(), false);
}

void StatusPanel::setConnection(const QString &port, bool open)
{
    m_port = port;
    m_packets = 0;
    m_received = false;
    if (open) {
        m_abortText.clear();
        m_connection->setText(tr("%1 已打开 · 等待数据").arg(port));
        m_rateTimer.start();
    } else {
        m_connection->setText(tr("未连接"));
        m_rateTimer.stop();
    }
}

// Packets a second, counted over the last second.
void StatusPanel::showRate()
{
    // Open is not connected: only packets say the transmitter is there.
    m_connection->setText(m_received ? tr("%1 已连接 · %2 包/秒").arg(m_port).arg(m_packets)
                                     : tr("%1 已打开 · 没有数据").arg(m_port));
    m_packets = 0;
}

QString StatusPanel::noDataText()
{
    return tr("串口已打开，但没有收到发射机的数据") + tr("：检查发射机已开机、数据线能传数据、串口选对、驱动已装好");
}

void StatusPanel::showNoData()
{
    m_message->setText(noDataText());
    m_message->setToolTip(noDataText());
}

void StatusPanel::showReceiving()
{
    m_connection->setText(tr("%1 已连接").arg(m_port));
    // The hint is answered.
    m_message->setToolTip(QString());
    if (m_message->text() == noDataText())
        m_message->clear();
}

void StatusPanel::setFile(const QString &path)
{
    m_file = QFileInfo(path).fileName();
}

void StatusPanel::setBackupNote(const QString &note)
{
    m_backupNote = note;
}

void StatusPanel::setResultNote(const QString &note)
{
    m_resultNote = note;
}

void StatusPanel::appendNote(const QString &note)
{
    m_message->setText(m_message->text().isEmpty() ? note : m_message->text() + QStringLiteral(" · ") + note);
}

QString StatusPanel::message() const
{
    return m_message->text();
}

void StatusPanel::show(const QString &text)
{
    m_message->setText(m_backupNote.isEmpty() ? text : text + QStringLiteral(" · ") + m_backupNote);
}

void StatusPanel::started(Link::Command command, int steps)
{
    m_before = m_message->text();
    m_file.clear();
    m_backupNote.clear();
    m_resultNote.clear();
    m_abortText.clear();
    m_verifyText.clear();
    m_readReported = false;
    m_progress->setRange(0, steps);
    m_progress->setValue(0);
    m_progress->show();
    show(tr(textsOf(command).running));
}

void StatusPanel::progress(Link::Command command, int done, int steps)
{
    m_progress->setValue(done);
    if (command == Link::Read)
        show(tr("正在读取：已请求设置"));
    else
        show(QStringLiteral("%1 %2/%3").arg(tr(textsOf(command).running)).arg(done).arg(steps));
}

void StatusPanel::finished(Link::Command command)
{
    m_progress->hide();
    QString text;
    switch (command) {
    case Link::Read:
        // All the answers may have come while the command waited.
        if (m_readReported)
            return;
        text = tr("正在读取：等待设置");
        break;
    case Link::Write:
        text = m_verifyText.isEmpty() ? tr("写入完成：%1 帧").arg(4) : m_verifyText;
        break;
    case Link::Reset:
    case Link::Reset2: text = tr("已恢复出厂设置"); break;
    case Link::Save: text = tr("已保存 %1").arg(m_file); break;
    case Link::Load: text = tr("已加载 %1").arg(m_file); break;
    case Link::Idle: break;
    }
    if (command != Link::Write && !m_verifyText.isEmpty())
        text += QStringLiteral(" · ") + m_verifyText;
    show(m_resultNote.isEmpty() ? text : text + m_resultNote);
}

void StatusPanel::aborted(Link::Command command, int done, int steps, const QString &reason)
{
    m_progress->hide();
    const QString stopped = tr(textsOf(command).stopped);
    if (reason == Link::noPortReason()) {
        // The command never began: the box said why.
        m_backupNote.clear();
        show(tr("%1：串口未打开，未发送").arg(stopped));
        return;
    }
    if (command == Link::Read)
        m_abortText = stopped;
    else if (command == Link::Save)
        m_abortText = tr("%1：文件未写入").arg(stopped);
    else
        m_abortText = tr("%1：已发送 %2/%3 帧").arg(stopped).arg(done).arg(steps);
    show(m_abortText);
}

void StatusPanel::readReport(int received, const QList<int> &missing)
{
    m_readReported = true;
    // Nothing at all came from the port: not a Read that lost sections.
    const QString text = received == 0 && !m_received && m_link.isOpen() ? noDataText()
        : received == 0 ? tr("读取失败：发射机没有回答读取请求（0/%1 段），请再读一次").arg(protocol::sectionCount)
        : missing.isEmpty()
        ? tr("读取完成：%1/%2 段").arg(received).arg(protocol::sectionCount)
        : tr("读取不完整：收到 %1/%2 段（缺 %3）").arg(received).arg(protocol::sectionCount).arg(joined(missing));
    m_message->setText(text);
    // Cut short by the port going away: the loss names it too.
    if (!m_link.isOpen())
        m_abortText = text;
}

// The result of the read-back, shown when the command finishes.
void StatusPanel::verified(const VerifyResult &result)
{
    if (!result.missing.isEmpty()) {
        m_verifyText = tr("未能校验：收到 %1/%2 段").arg(result.received).arg(protocol::sectionCount);
    } else if (!result.differences.isEmpty()) {
        const VerifyResult::Difference &d = result.differences.first();
        const QString more = result.differences.size() > 1 ? QStringLiteral(" …") : QString();
        m_verifyText = tr("校验不符：%1 项（%2：发送 %3，读回 %4%5）")
                           .arg(result.differences.size())
                           .arg(verifytexts::settingName(d.field, d.index))
                           .arg(verifytexts::settingValue(d.field, d.index, d.sent))
                           .arg(verifytexts::settingValue(d.field, d.index, d.read))
                           .arg(more);
    } else {
        m_verifyText = tr("写入并校验完成");
    }
}

void StatusPanel::showLoss(const QString &reason)
{
    m_progress->hide();
    QString text = tr("串口已断开：%1").arg(reason);
    if (!m_abortText.isEmpty())
        text = tr("%1；%2").arg(text, m_abortText);
    m_message->setText(text);
    m_abortText.clear();
}

void StatusPanel::showBriefly(const QString &text)
{
    m_bar->showMessage(text, 10000);
}

void StatusPanel::addEditButtons(QUndoStack *undo)
{
    m_editCount = new QLabel(m_bar);
    m_editCount->setObjectName(QStringLiteral("statusEdits"));
    m_editCount->hide();
    m_bar->addPermanentWidget(m_editCount);
    auto button = [this](const QString &text, const char *name) {
        auto *b = new QToolButton(m_bar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        m_bar->addPermanentWidget(b);
        return b;
    };
    QToolButton *undoButton = button(tr("撤销"), "statusUndo");
    QToolButton *redoButton = button(tr("重做"), "statusRedo");
    m_revertButton = button(tr("恢复"), "statusRevert");
    QToolButton *settings = button(tr("设置"), "statusSettings");
    settings->setToolTip(tr("设置"));
    connect(undoButton, &QToolButton::clicked, undo, &QUndoStack::undo);
    connect(redoButton, &QToolButton::clicked, undo, &QUndoStack::redo);
    connect(m_revertButton, &QToolButton::clicked, this, &StatusPanel::revertRequested);
    connect(settings, &QToolButton::clicked, this, &StatusPanel::settingsRequested);
    auto follow = [undo, undoButton, redoButton] {
        undoButton->setEnabled(undo->canUndo());
        redoButton->setEnabled(undo->canRedo());
        undoButton->setToolTip(undo->canUndo() ? tr("撤销：%1").arg(undo->undoText()) : tr("撤销"));
        redoButton->setToolTip(undo->canRedo() ? tr("重做：%1").arg(undo->redoText()) : tr("重做"));
    };
    connect(undo, &QUndoStack::indexChanged, this, follow);
    connect(undo, &QUndoStack::undoTextChanged, this, follow);
    follow();
    m_revertButton->setToolTip(tr("恢复为发射机的设置 (Ctrl+R)"));
    setUnsent(0);
}

void StatusPanel::setUnsent(int count)
{
    m_editCount->setVisible(count > 0);
    m_editCount->setText(count > 0 ? tr("%1 项修改未写入").arg(count) : QString());
    m_revertButton->setEnabled(count > 0);
}

#include "moc_statuspanel.cpp"
