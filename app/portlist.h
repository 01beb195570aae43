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

// A serial port as the system lists it.
struct PortEntry {
    QString name;
    QString description;
    QString manufacturer;
};

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

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The name, and as tool tip the description and manufacturer.
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
