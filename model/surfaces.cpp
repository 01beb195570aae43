#include "surfaces.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtGlobal>

namespace {

struct SurfaceRow {
    Surface surface;
    const char *key;
    const char *name;
};

const SurfaceRow surfaceRows[] = {
    {Surface::RightAileron, "rightAileron", QT_TRANSLATE_NOOP("Surfaces", "右副翼")},
    {Surface::LeftAileron, "leftAileron", QT_TRANSLATE_NOOP("Surfaces", "左副翼")},
    {Surface::Elevator, "elevator", QT_TRANSLATE_NOOP("Surfaces", "升降舵")},
    {Surface::Rudder, "rudder", QT_TRANSLATE_NOOP("Surfaces", "方向舵")},
    {Surface::RightElevon, "rightElevon", QT_TRANSLATE_NOOP("Surfaces", "右升降副翼")},
    {Surface::LeftElevon, "leftElevon", QT_TRANSLATE_NOOP("Surfaces", "左升降副翼")},
    {Surface::RightRuddervator, "rightRuddervator", QT_TRANSLATE_NOOP("Surfaces", "右V尾舵面")},
    {Surface::LeftRuddervator, "leftRuddervator", QT_TRANSLATE_NOOP("Surfaces", "左V尾舵面")},
    {Surface::Throttle, "throttle", QT_TRANSLATE_NOOP("Surfaces", "油门")},
};

const SurfaceRow &surfaceRow(Surface surface)
{
    return surfaceRows[static_cast<int>(surface)];
}

// The questions of the guided check, one per stick and surface. expected:
// +1 trailing edge up (rudder: right), -1 down.
struct StepRow {
    Stick stick;
    Surface surface;
    int expected;
    const char *text;
};

const StepRow stepRows[] = {
    {Stick::Aileron, Surface::RightAileron, +1, QT_TRANSLATE_NOOP("Surfaces", "向右压副翼：右副翼应向上。你的飞机也这样吗？")},
    {Stick::Aileron, Surface::LeftAileron, -1, QT_TRANSLATE_NOOP("Surfaces", "向右压副翼：左副翼应向下。你的飞机也这样吗？")},
    {Stick::Aileron, Surface::RightElevon, +1, QT_TRANSLATE_NOOP("Surfaces", "向右压副翼：右升降副翼应向上。你的飞机也这样吗？")},
    {Stick::Aileron, Surface::LeftElevon, -1, QT_TRANSLATE_NOOP("Surfaces", "向右压副翼：左升降副翼应向下。你的飞机也这样吗？")},
    {Stick::Elevator, Surface::Elevator, +1, QT_TRANSLATE_NOOP("Surfaces", "向后拉升降舵：升降舵应向上。你的飞机也这样吗？")},
    {Stick::Elevator, Surface::RightElevon, +1, QT_TRANSLATE_NOOP("Surfaces", "向后拉升降舵：右升降副翼应向上。你的飞机也这样吗？")},
    {Stick::Elevator, Surface::LeftElevon, +1, QT_TRANSLATE_NOOP("Surfaces", "向后拉升降舵：左升降副翼应向上。你的飞机也这样吗？")},
    {Stick::Elevator, Surface::RightRuddervator, +1, QT_TRANSLATE_NOOP("Surfaces", "向后拉升降舵：右V尾舵面应向上。你的飞机也这样吗？")},
    {Stick::Elevator, Surface::LeftRuddervator, +1, QT_TRANSLATE_NOOP("Surfaces", "向后拉升降舵：左V尾舵面应向上。你的飞机也这样吗？")},
    {Stick::Rudder, Surface::Rudder, +1, QT_TRANSLATE_NOOP("Surfaces", "向右打方向舵：方向舵后缘应向右。你的飞机也这样吗？")},
    {Stick::Rudder, Surface::LeftRuddervator, +1, QT_TRANSLATE_NOOP("Surfaces", "向右打方向舵：左V尾舵面应向上。你的飞机也这样吗？")},
    {Stick::Rudder, Surface::RightRuddervator, -1, QT_TRANSLATE_NOOP("Surfaces", "向右打方向舵：右V尾舵面应向下。你的飞机也这样吗？")},
};

// Which rates of a mix link a stick to a channel. Elevon mix (CH1, CH2):
// 副翼1 (rates 1 and 5) aileron to CH1, 副翼2 (2 and 6) aileron to CH2,
// 升降2 (3) elevator to CH2, 升降1 (4) elevator to CH1. V-tail mix (CH2,
// CH4): 升降1 (1) elevator to CH2, 升降2 (2) elevator to CH4, 尾舵2 (3)
// rudder to CH4, 尾舵1 (4) rudder to CH2.
struct MixRow {
    Field field; // elevon or vtail
    Stick stick;
    int channel;
    QVector<int> rates;
};

const MixRow mixRows[] = {
    {Field::elevon, Stick::Aileron, 1, {1, 5}},
    {Field::elevon, Stick::Aileron, 2, {2, 6}},
    {Field::elevon, Stick::Elevator, 2, {3}},
    {Field::elevon, Stick::Elevator, 1, {4}},
    {Field::vtail, Stick::Elevator, 2, {1}},
    {Field::vtail, Stick::Elevator, 4, {2}},
    {Field::vtail, Stick::Rudder, 4, {3}},
    {Field::vtail, Stick::Rudder, 2, {4}},
};

bool mixDrives(Field mix, int channel)
{
    return mix == Field::elevon ? (channel == 1 || channel == 2) : (channel == 2 || channel == 4);
}

} // namespace

namespace surfaces {

SurfaceTable defaults(Airframe kind)
{
    const SurfaceTable ailerons = {{Surface::RightAileron, 1, +1}, {Surface::LeftAileron, 1, -1}};
    const SurfaceLink throttle = {Surface::Throttle, 3, +1};
    switch (kind) {
    case Airframe::Delta:
        return {{Surface::RightElevon, 2, +1}, {Surface::LeftElevon, 1, -1}, throttle};
    case Airframe::VTail:
        return ailerons + SurfaceTable{{Surface::RightRuddervator, 4, -1}, {Surface::LeftRuddervator, 2, +1}, throttle};
    case Airframe::Glider:
        return ailerons + SurfaceTable{{Surface::Elevator, 2, +1}, {Surface::Rudder, 4, +1}};
    case Airframe::Plane:
    case Airframe::Other:
        break;
    }
    return ailerons + SurfaceTable{{Surface::Elevator, 2, +1}, throttle, {Surface::Rudder, 4, +1}};
}

QString name(Surface surface)
{
    return QCoreApplication::translate("Surfaces", surfaceRow(surface).name);
}

static double surfaceOutput(const SurfaceLink &link, const LiveValues &live)
{
    if (link.channel < 1 || link.channel > 8)
        return 0;
    return qBound(-100.0, (live.channel(link.channel) - 1000) / 10.0, 100.0);
}

double deflection(const SurfaceLink &link, const LiveValues &live)
{
    return link.sense * surfaceOutput(link, live) / 100.0 * maxDeflection;
}

double throttlePercent(const SurfaceLink &link, const LiveValues &live)
{
    return (surfaceOutput(link, live) + 100.0) / 2.0;
}

QString toText(const SurfaceTable &table)
{
    QStringList parts;
    for (const SurfaceLink &link : table)
        parts << QStringLiteral("%1:%2:%3")
                     .arg(QLatin1String(surfaceRow(link.surface).key))
                     .arg(link.channel)
                     .arg(link.sense < 0 ? QLatin1Char('-') : QLatin1Char('+'));
    return parts.join(QLatin1Char(';'));
}

SurfaceTable fromText(Airframe kind, const QString &text)
{
    SurfaceTable table = defaults(kind);
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = part.split(QLatin1Char(':'));
        if (f.size() != 3)
            continue;
        bool ok = false;
        const int channel = f.at(1).toInt(&ok);
        if (!ok || channel < 1 || channel > 8 || (f.at(2) != QLatin1String("+") && f.at(2) != QLatin1String("-")))
            continue;
        for (SurfaceLink &link : table) {
            if (f.at(0) == QLatin1String(surfaceRow(link.surface).key)) {
                link.channel = channel;
                link.sense = f.at(2) == QLatin1String("-") ? -1 : +1;
            }
        }
    }
    return table;
}

QVector<Step> steps(Airframe kind, const SurfaceTable &table)
{
    Q_UNUSED(kind);
    QVector<Step> out;
    for (const StepRow &row : stepRows) {
        for (const SurfaceLink &link : table) {
            if (link.surface == row.surface) {
                out.append({row.stick, row.surface, row.expected, QCoreApplication::translate("Surfaces", row.text)});
                break;
            }
        }
    }
    return out;
}

Fix fixFor(const ParamSet &set, Stick stick, const SurfaceLink &link, Airframe kind)
{
    // The airframe's own mix is asked first where both are on.
    QVector<Field> mixes;
    if (kind == Airframe::VTail)
        mixes = {Field::vtail, Field::elevon};
    else
        mixes = {Field::elevon, Field::vtail};
    for (Field mix : mixes) {
        const bool on = mix == Field::elevon ? set.elevonMix != 0 : set.vtailMix != 0;
        if (!on || !mixDrives(mix, link.channel))
            continue;
        for (const MixRow &row : mixRows)
            if (row.field == mix && row.stick == stick && row.channel == link.channel)
                return {mix, row.rates};
    }
    return {Field::reverse, {link.channel}};
}

void apply(const Fix &fix, ParamSet &set)
{
    for (int e : fix.elements) {
        if (fix.field == Field::reverse)
            set.reverse[e] = set.reverse[e] ? 0 : 1;
        else if (fix.field == Field::elevon)
            set.elevon[e] = -set.elevon[e];
        else if (fix.field == Field::vtail)
            set.vtail[e] = -set.vtail[e];
    }
}

QString describe(const Fix &fix)
{
    QStringList numbers;
    for (int e : fix.elements)
        numbers << QString::number(e);
    const QString list = numbers.join(QStringLiteral(", "));
    if (fix.field == Field::reverse)
        return QCoreApplication::translate("Surfaces", "CH%1 反向").arg(list);
    if (fix.field == Field::elevon)
        return QCoreApplication::translate("Surfaces", "升降副翼比例%1 取反").arg(list);
    return QCoreApplication::translate("Surfaces", "V型尾翼比例%1 取反").arg(list);
}

} // namespace surfaces
