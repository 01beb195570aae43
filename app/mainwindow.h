#pragma once

#include <QMainWindow>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <QHash>
#include <QList>
#include <QPointer>
#include <QVector>

#include <functional>
#include <initializer_list>
#include <memory>

#include "fields.h"
#include "link.h"
#include "paramset.h"
#include "linkport.h"

class QComboBox;
class QLabel;
class QToolButton;
class QUndoStack;
class ParameterFileWriter;
class Recorder;
class ScopeWindow;
class StatusPanel;
class QTimer;

namespace Ui {
class MainWindow;
}

// Pauses for ms milliseconds while the event loop keeps running: timer
// ticks, received data and clicks are all handled during the pause.
void waitMs(int ms);

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

    // A serial port as the system lists it.
    struct PortEntry {
        QString name;
        QString description;
        QString manufacturer;
    };
    using PortSource = std::function<QList<PortEntry>()>;
    // Where the port list comes from (the system's ports unless a test says
    // otherwise); the list follows it about once a second while no port is open.
    void setPortSource(const PortSource &source);

    // The channel scope (F5 and the status bar's button), opened or raised.
    ScopeWindow *showScope();
    // Records the live values to path until stopped from the scope.
    void startRecording(const QString &path);
    Recorder &recorder() { return *m_recorder; }
    // Asks where, then writes the setup sheet of the settings as they stand
    // (PDF or HTML, as varnix-param sheet does).
    void saveSetupSheet();
    // Edits, their marks and their undo.
    QUndoStack *undoStack() const { return m_undo; }
    // What the transmitter holds as far as the program knows: the link's
    // record of this connection, else the set as last read, written, loaded
    // or saved.
    ParamSet baseline() const;
    // Settings the transmitter would get changed by a Write.
    int unsentCount() const;
    // Puts the baseline back into the set, as one undo step.
    void revertToBaseline();

protected:
    void closeEvent(QCloseEvent *event) override;

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
    void fillPortList(const QString &keep);
    void followPorts();
    void makeBackup(Link::Command command);
    void showClosedPanel();
    void portLost(const QString &reason);
    void setCommandsEnabled(bool enabled);
    void showNoPortBox(const QString &why);
    // "错误" boxes for a file a Load would not read and one a Save could not
    // write: what happened, the file, and why.
    void showFileErrorBox(const QString &path, const QString &why);
    void showSaveErrorBox(const QString &path, const QString &why);
    bool prepareSave();
    void storeSave();
    bool prepareLoad();
    void hover(QComboBox *box);
    void recordPacket(const PacketResult &result);
    void showRecording();
    void recordingStopped(const QString &path, const QString &error);
    void applySheet(QComboBox *box, const char *path);
    void showRows(int page, std::initializer_list<Field> fields);

    // Every edit of a settings widget comes here, from its on_ slot.
    void edited(const char *slot, double value);
    void store(int row, double value);
    void setChanged();
    void updateMarks();
    QVector<int> differingRows(const ParamSet &set, const ParamSet &base) const;
    void setUpEditing();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void commandStarted(Link::Command command);
    void commandEnded(Link::Command command, bool finished);
    void readEnded();
    void pushBulk(const QString &text, const ParamSet &before);
    void buildStatusButtons();

    // The review before a command overwrites the transmitter. Runs go when
    // the user confirms (at once when nothing changes); false when cancelled.
    bool review(const ParamSet &candidate, const QString &newHeader, const std::function<void()> &go,
                const std::function<void()> &again);
    // One row of the review: a setting as the user changed it, with the
    // values that follow it (the dual-rate rate of the selected channel
    // and its copy drUp, say), ticked and unticked together.
    struct ReviewUnit {
        int row;          // the binding row that names it
        QVector<int> rows; // every binding row it carries, row first
    };
    QVector<ReviewUnit> reviewUnits(const ParamSet &next, const ParamSet &base) const;
    // Why the window, not the user, changed what the transmitter holds in
    // this row after the last Read; empty when it did not (or no longer).
    QString windowChange(int row, const ParamSet &base) const;
    void noteWindowChanges();
    void keepUnticked();
    // revertOnDiscard: 放弃 puts back what the transmitter holds (closing the port).
    bool askUnsent(const std::function<void()> &thenClose, bool revertOnDiscard = false);
    ParamSet factoryCandidate() const;
    Ui::MainWindow *ui;
    QSerialPort serialPort;
    QTimer *refreshTimer;
    QString loadFileName;
    QSize m_fullSize; // the form and the status bar, unscrolled

    QHash<QComboBox *, int> m_hoverCount; // the dwell sheet's counters

    QVector<QWidget *> m_rowWidget;      // the widget of each binding row, or nullptr
    QVector<bool> m_rowMarked;
    QStringList m_rowHelp;               // each row's own tool tip, the mark's text goes below it
    QUndoStack *m_undo;
    ParamSet m_localBaseline;            // the set as last read, written, loaded or saved
    bool m_showing = false;              // the display pass runs: its writes are no edits
    int m_session = 0;                   // counts focus changes: one run of typing is one step
    ParamSet m_bulkBefore;               // the set when the running command started
    Link::Command m_bulkCommand = Link::Idle;
    bool m_readPending = false;          // a Read's answers are still coming in
    QVector<int> m_keep;                 // rows the next overwrite leaves as the transmitter has them
    QVector<ReviewUnit> m_reviewUnits;   // the rows of the review the next overwrite was confirmed in
    ParamSet m_reviewCandidate;          // what that review showed as the new values
    struct WindowChange {
        int device; // the transmitter's value, which the widget cannot show
        int window; // what the window made of it
        QString why;
    };
    QHash<QPair<int, int>, WindowChange> m_windowChanges; // by field and element, since the last Read
    quint32 m_readSections = 0;          // sections the running Read brought
    std::function<void()> m_afterRead;   // a review waiting for the Read it asked for
    std::function<void()> m_afterCommand; // a close waiting for the Write or Save it asked for
    bool m_liveStale = false;            // closed or lost, and no packet since: readouts unknown
    ParamSet m_bulkBaseline;             // the baseline when the running command started
    QLabel *m_editCount;
    QToolButton *m_undoButton;
    QToolButton *m_redoButton;
    QToolButton *m_revertButton;
    QString m_loadPath;                  // a Load waiting for its Read: the file it chose

    QString m_portName;                  // the port opened last, kept across closes
    PortSource m_portSource;
    QTimer *m_portTimer;                 // follows the system's ports while closed
    StatusPanel *m_status;
    std::unique_ptr<ParameterFileWriter> m_saveFile; // a Save's file while its frames go out
    QString m_savePath;                               // and its name
    Recorder *m_recorder;
    QPointer<ScopeWindow> m_scope;
    QLabel *m_recordLabel;
    QTimer *m_recordTimer;               // the recording's duration and size, once a second
    Link m_link;                         // destroyed after m_port: it works on serialPort
    LinkPort m_port{serialPort, m_link}; // opens, watches and closes serialPort
};
