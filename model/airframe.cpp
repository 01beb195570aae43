#include "airframe.h"

#include <QCoreApplication>

namespace {

struct AirframeRow {
    Airframe kind;
    const char *key;
    const char *name; // source text: Chinese, translated to English
};

const AirframeRow airframeRows[airframe::count] = {
    {Airframe::Plane, "plane", QT_TRANSLATE_NOOP("Airframe", "固定翼")},
    {Airframe::Delta, "delta", QT_TRANSLATE_NOOP("Airframe", "三角翼（升降副翼）")},
    {Airframe::VTail, "vtail", QT_TRANSLATE_NOOP("Airframe", "V尾")},
    {Airframe::Glider, "glider", QT_TRANSLATE_NOOP("Airframe", "滑翔机")},
    {Airframe::Other, "other", QT_TRANSLATE_NOOP("Airframe", "其他")},
};

const AirframeRow &airframeRow(Airframe kind)
{
    return airframeRows[static_cast<int>(kind)];
}

} // namespace

namespace airframe {

QString key(Airframe kind)
{
    return QString::fromLatin1(airframeRow(kind).key);
}

Airframe fromKey(const QString &key, bool *ok)
{
    for (const AirframeRow &k : airframeRows) {
        if (key == QLatin1String(k.key)) {
            if (ok)
                *ok = true;
            return k.kind;
        }
    }
    if (ok)
        *ok = false;
    return Airframe::Other;
}

QString displayName(Airframe kind)
{
    return QCoreApplication::translate("Airframe", airframeRow(kind).name);
}

} // namespace airframe
