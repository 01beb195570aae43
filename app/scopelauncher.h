#pragma once

// The channel scope and the recording of live values, from the status bar's
// right end: the scope's button and F5, the scope window placed beside the
// main window, and the recording's duration and size while it runs.

#include <QObject>
#include <QPointer>
#include <QString>

#include "link.h"

class QLabel;
class QMainWindow;
class QTimer;
class Recorder;
class ScopeWindow;

class ScopeLauncher : public QObject
{
    Q_OBJECT

public:
    ScopeLauncher(Link &link, QMainWindow *window);

    // Opened or raised.
    ScopeWindow *showScope();
    // Records the live values to path until stopped from the scope.
    void startRecording(const QString &path);
    Recorder &recorder() { return *m_recorder; }

signals:
    // The scope's print button.
    void printSheetRequested();

private:
    void recordPacket(const PacketResult &result);
    void showRecording();
    void recordingStopped(const QString &path, const QString &error);

    Link &m_link;
    QMainWindow *m_window;
    Recorder *m_recorder;
    QPointer<ScopeWindow> m_scope;
    QLabel *m_recordLabel;
    QTimer *m_recordTimer; // the recording's duration and size, once a second
};
