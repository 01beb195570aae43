#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QCoreApplication>
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
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QShortcut>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
#endif

#include "backups.h"
#include "fields.h"
#include "frames.h"
#include "packets.h"
#include "paramfile.h"
#include "paramset.h"
#include "rules.h"
#include "livecsv.h"
#include "recorder.h"
#include "scopewindow.h"
#include "setupsheet.h"
#include "statuspanel.h"

namespace {

// The open button's text tells the link state, so it goes through the same
// translation as the form's.
const char *const kClosedText = QT_TRANSLATE_NOOP("MainWindow", "打开串口");
const char *const kOpenText = QT_TRANSLATE_NOOP("MainWindow", "关闭串口");
const char *const kRedLamp = ":/myImage/images/red.png";
const char *const kGreenLamp = ":/myImage/images/green.png";
const char *const kNormalSheet = ":/comboBox.qss";
const char *const kDwellSheet = ":/comboBox_REV.qss";

// Longest a close waits for "DIS" to leave; a vanished device must not hang us.
const int kDisconnectFlushMs = 300;
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

// Widget bindings of the settings pages: which widget shows which field.
using SpinMember = QSpinBox *Ui_MainWindow::*;
using ComboMember = QComboBox *Ui_MainWindow::*;

struct SpinBinding {
    SpinMember box;
    Field field;
    int index;
};

struct ComboBinding {
    ComboMember box;
    Field field;
    int index;
};

// True when the device at the other end of the port has hung up: the port
// reads as end of file (readable, no bytes). Only Unix reports it this way.
bool deviceHungUp(qintptr handle)
{
#ifdef Q_OS_UNIX
    pollfd p{int(handle), POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0)
        return false;
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
        return true;
    int waiting = 0;
    return (p.revents & POLLIN) && ::ioctl(int(handle), FIONREAD, &waiting) == 0 && waiting == 0;
#else
    Q_UNUSED(handle);
    return false;
#endif
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
    // The status bar comes below the form, which keeps its whole size.
    m_status = new StatusPanel(statusBar(), m_link, this);
    resize(width(), height() + statusBar()->sizeHint().height());

    // Typed names let a port the system does not list (a pseudo-terminal, a
    // network bridge) be opened; typing never adds an item to the list.
    ui->portNameBox->setEditable(true);
    ui->portNameBox->setInsertPolicy(QComboBox::NoInsert);

    connect(&serialPort, &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    // The acknowledgement leaves at once: the first flush writes it, the
    // second completes the write, so no further turns of the event loop are
    // spent on it.
    m_link.setFlush([this] {
        if (!serialPort.flush())
            return;
        serialPort.flush();
    });
    connect(&serialPort, &QSerialPort::errorOccurred, this, &MainWindow::portError);
    connect(&m_link, &Link::busyChanged, this, [this](bool busy) { setCommandsEnabled(!busy); });
    connect(&m_link, &Link::refreshNow, this, &MainWindow::ui_Display);
    connect(&m_link, &Link::portNeeded, this, [this] { showNoPortBox(tr("请先打开串口")); });
    connect(&m_link, &Link::aboutToOverwrite, this, &MainWindow::makeBackup);
    connect(&m_link, &Link::aborted, this, [this](Link::Command command) {
        if (command == Link::Save)
            m_saveFile.reset(); // the old file stays as it was
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

    ui->tabWidget->setCurrentIndex(0);

    refreshTimer = new QTimer(this);
    refreshTimer->start(100);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
}

MainWindow::~MainWindow()
{
    // Leaving while connected says goodbye as the close button does.
    if (serialPort.isOpen())
        m_link.close(kDisconnectFlushMs);
    delete ui;
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
    if (serialPort.isOpen()) {
        m_link.close(kDisconnectFlushMs);
        showClosedPanel();
        return;
    }

    const QString name = ui->portNameBox->currentText();
    serialPort.setPortName(name);
    serialPort.setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    serialPort.setDataBits(QSerialPort::Data8);
    serialPort.setParity(QSerialPort::NoParity);
    serialPort.setStopBits(QSerialPort::OneStop);
    serialPort.setFlowControl(QSerialPort::NoFlowControl);
    if (!serialPort.open(QIODevice::ReadWrite)) {
        QString why = serialPort.errorString();
#ifdef Q_OS_LINUX
        if (serialPort.error() == QSerialPort::PermissionError)
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
    m_link.opened();
}

// The panel as it is with no port open; the channels snap back to centre.
void MainWindow::showClosedPanel()
{
    liveValues.centreChannels();
    Servo_Display();

    ui->portNameBox->setEnabled(true);
    ui->openButton->setText(tr(kClosedText));
    ui->toolButton_led->setIcon(QIcon(QString::fromLatin1(kRedLamp)));
    m_status->setConnection(QString(), false);

    fillPortList(m_portName);
}

void MainWindow::portError(QSerialPort::SerialPortError error)
{
    if (!serialPort.isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    // After a hang-up the system's error text is a stale one; say what it is.
    const bool hungUp = deviceHungUp(serialPort.handle());
    if (hungUp || error == QSerialPort::ResourceError)
        portLost(hungUp ? tr(kHungUpText) : serialPort.errorString());
}

// The device went away under us (cable pulled, peer closed): close without a
// word to it, show the closed panel at once, then say why.
void MainWindow::portLost(const QString &reason)
{
    m_link.lost(reason);
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
    m_recordLabel->setText(tr("录制已停止：%1").arg(error));
    QTimer::singleShot(0, this, [error, kept] { showNote(tr("录制已停止：%1").arg(error), kept); });
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
    const backups::Result r =
        backups::write(backups::directory(), QLatin1String(names[command]), m_link.deviceSettings(),
                       QDateTime::currentDateTime());
    if (!r.ok) {
        qWarning("backup not written: %s", qPrintable(r.error));
        m_status->setBackupNote(tr("备份失败：%1").arg(r.error));
        return;
    }
    QString note = tr("已备份 %1").arg(QFileInfo(r.path).fileName());
    if (!m_link.deviceFullyKnown())
        note += tr("（已知 %1/19 段）").arg(m_link.knownSections().size());
    m_status->setBackupNote(note);
}

void MainWindow::showFileErrorBox()
{
    QMessageBox::critical(this, tr("错误"), tr("不能读取指定的文件!"), QMessageBox::Ok);
}

// One command at a time: its buttons stay off until it has ended.
void MainWindow::setCommandsEnabled(bool enabled)
{
    for (QWidget *button : {static_cast<QWidget *>(ui->toolButton_Read), static_cast<QWidget *>(ui->toolButton_Load),
                            static_cast<QWidget *>(ui->toolButton_Send), static_cast<QWidget *>(ui->toolButton_Save),
                            static_cast<QWidget *>(ui->toolButton_Reset), static_cast<QWidget *>(ui->pushButton_Reset2)})
        button->setEnabled(enabled);
}

void MainWindow::on_toolButton_Read_clicked() { m_link.read(); }
void MainWindow::on_toolButton_Send_clicked() { m_link.write(); }
void MainWindow::on_toolButton_Reset_clicked() { m_link.factoryReset(); }
void MainWindow::on_pushButton_Reset2_clicked() { m_link.secondReset(); }

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
    qDebug() << path;
    if (path.isEmpty())
        return false;
    m_status->setFile(path);

    // Written beside the old file and swapped in only when complete, so a
    // failed save never destroys the settings already on disk.
    m_saveFile = std::make_unique<ParameterFileWriter>(path);
    if (!m_saveFile->open()) {
        m_saveFile.reset();
        showFileErrorBox();
        return false;
    }
    return true;
}

// The file gets exactly the frames that were built (and sent) for it.
void MainWindow::storeSave()
{
    const std::unique_ptr<ParameterFileWriter> file = std::move(m_saveFile);
    if (file && !file->write(frameTexts))
        showFileErrorBox();
}

void MainWindow::on_toolButton_Load_clicked()
{
    m_link.load([this] { return prepareLoad(); });
}

// Runs with the stick trims blocked; true sends what the file brought.
bool MainWindow::prepareLoad()
{
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
        qDebug("Load refused: %s", qPrintable(file.reason));
        loadFileName.clear();
        showFileErrorBox();
        return false;
    }
    m_status->setFile(loadFileName);
    loadFileText = file.text;
    decodeParameterFile(file, paramSet);
    // A file with no recognisable frame is the wrong file: say so, send
    // nothing and keep the settings as they are.
    if (!file.ok()) {
        showFileErrorBox();
        return false;
    }
    if (!file.complete()) {
        qDebug("Load: %s", qPrintable(file.frames.summary()));
        m_status->setResultNote(tr("（只取了 %1 帧，未识别 %2）")
                                    .arg(file.frames.letters(), file.frames.letters(false)));
    }
    // Unchecked file content never reaches the transmitter.
    Dr_DataSelet();
    FalseSaveData();
    return true;
}

// ---------------------------------------------------------------- live monitor

void MainWindow::ui_Display()
{
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
    ui->lineEdit_TX->setText(voltText(r / 10));
}

void MainWindow::Recieve_Display()
{
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

void showAll(Ui_MainWindow *ui, const SpinBinding *b, int count)
{
    for (int i = 0; i < count; ++i)
        showValue(ui->*b[i].box, fieldValue(paramSet, b[i].field, b[i].index));
}

#define UI(name) &Ui_MainWindow::name
// Rows for the numbered widgets name1..nameN bound to field[1]..field[N].
#define BIND(w, f, i) {&Ui_MainWindow::w##i, Field::f, i}
#define BIND4(w, f) BIND(w, f, 1), BIND(w, f, 2), BIND(w, f, 3), BIND(w, f, 4)
#define BIND6(w, f) BIND4(w, f), BIND(w, f, 5), BIND(w, f, 6)
#define BIND7(w, f) BIND6(w, f), BIND(w, f, 7)
#define BIND8(w, f) BIND7(w, f), BIND(w, f, 8)

const ComboBinding revBindings[] = {BIND8(comboBox_rev, reverse)};
const SpinBinding epaBindings[] = {BIND8(spinBox_Lepa, epaLeft), BIND8(spinBox_Repa, epaRight)};
const SpinBinding subTrimBindings[] = {BIND8(spinBox_sub, subTrim)};
const SpinBinding failSafeBindings[] = {BIND8(spinBox_FS, failSafe)};
const SpinBinding delayBindings[] = {BIND8(spinBox_delay, servoDelay)};
const SpinBinding attitudeBindings[] = {BIND6(spinBox_Atti, attitude)};
const SpinBinding elevonBindings[] = {BIND6(spinBox_Elev0, elevon)};
const SpinBinding vtailBindings[] = {BIND4(spinBox_Ru, vtail)};
const SpinBinding throttleBindings[] = {BIND7(spinBox_THCURE_Data0, thrCurve)};

#undef BIND8
#undef BIND7
#undef BIND6
#undef BIND4
#undef BIND

// One programmable mix: Mix, Master, Slave, then offset, up and down rates.
struct MixWidgets {
    ComboMember mix, master, slave;
    SpinMember offset, up, down;
};
const MixWidgets mixWidgets[4] = {
    {UI(comboBox_PRM01_Mix), UI(comboBox_PRM01_Master), UI(comboBox_PRM01_Slave),
     UI(spinBox_PRM01_Data1), UI(spinBox_PRM01_Data2), UI(spinBox_PRM01_Data3)},
    {UI(comboBox_PRM02_Mix), UI(comboBox_PRM02_Master), UI(comboBox_PRM02_Slave),
     UI(spinBox_PRM02_Data1), UI(spinBox_PRM02_Data2), UI(spinBox_PRM02_Data3)},
    {UI(comboBox_PRM03_Mix), UI(comboBox_PRM03_Master), UI(comboBox_PRM03_Slave),
     UI(spinBox_PRM03_Data1), UI(spinBox_PRM03_Data2), UI(spinBox_PRM03_Data3)},
    {UI(comboBox_PRM04_Mix), UI(comboBox_PRM04_Master), UI(comboBox_PRM04_Slave),
     UI(spinBox_PRM04_Data1), UI(spinBox_PRM04_Data2), UI(spinBox_PRM04_Data3)},
};

const ComboMember auxBoxes[8] = {
    UI(comboBox_AUX1), UI(comboBox_AUX2), UI(comboBox_AUX3), UI(comboBox_AUX4),
    UI(comboBox_AUX5), UI(comboBox_AUX6), UI(comboBox_AUX7), UI(comboBox_AUX8),
};

#undef UI

template <int N>
constexpr int count(const SpinBinding (&)[N])
{
    return N;
}

// First hover counter of each display slot's watched combo boxes.
enum HoverSlot {
    HoverRev = 0,
    HoverAux = 8,
    HoverDR = 16,
    HoverAtti = 19,
    HoverElev = 20,
    HoverVtype = 21,
    HoverPrm = 22,
    HoverDRCure = 34,
    HoverTHcure = 38,
};

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
void MainWindow::hover(QComboBox *box, int &counter)
{
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

void MainWindow::Rev_Display()
{
    for (const ComboBinding &b : revBindings)
        (ui->*b.box)->setCurrentIndex(fieldValue(paramSet, b.field, b.index));
    for (int i = 0; i < 8; ++i)
        hover(ui->*revBindings[i].box, hoverCount[HoverRev + i]);
}

void MainWindow::EPA_Display() { showAll(ui, epaBindings, count(epaBindings)); }
void MainWindow::SubTrim_Display() { showAll(ui, subTrimBindings, count(subTrimBindings)); }
void MainWindow::FS_Display() { showAll(ui, failSafeBindings, count(failSafeBindings)); }
void MainWindow::Delay_Display() { showAll(ui, delayBindings, count(delayBindings)); }

void MainWindow::Aux_Display()
{
    // The first four aux boxes are reserved and always show their one item.
    for (int n = 1; n <= 8; ++n)
        (ui->*auxBoxes[n - 1])->setCurrentIndex(n <= 4 ? 0 : paramSet.auxSource[n]);
    for (int i = 0; i < 8; ++i)
        hover(ui->*auxBoxes[i], hoverCount[HoverAux + i]);
}

void MainWindow::DR_Display()
{
    // The channel first: its handler selects the rates shown just below.
    ui->comboBox_DR_MIX1->setCurrentIndex(paramSet.drMix);
    ui->comboBox_DR_CH1->setCurrentIndex(paramSet.drChannel);
    ui->comboBox_DR_SW1->setCurrentIndex(paramSet.drSwitch);
    showValue(ui->spinBox_DR_UP1, paramSet.drUp);
    showValue(ui->spinBox_DR_DOWN1, paramSet.drDown);
    hover(ui->comboBox_DR_MIX1, hoverCount[HoverDR]);
    hover(ui->comboBox_DR_CH1, hoverCount[HoverDR + 1]);
    hover(ui->comboBox_DR_SW1, hoverCount[HoverDR + 2]);
}

void MainWindow::Parameter_Display()
{
    showValue(ui->doubleSpinBox_Volt, paramSet.txAlarmVolt);
    showValue(ui->spinBox_Mode, paramSet.stickMode);
    showValue(ui->spinBox_Vertion, paramSet.firmwareVersion);
    showValue(ui->doubleSpinBox_rxVolt, paramSet.rxAlarmVolt);
    showValue(ui->doubleSpinBox_extVolt, paramSet.extAlarmVolt);
    showValue(ui->spinBox_Rssi, paramSet.rssiAlarm);
}

void MainWindow::Atti_Display()
{
    ui->comboBox_AttiM->setCurrentIndex(paramSet.attitudeChannel);
    showAll(ui, attitudeBindings, count(attitudeBindings));
    hover(ui->comboBox_AttiM, hoverCount[HoverAtti]);
}

void MainWindow::Elev_Display()
{
    ui->comboBox_EleMix->setCurrentIndex(paramSet.elevonMix);
    showAll(ui, elevonBindings, count(elevonBindings));
    hover(ui->comboBox_EleMix, hoverCount[HoverElev]);
}

void MainWindow::Vtype_Display()
{
    ui->comboBox_RuMix->setCurrentIndex(paramSet.vtailMix);
    showAll(ui, vtailBindings, count(vtailBindings));
    hover(ui->comboBox_RuMix, hoverCount[HoverVtype]);
}

void MainWindow::Prm_Display()
{
    for (int n = 1; n <= 4; ++n) {
        const MixWidgets &m = mixWidgets[n - 1];
        (ui->*m.mix)->setCurrentIndex(paramSet.prmMix[n]);
        (ui->*m.master)->setCurrentIndex(paramSet.prmMaster[n]);
        (ui->*m.slave)->setCurrentIndex(paramSet.prmSlave[n]);
        showValue(ui->*m.offset, paramSet.prmOffset[n]);
        showValue(ui->*m.up, paramSet.prmUpRate[n]);
        showValue(ui->*m.down, paramSet.prmDownRate[n]);
    }
    for (int n = 0; n < 4; ++n) {
        const MixWidgets &m = mixWidgets[n];
        hover(ui->*m.mix, hoverCount[HoverPrm + 3 * n]);
        hover(ui->*m.master, hoverCount[HoverPrm + 3 * n + 1]);
        hover(ui->*m.slave, hoverCount[HoverPrm + 3 * n + 2]);
    }
}

void MainWindow::DRCure_Display()
{
    ui->comboBox_DR_MIX2->setCurrentIndex(paramSet.drMix);
    ui->comboBox_DR_CH2->setCurrentIndex(paramSet.drChannel);
    ui->comboBox_DR_SW2->setCurrentIndex(paramSet.drSwitch);
    ui->comboBox_DR_POSI->setCurrentIndex(paramSet.drPosition);
    showValue(ui->spinBox_DR_RATE, paramSet.drCurveRate);
    showValue(ui->spinBox_DR_EXP, paramSet.drCurveExpo);
    hover(ui->comboBox_DR_MIX2, hoverCount[HoverDRCure]);
    hover(ui->comboBox_DR_CH2, hoverCount[HoverDRCure + 1]);
    hover(ui->comboBox_DR_SW2, hoverCount[HoverDRCure + 2]);
    hover(ui->comboBox_DR_POSI, hoverCount[HoverDRCure + 3]);
}

void MainWindow::THcure_Display()
{
    ui->comboBox_THCURE_MIX->setCurrentIndex(paramSet.thrCurveMix);
    showAll(ui, throttleBindings, count(throttleBindings));
    hover(ui->comboBox_THCURE_MIX, hoverCount[HoverTHcure]);
}

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
        texts[k]->setText(QString::number(paramSet.stickTrim[row[k]] - 120));
}

// ---------------------------------------------------------------- edit handlers

// Each stores its widget's value unchanged; the range rules repair only what
// arrives from the transmitter or a file.

void MainWindow::on_spinBox_sub1_valueChanged(int arg1) { paramSet.subTrim[1] = arg1; }
void MainWindow::on_spinBox_sub2_valueChanged(int arg1) { paramSet.subTrim[2] = arg1; }
void MainWindow::on_spinBox_sub3_valueChanged(int arg1) { paramSet.subTrim[3] = arg1; }
void MainWindow::on_spinBox_sub4_valueChanged(int arg1) { paramSet.subTrim[4] = arg1; }
void MainWindow::on_spinBox_sub5_valueChanged(int arg1) { paramSet.subTrim[5] = arg1; }
void MainWindow::on_spinBox_sub6_valueChanged(int arg1) { paramSet.subTrim[6] = arg1; }
void MainWindow::on_spinBox_sub7_valueChanged(int arg1) { paramSet.subTrim[7] = arg1; }
void MainWindow::on_spinBox_sub8_valueChanged(int arg1) { paramSet.subTrim[8] = arg1; }
void MainWindow::on_spinBox_Lepa1_valueChanged(int arg1) { paramSet.epaLeft[1] = arg1; }
void MainWindow::on_spinBox_Lepa2_valueChanged(int arg1) { paramSet.epaLeft[2] = arg1; }
void MainWindow::on_spinBox_Lepa3_valueChanged(int arg1) { paramSet.epaLeft[3] = arg1; }
void MainWindow::on_spinBox_Lepa4_valueChanged(int arg1) { paramSet.epaLeft[4] = arg1; }
void MainWindow::on_spinBox_Lepa5_valueChanged(int arg1) { paramSet.epaLeft[5] = arg1; }
void MainWindow::on_spinBox_Lepa6_valueChanged(int arg1) { paramSet.epaLeft[6] = arg1; }
void MainWindow::on_spinBox_Lepa7_valueChanged(int arg1) { paramSet.epaLeft[7] = arg1; }
void MainWindow::on_spinBox_Lepa8_valueChanged(int arg1) { paramSet.epaLeft[8] = arg1; }
void MainWindow::on_spinBox_Repa1_valueChanged(int arg1) { paramSet.epaRight[1] = arg1; }
void MainWindow::on_spinBox_Repa2_valueChanged(int arg1) { paramSet.epaRight[2] = arg1; }
void MainWindow::on_spinBox_Repa3_valueChanged(int arg1) { paramSet.epaRight[3] = arg1; }
void MainWindow::on_spinBox_Repa4_valueChanged(int arg1) { paramSet.epaRight[4] = arg1; }
void MainWindow::on_spinBox_Repa5_valueChanged(int arg1) { paramSet.epaRight[5] = arg1; }
void MainWindow::on_spinBox_Repa6_valueChanged(int arg1) { paramSet.epaRight[6] = arg1; }
void MainWindow::on_spinBox_Repa7_valueChanged(int arg1) { paramSet.epaRight[7] = arg1; }
void MainWindow::on_spinBox_Repa8_valueChanged(int arg1) { paramSet.epaRight[8] = arg1; }
void MainWindow::on_spinBox_FS1_valueChanged(int arg1) { paramSet.failSafe[1] = arg1; }
void MainWindow::on_spinBox_FS2_valueChanged(int arg1) { paramSet.failSafe[2] = arg1; }
void MainWindow::on_spinBox_FS3_valueChanged(int arg1) { paramSet.failSafe[3] = arg1; }
void MainWindow::on_spinBox_FS4_valueChanged(int arg1) { paramSet.failSafe[4] = arg1; }
void MainWindow::on_spinBox_FS5_valueChanged(int arg1) { paramSet.failSafe[5] = arg1; }
void MainWindow::on_spinBox_FS6_valueChanged(int arg1) { paramSet.failSafe[6] = arg1; }
void MainWindow::on_spinBox_FS7_valueChanged(int arg1) { paramSet.failSafe[7] = arg1; }
void MainWindow::on_spinBox_FS8_valueChanged(int arg1) { paramSet.failSafe[8] = arg1; }
void MainWindow::on_spinBox_delay1_valueChanged(int arg1) { paramSet.servoDelay[1] = arg1; }
void MainWindow::on_spinBox_delay2_valueChanged(int arg1) { paramSet.servoDelay[2] = arg1; }
void MainWindow::on_spinBox_delay3_valueChanged(int arg1) { paramSet.servoDelay[3] = arg1; }
void MainWindow::on_spinBox_delay4_valueChanged(int arg1) { paramSet.servoDelay[4] = arg1; }
void MainWindow::on_spinBox_delay5_valueChanged(int arg1) { paramSet.servoDelay[5] = arg1; }
void MainWindow::on_spinBox_delay6_valueChanged(int arg1) { paramSet.servoDelay[6] = arg1; }
void MainWindow::on_spinBox_delay7_valueChanged(int arg1) { paramSet.servoDelay[7] = arg1; }
void MainWindow::on_spinBox_delay8_valueChanged(int arg1) { paramSet.servoDelay[8] = arg1; }
void MainWindow::on_comboBox_rev1_currentIndexChanged(int index) { paramSet.reverse[1] = index; }
void MainWindow::on_comboBox_rev2_currentIndexChanged(int index) { paramSet.reverse[2] = index; }
void MainWindow::on_comboBox_rev3_currentIndexChanged(int index) { paramSet.reverse[3] = index; }
void MainWindow::on_comboBox_rev4_currentIndexChanged(int index) { paramSet.reverse[4] = index; }
void MainWindow::on_comboBox_rev5_currentIndexChanged(int index) { paramSet.reverse[5] = index; }
void MainWindow::on_comboBox_rev6_currentIndexChanged(int index) { paramSet.reverse[6] = index; }
void MainWindow::on_comboBox_rev7_currentIndexChanged(int index) { paramSet.reverse[7] = index; }
void MainWindow::on_comboBox_rev8_currentIndexChanged(int index) { paramSet.reverse[8] = index; }
void MainWindow::on_comboBox_AUX5_currentIndexChanged(int index) { paramSet.auxSource[5] = index; }
void MainWindow::on_comboBox_AUX6_currentIndexChanged(int index) { paramSet.auxSource[6] = index; }
void MainWindow::on_comboBox_AUX7_currentIndexChanged(int index) { paramSet.auxSource[7] = index; }
void MainWindow::on_comboBox_AUX8_currentIndexChanged(int index) { paramSet.auxSource[8] = index; }
void MainWindow::on_comboBox_DR_MIX1_currentIndexChanged(int index) { paramSet.drMix = index; }
void MainWindow::on_comboBox_DR_MIX2_currentIndexChanged(int index) { paramSet.drMix = index; }
// The curve group's channel box only stores the channel; the selection
// follows when the refresh moves comboBox_DR_CH1 to it.
void MainWindow::on_comboBox_DR_CH2_currentIndexChanged(int index) { paramSet.drChannel = index; }
void MainWindow::on_comboBox_DR_SW2_currentIndexChanged(int index) { paramSet.drSwitch = index; }
// The alarm voltages keep their tenths companions until the next frame build.
void MainWindow::on_doubleSpinBox_Volt_valueChanged(double arg1) { paramSet.txAlarmVolt = arg1; }
void MainWindow::on_doubleSpinBox_rxVolt_valueChanged(double arg1) { paramSet.rxAlarmVolt = arg1; }
void MainWindow::on_doubleSpinBox_extVolt_valueChanged(double arg1) { paramSet.extAlarmVolt = arg1; }
void MainWindow::on_spinBox_Rssi_valueChanged(int arg1) { paramSet.rssiAlarm = arg1; }
void MainWindow::on_spinBox_Mode_valueChanged(int arg1) { paramSet.stickMode = arg1; }
void MainWindow::on_spinBox_Vertion_valueChanged(int arg1) { paramSet.firmwareVersion = arg1; }
void MainWindow::on_comboBox_AttiM_currentIndexChanged(int index) { paramSet.attitudeChannel = index; }
void MainWindow::on_spinBox_Atti1_valueChanged(int arg1) { paramSet.attitude[1] = arg1; }
void MainWindow::on_spinBox_Atti2_valueChanged(int arg1) { paramSet.attitude[2] = arg1; }
void MainWindow::on_spinBox_Atti3_valueChanged(int arg1) { paramSet.attitude[3] = arg1; }
void MainWindow::on_spinBox_Atti4_valueChanged(int arg1) { paramSet.attitude[4] = arg1; }
void MainWindow::on_spinBox_Atti5_valueChanged(int arg1) { paramSet.attitude[5] = arg1; }
void MainWindow::on_spinBox_Atti6_valueChanged(int arg1) { paramSet.attitude[6] = arg1; }
void MainWindow::on_comboBox_EleMix_currentIndexChanged(int index) { paramSet.elevonMix = index; }
void MainWindow::on_spinBox_Elev01_valueChanged(int arg1) { paramSet.elevon[1] = arg1; }
void MainWindow::on_spinBox_Elev02_valueChanged(int arg1) { paramSet.elevon[2] = arg1; }
void MainWindow::on_spinBox_Elev03_valueChanged(int arg1) { paramSet.elevon[3] = arg1; }
void MainWindow::on_spinBox_Elev04_valueChanged(int arg1) { paramSet.elevon[4] = arg1; }
void MainWindow::on_spinBox_Elev05_valueChanged(int arg1) { paramSet.elevon[5] = arg1; }
void MainWindow::on_spinBox_Elev06_valueChanged(int arg1) { paramSet.elevon[6] = arg1; }
void MainWindow::on_comboBox_RuMix_currentIndexChanged(int index) { paramSet.vtailMix = index; }
void MainWindow::on_spinBox_Ru1_valueChanged(int arg1) { paramSet.vtail[1] = arg1; }
void MainWindow::on_spinBox_Ru2_valueChanged(int arg1) { paramSet.vtail[2] = arg1; }
void MainWindow::on_spinBox_Ru3_valueChanged(int arg1) { paramSet.vtail[3] = arg1; }
void MainWindow::on_spinBox_Ru4_valueChanged(int arg1) { paramSet.vtail[4] = arg1; }
void MainWindow::on_comboBox_PRM01_Mix_currentIndexChanged(int index) { paramSet.prmMix[1] = index; }
void MainWindow::on_comboBox_PRM01_Master_currentIndexChanged(int index) { paramSet.prmMaster[1] = index; }
void MainWindow::on_comboBox_PRM01_Slave_currentIndexChanged(int index) { paramSet.prmSlave[1] = index; }
void MainWindow::on_spinBox_PRM01_Data1_valueChanged(int arg1) { paramSet.prmOffset[1] = arg1; }
void MainWindow::on_spinBox_PRM01_Data2_valueChanged(int arg1) { paramSet.prmUpRate[1] = arg1; }
void MainWindow::on_spinBox_PRM01_Data3_valueChanged(int arg1) { paramSet.prmDownRate[1] = arg1; }
void MainWindow::on_comboBox_PRM02_Mix_currentIndexChanged(int index) { paramSet.prmMix[2] = index; }
void MainWindow::on_comboBox_PRM02_Master_currentIndexChanged(int index) { paramSet.prmMaster[2] = index; }
void MainWindow::on_comboBox_PRM02_Slave_currentIndexChanged(int index) { paramSet.prmSlave[2] = index; }
void MainWindow::on_spinBox_PRM02_Data1_valueChanged(int arg1) { paramSet.prmOffset[2] = arg1; }
void MainWindow::on_spinBox_PRM02_Data2_valueChanged(int arg1) { paramSet.prmUpRate[2] = arg1; }
void MainWindow::on_spinBox_PRM02_Data3_valueChanged(int arg1) { paramSet.prmDownRate[2] = arg1; }
void MainWindow::on_comboBox_PRM03_Mix_currentIndexChanged(int index) { paramSet.prmMix[3] = index; }
void MainWindow::on_comboBox_PRM03_Master_currentIndexChanged(int index) { paramSet.prmMaster[3] = index; }
void MainWindow::on_comboBox_PRM03_Slave_currentIndexChanged(int index) { paramSet.prmSlave[3] = index; }
void MainWindow::on_spinBox_PRM03_Data1_valueChanged(int arg1) { paramSet.prmOffset[3] = arg1; }
void MainWindow::on_spinBox_PRM03_Data2_valueChanged(int arg1) { paramSet.prmUpRate[3] = arg1; }
void MainWindow::on_spinBox_PRM03_Data3_valueChanged(int arg1) { paramSet.prmDownRate[3] = arg1; }
void MainWindow::on_comboBox_PRM04_Mix_currentIndexChanged(int index) { paramSet.prmMix[4] = index; }
void MainWindow::on_comboBox_PRM04_Master_currentIndexChanged(int index) { paramSet.prmMaster[4] = index; }
void MainWindow::on_comboBox_PRM04_Slave_currentIndexChanged(int index) { paramSet.prmSlave[4] = index; }
void MainWindow::on_spinBox_PRM04_Data1_valueChanged(int arg1) { paramSet.prmOffset[4] = arg1; }
void MainWindow::on_spinBox_PRM04_Data2_valueChanged(int arg1) { paramSet.prmUpRate[4] = arg1; }
void MainWindow::on_spinBox_PRM04_Data3_valueChanged(int arg1) { paramSet.prmDownRate[4] = arg1; }
void MainWindow::on_comboBox_THCURE_MIX_currentIndexChanged(int index) { paramSet.thrCurveMix = index; }
void MainWindow::on_spinBox_THCURE_Data01_valueChanged(int arg1) { paramSet.thrCurve[1] = arg1; }
void MainWindow::on_spinBox_THCURE_Data02_valueChanged(int arg1) { paramSet.thrCurve[2] = arg1; }
void MainWindow::on_spinBox_THCURE_Data03_valueChanged(int arg1) { paramSet.thrCurve[3] = arg1; }
void MainWindow::on_spinBox_THCURE_Data04_valueChanged(int arg1) { paramSet.thrCurve[4] = arg1; }
void MainWindow::on_spinBox_THCURE_Data05_valueChanged(int arg1) { paramSet.thrCurve[5] = arg1; }
void MainWindow::on_spinBox_THCURE_Data06_valueChanged(int arg1) { paramSet.thrCurve[6] = arg1; }
void MainWindow::on_spinBox_THCURE_Data07_valueChanged(int arg1) { paramSet.thrCurve[7] = arg1; }

// Dual rate: two groups edit the same per-channel tables. drChannel 4 selects
// no table entry; any drPosition but 0 is the DOWN position.
void MainWindow::on_comboBox_DR_CH1_currentIndexChanged(int index)
{
    paramSet.drChannel = index;
    Dr_DataSelet();
}

void MainWindow::on_comboBox_DR_POSI_currentIndexChanged(int index)
{
    paramSet.drPosition = index;
    Dr_DataSelet();
}

void MainWindow::on_spinBox_DR_UP1_valueChanged(int arg1)
{
    editDualRate(paramSet, DualRateEdit::Up, arg1);
}

void MainWindow::on_spinBox_DR_DOWN1_valueChanged(int arg1)
{
    editDualRate(paramSet, DualRateEdit::Down, arg1);
}

void MainWindow::on_spinBox_DR_RATE_valueChanged(int arg1)
{
    editDualRate(paramSet, DualRateEdit::CurveRate, arg1);
}

void MainWindow::on_spinBox_DR_EXP_valueChanged(int arg1)
{
    editDualRate(paramSet, DualRateEdit::CurveExpo, arg1);
}
