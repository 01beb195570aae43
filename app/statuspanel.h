#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "link.h"

class QLabel;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QUndoStack;

// The window's status bar: the connection and its packet rate, the command
// that runs with its progress, and then its result until the next command;
// the count of unsent edits with undo, redo and revert, and the settings.
class StatusPanel : public QObject
{
    Q_OBJECT

public:
    StatusPanel(QStatusBar *bar, Link &link, QObject *parent = nullptr);

    void setConnection(const QString &port, bool open);
    // The port is open but no packet has come: says so, and what to check.
    void showNoData();
    // The first packet since the port opened.
    void showReceiving();
    // "串口已打开，但没有收到发射机的数据" and what to check.
    static QString noDataText();
    // The file a Save or Load works on, named in its result.
    void setFile(const QString &path);
    // What became of the backup before the running command overwrote the
    // transmitter; named with its progress and its result.
    void setBackupNote(const QString &note);
    // Something the running command adds to its result.
    void setResultNote(const QString &note);
    // The device went away, maybe in the middle of a command.
    void showLoss(const QString &reason);
    // Something to add to the message shown now.
    void appendNote(const QString &note);
    QString message() const;
    // A passing message over the bar, for ten seconds.
    void showBriefly(const QString &text);

    // The edit count and the undo, redo, revert and settings buttons.
    void addEditButtons(QUndoStack *undo);
    void setUnsent(int count);

signals:
    void revertRequested();
    void settingsRequested();

private:
    void started(Link::Command command, int steps);
    void progress(Link::Command command, int done, int steps);
    void finished(Link::Command command);
    void aborted(Link::Command command, int done, int steps, const QString &reason);
    void readReport(int received, const QList<int> &missing);
    void verified(const VerifyResult &result);
    void show(const QString &text);
    void showRate();

    Link &m_link;
    QStatusBar *m_bar;
    QLabel *m_message;
    QProgressBar *m_progress;
    QLabel *m_connection;
    QTimer m_rateTimer;
    QString m_port;
    QString m_file;
    QString m_backupNote;
    QString m_resultNote;
    QString m_abortText;
    QString m_before; // the message before the running command
    QString m_verifyText; // what the read-back after the running command said
    int m_packets = 0;
    bool m_received = false; // a packet came since the port opened
    bool m_readReported = false;
    QLabel *m_editCount = nullptr;
    QToolButton *m_revertButton = nullptr;
};
