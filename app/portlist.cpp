#include "portlist.h"

#include <QCoreApplication>
#include <QSerialPortInfo>
#include <QStringList>

namespace {

QList<PortEntry> systemPorts()
{
    QList<PortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        PortEntry e{info.portName(), info.description(), info.manufacturer()};
        e.serialNumber = info.serialNumber();
        e.hasVendor = info.hasVendorIdentifier();
        e.hasProduct = info.hasProductIdentifier();
        e.vendorId = e.hasVendor ? info.vendorIdentifier() : 0;
        e.productId = e.hasProduct ? info.productIdentifier() : 0;
        ports.append(e);
    }
    return ports;
}

// The USB-serial chips transmitters' cables are built on.
struct Chip {
    quint16 vendor;
    quint16 product;
    const char *name;
};
const Chip kChips[] = {
    {0x1A86, 0x7523, "CH340"},
    {0x10C4, 0xEA60, "CP210x"},
    {0x0403, 0x6001, "FTDI"},
    {0x0403, 0x6015, "FTDI"},
    {0x067B, 0x2303, "PL2303"},
};

QString hex4(quint16 v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper();
}

int indexOf(const QList<PortEntry> &ports, const QString &name)
{
    for (int i = 0; i < ports.size(); ++i)
        if (ports.at(i).name == name)
            return i;
    return -1;
}

} // namespace

bool PortEntry::operator==(const PortEntry &o) const
{
    return name == o.name && description == o.description && manufacturer == o.manufacturer
        && serialNumber == o.serialNumber && vendorId == o.vendorId && productId == o.productId
        && hasVendor == o.hasVendor && hasProduct == o.hasProduct;
}

namespace portnames {

bool isUsb(const PortEntry &port)
{
    return port.hasVendor && port.hasProduct;
}

QString chipOf(const PortEntry &port)
{
    if (!isUsb(port))
        return QString();
    for (const Chip &chip : kChips)
        if (chip.vendor == port.vendorId && chip.product == port.productId)
            return QLatin1String(chip.name);
    return QString();
}

QString label(const PortEntry &port)
{
    QStringList parts{port.name};
    if (isUsb(port)) {
        const QString ids = hex4(port.vendorId) + QLatin1Char(':') + hex4(port.productId);
        const QString chip = chipOf(port);
        parts << (chip.isEmpty() ? QCoreApplication::translate("PortListModel", "USB 设备 (%1)").arg(ids)
                                 : QStringLiteral("%1 (%2)").arg(chip, ids));
        if (!port.serialNumber.isEmpty())
            parts << QCoreApplication::translate("PortListModel", "序列号 %1").arg(port.serialNumber);
    }
    if (!port.description.isEmpty())
        parts << port.description;
    else if (!isUsb(port))
        parts << QCoreApplication::translate("PortListModel", "非 USB 串口");
    return parts.join(QStringLiteral(" · "));
}

QList<PortEntry> ordered(const QList<PortEntry> &ports)
{
    QList<PortEntry> usb;
    QList<PortEntry> other;
    for (const PortEntry &port : ports)
        (isUsb(port) ? usb : other).append(port);
    return usb + other;
}

AdapterKey keyOf(const PortEntry &port)
{
    if (!isUsb(port))
        return AdapterKey();
    return {port.vendorId, port.productId, port.serialNumber};
}

int find(const QList<PortEntry> &ports, const AdapterKey &key)
{
    if (!key.isValid())
        return -1;
    for (int i = 0; i < ports.size(); ++i) {
        const PortEntry &p = ports.at(i);
        if (isUsb(p) && p.vendorId == key.vendorId && p.productId == key.productId
            && p.serialNumber == key.serialNumber)
            return i;
    }
    return -1;
}

} // namespace portnames

PortListModel::PortListModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_source(systemPorts)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &PortListModel::refresh);
    m_timer.start();
    refresh();
}

void PortListModel::setSource(const Source &source)
{
    m_source = source;
    if (m_timer.isActive())
        refresh();
}

void PortListModel::setFollowing(bool following)
{
    if (following) {
        // Back in enumeration order, as a new list would be.
        beginResetModel();
        m_ports = portnames::ordered(m_source());
        endResetModel();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void PortListModel::refresh()
{
    const QList<PortEntry> ports = m_source();
    bool rowsChange = ports.size() != m_ports.size();
    for (const PortEntry &port : ports)
        rowsChange = rowsChange || indexOf(m_ports, port.name) < 0;
    if (rowsChange)
        emit aboutToFollow();
    for (int i = m_ports.size() - 1; i >= 0; --i) {
        if (indexOf(ports, m_ports.at(i).name) >= 0)
            continue;
        beginRemoveRows(QModelIndex(), i, i);
        m_ports.removeAt(i);
        endRemoveRows();
    }
    for (const PortEntry &port : portnames::ordered(ports)) {
        const int i = indexOf(m_ports, port.name);
        if (i >= 0) {
            if (m_ports.at(i) != port) {
                m_ports[i] = port;
                emit dataChanged(index(i), index(i));
            }
            continue;
        }
        // A USB adapter goes after the last one listed, anything else last.
        int at = m_ports.size();
        if (portnames::isUsb(port)) {
            at = 0;
            while (at < m_ports.size() && portnames::isUsb(m_ports.at(at)))
                ++at;
        }
        beginInsertRows(QModelIndex(), at, at);
        m_ports.insert(at, port);
        endInsertRows();
    }
    if (rowsChange)
        emit followed();
}

int PortListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ports.size();
}

QVariant PortListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_ports.size())
        return QVariant();
    const PortEntry &port = m_ports.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return portnames::label(port);
    case Qt::EditRole:
        return port.name;
    case Qt::ToolTipRole: {
        QStringList parts;
        for (const QString &part : {port.description, port.manufacturer})
            if (!part.isEmpty())
                parts << part;
        return parts.join(QStringLiteral(" · "));
    }
    default:
        return QVariant();
    }
}

int PortListModel::rowOf(const QString &name) const
{
    return indexOf(m_ports, name);
}

bool PortListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > m_ports.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_ports.erase(m_ports.begin() + row, m_ports.begin() + row + count);
    endRemoveRows();
    return true;
}

#include "moc_portlist.cpp"
