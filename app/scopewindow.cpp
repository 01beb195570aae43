#include "scopewindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

#include "link.h"
#include "paramset.h"
#include "livecsv.h"
#include "recorder.h"
#include "recordingloader.h"
#include "scopewidget.h"

namespace {

// Frames no closer than this: about 30 a second, whatever the packet rate.
const int kFrameMs = 33;
// The legend's figures change at most this often; readable, and cheap.
const int kLegendMs = 200;
// A live scope keeps the longest span it offers.
const qint64 kLiveKeepMs = 60000;
const int kSpans[] = {10, 30, 60};
// While a recording loads, the view grows with it this often.
const int kFollowMs = 100;

enum LegendColumn { LegendName, LegendCursor, LegendMin, LegendMax, LegendMean, LegendColumns };

} // namespace

ScopeWindow::ScopeWindow(Link *link, Recorder *recorder, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_link(link)
    , m_recorder(recorder)
    , m_buffer(kLiveKeepMs)
{
    build();
    setWindowTitle(tr("通道示波器"));
    m_clock.start();
    connect(m_link, &Link::packetReceived, this, &ScopeWindow::packet);
    if (m_recorder) {
        connect(m_recorder, &Recorder::started, this, &ScopeWindow::recorderChanged);
        connect(m_recorder, &Recorder::stopped, this, &ScopeWindow::recorderChanged);
        recorderChanged();
    }
}

ScopeWindow::ScopeWindow(const QString &path, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_buffer(0)
{
    build();
    m_plot->setZoomable(true);
    load(path);
}

ScopeWindow::~ScopeWindow()
{
    delete m_loader;
}

void ScopeWindow::build()
{
    setAttribute(Qt::WA_DeleteOnClose, !isLive());
    resize(1100, 620);
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, &ScopeWindow::frame);
    m_legendTimer.setSingleShot(true);
    m_legendTimer.setInterval(kLegendMs);
    connect(&m_legendTimer, &QTimer::timeout, this, &ScopeWindow::updateLegend);
    m_followTimer.setSingleShot(true);
    m_followTimer.setInterval(kFollowMs);
    connect(&m_followTimer, &QTimer::timeout, this, [this] {
        if (m_following)
            showAll();
    });

    auto *bar = new QHBoxLayout;
    if (isLive()) {
        bar->addWidget(new QLabel(tr("显示最近")));
        m_span = new QComboBox;
        for (int s : kSpans)
            m_span->addItem(tr("%1 秒").arg(s), s);
        connect(m_span, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this](int i) { setSpanSeconds(m_span->itemData(i).toInt()); });
        bar->addWidget(m_span);
        m_pause = new QPushButton(tr("暂停"));
        m_pause->setCheckable(true);
        m_pause->setShortcut(Qt::Key_Space);
        connect(m_pause, &QPushButton::toggled, this, &ScopeWindow::setPaused);
        bar->addWidget(m_pause);
        m_record = new QPushButton(tr("录制"));
        m_record->setObjectName(QStringLiteral("recordButton"));
        m_record->setCheckable(true);
        m_record->setEnabled(m_recorder != nullptr);
        connect(m_record, &QPushButton::clicked, this, &ScopeWindow::toggleRecording);
        bar->addWidget(m_record);
    } else {
        m_all = new QPushButton(tr("整个记录"));
        connect(m_all, &QPushButton::clicked, this, &ScopeWindow::showAll);
        bar->addWidget(m_all);
    }
    if (!isLive()) {
        m_progress = new QProgressBar;
        m_progress->setRange(0, 1000);
        m_progress->setFormat(tr("正在读取 %p%"));
        m_progress->setVisible(false);
        bar->addWidget(m_progress);
    }
    auto *open = new QPushButton(tr("打开记录…"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QPushButton::clicked, this, &ScopeWindow::openRecording);
    bar->addWidget(open);
    auto *png = new QPushButton(tr("导出 PNG…"));
    connect(png, &QPushButton::clicked, this, &ScopeWindow::askExport);
    bar->addWidget(png);
    auto *sheet = new QPushButton(tr("设置单…"));
    sheet->setObjectName(QStringLiteral("sheetButton"));
    connect(sheet, &QPushButton::clicked, this, &ScopeWindow::printSheetRequested);
    bar->addWidget(sheet);
    bar->addStretch();

    m_plot = new ScopeWidget;
    m_plot->setBuffer(&m_buffer);
    connect(m_plot, &ScopeWidget::viewChanged, this, &ScopeWindow::viewChanged);
    // While frames come, the legend follows on its own timer.
    connect(m_plot, &ScopeWidget::cursorMoved, this, [this] {
        if (!isFramePending())
            updateLegend();
    });

    m_legend = new QTreeWidget;
    m_legend->setRootIsDecorated(false);
    m_legend->setColumnCount(LegendColumns);
    m_legend->setHeaderLabels({tr("曲线"), tr("光标"), tr("最小"), tr("最大"), tr("平均")});
    for (int t = 0; t < traceCount; ++t) {
        auto *item = new QTreeWidgetItem(m_legend);
        QPixmap swatch(14, 14);
        swatch.fill(Qt::darkGray);
        QPainter(&swatch).fillRect(1, 1, 12, 12, ScopeWidget::traceColour(Trace(t)));
        item->setIcon(LegendName, QIcon(swatch));
        item->setText(LegendName, ScopeWidget::traceName(Trace(t)));
        item->setCheckState(LegendName, Qt::Checked);
        for (int c = LegendCursor; c < LegendColumns; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Widths fixed once for the widest figure: a column sized to its contents
    // would measure every cell on every change of a figure.
    const QFontMetrics fm(m_legend->font());
    int nameWidth = fm.horizontalAdvance(m_legend->headerItem()->text(LegendName));
    for (int t = 0; t < traceCount; ++t)
        nameWidth = qMax(nameWidth, fm.horizontalAdvance(ScopeWidget::traceName(Trace(t))));
    m_legend->header()->setStretchLastSection(false);
    m_legend->setColumnWidth(LegendName, nameWidth + 56);
    int legendWidth = nameWidth + 56;
    for (int c = LegendCursor; c < LegendColumns; ++c) {
        const int w = qMax(fm.horizontalAdvance(QStringLiteral("-100 dBm")),
                           fm.horizontalAdvance(m_legend->headerItem()->text(c))) + 14;
        m_legend->setColumnWidth(c, w);
        legendWidth += w;
    }
    m_legend->setMinimumWidth(legendWidth + 2 * m_legend->frameWidth() + 4);
    m_legend->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_legend, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) {
        m_plot->setTraceVisible(Trace(m_legend->indexOfTopLevelItem(item)), item->checkState(LegendName) == Qt::Checked);
    });

    auto *split = new QSplitter;
    split->addWidget(m_plot);
    split->addWidget(m_legend);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setCollapsible(1, false);

    m_note = new QLabel;
    m_note->setWordWrap(true);
    m_note->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    layout->addWidget(m_note);

    if (isLive())
        setSpanSeconds(kSpans[0]);
    updateLegend();
}

QString ScopeWindow::fileNote() const
{
    return m_fileNote;
}

void ScopeWindow::setSpanSeconds(int seconds)
{
    m_spanMs = seconds * 1000LL;
    if (m_span) {
        const int i = m_span->findData(seconds);
        if (i >= 0 && i != m_span->currentIndex())
            m_span->setCurrentIndex(i);
    }
    m_dirty = true;
    frame();
}

void ScopeWindow::setPaused(bool paused)
{
    m_paused = paused;
    if (m_pause && m_pause->isChecked() != paused)
        m_pause->setChecked(paused);
    // Held still, the view can be zoomed and panned like a recording.
    m_plot->setZoomable(paused);
    if (!paused) {
        m_dirty = true;
        frame();
    }
}

void ScopeWindow::packet(const PacketResult &result)
{
    // Closed, the scope costs the receive path nothing.
    if (!isVisible() || (result.kind != PacketKind::Channel && result.kind != PacketKind::Telemetry))
        return;
    m_buffer.append(scopeSample(liveSample(liveValues, paramSet.stickTrim, m_clock.elapsed() / 1000.0)));
    if (m_paused)
        return;
    m_dirty = true;
    scheduleFrame();
}

// One frame at most every kFrameMs, and none while nothing new comes: a
// stream that stops leaves the traces still and the timer idle.
void ScopeWindow::scheduleFrame()
{
    if (m_frameTimer.isActive())
        return;
    // Sooner than one pixel of the view takes, a frame would show nothing new.
    const int perPixel = int(m_spanMs / qMax(1, m_plot->width()));
    m_frameTimer.start(qMax(kFrameMs, perPixel));
}

void ScopeWindow::frame()
{
    if (!m_dirty || !isLive())
        return;
    m_dirty = false;
    if (!m_paused) {
        const qint64 end = qMax(m_buffer.lastMs(), m_spanMs);
        m_plot->setView(end - m_spanMs, end);
    }
    if (!m_legendTimer.isActive())
        m_legendTimer.start();
}

void ScopeWindow::viewChanged(qint64, qint64)
{
    m_following = false;
    updateLegend();
}

QStringList ScopeWindow::legendRow(Trace trace) const
{
    QStringList row;
    const QTreeWidgetItem *item = m_legend->topLevelItem(int(trace));
    for (int c = LegendCursor; c < LegendColumns; ++c)
        row << item->text(c);
    return row;
}

void ScopeWindow::updateLegend()
{
    const qint64 cursor = m_plot->cursorMs();
    const ScopeSample *atCursor = cursor >= 0 ? m_buffer.sampleAt(cursor) : nullptr;
    const QString none;
    const SampleSummary inView = m_buffer.summaryOf(m_plot->viewFrom(), m_plot->viewTo());
    for (int t = 0; t < traceCount; ++t) {
        QTreeWidgetItem *item = m_legend->topLevelItem(t);
        const TraceColumn &s = inView.trace[t];
        const auto text = [t](double v) { return ScopeWidget::valueText(Trace(t), v); };
        item->setText(LegendCursor, atCursor ? text(double(atCursor->value[t])) : none);
        item->setText(LegendMin, s.count ? text(s.min) : text(std::nan("")));
        item->setText(LegendMax, s.count ? text(s.max) : text(std::nan("")));
        item->setText(LegendMean, s.count ? text(s.sum / s.count) : text(std::nan("")));
    }
}

void ScopeWindow::toggleRecording(bool on)
{
    if (!m_recorder)
        return;
    if (on)
        m_recorder->start(Recorder::defaultPath(m_settings.recordingsFolder()), liveCsvHeader());
    else
        m_recorder->stop();
    recorderChanged();
}

void ScopeWindow::recorderChanged()
{
    if (!m_record)
        return;
    const bool on = m_recorder && m_recorder->isRecording();
    m_record->setChecked(on);
    m_record->setText(on ? tr("停止录制") : tr("录制"));
}

void ScopeWindow::openRecording()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("打开记录"), m_settings.recordingsFolder(),
                                                      tr("记录 (*.csv);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    auto *viewer = new ScopeWindow(path, parentWidget() ? parentWidget() : this);
    connect(viewer, &ScopeWindow::printSheetRequested, this, &ScopeWindow::printSheetRequested);
    viewer->show();
}

void ScopeWindow::load(const QString &path)
{
    m_path = path;
    setWindowTitle(tr("记录 - %1").arg(QFileInfo(path).fileName()));
    m_buffer.clear();
    m_fileNote.clear();
    m_note->setVisible(false);
    delete m_loader;
    m_loader = new RecordingLoader(path);
    connect(m_loader, &RecordingLoader::samplesReady, this, &ScopeWindow::takeSamples);
    connect(m_loader, &RecordingLoader::finished, this, &ScopeWindow::loadFinished);
    m_progress->setValue(0);
    m_progress->setVisible(true);
    m_following = true;
    m_loader->start();
}

void ScopeWindow::takeSamples(qint64 done, qint64 total)
{
    if (!m_loader)
        return;
    const bool first = m_buffer.isEmpty();
    const QVector<ScopeSample> samples = m_loader->take();
    for (const ScopeSample &s : samples)
        m_buffer.append(s);
    if (total > 0)
        m_progress->setValue(int(done * 1000 / total));
    // The first rows show at once; then the view grows with the file.
    if (first && !m_buffer.isEmpty())
        showAll();
    else if (m_following && !m_followTimer.isActive())
        m_followTimer.start();
    m_plot->update();
}

void ScopeWindow::loadFinished()
{
    if (!m_loader)
        return;
    takeSamples(0, 0);
    const QString shown = tr("%n 行，", nullptr, m_buffer.size()) + ScopeWidget::timeText(m_buffer.lastMs());
    if (m_loader->complete())
        m_fileNote = shown;
    else if (m_loader->line() > 0)
        m_fileNote = tr("读到第 %1 行为止（%2）：%3").arg(m_loader->line()).arg(m_loader->problem(), shown);
    else
        m_fileNote = tr("无法读取：%1").arg(m_loader->problem());
    m_loader->deleteLater();
    m_loader = nullptr;
    m_followTimer.stop();
    m_progress->setVisible(false);
    m_note->setText(m_fileNote);
    m_note->setVisible(true);
    if (m_following)
        showAll();
    else
        updateLegend();
    emit loaded();
}

void ScopeWindow::showAll()
{
    const qint64 from = m_buffer.firstMs();
    const qint64 to = qMax(m_buffer.lastMs(), from + ScopeWidget::minSpanMs);
    m_plot->setView(from, to);
    m_following = true;
    updateLegend();
}

bool ScopeWindow::exportPng(const QString &path)
{
    // The plot and the legend beside it, as they stand.
    QWidget *what = m_plot->parentWidget();
    return what->grab().save(path, "PNG");
}

void ScopeWindow::askExport()
{
    QString path =
        QFileDialog::getSaveFileName(this, tr("导出 PNG"), m_settings.recordingsFolder(), tr("PNG 图片 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (exportPng(path))
        return;
    m_note->setText(tr("无法写入 %1").arg(QDir::toNativeSeparators(path)));
    m_note->setVisible(true);
}

#include "moc_scopewindow.cpp"
