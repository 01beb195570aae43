#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSerialPort>
#include <QString>

#include "link.h"
#include "linkport.h"
#include "paramset.h"
#include "portlist.h"
#include "usersettings.h"

class AirframeCheck;
class ConnectionController;
class EditSession;
class FileController;
class FormBinder;
class LibraryPanel;
class LiveView;
class QTimer;
class QUndoStack;
class Recorder;
class ScopeLauncher;
class ScopeWindow;
class StatusPanel;
class WriteReview;

namespace Ui {
class MainWindow;
}

// Pauses for ms milliseconds while the event loop keeps running: timer
// ticks, received data and clicks are all handled during the pause.
void waitMs(int ms);

// The form and its wiring. Each job has a class of its own beside it: the
// connection, the live page, the binding of the settings pages, the edit
// session, the review before writing, the files, the scope and the status
// bar. The form's slots forward to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Fits the window into a screen's available area. Where the area is
    // smaller than the window, the window takes the area and the form
    // scrolls; the status bar stays in view. The constructor fits the window
    // into its screen.
    void fitInto(const QRect &available);

    // Puts a port name into the port box (the one command-line argument).
    void presetPortName(const QString &name);

    // What the serial link is doing; tests shorten its pacing.
    Link &link() { return m_link; }

    using PortEntry = ::PortEntry;
    using PortSource = PortListModel::Source;
    // Where the port list comes from (the system's ports unless a test says
    // otherwise); the list follows it about once a second while no port is open.
    void setPortSource(const PortSource &source);

    // The channel scope (F5 and the status bar's button), opened or raised.
    ScopeWindow *showScope();
    // The airframe check (F7 and the status bar's button), opened or raised.
    AirframeCheck *showAirframeCheck();
    // Records the live values to path until stopped from the scope.
    void startRecording(const QString &path);
    Recorder &recorder();
    // Asks where, then writes the setup sheet of the settings as they stand
    // (PDF or HTML, as varnix-param sheet does).
    void saveSetupSheet();
    // Edits, their marks and their undo.
    QUndoStack *undoStack() const;
    // What the transmitter holds as far as the program knows: the link's
    // record of this connection, else the set as last read, written, loaded
    // or saved.
    ParamSet baseline() const;
    // Settings the transmitter would get changed by a Write.
    int unsentCount() const;
    // Puts the baseline back into the set, as one undo step.
    void revertToBaseline();
    // The setups library beside the pages (F6).
    LibraryPanel *library() const { return m_library; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setUpLiveViews();
    void airframeFromSetup(const QString &file);

private slots:
    void on_openButton_clicked();
    void serialPort_readyRead();
    int byteArrayToInt(QByteArray b, int a);
    void on_toolButton_Read_clicked();
    void on_toolButton_Load_clicked();
    void on_toolButton_Send_clicked();
    void on_toolButton_Save_clicked();
    void on_toolButton_Reset_clicked();

    void Servo_Display();
    void Recieve_Display();
    void Rev_Display();
    void EPA_Display();
    void SubTrim_Display();
    void FS_Display();
    void Delay_Display();
    void Aux_Display();
    void DR_Display();
    void Parameter_Display();
    void Atti_Display();
    void Elev_Display();
    void Vtype_Display();
    void Prm_Display();
    void DRCure_Display();
    void THcure_Display();
    void ui_Display();

    void on_spinBox_sub1_valueChanged(int arg1);
    void on_spinBox_sub2_valueChanged(int arg1);
    void on_spinBox_sub3_valueChanged(int arg1);
    void on_spinBox_sub4_valueChanged(int arg1);
    void on_spinBox_sub5_valueChanged(int arg1);
    void on_spinBox_sub6_valueChanged(int arg1);
    void on_spinBox_sub7_valueChanged(int arg1);
    void on_spinBox_sub8_valueChanged(int arg1);
    void on_spinBox_Lepa1_valueChanged(int arg1);
    void on_spinBox_Lepa2_valueChanged(int arg1);
    void on_spinBox_Lepa3_valueChanged(int arg1);
    void on_spinBox_Lepa4_valueChanged(int arg1);
    void on_spinBox_Lepa5_valueChanged(int arg1);
    void on_spinBox_Lepa6_valueChanged(int arg1);
    void on_spinBox_Lepa7_valueChanged(int arg1);
    void on_spinBox_Lepa8_valueChanged(int arg1);
    void on_spinBox_Repa1_valueChanged(int arg1);
    void on_spinBox_Repa2_valueChanged(int arg1);
    void on_spinBox_Repa3_valueChanged(int arg1);
    void on_spinBox_Repa4_valueChanged(int arg1);
    void on_spinBox_Repa5_valueChanged(int arg1);
    void on_spinBox_Repa6_valueChanged(int arg1);
    void on_spinBox_Repa7_valueChanged(int arg1);
    void on_spinBox_Repa8_valueChanged(int arg1);
    void on_spinBox_FS1_valueChanged(int arg1);
    void on_spinBox_FS2_valueChanged(int arg1);
    void on_spinBox_FS3_valueChanged(int arg1);
    void on_spinBox_FS4_valueChanged(int arg1);
    void on_spinBox_FS5_valueChanged(int arg1);
    void on_spinBox_FS6_valueChanged(int arg1);
    void on_spinBox_FS7_valueChanged(int arg1);
    void on_spinBox_FS8_valueChanged(int arg1);
    void on_comboBox_rev1_currentIndexChanged(int index);
    void on_comboBox_rev2_currentIndexChanged(int index);
    void on_comboBox_rev3_currentIndexChanged(int index);
    void on_comboBox_rev4_currentIndexChanged(int index);
    void on_comboBox_rev5_currentIndexChanged(int index);
    void on_comboBox_rev6_currentIndexChanged(int index);
    void on_comboBox_rev7_currentIndexChanged(int index);
    void on_comboBox_rev8_currentIndexChanged(int index);
    void on_comboBox_AUX5_currentIndexChanged(int index);
    void on_comboBox_AUX6_currentIndexChanged(int index);
    void on_comboBox_AUX7_currentIndexChanged(int index);
    void on_comboBox_AUX8_currentIndexChanged(int index);
    void on_comboBox_DR_MIX1_currentIndexChanged(int index);
    void on_comboBox_DR_CH1_currentIndexChanged(int index);
    void on_spinBox_DR_UP1_valueChanged(int arg1);
    void on_spinBox_DR_DOWN1_valueChanged(int arg1);
    void on_doubleSpinBox_Volt_valueChanged(double arg1);
    void on_spinBox_Mode_valueChanged(int arg1);
    void on_spinBox_Vertion_valueChanged(int arg1);
    void on_comboBox_AttiM_currentIndexChanged(int index);
    void on_spinBox_Atti1_valueChanged(int arg1);
    void on_spinBox_Atti2_valueChanged(int arg1);
    void on_spinBox_Atti3_valueChanged(int arg1);
    void on_spinBox_Atti4_valueChanged(int arg1);
    void on_spinBox_Atti5_valueChanged(int arg1);
    void on_spinBox_Atti6_valueChanged(int arg1);
    void on_comboBox_EleMix_currentIndexChanged(int index);
    void on_spinBox_Elev01_valueChanged(int arg1);
    void on_spinBox_Elev02_valueChanged(int arg1);
    void on_spinBox_Elev03_valueChanged(int arg1);
    void on_spinBox_Elev04_valueChanged(int arg1);
    void on_spinBox_Elev05_valueChanged(int arg1);
    void on_spinBox_Elev06_valueChanged(int arg1);
    void on_comboBox_RuMix_currentIndexChanged(int index);
    void on_spinBox_Ru1_valueChanged(int arg1);
    void on_spinBox_Ru2_valueChanged(int arg1);
    void on_spinBox_Ru3_valueChanged(int arg1);
    void on_spinBox_Ru4_valueChanged(int arg1);
    void on_comboBox_DR_MIX2_currentIndexChanged(int index);
    void on_comboBox_DR_CH2_currentIndexChanged(int index);
    void on_comboBox_DR_SW2_currentIndexChanged(int index);
    void on_comboBox_DR_POSI_currentIndexChanged(int index);
    void on_spinBox_DR_RATE_valueChanged(int arg1);
    void on_spinBox_DR_EXP_valueChanged(int arg1);
    void on_comboBox_THCURE_MIX_currentIndexChanged(int index);
    void on_spinBox_THCURE_Data01_valueChanged(int arg1);
    void on_spinBox_THCURE_Data02_valueChanged(int arg1);
    void on_spinBox_THCURE_Data03_valueChanged(int arg1);
    void on_spinBox_THCURE_Data04_valueChanged(int arg1);
    void on_spinBox_THCURE_Data05_valueChanged(int arg1);
    void on_spinBox_THCURE_Data06_valueChanged(int arg1);
    void on_spinBox_THCURE_Data07_valueChanged(int arg1);
    void on_comboBox_PRM01_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM01_Master_currentIndexChanged(int index);
    void on_comboBox_PRM01_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM01_Data1_valueChanged(int arg1);
    void on_spinBox_PRM01_Data2_valueChanged(int arg1);
    void on_spinBox_PRM01_Data3_valueChanged(int arg1);
    void on_comboBox_PRM02_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM02_Master_currentIndexChanged(int index);
    void on_comboBox_PRM02_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM02_Data1_valueChanged(int arg1);
    void on_spinBox_PRM02_Data2_valueChanged(int arg1);
    void on_spinBox_PRM02_Data3_valueChanged(int arg1);
    void on_comboBox_PRM03_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM03_Master_currentIndexChanged(int index);
    void on_comboBox_PRM03_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM03_Data1_valueChanged(int arg1);
    void on_spinBox_PRM03_Data2_valueChanged(int arg1);
    void on_spinBox_PRM03_Data3_valueChanged(int arg1);
    void on_comboBox_PRM04_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM04_Master_currentIndexChanged(int index);
    void on_comboBox_PRM04_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM04_Data1_valueChanged(int arg1);
    void on_spinBox_PRM04_Data2_valueChanged(int arg1);
    void on_spinBox_PRM04_Data3_valueChanged(int arg1);
    void on_spinBox_delay1_valueChanged(int arg1);
    void on_spinBox_delay2_valueChanged(int arg1);
    void on_spinBox_delay3_valueChanged(int arg1);
    void on_spinBox_delay4_valueChanged(int arg1);
    void on_spinBox_delay5_valueChanged(int arg1);
    void on_spinBox_delay6_valueChanged(int arg1);
    void on_spinBox_delay7_valueChanged(int arg1);
    void on_spinBox_delay8_valueChanged(int arg1);

    void RestData();
    void RestData2();
    void SendData1();
    void SendData2();
    void SendData3();
    void SendData4();
    void Dr_DataSelet();
    void FalseSaveData();

    void on_doubleSpinBox_extVolt_valueChanged(double arg1);
    void on_spinBox_Rssi_valueChanged(int arg1);
    void on_doubleSpinBox_rxVolt_valueChanged(double arg1);
    void on_pushButton_Reset2_clicked();
    void StkTrim_Display();

private:
    // Every edit of a settings widget comes here, from its on_ slot.
    void edited(const char *slot, double value);
    void setCommandsEnabled(bool enabled);
    void commandEnded(Link::Command command, bool finished);
    ParamSet factoryCandidate() const;

    Ui::MainWindow *ui;
    UserSettings m_settings;
    QPointer<AirframeCheck> m_airframeCheck;
    QAction *m_airframeAction = nullptr;
    QSerialPort serialPort;
    QTimer *refreshTimer;
    QSize m_fullSize; // the form and the status bar, unscrolled
    Link m_link;                         // destroyed after m_port: it works on serialPort
    LinkPort m_port{serialPort, m_link}; // opens, watches and closes serialPort
    StatusPanel *m_status;
    ConnectionController *m_connection;
    LiveView *m_live;
    FormBinder *m_binder;
    EditSession *m_session;
    WriteReview *m_review;
    FileController *m_files;
    ScopeLauncher *m_scope;
    LibraryPanel *m_library;
};
