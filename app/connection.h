#pragma once

// Opening and closing the port from the window: the port box and its list,
// the open button and its lamp, why a port did not open, and a device that
// went away.

#include <QObject>
#include <QString>

#include <functional>

class LinkPort;
class PortListModel;
class QAbstractButton;
class QComboBox;
class QWidget;
class StatusPanel;

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

    ConnectionController(const Widgets &widgets, LinkPort &port, StatusPanel *status, QWidget *parent);

    PortListModel *ports() const { return m_ports; }
    void setCloseGuard(const CloseGuard &guard) { m_guard = guard; }
    // Puts a port name into the port box (the one command-line argument).
    void presetPortName(const QString &name);

    // The open button: opens the port named in the box, or closes the open one.
    void toggle();
    // "无法打开串口！" and why.
    void showNoPortBox(const QString &why);

signals:
    // The port closed, by the user or because the device went away.
    void closed();

private:
    void showClosed();
    void lost(const QString &reason);

    Widgets m_widgets;
    LinkPort &m_port;
    StatusPanel *m_status;
    PortListModel *m_ports;
    CloseGuard m_guard;
    QString m_portName; // the port opened last, kept across closes
    QString m_typed;    // the box's text while its list changes
};
