#include "scopelauncher.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "livecsv.h"
#include "notebox.h"
#include "paramset.h"
#include "recorder.h"
#include "scopewindow.h"
#include "windowplacement.h"

namespace {

QString sizeText(qint64 bytes)
{
    if (bytes < 10 * 1024)
        return ScopeLauncher::tr("%1 字节").arg(bytes);
    if (bytes < 10 * 1024 * 1024)
        return ScopeLauncher::tr("%1 kB").arg(bytes / 1024);
    return ScopeLauncher::tr("%1 MB").arg(QString::number(bytes / 1048576.0, 'f', 1));
}

QString durationText(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

ScopeLauncher::ScopeLauncher(Link &link, QMainWindow *window)
    : QObject(window)
    , m_link(link)
    , m_window(window)
    , m_recorder(new Recorder(this))
{
    QStatusBar *bar = window->statusBar();
    m_recordLabel = new QLabel(bar);
    m_recordLabel->setObjectName(QStringLiteral("statusRecording"));
    m_recordLabel->hide();
    bar->addPermanentWidget(m_recordLabel);
    auto *scopeButton = new QToolButton(bar);
    scopeButton->setObjectName(QStringLiteral("scopeButton"));
    scopeButton->setText(tr("示波器"));
    scopeButton->setToolTip(tr("通道示波器：F5"));
    scopeButton->setAutoRaise(true);
    bar->addPermanentWidget(scopeButton);
    connect(scopeButton, &QToolButton::clicked, this, &ScopeLauncher::showScope);
    auto *f5 = new QShortcut(QKeySequence(Qt::Key_F5), window);
    connect(f5, &QShortcut::activated, this, &ScopeLauncher::showScope);

    m_recordTimer = new QTimer(this);
    m_recordTimer->setInterval(1000);
    connect(m_recordTimer, &QTimer::timeout, this, &ScopeLauncher::showRecording);
    connect(m_recorder, &Recorder::started, this, [this] {
        m_recordTimer->start();
        showRecording();
    });
    connect(m_recorder, &Recorder::stopped, this, &ScopeLauncher::recordingStopped);
    connect(&m_link, &Link::packetReceived, this, &ScopeLauncher::recordPacket);
}

ScopeWindow *ScopeLauncher::showScope()
{
    if (!m_scope) {
        m_scope = new ScopeWindow(&m_link, m_recorder, m_window);
        connect(m_scope, &ScopeWindow::printSheetRequested, this, &ScopeLauncher::printSheetRequested);
    }
    if (!m_scope->isVisible()) {
        // Beside the main window on its screen, never over the status bar.
        const QMargins frame = frameMargins(m_scope);
        PlacementRequest request;
        for (const QScreen *s : QGuiApplication::screens())
            request.screens << s->availableGeometry();
        request.mainFrame = m_window->geometry().marginsAdded(frameMargins(m_window));
        request.statusBarTop = m_window->statusBar()->mapToGlobal(QPoint(0, 0)).y();
        request.wanted = m_scope->size().grownBy(frame);
        request.minimum = m_scope->minimumSizeHint().grownBy(frame);
        const QRect placed = placeBeside(request).marginsRemoved(frame);
        // On a screen narrower than its controls they are squeezed: the
        // window is not pushed past the screen's edge.
        if (placed.isValid())
            m_scope->setMinimumSize(m_scope->minimumSizeHint().boundedTo(placed.size()));
        m_scope->setGeometry(placed);
    }
    m_scope->show();
    m_scope->raise();
    m_scope->activateWindow();
    return m_scope;
}

void ScopeLauncher::startRecording(const QString &path)
{
    m_recorder->start(path, liveCsvHeader());
}

// One row per channel or telemetry packet, as it comes; the disk is the
// recorder's thread's business.
void ScopeLauncher::recordPacket(const PacketResult &result)
{
    if (!m_recorder->isRecording())
        return;
    if (result.kind != PacketKind::Channel && result.kind != PacketKind::Telemetry)
        return;
    m_recorder->addRow(liveCsvRow(liveSample(liveValues, paramSet.stickTrim, m_recorder->elapsedMs() / 1000.0)));
}

void ScopeLauncher::showRecording()
{
    m_recordLabel->setText(tr("● 录制 %1 · %2").arg(durationText(m_recorder->elapsedMs()), sizeText(m_recorder->size())));
    m_recordLabel->setToolTip(QDir::toNativeSeparators(m_recorder->path()));
    m_recordLabel->show();
}

void ScopeLauncher::recordingStopped(const QString &path, const QString &error)
{
    m_recordTimer->stop();
    const QString file = QDir::toNativeSeparators(path);
    if (error.isEmpty()) {
        m_recordLabel->setText(tr("已录制 %1 · %2").arg(durationText(m_recorder->elapsedMs()), sizeText(m_recorder->size())));
        return;
    }
    const QString kept = tr("已写入的 %1 保留在 %2").arg(sizeText(m_recorder->size()), file);
    const QString why = m_recorder->failure().diskFull ? tr("磁盘已满：%1").arg(file) : error;
    m_recordLabel->setText(tr("录制已停止：%1").arg(why));
    QTimer::singleShot(0, this, [why, kept] { showNote(tr("录制已停止：%1").arg(why), kept); });
}

#include "moc_scopelauncher.cpp"
