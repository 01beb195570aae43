#pragma once

#include <QString>

#include "paramset.h"

// Names for the integer fields of the Parameter set, so that protocol layouts
// can be written as tables of (position, code, field, index).
enum class Field {
    reverse, subTrim, epaLeft, epaRight, failSafe, servoDelay, auxSource,
    txAlarmVoltX10, rxAlarmVoltX10, extAlarmVoltX10,
    rssiAlarm, stickMode, firmwareVersion, stickTrim,
    attitudeChannel, attitude,
    elevonMix, elevon, vtailMix, vtail,
    drMix, drChannel, drSwitch, drPosition,
    drRateUp, drRateDown, drExpoUp, drExpoDown,
    drUp, drDown, drCurveRate, drCurveExpo,
    prmMix, prmMaster, prmSlave, prmOffset, prmUpRate, prmDownRate,
    thrCurveMix, thrCurveExtra, thrCurve,
};

// The field itself; index selects the element of an array field and is
// ignored for a scalar one.
int &fieldRef(ParamSet &p, Field f, int index = 0);
int fieldValue(const ParamSet &p, Field f, int index = 0);

// Every integer element of the set: the valid index range of each field, its
// name as in ParamSet, and the settings page (1..5) whose widgets edit or
// show it. Scalars have first = last = 0.
struct FieldExtent {
    Field field;
    int first;
    int last;
    const char *name;
    int page;
};
extern const FieldExtent allFields[];
extern const int allFieldCount;

const FieldExtent &fieldExtent(Field f);
// "subTrim[3]", or "stickMode" for a scalar.
QString elementName(Field f, int index);

// The alarm voltage a companion stands for (txAlarmVolt for txAlarmVoltX10);
// nullptr for every other field.
double *companionVolt(ParamSet &p, Field f);
const double *companionVolt(const ParamSet &p, Field f);
// After a companion has been decoded: its voltage from the tenths it holds.
void setDerivedVolt(ParamSet &p, Field f);
