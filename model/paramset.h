#pragma once

#include <QString>

// The transmitter's settings as the program holds them. Per-channel arrays
// are indexed from 1 (element 0 is unused) so that index n is channel n; the
// dual-rate tables are indexed 1..4 for CH1..CH4, the aux sources 5..8.
struct ParamSet
{
    int reverse[9];
    int subTrim[9];
    int epaLeft[9];
    int epaRight[9];
    int failSafe[9];
    int servoDelay[9];
    int auxSource[9];

    double txAlarmVolt;
    int txAlarmVoltX10;
    double rxAlarmVolt;
    int rxAlarmVoltX10;
    double extAlarmVolt;
    int extAlarmVoltX10;
    int rssiAlarm;
    int stickMode;
    int firmwareVersion;
    int stickTrim[5];

    int attitudeChannel;
    int attitude[7];

    int elevonMix;
    int elevon[7];
    int vtailMix;
    int vtail[5];

    int drMix;
    int drChannel;
    int drSwitch;
    int drPosition;
    int drRateUp[5];
    int drRateDown[5];
    int drExpoUp[5];
    int drExpoDown[5];
    int drUp;
    int drDown;
    int drCurveRate;
    int drCurveExpo;

    int prmMix[5];
    int prmMaster[5];
    int prmSlave[5];
    int prmOffset[5];
    int prmUpRate[5];
    int prmDownRate[5];

    int thrCurveMix;
    int thrCurveExtra;
    int thrCurve[8];

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
    QString text[4];
    FrameTexts();
};

extern const char *const initialFrameText[4];

// The process-wide instances the window works on.
extern ParamSet paramSet;
extern LiveValues liveValues;
extern FrameTexts frameTexts;
extern QString loadFileText;
