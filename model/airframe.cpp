#include "airframe.h"

#include <QCoreApplication>

namespace {

struct Kind {
    Airframe kind;
    const char *key;
    const char *name; // source text: Chinese, translated to English
};

const Kind kinds[airframe::count] = {
    {Airframe::Plane, "plane", QT_TRANSLATE_NOOP("Airframe", "固定翼")},
    {Airframe::Delta, "delta", QT_TRANSLATE_NOOP("Airframe", "三角翼（升降副翼）")},
    {Airframe::VTail, "vtail", QT_TRANSLATE_NOOP("Airframe", "V尾")},
    {Airframe::Glider, "glider", QT_TRANSLATE_NOOP("Airframe", "滑翔机")},
    {Airframe::Other, "other", QT_TRANSLATE_NOOP("Airframe", "其他")},
};

const Kind &row(Airframe kind)
{
    return kinds[static_cast<int>(kind)];
}

} // namespace

namespace airframe {

QString key(Airframe kind)
{
    return QString::fromLatin1(row(kind).key);
}

Airframe fromKey(const QString &key, bool *ok)
{
    for (const Kind &k : kinds) {
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
    return QCoreApplication::translate("Airframe", row(kind).name);
}

} // namespace airframe
