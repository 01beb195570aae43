#include "paramset.h"

#include "fields.h"
#include "protocol.h"

#include <algorithm>
#include <cstring>

namespace {

template <int N>
void fill(int (&a)[N], int v)
{
    std::fill(std::begin(a), std::end(a), v);
}

template <int N>
void set(int (&a)[N], std::initializer_list<int> values, int first = 1)
{
    int i = first;
    for (int v : values)
        a[i++] = v;
}

} // namespace

ParamSet::ParamSet()
{
    // Zero everything first so that the unused element 0 of every array has a
    // defined value and whole-set comparisons are meaningful.
    std::memset(static_cast<void *>(this), 0, sizeof(*this));

    fill(reverse, 0);
    reverse[3] = 1;
    fill(subTrim, 0);
    fill(epaLeft, 96);
    fill(epaRight, 96);
    fill(failSafe, 50);
    failSafe[3] = 0;
    fill(servoDelay, 100);
    set(auxSource, {1, 3, 0, 2}, 5);

    txAlarmVolt = 11.0;
    txAlarmVoltX10 = 37;
    rxAlarmVolt = 4.0;
    rxAlarmVoltX10 = 40;
    extAlarmVolt = 11.0;
    extAlarmVoltX10 = 110;
    rssiAlarm = -100;
    stickMode = 1;
    firmwareVersion = 0;
    set(stickTrim, {protocol::trimCentre, protocol::trimCentre, protocol::trimCentre, protocol::trimCentre});

    attitudeChannel = 4;
    set(attitude, {14, 29, 44, 56, 69, 88});

    elevonMix = 0;
    set(elevon, {100, 100, 100, -100, 100, 100});
    vtailMix = 0;
    set(vtail, {50, -50, 50, 50});

    drMix = 0;
    drChannel = 0;
    drSwitch = 0;
    drPosition = 0;
    set(drRateUp, {100, 100, 100, 100});
    set(drRateDown, {100, 100, 100, 100});
    set(drExpoUp, {0, 0, 0, 0});
    set(drExpoDown, {0, 0, 0, 0});
    drUp = 100;
    drDown = 100;
    drCurveRate = 100;
    drCurveExpo = 0;

    set(prmMix, {0, 0, 0, 0});
    set(prmMaster, {0, 1, 0, 1});
    set(prmSlave, {3, 5, 3, 5});
    set(prmOffset, {0, 0, 0, 0});
    set(prmUpRate, {0, 0, 0, 0});
    set(prmDownRate, {0, 0, 0, 0});

    thrCurveMix = 0;
    thrCurveExtra = 0;
    set(thrCurve, {0, 16, 33, 50, 67, 84, 100});
}

bool operator==(const ParamSet &a, const ParamSet &b)
{
    for (int k = 0; k < allFieldCount; ++k) {
        const FieldExtent &e = allFields[k];
        for (int i = e.first; i <= e.last; ++i)
            if (fieldValue(a, e.field, i) != fieldValue(b, e.field, i))
                return false;
    }
    return a.txAlarmVolt == b.txAlarmVolt && a.rxAlarmVolt == b.rxAlarmVolt
        && a.extAlarmVolt == b.extAlarmVolt;
}

int &LiveValues::channel(int n)
{
    int *const ch[] = {&channelValue1, &channelValue2, &channelValue3, &channelValue4,
                       &channelValue5, &channelValue6, &channelValue7, &channelValue8};
    return *ch[n - 1];
}

int LiveValues::channel(int n) const
{
    return const_cast<LiveValues *>(this)->channel(n);
}

void LiveValues::centreChannels()
{
    for (int n = 1; n <= 8; ++n)
        channel(n) = 1000;
}

const char *const initialFrameText[protocol::frameCount] = {
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y",
    "G41E2D3C4855680DCDCDCDCDC1409632A696674747474747474740074746474647464640135006D2Z",
    "H0000000000000000000000000000000000000000000000000000000000000000000000000000000X",
    "I0000000000000000000000000000000000000000000000000000000000000000000000000000000V",
};

FrameTexts::FrameTexts()
{
    for (int k = 0; k < protocol::frameCount; ++k)
        text[k] = QString::fromLatin1(initialFrameText[k]);
}

ParamSet paramSet;
LiveValues liveValues;
FrameTexts frameTexts;
QString loadFileText;
