#include "settingscompare.h"

#include "frames.h"

const QVector<Element> &carried()
{
    static const QVector<Element> elements = [] {
        QVector<Element> v;
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

QVector<Element> differingElements(const ParamSet &a, const ParamSet &b, bool trims)
{
    QVector<Element> v;
    for (const Element &e : carried()) {
        if (!trims && e.field == Field::stickTrim)
            continue;
        if (fieldValue(a, e.field, e.index) != fieldValue(b, e.field, e.index))
            v.append(e);
    }
    return v;
}
