#pragma once

// Opening and closing the port from the window: the port box and its list,
// the open button and its lamp, why a port did not open, and a device that
// went away. The lamp turns green only once the transmitter's packets come;
// the USB adapter that brought them is remembered, preselected next time
// and, if the user wants, opened when it is plugged in.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

#include "portlist.h"

class Link;
class LinkPort;
class QAbstractButton;
class QComboBox;
class QWidget;
class StatusPanel;
class UserSettings;

class ConnectionController : public QObject
{
    Q_OBJECT

public:
    struct Widgets {
        QComboBox *portBox;
        QAbstractButton *openButton;
        QAbstractButton *lamp;
    };
    // Before the user closes the port: true closes at once. False leaves it,
    // and the guard calls retry when the close may go on later.
    using CloseGuard = std::function<bool(const std::function<void()> &retry)>;

    ConnectionController(const Widgets &widgets, LinkPort &port, Link &link, StatusPanel *status,
                         UserSettings &settings, QWidget *parent);

    PortListModel *ports() const { return m_ports; }
    void setCloseGuard(const CloseGuard &guard) { m_guard = guard; }
    // Puts a port name into the port box (the one command-line argument).
    void presetPortName(const QString &name);

    // The open button: opens the port named in the box, or closes the open one.
    void toggle();
    // "无法打开串口！" and why.
    void showNoPortBox(const QString &why);
    // Why a port did not open and what to do, for the port just tried.
    QString openFailureText() const;

    // Packets have come since the port opened.
    bool receiving() const { return m_receiving; }
    // The remembered adapter is being waited for (it went away while open).
    bool waitingForAdapter() const { return m_waiting; }

signals:
    // The port closed, by the user or because the device went away.
    void closed();
    void opened();
    // The first packet after opening.
    void receivingStarted();
    // Nothing came for the pacing's noDataMs after opening.
    void noData();

private:
    bool openPort(const QString &name, bool automatic);
    void showClosed();
    void lost(const QString &reason);
    void packetCame();
    void followed();
    void preselect();
    int rememberedRow() const;
    void setLamp(const QString &colour);

    Widgets m_widgets;
    LinkPort &m_port;
    Link &m_link;
    StatusPanel *m_status;
    UserSettings &m_settings;
    PortListModel *m_ports;
    CloseGuard m_guard;
    QString m_portName; // the port opened last, kept across closes
    QString m_typed;    // the box's text while its list changes
    PortEntry m_opened; // the list's facts of the port open now, if it was listed
    QTimer m_noData;
    bool m_receiving = false;
    bool m_adapterPresent = false; // the remembered adapter was listed at the last look
    bool m_waiting = false;
};
