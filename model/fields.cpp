#include "fields.h"

#include <QtGlobal>

int &fieldRef(ParamSet &p, Field f, int i)
{
    switch (f) {
    case Field::reverse: return p.reverse[i];
    case Field::subTrim: return p.subTrim[i];
    case Field::epaLeft: return p.epaLeft[i];
    case Field::epaRight: return p.epaRight[i];
    case Field::failSafe: return p.failSafe[i];
    case Field::servoDelay: return p.servoDelay[i];
    case Field::auxSource: return p.auxSource[i];
    case Field::txAlarmVoltX10: return p.txAlarmVoltX10;
    case Field::rxAlarmVoltX10: return p.rxAlarmVoltX10;
    case Field::extAlarmVoltX10: return p.extAlarmVoltX10;
    case Field::rssiAlarm: return p.rssiAlarm;
    case Field::stickMode: return p.stickMode;
    case Field::firmwareVersion: return p.firmwareVersion;
    case Field::stickTrim: return p.stickTrim[i];
    case Field::attitudeChannel: return p.attitudeChannel;
    case Field::attitude: return p.attitude[i];
    case Field::elevonMix: return p.elevonMix;
    case Field::elevon: return p.elevon[i];
    case Field::vtailMix: return p.vtailMix;
    case Field::vtail: return p.vtail[i];
    case Field::drMix: return p.drMix;
    case Field::drChannel: return p.drChannel;
    case Field::drSwitch: return p.drSwitch;
    case Field::drPosition: return p.drPosition;
    case Field::drRateUp: return p.drRateUp[i];
    case Field::drRateDown: return p.drRateDown[i];
    case Field::drExpoUp: return p.drExpoUp[i];
    case Field::drExpoDown: return p.drExpoDown[i];
    case Field::drUp: return p.drUp;
    case Field::drDown: return p.drDown;
    case Field::drCurveRate: return p.drCurveRate;
    case Field::drCurveExpo: return p.drCurveExpo;
    case Field::prmMix: return p.prmMix[i];
    case Field::prmMaster: return p.prmMaster[i];
    case Field::prmSlave: return p.prmSlave[i];
    case Field::prmOffset: return p.prmOffset[i];
    case Field::prmUpRate: return p.prmUpRate[i];
    case Field::prmDownRate: return p.prmDownRate[i];
    case Field::thrCurveMix: return p.thrCurveMix;
    case Field::thrCurveExtra: return p.thrCurveExtra;
    case Field::thrCurve: return p.thrCurve[i];
    }
    Q_UNREACHABLE();
    return p.reverse[0];
}

int fieldValue(const ParamSet &p, Field f, int index)
{
    return fieldRef(const_cast<ParamSet &>(p), f, index);
}

const FieldExtent allFields[] = {
    {Field::reverse, 1, 8, "reverse"},
    {Field::subTrim, 1, 8, "subTrim"},
    {Field::epaLeft, 1, 8, "epaLeft"},
    {Field::epaRight, 1, 8, "epaRight"},
    {Field::failSafe, 1, 8, "failSafe"},
    {Field::servoDelay, 1, 8, "servoDelay"},
    {Field::auxSource, 5, 8, "auxSource"},
    {Field::txAlarmVoltX10, 0, 0, "txAlarmVoltX10"},
    {Field::rxAlarmVoltX10, 0, 0, "rxAlarmVoltX10"},
    {Field::extAlarmVoltX10, 0, 0, "extAlarmVoltX10"},
    {Field::rssiAlarm, 0, 0, "rssiAlarm"},
    {Field::stickMode, 0, 0, "stickMode"},
    {Field::firmwareVersion, 0, 0, "firmwareVersion"},
    {Field::stickTrim, 1, 4, "stickTrim"},
    {Field::attitudeChannel, 0, 0, "attitudeChannel"},
    {Field::attitude, 1, 6, "attitude"},
    {Field::elevonMix, 0, 0, "elevonMix"},
    {Field::elevon, 1, 6, "elevon"},
    {Field::vtailMix, 0, 0, "vtailMix"},
    {Field::vtail, 1, 4, "vtail"},
    {Field::drMix, 0, 0, "drMix"},
    {Field::drChannel, 0, 0, "drChannel"},
    {Field::drSwitch, 0, 0, "drSwitch"},
    {Field::drPosition, 0, 0, "drPosition"},
    {Field::drRateUp, 1, 4, "drRateUp"},
    {Field::drRateDown, 1, 4, "drRateDown"},
    {Field::drExpoUp, 1, 4, "drExpoUp"},
    {Field::drExpoDown, 1, 4, "drExpoDown"},
    {Field::drUp, 0, 0, "drUp"},
    {Field::drDown, 0, 0, "drDown"},
    {Field::drCurveRate, 0, 0, "drCurveRate"},
    {Field::drCurveExpo, 0, 0, "drCurveExpo"},
    {Field::prmMix, 1, 4, "prmMix"},
    {Field::prmMaster, 1, 4, "prmMaster"},
    {Field::prmSlave, 1, 4, "prmSlave"},
    {Field::prmOffset, 1, 4, "prmOffset"},
    {Field::prmUpRate, 1, 4, "prmUpRate"},
    {Field::prmDownRate, 1, 4, "prmDownRate"},
    {Field::thrCurveMix, 0, 0, "thrCurveMix"},
    {Field::thrCurveExtra, 0, 0, "thrCurveExtra"},
    {Field::thrCurve, 1, 7, "thrCurve"},
};
const int allFieldCount = int(sizeof(allFields) / sizeof(allFields[0]));
