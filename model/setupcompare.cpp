#include "setupcompare.h"

#include <cmath>

#include "frames.h"
#include "rules.h"

namespace setupcompare {

const QVector<SettingElement> &carried()
{
    static const QVector<SettingElement> elements = [] {
        QVector<SettingElement> v;
        for (int page = 1; page <= settingsPageCount; ++page)
            for (int k = 0; k < allFieldCount; ++k) {
                const FieldExtent &e = allFields[k];
                if (e.page != page)
                    continue;
                for (int i = e.first; i <= e.last; ++i)
                    if (frameFieldOf(e.field, i))
                        v.append({e.field, i});
            }
        return v;
    }();
    return elements;
}

bool same(const ParamSet &a, const ParamSet &b, const SettingElement &e)
{
    if (const double *va = companionVolt(a, e.field))
        return std::lround(*va * companionScale) == std::lround(*companionVolt(b, e.field) * companionScale);
    return fieldValue(a, e.field, e.index) == fieldValue(b, e.field, e.index);
}

QVector<SettingElement> differences(const ParamSet &a, const ParamSet &b, bool trims)
{
    QVector<SettingElement> v;
    for (const SettingElement &e : carried())
        if ((trims || e.field != Field::stickTrim) && !same(a, b, e))
            v.append(e);
    return v;
}

ParamSet copied(const ParamSet &from, const ParamSet &into, const QVector<SettingElement> &elements)
{
    ParamSet p = into;
    for (const SettingElement &e : elements) {
        fieldRef(p, e.field, e.index) = fieldValue(from, e.field, e.index);
        if (double *volts = companionVolt(p, e.field))
            *volts = *companionVolt(from, e.field);
    }
    drDataSelet(p);
    return p;
}

} // namespace setupcompare
