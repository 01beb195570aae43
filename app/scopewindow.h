#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "scopebuffer.h"
#include "usersettings.h"

class Link;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class RecordingLoader;
class QTreeWidget;
class Recorder;
class ScopeWidget;
struct PacketResult;

// The channel scope: a window of its own beside the main window. Live, it
// draws what the link receives over the last 10, 30 or 60 s, at most about
// 30 frames a second and only when something new came. As a viewer it shows
// a recording, zoomed and panned at will. Both list every trace with its
// value at the cursor and its minimum, maximum and mean over the view.
class ScopeWindow : public QWidget
{
    Q_OBJECT

public:
    // The live scope on the link; recorder is started and stopped from it.
    ScopeWindow(Link *link, Recorder *recorder, QWidget *parent = nullptr);
    // A viewer of the recording at path; the file is read in the background.
    ScopeWindow(const QString &path, QWidget *parent = nullptr);
    ~ScopeWindow() override;

    bool isLive() const { return m_link != nullptr; }
    ScopeWidget *plot() const { return m_plot; }
    const ScopeBuffer &buffer() const { return m_buffer; }
    // What the viewer says about the file it read; empty while reading.
    QString fileNote() const;
    bool isLoading() const { return m_loader != nullptr; }

    void setSpanSeconds(int seconds);
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    // A frame is waiting to be drawn (never while the stream stands still).
    bool isFramePending() const { return m_frameTimer.isActive() || m_legendTimer.isActive(); }
    // Shows the whole recording.
    void showAll();

    // The window's plot and legend as a picture.
    bool exportPng(const QString &path);

    // The legend's texts of one trace: value at the cursor, min, max, mean.
    QStringList legendRow(Trace trace) const;

signals:
    void printSheetRequested();
    // The viewer has read its file, as far as it could.
    void loaded();

private:
    void build();
    void packet(const PacketResult &result);
    void scheduleFrame();
    void frame();
    void updateLegend();
    void viewChanged(qint64 fromMs, qint64 toMs);
    void toggleRecording(bool on);
    void recorderChanged();
    void openRecording();
    void askExport();
    void load(const QString &path);
    void takeSamples(qint64 done, qint64 total);
    void loadFinished();

    Link *m_link = nullptr;
    Recorder *m_recorder = nullptr;
    ScopeBuffer m_buffer;
    ScopeWidget *m_plot = nullptr;
    QTreeWidget *m_legend = nullptr;
    QComboBox *m_span = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_record = nullptr;
    QPushButton *m_all = nullptr;
    QLabel *m_note = nullptr;
    QProgressBar *m_progress = nullptr;
    RecordingLoader *m_loader = nullptr;
    // While a recording loads, the view spans what has come until the user
    // zooms or pans; brought up to date every kFollowMs.
    bool m_following = true;
    QTimer m_followTimer;
    QTimer m_frameTimer;
    QElapsedTimer m_clock;   // the live stream's time base
    QTimer m_legendTimer;    // the legend's figures, at most every kLegendMs
    qint64 m_spanMs = 10000;
    bool m_paused = false;
    bool m_dirty = false;
    QString m_path;
    QString m_fileNote;
    UserSettings m_settings; // where recordings go
};
