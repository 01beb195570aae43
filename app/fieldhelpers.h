#pragma once

// Two helpers for the field, in the status bar's 助手 menu and on keys:
// 微调转中点 folds the stick trims into the sub-trims and centres the trims,
// as one reviewed Write; 失控保护取当前 takes each channel's fail-safe from
// its live output after a short countdown in which the user holds the
// sticks, as one edit, then offers the reviewed Write.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

#include "fieldhelp.h"
#include "link.h"

class ConnectionController;
class EditSession;
class QDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QWidget;
class StatusPanel;

class FieldHelpers : public QObject
{
    Q_OBJECT

public:
    // write starts the reviewed Write (the 写入数据 button's way).
    FieldHelpers(Link &link, EditSession *session, StatusPanel *status, ConnectionController *connection,
                 QStatusBar *bar, QWidget *window, const std::function<void()> &write);

    // How long the sticks are held before the outputs are taken; tests
    // shorten it.
    void setHoldMs(int ms) { m_holdMs = ms; }
    // The status bar's tools menu: the helpers, and what the window adds.
    QMenu *menu() const { return m_menu; }

    void trimsToSubTrims();
    void failSafeFromSticks();

private:
    void refuse(const QString &why);
    void takeFailSafe();
    void stopHold(const QString &why);
    void updateHold();

    Link &m_link;
    EditSession *m_session;
    StatusPanel *m_status;
    ConnectionController *m_connection;
    QWidget *m_window;
    std::function<void()> m_write;

    // 微调转中点 while its Write is under way: the trims the I frame carries
    // for the sub-trims that go out with it.
    bool m_trimsPending = false;
    fieldhelp::TrimsMoved m_moved;
    QString m_trimsNote;

    int m_holdMs = 3000;
    QMenu *m_menu = nullptr;
    QDialog *m_hold = nullptr;
    QLabel *m_holdText = nullptr;
    QTimer m_holdTick;
    int m_holdLeftMs = 0;
};
