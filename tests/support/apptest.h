#pragma once

// Helpers for tests that drive the whole main window: answering the modal
// boxes and dialogs that commands open, starting every test from the state
// the program starts with, and opening a port from the window's own panel.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

#include "coretest.h"

class QComboBox;
class QTimer;
class QWidget;

namespace apptest {

// One modal widget met by a ModalAnswerer.
struct ModalSeen {
    QString kind;  // "box" (QMessageBox), "file" (QFileDialog) or the class name
    QString title; // window title
    QString text;  // message text of a box; empty for dialogs
    QString informative; // informative text of a box
    QStringList buttons; // texts of a box's buttons
};

// How the next review before writing ("写入前确认") is answered.
struct ReviewAnswer {
    enum Action {
        Return,    // the Return key: write, or "仍然写入" when the transmitter is unknown
        Escape,    // the Escape key: nothing is sent
        ReadFirst, // "读取"
    };
    Action action = Return;
    QStringList untick; // setting names whose rows are unticked first
    bool dontAskAgain = false;
};

// One review dialog as it was shown.
struct ReviewSeen {
    QString title;
    QString text;
    QStringList headers;
    QList<QStringList> rows; // page, setting, transmitter, new value
    QStringList buttons;     // object names of its buttons
};

// Watches QApplication::activeModalWidget() from a polling timer (so it also
// fires inside the nested event loops of a command) and answers whatever
// modal widget shows up:
//   - a QMessageBox: clicks its accepting button (OK, Yes) or closes it;
//   - a QFileDialog: selects the next queued path and accepts, or rejects
//     the dialog when no path is queued (an empty queued path also rejects);
//   - the review before writing: the next queued ReviewAnswer, else Return.
// Every widget answered is recorded. Polling stops after limitMs, so a test
// that expected no box cannot hang on one.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(int limitMs = 30000, QObject *parent = nullptr);
    ~ModalAnswerer() override;

    // Paths for the file dialogs to come, answered in this order.
    void queueFile(const QString &path);
    // For the next message box: the button to click (by its text) instead
    // of the accepting one.
    void queueBoxButton(const QString &text);
    // Answers for the reviews to come, in this order.
    void queueReview(const ReviewAnswer &answer);
    const QList<ReviewSeen> &reviews() const { return m_reviews; }
    // Called for each modal widget just before it is answered, while the
    // command that opened it is still waiting on it.
    void onShown(const std::function<void(const ModalSeen &)> &hook) { m_hook = hook; }

    const QList<ModalSeen> &seen() const { return m_seen; }
    int count() const { return m_seen.size(); }
    // Titles and texts of the boxes answered, "title|text" each.
    QStringList boxes() const;

    void stop();

private:
    void poll();

    QTimer *m_timer = nullptr;
    int m_elapsed = 0;
    int m_limit = 0;
    void answerReview(QWidget *dialog);

    QStringList m_files;
    QStringList m_boxButtons;
    QList<ReviewAnswer> m_reviewAnswers;
    QList<ReviewSeen> m_reviews;
    QList<ModalSeen> m_seen;
    std::function<void(const ModalSeen &)> m_hook;
};

// Points the program's user settings at a fresh temporary folder for the
// rest of the test program, so the preferences are the defaults (the review
// before writing on) whatever this machine's user has chosen, and a test
// never changes them.
void useFreshSettings();

// Texts of the connection panel.
QString closedText(); // "打开串口"
QString openText();   // "关闭串口"

// Types the path into the window's port box and clicks the open button.
// Returns true when the button then reads "关闭串口". A failure box is
// answered (and recorded in boxes, if given).
bool openPort(QWidget *window, const QString &path, QStringList *boxes = nullptr);

// Clicks the open button of a window whose port is open. Returns true when
// the button then reads "打开串口".
bool closePort(QWidget *window);

// Stops or restarts the window's 100 ms refresh timer (its direct QTimer
// child), so a test can tell a refresh done by a slot from a timer tick.
// Returns false when the window has no such timer.
bool setRefreshTimerRunning(QWidget *window, bool running);

// The texts of a combo box's items, in order.
QStringList itemTexts(const QComboBox *box);

// Calls a parameterless slot of the window through the meta-object.
bool invokeSlot(QObject *window, const char *slot);

} // namespace apptest
