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

// Page 1 basic channel settings, 2 dual rate, attitude, elevon and V-tail,
// 3 the two curve groups, 4 programmable mixes, 5 system settings. The dual-rate
// tables are edited on pages 2 and 3; they are listed with page 2's group.
const FieldExtent allFields[] = {
    {Field::reverse, 1, 8, "reverse", 1},
    {Field::subTrim, 1, 8, "subTrim", 1},
    {Field::epaLeft, 1, 8, "epaLeft", 1},
    {Field::epaRight, 1, 8, "epaRight", 1},
    {Field::failSafe, 1, 8, "failSafe", 1},
    {Field::servoDelay, 1, 8, "servoDelay", 1},
    {Field::auxSource, 5, 8, "auxSource", 1},
    {Field::txAlarmVoltX10, 0, 0, "txAlarmVoltX10", 5},
    {Field::rxAlarmVoltX10, 0, 0, "rxAlarmVoltX10", 5},
    {Field::extAlarmVoltX10, 0, 0, "extAlarmVoltX10", 5},
    {Field::rssiAlarm, 0, 0, "rssiAlarm", 5},
    {Field::stickMode, 0, 0, "stickMode", 5},
    {Field::firmwareVersion, 0, 0, "firmwareVersion", 5},
    {Field::stickTrim, 1, 4, "stickTrim", 5},
    {Field::attitudeChannel, 0, 0, "attitudeChannel", 2},
    {Field::attitude, 1, 6, "attitude", 2},
    {Field::elevonMix, 0, 0, "elevonMix", 2},
    {Field::elevon, 1, 6, "elevon", 2},
    {Field::vtailMix, 0, 0, "vtailMix", 2},
    {Field::vtail, 1, 4, "vtail", 2},
    {Field::drMix, 0, 0, "drMix", 2},
    {Field::drChannel, 0, 0, "drChannel", 2},
    {Field::drSwitch, 0, 0, "drSwitch", 3},
    {Field::drPosition, 0, 0, "drPosition", 3},
    {Field::drRateUp, 1, 4, "drRateUp", 2},
    {Field::drRateDown, 1, 4, "drRateDown", 2},
    {Field::drExpoUp, 1, 4, "drExpoUp", 3},
    {Field::drExpoDown, 1, 4, "drExpoDown", 3},
    {Field::drUp, 0, 0, "drUp", 2},
    {Field::drDown, 0, 0, "drDown", 2},
    {Field::drCurveRate, 0, 0, "drCurveRate", 3},
    {Field::drCurveExpo, 0, 0, "drCurveExpo", 3},
    {Field::prmMix, 1, 4, "prmMix", 4},
    {Field::prmMaster, 1, 4, "prmMaster", 4},
    {Field::prmSlave, 1, 4, "prmSlave", 4},
    {Field::prmOffset, 1, 4, "prmOffset", 4},
    {Field::prmUpRate, 1, 4, "prmUpRate", 4},
    {Field::prmDownRate, 1, 4, "prmDownRate", 4},
    {Field::thrCurveMix, 0, 0, "thrCurveMix", 3},
    {Field::thrCurveExtra, 0, 0, "thrCurveExtra", 3},
    {Field::thrCurve, 1, 7, "thrCurve", 3},
};
const int allFieldCount = int(sizeof(allFields) / sizeof(allFields[0]));

const FieldExtent &fieldExtent(Field f)
{
    for (const FieldExtent &e : allFields)
        if (e.field == f)
            return e;
    Q_UNREACHABLE();
    return allFields[0];
}

QString elementName(Field f, int index)
{
    const FieldExtent &e = fieldExtent(f);
    const QString name = QString::fromLatin1(e.name);
    return e.first == 0 ? name : QStringLiteral("%1[%2]").arg(name).arg(index);
}

double *companionVolt(ParamSet &p, Field f)
{
    switch (f) {
    case Field::txAlarmVoltX10: return &p.txAlarmVolt;
    case Field::rxAlarmVoltX10: return &p.rxAlarmVolt;
    case Field::extAlarmVoltX10: return &p.extAlarmVolt;
    default: return nullptr;
    }
}

const double *companionVolt(const ParamSet &p, Field f)
{
    return companionVolt(const_cast<ParamSet &>(p), f);
}

void setDerivedVolt(ParamSet &p, Field f)
{
    if (double *volts = companionVolt(p, f))
        *volts = fieldRef(p, f) / 10.0;
}
