#pragma once

// Device packets built by hand, byte by byte, and the frames the transmitter
// must see: fixtures shared by the tests of the link, the window and files.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>
#include <QVector>

#include <functional>

#include "paramset.h"

class PtyPeer;

namespace fixtures {

// 0xFE 0x18, eight BE16 channel outputs, BE16 battery in 0.01 V.
QByteArray channelPacket(const QVector<int> &values, int txVoltage);
// 0xFE 0x19, RSSI, receiver battery, BE16 power battery, BE16 0x1111 and
// 0x2222 (unused), four trim bytes, six unused bytes.
QByteArray telemetryPacket(int rssi, int rx, int ext, const QVector<int> &trims);
// 0xFE, 0x01, section code, eight data bytes, 0xFE.
QByteArray settingsPacket(int code, const QVector<int> &data);
// Section 7: 0x33, 0x44, 0xAA, aux sources of CH5..CH8, 0x55.
QByteArray shortSettingsPacket(int a5, int a6, int a7, int a8);

// The frames the Initial values make, as the transmitter receives them.
extern const QByteArray initialS;
extern const QByteArray initialG;
extern const QByteArray initialH;
extern const QByteArray initialI;
// After the factory values only 3.7 V and stick mode 2 differ.
extern const QByteArray factoryS;

// The set the factory values make from the Initial values.
ParamSet factorySet();

// The four frames a set makes, as the transmitter receives them after a Write.
QByteArray wireFrames(const ParamSet &set);

// A test's expected text, written in UTF-8.
inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}
// Settings inside every range that the window's boxes cannot show (switch
// #2, curve #4, slave #8, lower rates -36/-48 %).
ParamSet unshowableSet();
// Puts settings far from the start values into the process-wide set, for
// the commands to overwrite: subTrim[1] 50, epaRight[8] 10, servoDelay[4]
// 20, thrCurve[7] 70, 9.9 V, stick mode 4, firmware 7, trims 100.
void spoilSettings();

// Acts as the program's output reaches the peer: each step runs once, when
// the end letter of its frame has arrived. Polls from a timer, so it also
// runs while the program waits between frames. Logs the arrival times.
class StreamWatch
{
public:
    explicit StreamWatch(PtyPeer &peer);
    ~StreamWatch();
    StreamWatch(const StreamWatch &) = delete;
    StreamWatch &operator=(const StreamWatch &) = delete;

    void onFrame(char endLetter, const std::function<void()> &action);
    // Milliseconds from the watch's start to each frame's end letter, in the
    // order S, G, H, I; -1 for a frame not seen.
    QVector<qint64> arrivals() const;

private:
    struct Step {
        char end;
        std::function<void()> action;
        bool done;
    };
    void poll();

    PtyPeer &m_peer;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QList<Step> m_steps;
    QVector<qint64> m_arrivals;
};

} // namespace fixtures
