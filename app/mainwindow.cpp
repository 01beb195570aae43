#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QEventLoop>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QUndoStack>

#include "airframecheck.h"
#include "connection.h"
#include "curvewidgets.h"
#include "editsession.h"
#include "emptystate.h"
#include "fieldhelpers.h"
#include "filecontroller.h"
#include "formbinder.h"
#include "frames.h"
#include "keyboard.h"
#include "librarypanel.h"
#include "liveview.h"
#include "packets.h"
#include "preferences.h"
#include "readouts.h"
#include "rules.h"
#include "scopelauncher.h"
#include "setuptools.h"
#include "statuspanel.h"
#include "verifybox.h"
#include "wheelguard.h"
#include "windowplacement.h"
#include "varnixversion.h"
#include "writereview.h"

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
    // The form's name with the program's version; the mark is for unsent edits.
    setWindowTitle(windowTitle() + QStringLiteral("-V" VARNIX_VERSION "[*]"));
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
    m_binder = new FormBinder(form, ui->tabWidget, this);
    // The first four aux boxes are reserved, bound to nothing.
    m_binder->setFixed({ui->comboBox_AUX1, ui->comboBox_AUX2, ui->comboBox_AUX3, ui->comboBox_AUX4});
    m_session = new EditSession(m_link, m_binder, m_status, this);
    m_review = new WriteReview(m_link, m_session, m_settings, this, [this] { on_toolButton_Send_clicked(); },
                               [this] { on_toolButton_Save_clicked(); });
    m_files = new FileController(m_link, m_session, m_review, m_status, this);
    m_status->addEditButtons(m_session->undoStack());
    connect(m_status, &StatusPanel::revertRequested, m_session, &EditSession::revertToBaseline);
    connect(m_status, &StatusPanel::settingsRequested, this, [this] {
        PreferencesDialog dialog(m_settings, this);
        if (dialog.exec() == QDialog::Accepted) {
            m_link.setVerify(m_settings.verifyAfterWrite());
            if (m_settings.libraryFolder() != m_library->library().folder())
                m_library->setFolder(m_settings.libraryFolder());
        }
    });
    connect(m_session, &EditSession::setChanged, this, &MainWindow::ui_Display);
    connect(m_session, &EditSession::unsentChanged, this, [this](int count) {
        m_status->setUnsent(count);
        setWindowModified(count > 0);
    });

    m_fullSize = QSize(formSize.width(), formSize.height() + statusBar()->sizeHint().height());
    if (const QScreen *s = screen())
        fitInto(s->availableGeometry());
    else
        resize(m_fullSize);

    LiveView::Widgets live{
        {ui->lineEdit, ui->lineEdit_2, ui->lineEdit_3, ui->lineEdit_4, ui->lineEdit_5, ui->lineEdit_6, ui->lineEdit_7,
         ui->lineEdit_8},
        {ui->progressBar_10, ui->progressBar_20, ui->progressBar_30, ui->progressBar_40, ui->progressBar_50,
         ui->progressBar_60, ui->progressBar_70, ui->progressBar_80},
        {ui->progressBar_11, ui->progressBar_21, ui->progressBar_31, ui->progressBar_41, ui->progressBar_51,
         ui->progressBar_61, ui->progressBar_71, ui->progressBar_81},
        ui->lineEdit_TX, ui->lineEdit_RSSI, ui->lineEdit_EXT, ui->lineEdit_RX,
        {ui->lineEdit_Trim_1, ui->lineEdit_Trim_2, ui->lineEdit_Trim_3, ui->lineEdit_Trim_4}};
    m_live = new LiveView(live, this);

    m_connection = new ConnectionController({ui->portNameBox, ui->openButton, ui->toolButton_led}, m_port, m_link,
                                            m_status, m_settings, this);
    m_connection->setCloseGuard([this](const std::function<void()> &retry) { return m_review->askUnsent(retry, true); });
    connect(m_connection, &ConnectionController::closed, this, [this] {
        m_live->showClosed();
        m_session->readEnded();
    });
    setUpLiveViews();

    connect(&serialPort, &QSerialPort::readyRead, this, &MainWindow::serialPort_readyRead);
    connect(&m_link, &Link::busyChanged, this, [this](bool busy) { setCommandsEnabled(!busy); });
    connect(&m_link, &Link::refreshNow, this, &MainWindow::ui_Display);
    connect(&m_link, &Link::portNeeded, this, [this] { m_connection->showNoPortBox(tr("请先打开串口")); });
    connect(&m_link, &Link::aboutToOverwrite, m_files, &FileController::makeBackup);
    connect(&m_link, &Link::aboutToOverwrite, m_review, &WriteReview::keepUnticked);
    connect(&m_link, &Link::aborted, this, [this](Link::Command command) {
        if (command == Link::Save)
            m_files->dropSave();
        commandEnded(command, false);
    });
    connect(&m_link, &Link::cancelled, this, [this](Link::Command command) { commandEnded(command, false); });
    connect(&m_link, &Link::started, m_session, &EditSession::commandStarted);
    connect(&m_link, &Link::finished, this, [this](Link::Command command) { commandEnded(command, true); });
    connect(&m_link, &Link::readReport, m_session, &EditSession::readEnded);
    connect(&m_link, &Link::packetReceived, m_live, &LiveView::packetCame);

    m_scope = new ScopeLauncher(m_link, this);
    connect(m_scope, &ScopeLauncher::printSheetRequested, m_files, &FileController::saveSetupSheet);
    auto *setupTools = new SetupTools(m_link, m_session, this);

    // A read-back that did not verify asks to write again.
    new VerifyBox(m_link, this, [this](Link::Command command) {
        if (command == Link::Reset)
            on_toolButton_Reset_clicked();
        else if (command == Link::Reset2)
            on_pushButton_Reset2_clicked();
        else
            on_toolButton_Send_clicked(); // a Load's settings are the window's now
    });

    // The live page says what to do while no transmitter is heard.
    auto *empty = new EmptyState(ui->tabWidget->widget(0));
    connect(m_connection, &ConnectionController::opened, empty, &EmptyState::showWaiting);
    connect(m_connection, &ConnectionController::noData, empty, &EmptyState::showNoData);
    connect(m_connection, &ConnectionController::receivingStarted, empty, &EmptyState::hide);
    connect(m_connection, &ConnectionController::closed, empty, &EmptyState::showClosed);
    auto *helpers = new FieldHelpers(m_link, m_session, m_status, m_connection, statusBar(), this,
                                     [this] { on_toolButton_Send_clicked(); });
    // One tools menu in the status bar: templates, compare, the airframe check, the helpers.
    QMenu *tools = helpers->menu();
    QAction *first = tools->actions().value(0);
    tools->insertActions(first, setupTools->actions());
    tools->insertAction(first, m_airframeAction);
    tools->insertSeparator(first);

    (new WheelGuard(this))->guard(centralWidget());
    new KeyboardAccess(this);

    // The setups library: after the keys, as it takes over Ctrl+S.
    m_library = new LibraryPanel(m_link, m_session, m_files, m_settings, this);
    addDockWidget(Qt::RightDockWidgetArea, m_library);
    m_library->hide();
    setupTools->setLibrary(m_library);
    connect(m_library, &LibraryPanel::currentChanged, this, &MainWindow::airframeFromSetup);
    m_files->setSheetInfo([this] {
        const QString file = m_library->currentFile();
        return file.isEmpty() ? SetupInfo() : SetupLibrary::read(file).info;
    });

    ui->tabWidget->setCurrentIndex(0);

    refreshTimer = new QTimer(this);
    refreshTimer->start(readouts::refreshMs);
    connect(refreshTimer, &QTimer::timeout, this, &MainWindow::ui_Display);
}

MainWindow::~MainWindow()
{
    // The widgets go before the undo stack, which reports its clearing.
    m_session->undoStack()->blockSignals(true);
    disconnect(qApp, nullptr, m_session, nullptr);
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

void MainWindow::presetPortName(const QString &name) { m_connection->presetPortName(name); }
void MainWindow::setPortSource(const PortSource &source) { m_connection->ports()->setSource(source); }
ScopeWindow *MainWindow::showScope() { return m_scope->showScope(); }
void MainWindow::startRecording(const QString &path) { m_scope->startRecording(path); }
Recorder &MainWindow::recorder() { return m_scope->recorder(); }
void MainWindow::saveSetupSheet() { m_files->saveSetupSheet(); }
QUndoStack *MainWindow::undoStack() const { return m_session->undoStack(); }
ParamSet MainWindow::baseline() const { return m_session->baseline(); }
int MainWindow::unsentCount() const { return m_session->unsentCount(); }
void MainWindow::revertToBaseline() { m_session->revertToBaseline(); }

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_review->askUnsent([this] { close(); }))
        event->accept();
    else
        event->ignore();
}

// The live outputs on the two curves and in the airframe check; no marker
// while the port is closed.
void MainWindow::setUpLiveViews()
{
    connect(&m_link, &Link::packetReceived, this, [this](const PacketResult &result) {
        if (result.kind != PacketKind::Channel)
            return;
        ui->widget_3->showLive(liveValues);
        ui->widget_4->showLive(liveValues);
    });
    connect(m_connection, &ConnectionController::closed, this, [this] {
        ui->widget_3->hideLive();
        ui->widget_4->hideLive();
        if (m_airframeCheck)
            m_airframeCheck->hideLive();
    });
    m_airframeAction = new QAction(tr("机型检查"), this);
    m_airframeAction->setObjectName(QStringLiteral("actionAirframeCheck"));
    m_airframeAction->setToolTip(tr("机型检查：F7"));
    m_airframeAction->setShortcut(QKeySequence(Qt::Key_F7));
    addAction(m_airframeAction);
    connect(m_airframeAction, &QAction::triggered, this, &MainWindow::showAirframeCheck);
}

// The airframe check draws the type of the setup the pages hold.
void MainWindow::airframeFromSetup(const QString &file)
{
    if (!m_airframeCheck || file.isEmpty())
        return;
    const LibrarySetup setup = SetupLibrary::read(file);
    if (setup.hasSidecar)
        m_airframeCheck->setAirframe(setup.info.type);
}

AirframeCheck *MainWindow::showAirframeCheck()
{
    if (!m_airframeCheck)
        m_airframeCheck = new AirframeCheck(m_link, m_session, m_settings, [this] { on_toolButton_Send_clicked(); },
                                            this);
    airframeFromSetup(m_library->currentFile());
    m_airframeCheck->show();
    m_airframeCheck->raise();
    m_airframeCheck->activateWindow();
    return m_airframeCheck;
}

// ---------------------------------------------------------------- commands

void MainWindow::on_openButton_clicked() { m_connection->toggle(); }
void MainWindow::serialPort_readyRead() { m_link.receive(); }
int MainWindow::byteArrayToInt(QByteArray b, int a) { return ::byteArrayToInt(b, a); }

// One command at a time: its buttons stay off until it has ended.
void MainWindow::setCommandsEnabled(bool enabled)
{
    for (QWidget *button : {static_cast<QWidget *>(ui->toolButton_Read), static_cast<QWidget *>(ui->toolButton_Load),
                            static_cast<QWidget *>(ui->toolButton_Send), static_cast<QWidget *>(ui->toolButton_Save),
                            static_cast<QWidget *>(ui->toolButton_Reset), static_cast<QWidget *>(ui->pushButton_Reset2)})
        button->setEnabled(enabled);
}

void MainWindow::commandEnded(Link::Command command, bool finished)
{
    m_session->commandEnded(command, finished);
    m_review->commandEnded(command, finished);
}

void MainWindow::on_toolButton_Read_clicked() { m_link.read(); }
void MainWindow::on_toolButton_Load_clicked() { m_files->load(); }
void MainWindow::on_toolButton_Save_clicked() { m_files->save(); }

// Write and both resets: the review first, when the port is open.
void MainWindow::on_toolButton_Send_clicked()
{
    if (!m_link.isBusy())
        m_review->review(paramSet, tr("写入后"), [this] { m_link.write(); }, [this] { on_toolButton_Send_clicked(); });
}

void MainWindow::on_toolButton_Reset_clicked()
{
    if (!m_link.isBusy())
        m_review->review(factoryCandidate(), tr("出厂值"), [this] { m_link.factoryReset(); },
                         [this] { on_toolButton_Reset_clicked(); });
}

void MainWindow::on_pushButton_Reset2_clicked()
{
    if (!m_link.isBusy())
        m_review->review(factoryCandidate(), tr("出厂值"), [this] { m_link.secondReset(); },
                         [this] { on_pushButton_Reset2_clicked(); });
}

// The same function builds the reset's frames (Link::reset).
ParamSet MainWindow::factoryCandidate() const
{
    return factoryResetOf(paramSet);
}

void MainWindow::SendData1() { m_link.sendFrame(FrameS); }
void MainWindow::SendData2() { m_link.sendFrame(FrameG); }
void MainWindow::SendData3() { m_link.sendFrame(FrameH); }
void MainWindow::SendData4() { m_link.sendFrame(FrameI); }

void MainWindow::RestData() { restData(paramSet); }
void MainWindow::RestData2() { restData2(paramSet); }
void MainWindow::Dr_DataSelet() { drDataSelet(paramSet); }
void MainWindow::FalseSaveData() { falseSaveData(paramSet); }

// ---------------------------------------------------------------- display

void MainWindow::ui_Display()
{
    m_binder->setShowing(true);
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
    m_binder->hoverAll();
    m_binder->setShowing(false);
    m_session->updateMarks();
}

void MainWindow::Servo_Display() { m_live->showChannels(); }
void MainWindow::Recieve_Display() { m_live->showTelemetry(); }
void MainWindow::StkTrim_Display() { m_live->showTrims(paramSet); }

void MainWindow::Rev_Display() { m_binder->show(paramSet, {Field::reverse}); }
void MainWindow::EPA_Display() { m_binder->show(paramSet, {Field::epaLeft, Field::epaRight}); }
void MainWindow::SubTrim_Display() { m_binder->show(paramSet, {Field::subTrim}); }
void MainWindow::FS_Display() { m_binder->show(paramSet, {Field::failSafe}); }
void MainWindow::Delay_Display() { m_binder->show(paramSet, {Field::servoDelay}); }

void MainWindow::Aux_Display()
{
    m_binder->showFixed();
    m_binder->show(paramSet, {Field::auxSource});
}

// The channel first: its handler selects the rates shown just below.
void MainWindow::DR_Display()
{
    m_binder->show(paramSet, {Field::drMix, Field::drChannel, Field::drSwitch, Field::drUp, Field::drDown});
}

void MainWindow::Parameter_Display()
{
    m_binder->show(paramSet, {Field::txAlarmVoltX10, Field::stickMode, Field::firmwareVersion, Field::rxAlarmVoltX10,
                                 Field::extAlarmVoltX10, Field::rssiAlarm});
}

void MainWindow::Atti_Display() { m_binder->show(paramSet, {Field::attitudeChannel, Field::attitude}); }
void MainWindow::Elev_Display() { m_binder->show(paramSet, {Field::elevonMix, Field::elevon}); }
void MainWindow::Vtype_Display() { m_binder->show(paramSet, {Field::vtailMix, Field::vtail}); }

void MainWindow::Prm_Display()
{
    m_binder->show(paramSet, {Field::prmMix, Field::prmMaster, Field::prmSlave, Field::prmOffset, Field::prmUpRate,
                                 Field::prmDownRate});
}

void MainWindow::DRCure_Display()
{
    m_binder->show(paramSet, {Field::drMix, Field::drChannel, Field::drSwitch, Field::drPosition,
                                 Field::drCurveRate, Field::drCurveExpo});
}

void MainWindow::THcure_Display() { m_binder->show(paramSet, {Field::thrCurveMix, Field::thrCurve}); }

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

void MainWindow::edited(const char *slot, double value)
{
    const int row = FormBinder::rowOfSlot(slot);
    if (row < 0) {
        qWarning("%s has no row in the binding table", slot);
        return;
    }
    m_session->edited(row, value);
}

#include "moc_mainwindow.cpp"
