#include "connection.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QIcon>
#include <QTimer>

#include "linkport.h"
#include "notebox.h"
#include "portlist.h"
#include "statuspanel.h"

namespace {

// The open button's text tells the link state.
const char *const kClosedText = QT_TRANSLATE_NOOP("ConnectionController", "打开串口");
const char *const kOpenText = QT_TRANSLATE_NOOP("ConnectionController", "关闭串口");
const char *const kRedLamp = ":/myImage/images/red.png";
const char *const kGreenLamp = ":/myImage/images/green.png";
// Why a port was closed when the device at its other end hung up.
const char *const kHungUpText = QT_TRANSLATE_NOOP("ConnectionController", "设备已挂断");
// What a permission error on Linux usually means, as the README says it.
const char *const kDialoutHint = QT_TRANSLATE_NOOP(
    "ConnectionController", "在 Linux 上请把用户加入 dialout 组：sudo usermod -aG dialout $USER，然后重新登录。");

} // namespace

ConnectionController::ConnectionController(const Widgets &widgets, LinkPort &port, StatusPanel *status,
                                           QWidget *parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_port(port)
    , m_status(status)
    , m_ports(new PortListModel(this))
{
    // Typed names let a port the system does not list (a pseudo-terminal, a
    // network bridge) be opened; typing never adds an item to the list.
    QComboBox *box = m_widgets.portBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setModel(m_ports);
    // What the user typed or picked stays the current text while ports come
    // and go; only an empty box takes up a port that came.
    auto note = [this] { m_typed = m_widgets.portBox->currentText(); };
    auto keep = [this] {
        if (!m_typed.isEmpty() && m_widgets.portBox->currentText() != m_typed)
            m_widgets.portBox->setEditText(m_typed);
    };
    connect(m_ports, &PortListModel::aboutToFollow, this, note);
    connect(m_ports, &PortListModel::followed, this, keep);

    connect(&m_port, &LinkPort::lost, this,
            [this](bool hungUp, const QString &reason) { lost(hungUp ? tr(kHungUpText) : reason); });
}

void ConnectionController::presetPortName(const QString &name)
{
    m_widgets.portBox->setEditText(name);
}

void ConnectionController::toggle()
{
    if (m_port.isOpen()) {
        if (m_guard && !m_guard([this] {
                if (m_port.isOpen())
                    toggle();
            }))
            return;
        m_port.close();
        showClosed();
        return;
    }

    const QString name = m_widgets.portBox->currentText();
    if (!m_port.open(name)) {
        QString why = m_port.errorString();
#ifdef Q_OS_LINUX
        if (m_port.permissionDenied())
            why += QLatin1Char('\n') + tr(kDialoutHint);
#endif
        showNoPortBox(why);
        return;
    }
    m_portName = name;
    m_ports->setFollowing(false);
    m_status->setConnection(name, true);
    m_widgets.portBox->setEnabled(false);
    m_widgets.openButton->setText(tr(kOpenText));
    m_widgets.lamp->setIcon(QIcon(QString::fromLatin1(kGreenLamp)));
}

void ConnectionController::showNoPortBox(const QString &why)
{
    showNote(tr("无法打开串口！"), why);
}

// The panel as it is with no port open; the port list follows the system
// again, the port used last staying the current text.
void ConnectionController::showClosed()
{
    emit closed();
    QComboBox *box = m_widgets.portBox;
    box->setEnabled(true);
    m_widgets.openButton->setText(tr(kClosedText));
    m_widgets.lamp->setIcon(QIcon(QString::fromLatin1(kRedLamp)));
    m_status->setConnection(QString(), false);

    m_ports->setFollowing(true);
    const int listed = box->findText(m_portName);
    if (listed >= 0)
        box->setCurrentIndex(listed);
    else
        box->setEditText(m_portName);
}

// The device went away under us (cable pulled, peer closed) and the port is
// closed: the closed panel at once, then why.
void ConnectionController::lost(const QString &reason)
{
    showClosed();
    m_status->showLoss(reason);
    // Shown from the event loop, not from inside the port's error signal.
    QTimer::singleShot(0, this, [reason] { showNote(tr("串口已断开"), reason); });
}

#include "moc_connection.cpp"
