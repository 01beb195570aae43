#pragma once

// The live page: the eight channel columns, the transmitter's voltage, the
// receiver's RSSI and voltages, and the stick trims in the rows the stick
// mode puts them in. Once the port has closed or the device is lost, the
// readings show as unknown until the next packet.

#include <QObject>

class QLineEdit;
class QProgressBar;
struct ParamSet;

class LiveView : public QObject
{
    Q_OBJECT

public:
    struct Widgets {
        QLineEdit *channelText[8];
        // Two stacked bars make one centre-zero column per channel.
        QProgressBar *upper[8];
        QProgressBar *lower[8];
        QLineEdit *txVolts;
        QLineEdit *rssi;
        QLineEdit *extVolts;
        QLineEdit *rxVolts;
        QLineEdit *trim[4];
    };

    explicit LiveView(const Widgets &widgets, QObject *parent = nullptr);

    void showChannels();
    void showTelemetry();
    void showTrims(const ParamSet &set);
    // No port: the channels snap back to centre, the readings are unknown.
    void showClosed();
    // A packet came: the readings are the transmitter's again.
    void packetCame() { m_stale = false; }

private:
    Widgets m_widgets;
    bool m_stale = false;
};
