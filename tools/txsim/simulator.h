#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QVector>

#include "linkparser.h"
#include "paramset.h"

// One short line on stderr, prefixed with the program's name.
void say(const QString &text);

// What the transmitter reports live at t seconds after start: channels
// swinging smoothly over 1000 +- 500, batteries and RSSI drifting a little.
LiveValues simulatedLive(double seconds);

// A transmitter on the master side of a pseudo-terminal. After "OK" it
// streams channel and telemetry packets, answers "RR" with its settings
// sections and takes in Parameter frames. Every packet is one write, and the
// next one waits for the "WWW" of the last (or a time-out) and for the last
// to have been read, so the configurator never sees two packets in one read.
class Simulator : public QObject
{
    Q_OBJECT

public:
    struct Options {
        double rate = 20;       // live packets per second; 0 = none
        int ackTimeoutMs = 200; // send on without a "WWW" after this long
        QVector<int> leaveOut;  // sections a read request is not answered with
        QString logPath;        // every byte received, time-stamped
        // A transmitter that does not keep what it is sent, for trying the
        // configurator's check after a write.
        enum class Fault { None, ChangeField, IgnoreWrites };
        Fault fault = Fault::None;
    };

    Simulator(const ParamSet &settings, const Options &options, QObject *parent = nullptr);
    ~Simulator() override;

    // Opens the pseudo-terminal; the slave is left in raw mode at 115200.
    bool open(QString *error);
    QString portName() const { return m_portName; }

    const ParamSet &settings() const { return m_settings; }

private slots:
    void readLink();
    void pump();
    void giveUpPending();

private:
    void handle(const LinkParser::Message &m);
    void takeFrame(int frame, const QByteArray &text);
    void queueSettings();
    QByteArray nextLivePacket();
    bool writePacket(const QByteArray &packet);
    int unreadBySlave() const;
    void logReceived(const QByteArray &chunk);

    ParamSet m_settings;
    Options m_options;
    int m_master = -1;
    int m_slave = -1;
    QString m_portName;
    QSocketNotifier *m_notifier = nullptr;
    QFile m_log;
    LinkParser m_parser;

    bool m_streaming = false;
    bool m_telemetryNext = false;
    QVector<QByteArray> m_sections; // settings packets still to send
    int m_sectionsSent = 0;
    int m_sectionsUnacked = 0;
    bool m_awaitingAck = false;
    QElapsedTimer m_sinceSend;
    QElapsedTimer m_clock;
    QElapsedTimer m_heldFor; // how long the last packet has stayed unread
    bool m_heldNoticed = false;
    QTimer m_pumpTimer;
    QTimer m_staleTimer;
};
