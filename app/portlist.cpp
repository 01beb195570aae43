#include "portlist.h"

#include <QSerialPortInfo>
#include <QStringList>

namespace {

QList<PortEntry> systemPorts()
{
    QList<PortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description(), info.manufacturer()});
    return ports;
}

int indexOf(const QList<PortEntry> &ports, const QString &name)
{
    for (int i = 0; i < ports.size(); ++i)
        if (ports.at(i).name == name)
            return i;
    return -1;
}

} // namespace

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
        m_ports = m_source();
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
    for (const PortEntry &port : ports) {
        const int i = indexOf(m_ports, port.name);
        if (i >= 0) {
            if (m_ports.at(i).description != port.description || m_ports.at(i).manufacturer != port.manufacturer) {
                m_ports[i] = port;
                emit dataChanged(index(i), index(i), {Qt::ToolTipRole});
            }
            continue;
        }
        beginInsertRows(QModelIndex(), m_ports.size(), m_ports.size());
        m_ports.append(port);
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
