#pragma once

#include <QString>

#include "fieldtable.h"
#include "protocol.h"

// The transmitter's settings as the program holds them: the fields of
// fieldtable.h, and the three alarm voltages whose tenths the ...X10 fields hold.
struct ParamSet
{
#define VARNIX_ARRAY(name, first, last, page, show, ...) int name[last + 1];
#define VARNIX_SCALAR(name, page, show, ...) int name;
    VARNIX_FIELDS(VARNIX_ARRAY, VARNIX_SCALAR)
#undef VARNIX_ARRAY
#undef VARNIX_SCALAR

    double txAlarmVolt;
    double rxAlarmVolt;
    double extAlarmVolt;

    // Builds the set with the values the program starts with.
    ParamSet();
};

bool operator==(const ParamSet &a, const ParamSet &b);
inline bool operator!=(const ParamSet &a, const ParamSet &b) { return !(a == b); }

// Values reported live by the transmitter; never saved.
struct LiveValues
{
    int channelValue1 = 1000;
    int channelValue2 = 1000;
    int channelValue3 = 1000;
    int channelValue4 = 1000;
    int channelValue5 = 1000;
    int channelValue6 = 1000;
    int channelValue7 = 1000;
    int channelValue8 = 1000;
    int txVoltage = 0;       // 0.01 V
    int rssiValue = 0;       // shown as -(100 - r) dBm
    int rxVoltage = 0;       // 0.1 V
    int extVoltage = 0;      // 0.1 V
    int telemetryExtra1 = 0;
    int telemetryExtra2 = 0;
    int ReadFlag = 0;        // last settings section decoded
    int trimUpdateBlocked = 0;

    int &channel(int n);     // n = 1..8
    int channel(int n) const;
    void centreChannels();
};

// The four Parameter frame texts, S, G, H and I. Only the bodies are ever
// rebuilt; the tails stay as they start.
struct FrameTexts
{
    QString text[protocol::frameCount];
    FrameTexts();
};

extern const char *const initialFrameText[protocol::frameCount];

// The process-wide instances the window works on.
extern ParamSet paramSet;
extern LiveValues liveValues;
extern FrameTexts frameTexts;
extern QString loadFileText;
