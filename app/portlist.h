#pragma once

// The serial ports the system lists, as a model for the port box. While no
// port is open it follows the system about once a second, so a transmitter
// plugged in later shows up without a restart; rows that came are added and
// rows that went are taken out in place.

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QTimer>

#include <functional>

// A serial port as the system lists it (QSerialPortInfo's facts, as plain
// data so that the naming below needs no hardware).
struct PortEntry {
    PortEntry(const QString &name = QString(), const QString &description = QString(),
              const QString &manufacturer = QString())
        : name(name), description(description), manufacturer(manufacturer)
    {
    }

    QString name;
    QString description;
    QString manufacturer;
    QString serialNumber;
    quint16 vendorId = 0;
    quint16 productId = 0;
    bool hasVendor = false;
    bool hasProduct = false;

    bool operator==(const PortEntry &o) const;
    bool operator!=(const PortEntry &o) const { return !(*this == o); }
};

// A USB adapter as remembered across sessions: its COM number or ttyUSB
// index may change with the socket, these do not.
struct AdapterKey {
    quint16 vendorId = 0;
    quint16 productId = 0;
    QString serialNumber;
    bool isValid() const { return vendorId != 0 || productId != 0; }
};

namespace portnames {

// Whether the port sits on a USB adapter (the system gave its ids).
bool isUsb(const PortEntry &port);
// The adapter's chip from its ids ("CH340", "CP210x", "FTDI", "PL2303"),
// empty for other devices.
QString chipOf(const PortEntry &port);
// What the list shows: the name, then the chip and its ids, the serial
// number and the system's description, e.g.
// "ttyUSB0 · CH340 (1A86:7523) · 序列号 A1B2 · USB Serial".
QString label(const PortEntry &port);
// USB adapters first, each group in the system's order.
QList<PortEntry> ordered(const QList<PortEntry> &ports);
AdapterKey keyOf(const PortEntry &port);
// The port that is the remembered adapter: the same ids and serial number,
// or, where the adapter has no serial number, the first with the same ids.
// -1 when none is.
int find(const QList<PortEntry> &ports, const AdapterKey &key);

} // namespace portnames

class PortListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using Source = std::function<QList<PortEntry>()>;

    explicit PortListModel(QObject *parent = nullptr);

    // Where the list comes from: the system's ports unless a test says otherwise.
    void setSource(const Source &source);
    // Stops following the system (a port is open), or starts again from
    // the ports present now.
    void setFollowing(bool following);
    // Takes in the ports present now.
    void refresh();
    // The ports as listed now, in the list's order.
    const QList<PortEntry> &entries() const { return m_ports; }
    // The row of a port by its name, or -1.
    int rowOf(const QString &name) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The name (edit role: what the box opens), the label (display role),
    // and as tool tip the description and manufacturer.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Rows taken out (the box cleared) until the next refresh brings them back.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

signals:
    // Around a refresh that changes rows.
    void aboutToFollow();
    void followed();

private:
    Source m_source;
    QList<PortEntry> m_ports;
    QTimer m_timer;
};
