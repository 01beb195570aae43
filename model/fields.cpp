#include "fields.h"

#include <QtGlobal>

int &fieldRef(ParamSet &p, Field f, int i)
{
    switch (f) {
#define VARNIX_ARRAY(name, first, last, page, show, ...) \
    case Field::name: return p.name[i];
#define VARNIX_SCALAR(name, page, show, ...) \
    case Field::name: return p.name;
        VARNIX_FIELDS(VARNIX_ARRAY, VARNIX_SCALAR)
#undef VARNIX_ARRAY
#undef VARNIX_SCALAR
    }
    Q_UNREACHABLE();
    return p.reverse[0];
}

int fieldValue(const ParamSet &p, Field f, int index)
{
    return fieldRef(const_cast<ParamSet &>(p), f, index);
}

const FieldExtent allFields[] = {
#define VARNIX_ARRAY(name, first, last, page, show, ...) {Field::name, first, last, #name, page, Show::show, __VA_ARGS__},
#define VARNIX_SCALAR(name, page, show, ...) {Field::name, 0, 0, #name, page, Show::show, __VA_ARGS__},
    VARNIX_FIELDS(VARNIX_ARRAY, VARNIX_SCALAR)
#undef VARNIX_ARRAY
#undef VARNIX_SCALAR
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
        *volts = fieldRef(p, f) / companionScale;
}
