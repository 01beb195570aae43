#pragma once

#include <QString>

#include "paramset.h"

// Names for the integer fields of the Parameter set, so that protocol layouts
// can be written as tables of (position, code, field, index).
enum class Field {
#define VARNIX_ARRAY(name, first, last, page, show, ...) name,
#define VARNIX_SCALAR(name, page, show, ...) name,
    VARNIX_FIELDS(VARNIX_ARRAY, VARNIX_SCALAR)
#undef VARNIX_ARRAY
#undef VARNIX_SCALAR
};

// The field itself; index selects the element of an array field and is
// ignored for a scalar one.
int &fieldRef(ParamSet &p, Field f, int index = 0);
int fieldValue(const ParamSet &p, Field f, int index = 0);

// Every integer element of the set, as fieldtable.h lists it. Scalars have
// first = last = 0.
struct FieldExtent {
    Field field;
    int first;
    int last;
    const char *name;
    int page;
    Show show;
    int lo; // the range a value must lie in; lo > hi: none
    int hi;
    bool ranged() const { return lo <= hi; }
};
extern const FieldExtent allFields[];
extern const int allFieldCount;

const FieldExtent &fieldExtent(Field f);
// "subTrim[3]", or "stickMode" for a scalar.
QString elementName(Field f, int index);

// The companions hold the alarm voltages in tenths of a volt.
constexpr double companionScale = 10.0;

// The alarm voltage a companion stands for (txAlarmVolt for txAlarmVoltX10);
// nullptr for every other field.
double *companionVolt(ParamSet &p, Field f);
const double *companionVolt(const ParamSet &p, Field f);
// After a companion has been decoded: its voltage from the tenths it holds.
void setDerivedVolt(ParamSet &p, Field f);
