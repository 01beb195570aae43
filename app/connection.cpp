#include "connection.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>

#include "link.h"
#include "linkport.h"
#include "notebox.h"
#include "statuspanel.h"
#include "usersettings.h"

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

// The amber lamp (open, nothing received yet): the green lamp's picture in
// amber, so the three lamps differ in colour only.
QIcon amberLamp()
{
    QImage image(QString::fromLatin1(kGreenLamp));
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = QColor::fromRgba(line[x]);
            if (c.hsvSaturation() < 40)
                continue; // highlights and the rim keep their grey
            const QColor amber = QColor::fromHsv(40, qMax(c.hsvSaturation(), 200), qMin(255, c.value() * 5 / 4), c.alpha());
            line[x] = amber.rgba();
        }
    }
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

ConnectionController::ConnectionController(const Widgets &widgets, LinkPort &port, Link &link, StatusPanel *status,
                                           UserSettings &settings, QWidget *parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_port(port)
    , m_link(link)
    , m_status(status)
    , m_settings(settings)
    , m_ports(new PortListModel(this))
{
    // Typed names let a port the system does not list (a pseudo-terminal, a
    // network bridge) be opened; typing never adds an item to the list. The
    // list names each port by its adapter; the box holds the bare name.
    QComboBox *box = m_widgets.portBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setModel(m_ports);
    // The list is as wide as its longest label; the box keeps its size.
    box->view()->setTextElideMode(Qt::ElideNone);
    auto widen = [box] {
        QAbstractItemView *view = box->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() + 24);
    };
    connect(m_ports, &QAbstractItemModel::rowsInserted, this, widen);
    connect(m_ports, &QAbstractItemModel::modelReset, this, widen);
    connect(m_ports, &QAbstractItemModel::dataChanged, this, widen);
    widen();
    box->lineEdit()->setPlaceholderText(tr("选择串口"));
    // What the user typed or picked stays the current text while ports come
    // and go; an empty box takes up only the remembered adapter.
    auto note = [this] { m_typed = m_widgets.portBox->currentText(); };
    connect(m_ports, &PortListModel::aboutToFollow, this, note);
    connect(m_ports, &PortListModel::followed, this, &ConnectionController::followed);
    preselect();
    m_adapterPresent = rememberedRow() >= 0;
    // Already plugged in at start: opened once the window is up, unless the
    // command line named another port.
    if (m_adapterPresent && m_settings.autoConnect())
        QTimer::singleShot(0, this, [this] {
            const int row = rememberedRow();
            if (row < 0 || m_port.isOpen())
                return;
            const QString name = m_ports->entries().at(row).name;
            const QString shown = m_widgets.portBox->currentText();
            if (shown.isEmpty() || shown == name)
                openPort(name, true);
        });

    m_noData.setSingleShot(true);
    connect(&m_noData, &QTimer::timeout, this, [this] {
        if (m_receiving || !m_port.isOpen())
            return;
        // A command's own progress and result stand; the lamp and the
        // connection text still say that nothing came.
        if (!m_link.isBusy())
            m_status->showNoData();
        emit noData();
    });
    connect(&m_link, &Link::packetReceived, this, &ConnectionController::packetCame);
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
        m_waiting = false;
        showClosed();
        return;
    }
    if (!openPort(m_widgets.portBox->currentText(), false))
        showNoPortBox(openFailureText());
}

bool ConnectionController::openPort(const QString &name, bool automatic)
{
    m_waiting = false;
    if (!m_port.open(name)) {
        if (automatic)
            m_status->showBriefly(tr("无法自动打开 %1：%2").arg(name, openFailureText()));
        return false;
    }
    m_portName = name;
    const int row = m_ports->rowOf(name);
    m_opened = row >= 0 ? m_ports->entries().at(row) : PortEntry(name);
    m_ports->setFollowing(false);
    m_receiving = false;
    m_status->setConnection(name, true);
    QComboBox *box = m_widgets.portBox;
    box->setEnabled(false);
    const int listed = m_ports->rowOf(name);
    if (listed >= 0)
        box->setCurrentIndex(listed);
    else
        box->setEditText(name);
    m_widgets.openButton->setText(tr(kOpenText));
    setLamp(QStringLiteral("amber"));
    m_noData.start(m_link.pacing().noDataMs);
    emit opened();
    return true;
}

QString ConnectionController::openFailureText() const
{
    QString what;
    if (m_port.busy()) {
        what = tr("串口被另一个程序占用：请关闭正在用它的程序（串口助手、另一个调参软件、Arduino 串口监视器等），再按“打开串口”。");
#ifdef Q_OS_LINUX
        what += QLatin1Char('\n') + tr("在 Linux 上也可能是 ModemManager 在探测它：sudo systemctl stop ModemManager。");
#endif
    } else if (m_port.permissionDenied()) {
        what = tr("没有使用这个串口的权限。");
#ifdef Q_OS_LINUX
        what += QLatin1Char('\n') + tr(kDialoutHint);
#elif defined(Q_OS_WIN)
        what += QLatin1Char('\n') + tr("请关闭正在用它的程序，或拔下适配器再插上。");
#endif
    }
    const QString system = m_port.errorString();
    if (what.isEmpty())
        return system;
    return system.isEmpty() ? what : what + QLatin1Char('\n') + tr("（系统：%1）").arg(system);
}

void ConnectionController::showNoPortBox(const QString &why)
{
    showNote(tr("无法打开串口！"), why);
}

void ConnectionController::packetCame()
{
    if (m_receiving || !m_port.isOpen())
        return;
    m_receiving = true;
    m_noData.stop();
    setLamp(QStringLiteral("green"));
    // This adapter reached a transmitter: it is the one to find next time.
    const AdapterKey key = portnames::keyOf(m_opened);
    if (key.isValid()) {
        m_settings.setRememberedAdapter(key.vendorId, key.productId, key.serialNumber);
        m_settings.sync();
    }
    m_status->showReceiving();
    emit receivingStarted();
}

void ConnectionController::setLamp(const QString &colour)
{
    if (colour == QLatin1String("amber")) {
        static const QIcon amber = amberLamp();
        m_widgets.lamp->setIcon(amber);
    } else {
        m_widgets.lamp->setIcon(QIcon(QString::fromLatin1(colour == QLatin1String("green") ? kGreenLamp : kRedLamp)));
    }
}

int ConnectionController::rememberedRow() const
{
    AdapterKey key;
    m_settings.rememberedAdapter(&key.vendorId, &key.productId, &key.serialNumber);
    return portnames::find(m_ports->entries(), key);
}

// The box after its list changed: what the user typed or picked stays, an
// empty box takes up the remembered adapter and nothing else.
void ConnectionController::preselect()
{
    QComboBox *box = m_widgets.portBox;
    if (!m_typed.isEmpty()) {
        if (box->currentText() != m_typed)
            box->setEditText(m_typed);
        return;
    }
    const int row = rememberedRow();
    box->setCurrentIndex(row);
    if (row < 0)
        box->setEditText(QString());
}

void ConnectionController::followed()
{
    preselect();
    const bool present = rememberedRow() >= 0;
    const bool appeared = present && !m_adapterPresent;
    m_adapterPresent = present;
    if (!appeared || m_port.isOpen() || !m_settings.autoConnect())
        return;
    // Only the adapter that reached a transmitter before, never another port.
    const PortEntry &entry = m_ports->entries().at(rememberedRow());
    m_typed.clear();
    openPort(entry.name, true);
}

// The panel as it is with no port open; the port list follows the system
// again, the port used last staying the current text.
void ConnectionController::showClosed()
{
    m_noData.stop();
    m_receiving = false;
    emit closed();
    QComboBox *box = m_widgets.portBox;
    box->setEnabled(true);
    m_widgets.openButton->setText(tr(kClosedText));
    setLamp(QStringLiteral("red"));
    m_status->setConnection(QString(), false);

    m_ports->setFollowing(true);
    m_adapterPresent = rememberedRow() >= 0;
    const int listed = m_ports->rowOf(m_portName);
    box->setCurrentIndex(listed);
    if (listed < 0)
        box->setEditText(m_portName);
}

// The device went away under us (cable pulled, peer closed) and the port is
// closed: the closed panel at once, then why. The remembered adapter pulled
// out is waited for instead, and opened again when it comes back.
void ConnectionController::lost(const QString &reason)
{
    AdapterKey remembered;
    m_settings.rememberedAdapter(&remembered.vendorId, &remembered.productId, &remembered.serialNumber);
    const bool wait = m_settings.autoConnect() && portnames::find({m_opened}, remembered) == 0;
    showClosed();
    m_status->showLoss(reason);
    if (wait) {
        m_waiting = true;
        const QString chip = portnames::chipOf(m_opened);
        m_status->appendNote(tr("等待 %1 重新插上，插上后自动打开").arg(chip.isEmpty() ? m_opened.name : chip));
        return;
    }
    // Shown from the event loop, not from inside the port's error signal.
    QTimer::singleShot(0, this, [reason] { showNote(tr("串口已断开"), reason); });
}

#include "moc_connection.cpp"
