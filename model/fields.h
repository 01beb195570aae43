#pragma once

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

// Every integer element of the set: the valid index range of each field.
struct FieldExtent {
    Field field;
    int first;
    int last;
    const char *name;
};
extern const FieldExtent allFields[];
extern const int allFieldCount;
