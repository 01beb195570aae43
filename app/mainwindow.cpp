#include "mainwindow.h"
#include "logging.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSet>
#include <QToolButton>
#include <QUndoStack>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QShortcut>

#include "backups.h"
#include "bindings.h"
#include "changemarks.h"
#include "editsteps.h"
#include "preferences.h"
#include "reviewdialog.h"
#include "fields.h"
#include "frames.h"
#include "packets.h"
#include "paramfile.h"
#include "paramset.h"
#include "protocol.h"
#include "rules.h"
#include "livecsv.h"
#include "recorder.h"
#include "scopewindow.h"
#include "setupsheet.h"
#include "statuspanel.h"
#include "keyboard.h"
#include "verifybox.h"
#include "wheelguard.h"
#include "windowplacement.h"

namespace {

// The open button's text tells the link state, so it goes through the same
// translation as the form's.
const char *const kClosedText = QT_TRANSLATE_NOOP("MainWindow", "打开串口");
const char *const kOpenText = QT_TRANSLATE_NOOP("MainWindow", "关闭串口");
const char *const kRedLamp = ":/myImage/images/red.png";
const char *const kGreenLamp = ":/myImage/images/green.png";
const char *const kNormalSheet = ":/comboBox.qss";
const char *const kDwellSheet = ":/comboBox_REV.qss";
// A live reading not known since the port closed.
const QString kUnknownText = QStringLiteral("--");

// Why a port was closed when the device at its other end hung up.
const char *const kHungUpText = QT_TRANSLATE_NOOP("MainWindow", "设备已挂断");
// What a permission error on Linux usually means, as the README says it.
const char *const kDialoutHint =
    QT_TRANSLATE_NOOP("MainWindow", "在 Linux 上请把用户加入 dialout 组：sudo usermod -aG dialout $USER，然后重新登录。");
const char *const kTextFilter = QT_TRANSLATE_NOOP("MainWindow", "文本文件 (*.txt *.dat)");

// "d u . t V" from 10 V up, " u . t V" below, from single digits.
QString voltText(int tenths)
{
    const int t = tenths % 10;
    const int u = (tenths / 10) % 10;
    const int d = (tenths / 100) % 10;
    if (tenths > 99)
        return QString::number(d) + QString::number(u) + QLatin1Char('.') + QString::number(t) + QStringLiteral(" V");
    return QLatin1Char(' ') + QString::number(u) + QLatin1Char('.') + QString::number(t) + QLatin1Char('V');
}

// A progress bar repaints itself at once on every visible change of its
// value; with its updates held for the change, the sixteen bars of a refresh
// are painted together in the next paint pass instead.
void showBar(QProgressBar *bar, int value)
{
    if (bar->value() == value)
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}


// The link's "提示" box: what happened, and why as its informative text.
void showNote(const QString &text, const QString &why)
{
    QMessageBox box(QMessageBox::Information, MainWindow::tr("提示"), text, QMessageBox::Ok);
    box.setInformativeText(why);
    box.exec();
}

} // namespace

// Kept for callers outside the commands, which run as timed steps of the link.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_link(&serialPort)
{
    ui->setupUi(this);
    // The title marks unsent edits; its text stays the form's.
    setWindowTitle(windowTitle() + QStringLiteral("[*]"));
    // The form has fixed geometry; on a screen smaller than the form it
    // scrolls, and the status bar below it stays in view.
    const QSize formSize = size();
    QWidget *form = takeCentralWidget();
    form->setMinimumSize(formSize);
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    setCentralWidget(scroll);
    m_status = new StatusPanel(statusBar(), m_link, this);
    setUpEditing();
    m_fullSize = QSize(formSize.width(), formSize.height() + statusBar()->sizeHint().height());
    if (const QScreen *s = screen())
        fitInto(s->availableGeometry());
    else
        resize(m_fullSize);

    // Typed names let a port the system does not list (a pseudo-terminal, a
    // network bridge) be opened; typing never adds an item to the list.
    ui->portNameBox->setEditable(true);
    ui->portNameBox->setInsertPolicy(QComboBox::NoInsert);

    connect(&serialPort, &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    connect(&m_port, &LinkPort::lost, this,
            [this](bool hungUp, const QString &reason) { portLost(hungUp ? tr(kHungUpText) : reason); });
    connect(&m_link, &Link::busyChanged, this, [this](bool busy) {
        setCommandsEnabled(!busy);
        // A command that ended without finishing (a cancelled dialog, no
        // port) takes the close that waited for it along.
        if (!busy)
            QTimer::singleShot(0, this, [this] {
                if (!m_link.isBusy())
                    m_afterCommand = nullptr;
            });
    });
    connect(&m_link, &Link::refreshNow, this, &MainWindow::ui_Display);
    connect(&m_link, &Link::portNeeded, this, [this] { showNoPortBox(tr("请先打开串口")); });
    connect(&m_link, &Link::aboutToOverwrite, this, &MainWindow::makeBackup);
    connect(&m_link, &Link::aboutToOverwrite, this, &MainWindow::keepUnticked);
    connect(&m_link, &Link::aborted, this, [this](Link::Command command) {
        if (command == Link::Save)
            m_saveFile.reset(); // the old file stays as it was
        commandEnded(command, false);
    });
    connect(&m_link, &Link::cancelled, this, [this](Link::Command command) { commandEnded(command, false); });
    connect(&m_link, &Link::started, this, &MainWindow::commandStarted);
    connect(&m_link, &Link::finished, this, [this](Link::Command command) { commandEnded(command, true); });
    connect(&m_link, &Link::readReport, this, &MainWindow::readEnded);
    connect(&m_link, &Link::packetReceived, this, [this](const PacketResult &result) {
        m_liveStale = false;
        if (m_readPending && result.section > 0)
            m_readSections |= 1u << result.section;
    });

    m_portSource = [] {
        QList<PortEntry> ports;
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            ports.append({info.portName(), info.description(), info.manufacturer()});
        return ports;
    };
    fillPortList(QString());
    // A transmitter plugged in later shows up without a restart.
    m_portTimer = new QTimer(this);
    m_portTimer->start(1000);
    connect(m_portTimer, &QTimer::timeout, this, &MainWindow::followPorts);

    // The scope and the recorder, from the status bar's right end.
    m_recorder = new Recorder(this);
    m_recordLabel = new QLabel(statusBar());
    m_recordLabel->setObjectName(QStringLiteral("statusRecording"));
    m_recordLabel->hide();
    statusBar()->addPermanentWidget(m_recordLabel);
    auto *scopeButton = new QToolButton(statusBar());
    scopeButton->setObjectName(QStringLiteral("scopeButton"));
    scopeButton->setText(tr("示波器"));
    scopeButton->setToolTip(tr("通道示波器：F5"));
    scopeButton->setAutoRaise(true);
    statusBar()->addPermanentWidget(scopeButton);
    connect(scopeButton, &QToolButton::clicked, this, &MainWindow::showScope);
    auto *f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, &MainWindow::showScope);
    m_recordTimer = new QTimer(this);
    m_recordTimer->setInterval(1000);
    connect(m_recordTimer, &QTimer::timeout, this, &MainWindow::showRecording);
    connect(m_recorder, &Recorder::started, this, [this] {
        m_recordTimer->start();
        showRecording();
    });
    connect(m_recorder, &Recorder::stopped, this, &MainWindow::recordingStopped);
    connect(&m_link, &Link::packetReceived, this, &MainWindow::recordPacket);

    // A read-back that did not verify asks to write again.
    new VerifyBox(m_link, this, [this](Link::Command command) {
        if (command == Link::Reset)
            on_toolButton_Reset_clicked();
        else if (command == Link::Reset2)
            on_pushButton_Reset2_clicked();
        else
            on_toolButton_Send_clicked(); // a Load's settings are the window's now
    });

    (new WheelGuard(this))->guard(centralWidget());
    new KeyboardAccess(this);

    ui->tabWidget->setCurrentIndex(0);

    refreshTimer = new QTimer(this);
    refreshTimer->start(100);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
}

MainWindow::~MainWindow()
{
    // The widgets go before the undo stack, which reports its clearing.
    m_undo->blockSignals(true);
    disconnect(qApp, nullptr, this, nullptr);
    // Leaving while connected says goodbye as the close button does.
    if (m_port.isOpen())
        m_port.close();
    delete ui;
}

void MainWindow::fitInto(const QRect &available)
{
    const QMargins frame = frameMargins(this);
    const QSize room = available.size().shrunkBy(frame);
    if (m_fullSize.boundedTo(room) == m_fullSize) {
        resize(m_fullSize);
        return;
    }
    // A scroll bar in one direction takes room from the other.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    QSize size = m_fullSize;
    if (size.height() > room.height())
        size.rwidth() += bar;
    if (size.width() > room.width())
        size.rheight() += bar;
    resize(size.boundedTo(room));
    move(available.topLeft());
}

namespace {

QString portToolTip(const MainWindow::PortEntry &port)
{
    QStringList parts;
    for (const QString &part : {port.description, port.manufacturer})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(" · "));
}

} // namespace

// The ports present now, in enumeration order. The port last used stays the
// current text, listed or typed; with none the first port becomes current.
void MainWindow::fillPortList(const QString &keep)
{
    ui->portNameBox->clear();
    followPorts();
    if (keep.isEmpty())
        return;
    const int listed = ui->portNameBox->findText(keep);
    if (listed >= 0)
        ui->portNameBox->setCurrentIndex(listed);
    else
        ui->portNameBox->setEditText(keep);
}

void MainWindow::presetPortName(const QString &name)
{
    ui->portNameBox->setEditText(name);
}

void MainWindow::setPortSource(const PortSource &source)
{
    m_portSource = source;
    followPorts();
}

// Ports that came are added and ports that went are taken out, in place:
// what the user typed or picked stays the current text.
void MainWindow::followPorts()
{
    if (serialPort.isOpen())
        return;
    QComboBox *box = ui->portNameBox;
    const QString current = box->currentText();
    const QList<PortEntry> ports = m_portSource();
    QStringList names;
    for (const PortEntry &port : ports)
        names << port.name;
    for (int i = box->count() - 1; i >= 0; --i)
        if (!names.contains(box->itemText(i)))
            box->removeItem(i);
    for (const PortEntry &port : ports) {
        int i = box->findText(port.name);
        if (i < 0) {
            box->addItem(port.name);
            i = box->count() - 1;
        }
        box->setItemData(i, portToolTip(port), Qt::ToolTipRole);
    }
    // Only an empty box takes up a port that came.
    if (!current.isEmpty() && box->currentText() != current)
        box->setEditText(current);
}

// ---------------------------------------------------------------- serial link

void MainWindow::on_openButton_clicked()
{
    if (m_port.isOpen()) {
        if (!askUnsent(
                [this] {
                    if (m_port.isOpen())
                        on_openButton_clicked();
                },
                true))
            return;
        m_port.close();
        showClosedPanel();
        return;
    }

    const QString name = ui->portNameBox->currentText();
    if (!m_port.open(name)) {
        QString why = m_port.errorString();
#ifdef Q_OS_LINUX
        if (m_port.permissionDenied())
            why += QLatin1Char('\n') + tr(kDialoutHint);
#endif
        showNoPortBox(why);
        return;
    }
    m_portName = name;
    m_status->setConnection(name, true);
    ui->portNameBox->setEnabled(false);
    ui->openButton->setText(tr(kOpenText));
    ui->toolButton_led->setIcon(QIcon(QString::fromLatin1(kGreenLamp)));
}

// The panel as it is with no port open; the channels snap back to centre.
void MainWindow::showClosedPanel()
{
    liveValues.centreChannels();
    m_liveStale = true;
    if (m_readPending)
        readEnded();
    Servo_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(tr(kClosedText));
    ui->toolButton_led->setIcon(QIcon(QString::fromLatin1(kRedLamp)));
    m_status->setConnection(QString(), false);

    fillPortList(m_portName);
}

// The device went away under us (cable pulled, peer closed) and the port is
// closed: show the closed panel at once, then say why.
void MainWindow::portLost(const QString &reason)
{
    showClosedPanel();
    m_status->showLoss(reason);
    // Shown from the event loop, not from inside the port's error signal.
    QTimer::singleShot(0, this, [reason] { showNote(tr("串口已断开"), reason); });
}

void MainWindow::serialPort_readyRead()
{
    m_link.receive();
}

// ------------------------------------------------------- scope and recording

ScopeWindow *MainWindow::showScope()
{
    if (!m_scope) {
        m_scope = new ScopeWindow(&m_link, m_recorder, this);
        connect(m_scope, &ScopeWindow::printSheetRequested, this, &MainWindow::saveSetupSheet);
    }
    if (!m_scope->isVisible()) {
        // Beside the main window on its screen, never over the status bar.
        const QMargins frame = frameMargins(m_scope);
        PlacementRequest request;
        for (const QScreen *s : QGuiApplication::screens())
            request.screens << s->availableGeometry();
        request.mainFrame = geometry().marginsAdded(frameMargins(this));
        request.statusBarTop = statusBar()->mapToGlobal(QPoint(0, 0)).y();
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

void MainWindow::saveSetupSheet()
{
    QString path = QFileDialog::getSaveFileName(this, tr("保存设置单"), QStringLiteral("./setup-sheet.pdf"),
                                                tr("PDF (*.pdf);;HTML (*.html)"));
    if (path.isEmpty())
        return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("html"))
        path += QStringLiteral(".pdf");
    const SheetSource source{loadFileName.isEmpty() ? QString() : QFileInfo(loadFileName).fileName(),
                             QDateTime::currentDateTime(), QCoreApplication::applicationVersion()};
    QString error;
    if (!writeSetupSheet(paramSet, source, path, &error)) {
        showNote(tr("设置单未能保存"), error);
        return;
    }
    statusBar()->showMessage(tr("设置单已保存：%1").arg(QDir::toNativeSeparators(path)), 10000);
}

void MainWindow::startRecording(const QString &path)
{
    m_recorder->start(path, liveCsvHeader());
}

// One row per channel or telemetry packet, as it comes; the disk is the
// recorder's thread's business.
void MainWindow::recordPacket(const PacketResult &result)
{
    if (!m_recorder->isRecording())
        return;
    if (result.kind != PacketKind::Channel && result.kind != PacketKind::Telemetry)
        return;
    m_recorder->addRow(liveCsvRow(liveSample(liveValues, paramSet.stickTrim, m_recorder->elapsedMs() / 1000.0)));
}

namespace {

QString sizeText(qint64 bytes)
{
    if (bytes < 10 * 1024)
        return MainWindow::tr("%1 字节").arg(bytes);
    if (bytes < 10 * 1024 * 1024)
        return MainWindow::tr("%1 kB").arg(bytes / 1024);
    return MainWindow::tr("%1 MB").arg(QString::number(bytes / 1048576.0, 'f', 1));
}

QString durationText(qint64 ms)
{
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

void MainWindow::showRecording()
{
    m_recordLabel->setText(tr("● 录制 %1 · %2").arg(durationText(m_recorder->elapsedMs()), sizeText(m_recorder->size())));
    m_recordLabel->setToolTip(QDir::toNativeSeparators(m_recorder->path()));
    m_recordLabel->show();
}

void MainWindow::recordingStopped(const QString &path, const QString &error)
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

int MainWindow::byteArrayToInt(QByteArray b, int a)
{
    return ::byteArrayToInt(b, a);
}

// ------------------------------------------------------------- transfer commands

void MainWindow::showNoPortBox(const QString &why)
{
    showNote(tr("无法打开串口！"), why);
}

// Before a command overwrites the transmitter's settings, what it holds goes
// into a Parameter file; restoring it is an ordinary Load.
void MainWindow::makeBackup(Link::Command command)
{
    if (!m_link.deviceKnown()) {
        m_status->setBackupNote(tr("未备份：本次连接尚未读到发射机的设置"));
        return;
    }
    const char *const names[] = {"", "read", "write", "reset", "reset2", "save", "load"};
    // Trims nobody read stay out of it: restoring it keeps the transmitter's.
    const backups::Result r =
        backups::write(backups::directory(), QLatin1String(names[command]), m_link.deviceSettings(),
                       QDateTime::currentDateTime(), 100, m_link.trimsKnown());
    if (!r.ok) {
        qWarning("backup not written: %s", qPrintable(r.error));
        m_status->setBackupNote(tr("备份失败：%1").arg(r.error));
        return;
    }
    QString note = tr("已备份 %1").arg(QFileInfo(r.path).fileName());
    if (!m_link.deviceFullyKnown())
        note += tr("（已知 %1/%2 段）").arg(m_link.knownSections().size()).arg(protocol::sectionCount);
    if (!m_link.trimsKnown())
        note += tr("（不含摇杆微调：未收到）");
    m_status->setBackupNote(note);
}

void MainWindow::showFileErrorBox(const QString &path, const QString &why)
{
    QMessageBox::critical(this, tr("错误"),
                          QStringLiteral("%1\n%2\n%3").arg(tr("不能读取指定的文件!"), QDir::toNativeSeparators(path), why),
                          QMessageBox::Ok);
}

void MainWindow::showSaveErrorBox(const QString &path, const QString &why)
{
    QMessageBox::critical(this, tr("错误"),
                          QStringLiteral("%1\n%2\n%3").arg(tr("不能写入指定的文件!"), QDir::toNativeSeparators(path), why),
                          QMessageBox::Ok);
}

namespace {

// Where the first frame stops fitting, as the window says it.
QString breakText(const FrameBreak &b)
{
    const QChar letter = QLatin1Char(frameLayout(qMax(b.frame, 0)).start);
    if (b.cutShort)
        return MainWindow::tr("%1 帧不完整：文件在第 %2 行第 %3 列结束").arg(letter).arg(b.line).arg(b.column);
    const QString found = b.found.unicode() >= 0x20 && b.found.unicode() < 0x7F
        ? QStringLiteral("“%1”").arg(b.found)
        : QStringLiteral("U+%1").arg(b.found.unicode(), 4, 16, QLatin1Char('0'));
    switch (b.place) {
    case FrameBreak::Start:
        return MainWindow::tr("第 %1 行第 %2 列是 %3，%4 帧应从这里开始").arg(b.line).arg(b.column).arg(found).arg(letter);
    case FrameBreak::End:
        return MainWindow::tr("第 %1 行第 %2 列是 %3，%4 帧应以 %5 结束")
            .arg(b.line).arg(b.column).arg(found).arg(letter).arg(QLatin1Char(frameLayout(b.frame).end));
    case FrameBreak::Inside:
        break;
    }
    return MainWindow::tr("第 %1 行第 %2 列的 %3 不是 %4 帧的十六进制数字").arg(b.line).arg(b.column).arg(found).arg(letter);
}

// Why a Load did not read a file, as the command line says it.
QString refusalText(const ParameterFile &file)
{
    switch (file.refusal) {
    case FileRefusal::None: break;
    case FileRefusal::NotFound: return MainWindow::tr("文件不存在");
    case FileRefusal::NotRegular: return MainWindow::tr("不是普通文件：目录、设备、管道和套接字都不读取");
    case FileRefusal::TooLarge: return MainWindow::tr("超过 64 kB：不是参数文件");
    case FileRefusal::Unreadable: return MainWindow::tr("无法读取：%1").arg(file.reason);
    case FileRefusal::NoFrames:
        if (file.text.isEmpty())
            return MainWindow::tr("文件是空的：不是参数文件");
        return MainWindow::tr("找不到参数帧，不是参数文件：%1").arg(breakText(firstBreak(file.text)));
    }
    return file.reason;
}

// Why a Save did not write a file.
QString saveFailureText(const ParameterFileWriter &writer)
{
    switch (writer.failure()) {
    case ParameterFileWriter::Failure::NotRegular: return MainWindow::tr("已存在，且不是普通文件：不会被替换");
    case ParameterFileWriter::Failure::DiskFull: return MainWindow::tr("磁盘已满");
    default: return writer.errorString();
    }
}

} // namespace

// One command at a time: its buttons stay off until it has ended.
void MainWindow::setCommandsEnabled(bool enabled)
{
    for (QWidget *button : {static_cast<QWidget *>(ui->toolButton_Read), static_cast<QWidget *>(ui->toolButton_Load),
                            static_cast<QWidget *>(ui->toolButton_Send), static_cast<QWidget *>(ui->toolButton_Save),
                            static_cast<QWidget *>(ui->toolButton_Reset), static_cast<QWidget *>(ui->pushButton_Reset2)})
        button->setEnabled(enabled);
}

void MainWindow::on_toolButton_Read_clicked() { m_link.read(); }

// Write and both resets: the review first, when the port is open.
void MainWindow::on_toolButton_Send_clicked()
{
    if (!m_link.isBusy())
        review(paramSet, tr("写入后"), [this] { m_link.write(); }, [this] { on_toolButton_Send_clicked(); });
}

void MainWindow::on_toolButton_Reset_clicked()
{
    if (!m_link.isBusy())
        review(factoryCandidate(), tr("出厂值"), [this] { m_link.factoryReset(); },
               [this] { on_toolButton_Reset_clicked(); });
}

void MainWindow::on_pushButton_Reset2_clicked()
{
    if (!m_link.isBusy())
        review(factoryCandidate(), tr("出厂值"), [this] { m_link.secondReset(); },
               [this] { on_pushButton_Reset2_clicked(); });
}

// ---------------------------------------------------------------- frames

void MainWindow::SendData1() { m_link.sendFrame(FrameS); }
void MainWindow::SendData2() { m_link.sendFrame(FrameG); }
void MainWindow::SendData3() { m_link.sendFrame(FrameH); }
void MainWindow::SendData4() { m_link.sendFrame(FrameI); }

void MainWindow::RestData() { restData(paramSet); }
void MainWindow::RestData2() { restData2(paramSet); }
void MainWindow::Dr_DataSelet() { drDataSelet(paramSet); }
void MainWindow::FalseSaveData() { falseSaveData(paramSet); }

// ---------------------------------------------------------------- files

void MainWindow::on_toolButton_Save_clicked()
{
    m_link.save([this] { return prepareSave(); }, [this] { storeSave(); });
}

bool MainWindow::prepareSave()
{
    m_saveFile.reset();
    QFileDialog dialog(this, tr("保存数据"), QStringLiteral("./"), tr(kTextFilter) + QStringLiteral(";;") + tr("所有文件 (*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name without suffix becomes a .txt file while the text filter is
    // chosen; the dialog then also asks before replacing that file.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == tr(kTextFilter) ? QStringLiteral("txt") : QString());
    });
    const QString path = dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    qCDebug(lcVarnix) << path;
    if (path.isEmpty())
        return false;
    m_status->setFile(path);

    // Written beside the old file and swapped in only when complete, so a
    // failed save never destroys the settings already on disk.
    m_saveFile = std::make_unique<ParameterFileWriter>(path);
    m_savePath = path;
    if (!m_saveFile->open()) {
        const QString why = saveFailureText(*m_saveFile);
        m_saveFile.reset();
        showSaveErrorBox(path, why);
        return false;
    }
    return true;
}

// The file gets exactly the frames that were built (and sent) for it.
void MainWindow::storeSave()
{
    const std::unique_ptr<ParameterFileWriter> file = std::move(m_saveFile);
    if (!file)
        return;
    // Read this connection, the trims are the transmitter's only once a
    // telemetry packet has brought them: never write the centre in their place.
    FrameTexts texts = frameTexts;
    if (m_link.deviceKnown() && !m_link.trimsKnown()) {
        texts.text[FrameI].clear();
        m_status->setResultNote(tr("（未收到摇杆微调，文件不含 I 帧）"));
    }
    if (!file->write(texts))
        showSaveErrorBox(m_savePath, saveFailureText(*file));
    else
        m_localBaseline = paramSet;
}

void MainWindow::on_toolButton_Load_clicked()
{
    m_link.load([this] { return prepareLoad(); });
}

// Runs with the stick trims blocked; true sends what the file brought.
bool MainWindow::prepareLoad()
{
    // A Load that waited for a Read has its file already.
    loadFileName = m_loadPath;
    m_loadPath.clear();
    if (loadFileName.isEmpty())
        loadFileName = QFileDialog::getOpenFileName(this, tr("打开文件"), QStringLiteral("./"),
                                                    tr("所有文件 (*.*);;文本文件 (*.txt *.dat)"));
    if (loadFileName.isEmpty()) {
        Dr_DataSelet();
        FalseSaveData();
        return false;
    }

    // Only a regular file of sane size is read at all.
    const ParameterFile file = readParameterFile(loadFileName);
    if (file.refusal != FileRefusal::None && file.refusal != FileRefusal::NoFrames) {
        qCDebug(lcVarnix, "Load refused: %s", qPrintable(file.reason));
        const QString path = loadFileName;
        loadFileName.clear();
        showFileErrorBox(path, refusalText(file));
        return false;
    }
    m_status->setFile(loadFileName);
    loadFileText = file.text;
    ParamSet loaded = paramSet;
    decodeParameterFile(file, loaded);
    // A file with no recognisable frame is the wrong file: say so, send
    // nothing and keep the settings as they are.
    if (!file.ok()) {
        showFileErrorBox(loadFileName, refusalText(file));
        return false;
    }
    // Unchecked file content never reaches the transmitter.
    drDataSelet(loaded);
    falseSaveData(loaded);
    const QString path = loadFileName;
    if (!review(loaded, tr("文件 %1").arg(QFileInfo(path).fileName()), [] {}, [this, path] {
            m_loadPath = path;
            on_toolButton_Load_clicked();
        }))
        return false;
    paramSet = loaded;
    if (!file.complete()) {
        qCDebug(lcVarnix, "Load: %s", qPrintable(file.frames.summary()));
        m_status->setResultNote(tr("（只取了 %1 帧，未识别 %2）")
                                    .arg(file.frames.letters(), file.frames.letters(false)));
    }
    return true;
}

// ---------------------------------------------------------------- live monitor

void MainWindow::ui_Display()
{
    m_showing = true;
    Servo_Display();
    Recieve_Display();
    Rev_Display();
    EPA_Display();
    SubTrim_Display();
    FS_Display();
    Delay_Display();
    Aux_Display();
    DR_Display();
    Parameter_Display();
    Atti_Display();
    Elev_Display();
    Vtype_Display();
    Prm_Display();
    DRCure_Display();
    THcure_Display();
    StkTrim_Display();
    m_showing = false;
    updateMarks();
}

void MainWindow::Servo_Display()
{
    struct Column {
        QLineEdit *Ui_MainWindow::*text;
        QProgressBar *Ui_MainWindow::*upper;
        QProgressBar *Ui_MainWindow::*lower;
    };
    static const Column columns[8] = {
        {&Ui_MainWindow::lineEdit, &Ui_MainWindow::progressBar_10, &Ui_MainWindow::progressBar_11},
        {&Ui_MainWindow::lineEdit_2, &Ui_MainWindow::progressBar_20, &Ui_MainWindow::progressBar_21},
        {&Ui_MainWindow::lineEdit_3, &Ui_MainWindow::progressBar_30, &Ui_MainWindow::progressBar_31},
        {&Ui_MainWindow::lineEdit_4, &Ui_MainWindow::progressBar_40, &Ui_MainWindow::progressBar_41},
        {&Ui_MainWindow::lineEdit_5, &Ui_MainWindow::progressBar_50, &Ui_MainWindow::progressBar_51},
        {&Ui_MainWindow::lineEdit_6, &Ui_MainWindow::progressBar_60, &Ui_MainWindow::progressBar_61},
        {&Ui_MainWindow::lineEdit_7, &Ui_MainWindow::progressBar_70, &Ui_MainWindow::progressBar_71},
        {&Ui_MainWindow::lineEdit_8, &Ui_MainWindow::progressBar_80, &Ui_MainWindow::progressBar_81},
    };
    for (int n = 1; n <= 8; ++n) {
        const Column &c = columns[n - 1];
        const int v = liveValues.channel(n);
        (ui->*c.text)->setText(QString::number(v));
        // Two stacked bars make one centre-zero column: the upper one fills
        // up from the centre below 1000, the lower one empties down above it.
        showBar(ui->*c.upper, v < 1000 ? 1010 - v : 10);
        showBar(ui->*c.lower, v > 1000 ? 2000 - v : 1000);
    }

    const int r = liveValues.txVoltage; // 0.01 V; the hundredths are dropped
    ui->lineEdit_TX->setText(m_liveStale ? kUnknownText : voltText(r / 10));
}

void MainWindow::Recieve_Display()
{
    // Closed or lost: the last readings are no longer the transmitter's.
    if (m_liveStale) {
        for (QLineEdit *text : {ui->lineEdit_RSSI, ui->lineEdit_EXT, ui->lineEdit_RX})
            text->setText(kUnknownText);
        return;
    }
    const int b = 100 - liveValues.rssiValue;
    if (b > 99) {
        ui->lineEdit_RSSI->setText(QStringLiteral("null"));
    } else {
        // The device reports 100 at the strongest signal; a larger byte is
        // off its scale and shows as the strongest.
        const int shown = qMax(b, 0);
        ui->lineEdit_RSSI->setText(QLatin1Char('-') + QString::number((shown / 10) % 10)
                                   + QString::number(shown % 10) + QStringLiteral("dBm"));
    }
    ui->lineEdit_EXT->setText(voltText(liveValues.extVoltage));
    ui->lineEdit_RX->setText(voltText(liveValues.rxVoltage));
}

// ---------------------------------------------------------------- settings display

namespace {

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

} // namespace

void MainWindow::applySheet(QComboBox *box, const char *path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    box->setStyleSheet(QString::fromUtf8(bytes));
    file.close();
}

// About two seconds of hovering swaps in the dwell sheet; the normal sheet
// comes back once at the first refresh after the pointer has left.
void MainWindow::hover(QComboBox *box)
{
    int &counter = m_hoverCount[box];
    if (box->underMouse()) {
        if (counter + 1 > 19) {
            counter = 20;
            applySheet(box, kDwellSheet);
        } else {
            ++counter;
        }
    } else if (counter > 19) {
        counter = 0;
        applySheet(box, kNormalSheet);
    }
}

// The widgets of one display group: the rows of the binding table on page
// whose field is one of fields, in table order; then the hover rule for
// their combo boxes.
void MainWindow::showRows(int page, std::initializer_list<Field> fields)
{
    const QVector<Binding> &table = bindings();
    QVector<QComboBox *> boxes;
    for (int row = 0; row < table.size(); ++row) {
        const Binding &b = table.at(row);
        QWidget *w = m_rowWidget.at(row);
        if (!w || b.page != page || std::find(fields.begin(), fields.end(), b.field) == fields.end())
            continue;
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->setCurrentIndex(fieldValue(paramSet, b.field, b.element));
            boxes << combo;
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            showValue(spin, fieldValue(paramSet, b.field, b.element));
        } else if (auto *volts = qobject_cast<QDoubleSpinBox *>(w)) {
            showValue(volts, *companionVolt(paramSet, b.field));
        }
    }
    for (QComboBox *box : boxes)
        hover(box);
}

void MainWindow::Rev_Display() { showRows(1, {Field::reverse}); }
void MainWindow::EPA_Display() { showRows(1, {Field::epaLeft, Field::epaRight}); }
void MainWindow::SubTrim_Display() { showRows(1, {Field::subTrim}); }
void MainWindow::FS_Display() { showRows(1, {Field::failSafe}); }
void MainWindow::Delay_Display() { showRows(1, {Field::servoDelay}); }

void MainWindow::Aux_Display()
{
    // The first four aux boxes are reserved, bound to nothing, and always
    // show their one item.
    for (QComboBox *box : {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3, ui->comboBox_AUX4})
        box->setCurrentIndex(0);
    showRows(1, {Field::auxSource});
    for (QComboBox *box : {ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3, ui->comboBox_AUX4})
        hover(box);
}

// The channel first: its handler selects the rates shown just below.
void MainWindow::DR_Display() { showRows(2, {Field::drMix, Field::drChannel, Field::drSwitch, Field::drUp, Field::drDown}); }

void MainWindow::Parameter_Display()
{
    showRows(5, {Field::txAlarmVoltX10, Field::stickMode, Field::firmwareVersion, Field::rxAlarmVoltX10,
                 Field::extAlarmVoltX10, Field::rssiAlarm});
}

void MainWindow::Atti_Display() { showRows(2, {Field::attitudeChannel, Field::attitude}); }
void MainWindow::Elev_Display() { showRows(2, {Field::elevonMix, Field::elevon}); }
void MainWindow::Vtype_Display() { showRows(2, {Field::vtailMix, Field::vtail}); }

void MainWindow::Prm_Display()
{
    showRows(4, {Field::prmMix, Field::prmMaster, Field::prmSlave, Field::prmOffset, Field::prmUpRate,
                 Field::prmDownRate});
}

void MainWindow::DRCure_Display()
{
    showRows(3, {Field::drMix, Field::drChannel, Field::drSwitch, Field::drPosition, Field::drCurveRate,
                 Field::drCurveExpo});
}

void MainWindow::THcure_Display() { showRows(3, {Field::thrCurveMix, Field::thrCurve}); }

void MainWindow::StkTrim_Display()
{
    // Which trim shows in which row depends on the stick mode.
    static const int order[4][4] = {
        {1, 2, 3, 4}, // mode 1
        {1, 3, 2, 4}, // mode 2
        {4, 2, 3, 1}, // mode 3
        {4, 3, 2, 1}, // any other mode
    };
    const int m = paramSet.stickMode;
    const int *row = order[(m >= 1 && m <= 3) ? m - 1 : 3];
    QLineEdit *const texts[4] = {ui->lineEdit_Trim_1, ui->lineEdit_Trim_2, ui->lineEdit_Trim_3,
                                 ui->lineEdit_Trim_4};
    for (int k = 0; k < 4; ++k)
        texts[k]->setText(QString::number(paramSet.stickTrim[row[k]] - protocol::trimCentre));
}

// ---------------------------------------------------------------- edit handlers

// Each hands its widget's value to edited(), which finds the widget's row in
// the binding table by the slot's own name.

void MainWindow::on_spinBox_sub1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub7_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_sub8_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa7_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Lepa8_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa7_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Repa8_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS7_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_FS8_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_rev1_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev2_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev3_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev4_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev5_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev6_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev7_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_rev8_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_AUX5_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_AUX6_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_AUX7_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_AUX8_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_DR_UP1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_doubleSpinBox_Volt_valueChanged(double arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Mode_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Vertion_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_AttiM_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_Atti1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Atti2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Atti3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Atti4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Atti5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Atti6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_EleMix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_Elev01_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Elev02_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Elev03_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Elev04_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Elev05_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Elev06_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_RuMix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_Ru1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Ru2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Ru3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Ru4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_DR_RATE_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_DR_EXP_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int index) { edited(__func__, index); }
void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay1_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay2_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay3_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay4_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay5_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay6_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay7_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_delay8_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_doubleSpinBox_extVolt_valueChanged(double arg1) { edited(__func__, arg1); }
void MainWindow::on_spinBox_Rssi_valueChanged(int arg1) { edited(__func__, arg1); }
void MainWindow::on_doubleSpinBox_rxVolt_valueChanged(double arg1) { edited(__func__, arg1); }

// ---------------------------------------------------------------- editing

namespace {

bool isUndoKey(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mods == Qt::ControlModifier)
        return key->key() == Qt::Key_Z || key->key() == Qt::Key_Y || key->key() == Qt::Key_R;
    return mods == (Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_Z;
}

} // namespace

void MainWindow::setUpEditing()
{
    const QVector<Binding> &table = bindings();
    for (const Binding &b : table) {
        QWidget *w = b.widget ? findChild<QWidget *>(QLatin1String(b.widget)) : nullptr;
        if (b.widget && !w)
            qWarning("no widget %s in the form", b.widget);
        m_rowWidget << w;
        m_rowHelp << (w ? bindingHelp(b) : QString());
        if (!w)
            continue;
        w->installEventFilter(this);
        KeyboardAccess::describe(w, b);
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
    m_rowMarked.fill(false, table.size());
    m_localBaseline = paramSet;

    m_undo = new QUndoStack(this);
    QAction *undo = m_undo->createUndoAction(this);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo = m_undo->createRedoAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto *revert = new QAction(tr("恢复为发射机的设置"), this);
    revert->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(revert, &QAction::triggered, this, &MainWindow::revertToBaseline);
    for (QAction *a : {undo, redo, revert}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(m_undo, &QUndoStack::indexChanged, this, &MainWindow::updateMarks);
    // A new widget in focus starts a new run of typing, so a new step.
    connect(qApp, &QApplication::focusChanged, this, [this] { ++m_session; });

    buildStatusButtons();
}

void MainWindow::buildStatusButtons()
{
    QStatusBar *bar = statusBar();
    m_editCount = new QLabel(bar);
    m_editCount->setObjectName(QStringLiteral("statusEdits"));
    m_editCount->hide();
    bar->addPermanentWidget(m_editCount);
    auto button = [bar](const QString &text, const char *name) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        bar->addPermanentWidget(b);
        return b;
    };
    m_undoButton = button(tr("撤销"), "statusUndo");
    m_redoButton = button(tr("重做"), "statusRedo");
    m_revertButton = button(tr("恢复"), "statusRevert");
    QToolButton *settings = button(tr("设置"), "statusSettings");
    settings->setToolTip(tr("设置"));
    connect(m_undoButton, &QToolButton::clicked, m_undo, &QUndoStack::undo);
    connect(m_redoButton, &QToolButton::clicked, m_undo, &QUndoStack::redo);
    connect(m_revertButton, &QToolButton::clicked, this, &MainWindow::revertToBaseline);
    connect(settings, &QToolButton::clicked, this, [this] {
        PreferencesDialog dialog(this);
        if (dialog.exec() == QDialog::Accepted)
            m_link.setVerify(preferences::verifyAfterWrite());
    });
    auto follow = [this] {
        m_undoButton->setEnabled(m_undo->canUndo());
        m_redoButton->setEnabled(m_undo->canRedo());
        m_undoButton->setToolTip(m_undo->canUndo() ? tr("撤销：%1").arg(m_undo->undoText()) : tr("撤销"));
        m_redoButton->setToolTip(m_undo->canRedo() ? tr("重做：%1").arg(m_undo->redoText()) : tr("重做"));
    };
    connect(m_undo, &QUndoStack::indexChanged, this, follow);
    connect(m_undo, &QUndoStack::undoTextChanged, this, follow);
    follow();
    m_revertButton->setToolTip(tr("恢复为发射机的设置 (Ctrl+R)"));
}

// The spin boxes have an undo of their own for their text; the window's
// undo and revert keys go past it.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isUndoKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::edited(const char *slot, double value)
{
    // "on_<widget>_<signal>", perhaps with the class in front.
    QByteArray name(slot);
    const int colon = name.lastIndexOf("::");
    if (colon >= 0)
        name = name.mid(colon + 2);
    name = name.mid(3, name.lastIndexOf('_') - 3);
    const Binding *b = bindingOf(name.constData());
    if (!b) {
        qWarning("%s has no row in the binding table", slot);
        return;
    }
    const int row = int(b - bindings().constData());
    const ParamSet before = paramSet;
    store(row, value);
    // The display writing the set back into the widgets is no edit.
    if (m_showing || paramSet == before)
        return;
    m_undo->push(new EditStep(row, m_session, before, paramSet, [this] { setChanged(); }));
    updateMarks();
}

// The widget's value into the set, unchanged; the range rules repair only
// what arrives from the transmitter or a file.
void MainWindow::store(int row, double value)
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

// An undo step changed the set: show it at once.
void MainWindow::setChanged()
{
    ui_Display();
}

ParamSet MainWindow::baseline() const
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
QVector<int> MainWindow::differingRows(const ParamSet &set, const ParamSet &base) const
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

int MainWindow::unsentCount() const
{
    // Counted as the review lists them: one edit, one setting.
    return reviewUnits(asSent(paramSet), baseline()).size();
}

void MainWindow::updateMarks()
{
    const ParamSet base = baseline();
    const QVector<Binding> &table = bindings();
    bool pageMarked[6] = {};
    for (int row = 0; row < table.size(); ++row) {
        QWidget *w = m_rowWidget.at(row);
        if (!w)
            continue;
        const Binding &b = table.at(row);
        const bool marked = bindingMarked(b) && !bindingSame(b, paramSet, base);
        pageMarked[b.page] |= marked;
        if (!marked && !m_rowMarked.at(row))
            continue;
        QString tip = m_rowHelp.at(row) + QLatin1Char('\n')
            + tr("发射机 %1 → %2").arg(bindingValueText(b, base), bindingValueText(b, paramSet));
        if (marked) {
            const QString why = windowChange(row, base);
            if (!why.isEmpty())
                tip += QLatin1Char('\n') + tr("窗口改的：%1").arg(why);
        }
        if (marked != m_rowMarked.at(row) || (marked && w->toolTip() != tip))
            changemarks::setMarked(w, marked, tip);
        m_rowMarked[row] = marked;
    }
    for (int page = 1; page <= 5; ++page) {
        if (ui->tabWidget->tabIcon(page).isNull() == pageMarked[page])
            ui->tabWidget->setTabIcon(page, pageMarked[page] ? changemarks::tabIcon() : QIcon());
    }
    const int count = unsentCount();
    m_editCount->setVisible(count > 0);
    m_editCount->setText(count > 0 ? tr("%1 项修改未写入").arg(count) : QString());
    m_revertButton->setEnabled(count > 0);
    setWindowModified(count > 0);
}

void MainWindow::revertToBaseline()
{
    const ParamSet before = paramSet;
    const ParamSet base = baseline();
    for (const Binding &b : bindings())
        if (bindingSent(b) && bindingMarked(b))
            bindingCopy(b, base, paramSet);
    drDataSelet(paramSet);
    pushBulk(tr("恢复为发射机的设置"), before);
    ui_Display();
}

void MainWindow::pushBulk(const QString &text, const ParamSet &before)
{
    if (paramSet == before)
        return;
    m_undo->push(new BulkStep(text, before, paramSet, [this] { setChanged(); }));
}

void MainWindow::commandStarted(Link::Command command)
{
    // A Read whose answers are still coming ends before the next command.
    if (m_readPending)
        readEnded();
    m_readPending = command == Link::Read;
    if (m_readPending)
        m_readSections = 0;
    m_bulkBefore = paramSet;
    m_bulkBaseline = baseline();
    m_bulkCommand = command;
}

void MainWindow::commandEnded(Link::Command command, bool finished)
{
    m_keep.clear();
    m_reviewUnits.clear();
    m_bulkCommand = Link::Idle;
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
    const std::function<void()> then = std::move(m_afterCommand);
    m_afterCommand = nullptr;
    if (then && finished && (command == Link::Write || command == Link::Save))
        QTimer::singleShot(0, this, then);
}

void MainWindow::readEnded()
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
    const std::function<void()> then = std::move(m_afterRead);
    m_afterRead = nullptr;
    if (then)
        QTimer::singleShot(0, this, then);
}

// The same function builds the reset's frames (Link::reset).
ParamSet MainWindow::factoryCandidate() const
{
    return factoryResetOf(paramSet);
}

// After a Read, every setting the window holds otherwise than the
// transmitter is one the window changed: a value its widget cannot show
// (the refresh keeps it so), or one that follows such a value. Said in the
// status bar and kept for the marks and the review.
void MainWindow::noteWindowChanges()
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

QString MainWindow::windowChange(int row, const ParamSet &base) const
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
QVector<MainWindow::ReviewUnit> MainWindow::reviewUnits(const ParamSet &next, const ParamSet &base) const
{
    const QVector<Binding> &table = bindings();
    const QVector<int> differing = differingRows(next, base);
    auto rowOf = [&](Field field, int element) {
        for (int row : differing)
            if (table.at(row).field == field && table.at(row).element == element)
                return row;
        return -1;
    };
    QVector<ReviewUnit> units;
    QHash<int, int> unitOf;
    for (int row : differing) {
        const Field f = table.at(row).field;
        if (f == Field::drUp || f == Field::drDown)
            continue;
        unitOf.insert(row, units.size());
        units.append(ReviewUnit{row, QVector<int>{row}});
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
            units.append(ReviewUnit{row, QVector<int>{row}});
    }
    return units;
}

bool MainWindow::review(const ParamSet &candidate, const QString &newHeader, const std::function<void()> &go,
                        const std::function<void()> &again)
{
    m_keep.clear();
    m_reviewUnits.clear();
    // With no port open the command itself says so; nothing reaches the transmitter.
    if (!m_link.isOpen() || !preferences::reviewBeforeWriting()) {
        go();
        return true;
    }
    if (!m_link.deviceFullyKnown()) {
        QString unknown;
        if (m_link.deviceKnown()) {
            QStringList missing;
            for (int section = 1; section <= 19; ++section)
                if (!m_link.knownSections().contains(section))
                    missing << QString::number(section);
            unknown = tr("本次连接只读到发射机 %1/19 段设置（缺 %2），其余设置不知道会被改成什么。")
                          .arg(m_link.knownSections().size())
                          .arg(missing.join(QStringLiteral(", ")));
        } else {
            unknown = tr("本次连接还没有读取发射机的设置，不知道写入会改变哪些设置。");
        }
        ReviewDialog dialog(unknown + QLatin1Char('\n') + tr("先读取，再确认要改变的设置？"), this);
        dialog.exec();
        if (dialog.choice() == ReviewDialog::Cancel)
            return false;
        if (dialog.dontAskAgain())
            preferences::setReviewBeforeWriting(false);
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

    const ParamSet base = baseline();
    const ParamSet next = asSent(candidate);
    const QVector<ReviewUnit> units = reviewUnits(next, base);
    QVector<ReviewDialog::Row> rows;
    int byWindow = 0;
    for (const ReviewUnit &unit : units) {
        const Binding &b = bindings().at(unit.row);
        QString nextText = bindingValueText(b, next);
        // Nothing the user did not touch goes out unmarked.
        const QString why = windowChange(unit.row, base);
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
    ReviewDialog dialog(rows, newHeader, this);
    QStringList notes;
    if (byWindow > 0)
        notes << tr("其中 %1 项不是你改的：窗口显示不了发射机的值，改成了窗口的值。").arg(byWindow);
    // A new stick mode moves every stick's function, not one setting.
    for (const ReviewUnit &unit : units) {
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
        preferences::setReviewBeforeWriting(false);
    m_keep = dialog.unticked();
    m_reviewUnits = units;
    m_reviewCandidate = next;
    go();
    return true;
}

// Right before the first frame. Unticked rows: the frames carry the
// transmitter's own values, and the window keeps what it had before the
// command (an unsent edit stays one). The read-back is then held to what
// the review promised: ticked rows new, unticked ones as they were.
void MainWindow::keepUnticked()
{
    const QVector<ReviewUnit> units = std::move(m_reviewUnits);
    const QVector<int> unticked = std::move(m_keep);
    m_reviewUnits.clear();
    m_keep.clear();
    if (units.isEmpty())
        return;
    const QVector<Binding> &table = bindings();
    const ParamSet base = baseline();
    QVector<int> kept;
    QVector<QPair<Field, int>> promised;
    for (const ReviewUnit &unit : units) {
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
            bindingCopy(table.at(row), m_bulkBefore, paramSet);
        drDataSelet(paramSet);
        m_link.setFrameAdjust(keep);
    }
    ParamSet promise = m_reviewCandidate;
    keep(promise);
    m_link.setPromise(asSent(promise), promised);
}

// "有 N 项修改尚未写入发射机": write (or save) them, drop them, or stay.
// True when the caller may go on at once.
bool MainWindow::askUnsent(const std::function<void()> &then, bool revertOnDiscard)
{
    const int count = unsentCount();
    if (count == 0)
        return true;
    const bool open = m_link.isOpen();
    QMessageBox box(QMessageBox::Question, tr("提示"), tr("有 %1 项修改尚未写入发射机").arg(count), QMessageBox::NoButton,
                    this);
    QPushButton *keep = box.addButton(open ? tr("写入") : tr("保存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(tr("放弃"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(keep);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard) {
        // While the port is open the baseline is the transmitter's.
        if (revertOnDiscard)
            revertToBaseline();
        return true;
    }
    if (box.clickedButton() == keep && !m_link.isBusy()) {
        m_afterCommand = then;
        if (open)
            on_toolButton_Send_clicked();
        else
            on_toolButton_Save_clicked();
        if (!m_link.isBusy())
            m_afterCommand = nullptr;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (askUnsent([this] { close(); }))
        event->accept();
    else
        event->ignore();
}
