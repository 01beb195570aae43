#include "fixtures.h"

#include "frames.h"
#include "ptypeer.h"

namespace fixtures {

namespace {

QByteArray be16(int v)
{
    QByteArray b;
    b.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
    return b;
}

const char endLetters[] = "YZXV";

} // namespace

QByteArray channelPacket(const QVector<int> &values, int txVoltage)
{
    QByteArray p("\xFE\x18", 2);
    for (int v : values)
        p += be16(v);
    p += be16(txVoltage);
    return p;
}

QByteArray telemetryPacket(int rssi, int rx, int ext, const QVector<int> &trims)
{
    QByteArray p("\xFE\x19", 2);
    p.append(char(rssi)).append(char(rx));
    p += be16(ext);
    p += be16(0x1111);
    p += be16(0x2222);
    for (int t : trims)
        p.append(char(t));
    p.append(QByteArray(6, '\0'));
    return p;
}

QByteArray settingsPacket(int code, const QVector<int> &data)
{
    QByteArray p;
    p.append(char(0xFE)).append(char(0x01)).append(char(code));
    for (int d : data)
        p.append(char(d));
    p.append(char(0xFE));
    return p;
}

QByteArray shortSettingsPacket(int a5, int a6, int a7, int a8)
{
    QByteArray p("\x33\x44\xAA", 3);
    p.append(char(a5)).append(char(a6)).append(char(a7)).append(char(a8)).append(char(0x55));
    return p;
}

const QByteArray initialS = "S00100000787878787878787870707070707070707070707070707070424210424242424213027E1Y";
const QByteArray initialG = "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z";
const QByteArray initialH = "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X";
const QByteArray initialI = "I88888888"
                            "00000000000000000000000000000000000000000000000000000000000000000000000V";
const QByteArray factoryS = "S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y";

ParamSet unshowableSet()
{
    ParamSet held;
    held.drSwitch = 2;
    held.thrCurveMix = 4;
    held.prmSlave[1] = 8;
    held.prmDownRate[3] = -36;
    held.prmDownRate[4] = -48;
    return held;
}

ParamSet factorySet()
{
    ParamSet f;
    f.txAlarmVolt = 3.7;
    f.txAlarmVoltX10 = 37;
    f.stickMode = 2;
    return f;
}

void spoilSettings()
{
    paramSet.subTrim[1] = 50;
    paramSet.epaRight[8] = 10;
    paramSet.servoDelay[4] = 20;
    paramSet.thrCurve[7] = 70;
    paramSet.txAlarmVolt = 9.9;
    paramSet.stickMode = 4;
    paramSet.firmwareVersion = 7;
    for (int t = 1; t <= 4; ++t)
        paramSet.stickTrim[t] = 100;
}

StreamWatch::StreamWatch(PtyPeer &peer)
    : m_peer(peer)
    , m_arrivals(4, -1)
{
    m_clock.start();
    m_timer.setInterval(2);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

StreamWatch::~StreamWatch()
{
    m_timer.stop();
}

void StreamWatch::onFrame(char endLetter, const std::function<void()> &action)
{
    m_steps.append({endLetter, action, false});
}

QVector<qint64> StreamWatch::arrivals() const
{
    return m_arrivals;
}

void StreamWatch::poll()
{
    const QByteArray got = m_peer.received();
    for (int k = 0; k < 4; ++k) {
        if (m_arrivals[k] < 0 && got.contains(endLetters[k])) {
            m_arrivals[k] = m_clock.elapsed();
            qInfo("frame ending '%c' complete at %lld ms", endLetters[k], m_arrivals[k]);
        }
    }
    for (Step &s : m_steps) {
        if (!s.done && got.contains(s.end)) {
            s.done = true;
            s.action();
        }
    }
}

QByteArray wireFrames(const ParamSet &set)
{
    ParamSet p = set;
    QByteArray bytes;
    for (int frame = FrameS; frame <= FrameI; ++frame) {
        QString text = QString::fromLatin1(initialFrameText[frame]);
        buildFrame(p, frame, text);
        bytes += text.toLatin1();
    }
    return bytes + "WWW";
}

} // namespace fixtures
