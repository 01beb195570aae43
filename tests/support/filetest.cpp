#include "filetest.h"

#include <QFile>

#include "frames.h"
#include "paramfile.h"

namespace {

struct IntMember {
    const char *name;
    int *(*array)(ParamSet &);
    int first;
    int last;
};

#define ARRAY(member, first, last) \
    {#member, [](ParamSet &p) -> int * { return p.member; }, first, last}
#define SCALAR(member) \
    {#member, [](ParamSet &p) -> int * { return &p.member; }, 0, 0}

const IntMember intMembers[] = {
    ARRAY(reverse, 1, 8),
    ARRAY(subTrim, 1, 8),
    ARRAY(epaLeft, 1, 8),
    ARRAY(epaRight, 1, 8),
    ARRAY(failSafe, 1, 8),
    ARRAY(servoDelay, 1, 8),
    ARRAY(auxSource, 5, 8),
    SCALAR(txAlarmVoltX10),
    SCALAR(rxAlarmVoltX10),
    SCALAR(extAlarmVoltX10),
    SCALAR(rssiAlarm),
    SCALAR(stickMode),
    SCALAR(firmwareVersion),
    ARRAY(stickTrim, 1, 4),
    SCALAR(attitudeChannel),
    ARRAY(attitude, 1, 6),
    SCALAR(elevonMix),
    ARRAY(elevon, 1, 6),
    SCALAR(vtailMix),
    ARRAY(vtail, 1, 4),
    SCALAR(drMix),
    SCALAR(drChannel),
    SCALAR(drSwitch),
    SCALAR(drPosition),
    ARRAY(drRateUp, 1, 4),
    ARRAY(drRateDown, 1, 4),
    ARRAY(drExpoUp, 1, 4),
    ARRAY(drExpoDown, 1, 4),
    SCALAR(drUp),
    SCALAR(drDown),
    SCALAR(drCurveRate),
    SCALAR(drCurveExpo),
    ARRAY(prmMix, 1, 4),
    ARRAY(prmMaster, 1, 4),
    ARRAY(prmSlave, 1, 4),
    ARRAY(prmOffset, 1, 4),
    ARRAY(prmUpRate, 1, 4),
    ARRAY(prmDownRate, 1, 4),
    SCALAR(thrCurveMix),
    SCALAR(thrCurveExtra),
    ARRAY(thrCurve, 1, 7),
};

#undef ARRAY
#undef SCALAR

const char *const doubleMembers[] = {"txAlarmVolt", "rxAlarmVolt", "extAlarmVolt"};

const IntMember *findInt(const QByteArray &name)
{
    for (const IntMember &m : intMembers)
        if (name == m.name)
            return &m;
    return nullptr;
}

} // namespace

int &paramInt(ParamSet &p, const QByteArray &name, int index)
{
    const IntMember *m = findInt(name);
    Q_ASSERT_X(m, "paramInt", name.constData());
    if (m->first == 0)
        return *m->array(p);
    Q_ASSERT_X(index >= m->first && index <= m->last, "paramInt", name.constData());
    return m->array(p)[index];
}

double &paramDouble(ParamSet &p, const QByteArray &name)
{
    if (name == "txAlarmVolt")
        return p.txAlarmVolt;
    if (name == "rxAlarmVolt")
        return p.rxAlarmVolt;
    Q_ASSERT_X(name == "extAlarmVolt", "paramDouble", name.constData());
    return p.extAlarmVolt;
}

bool paramIntExtent(const QByteArray &name, int *first, int *last)
{
    const IntMember *m = findInt(name);
    if (m) {
        *first = m->first;
        *last = m->last;
    }
    return m;
}

QList<QByteArray> paramIntNames()
{
    QList<QByteArray> names;
    for (const IntMember &m : intMembers)
        names << m.name;
    return names;
}

QStringList paramDiff(const ParamSet &actual, const ParamSet &expected)
{
    ParamSet &a = const_cast<ParamSet &>(actual);
    ParamSet &e = const_cast<ParamSet &>(expected);
    QStringList lines;
    for (const IntMember &m : intMembers) {
        for (int i = m.first; i <= m.last; ++i) {
            const int av = m.first == 0 ? *m.array(a) : m.array(a)[i];
            const int ev = m.first == 0 ? *m.array(e) : m.array(e)[i];
            if (av == ev)
                continue;
            const QString name = m.first == 0 ? QString::fromLatin1(m.name)
                                              : QStringLiteral("%1[%2]").arg(QLatin1String(m.name)).arg(i);
            lines << QStringLiteral("%1: %2, expected %3").arg(name).arg(av).arg(ev);
        }
    }
    for (const char *name : doubleMembers) {
        const double av = paramDouble(a, name);
        const double ev = paramDouble(e, name);
        if (av != ev)
            lines << QStringLiteral("%1: %2, expected %3").arg(QLatin1String(name)).arg(av).arg(ev);
    }
    return lines;
}

namespace {

int codeLow(Code c)
{
    switch (c) {
    case Code::X116: return -100;
    case Code::X120: return -104;
    default: return 0;
    }
}

int codeHigh(Code c)
{
    switch (c) {
    case Code::D1: return 9;
    case Code::X16: return 239;
    case Code::X116: return 139;
    case Code::X120: return 135;
    case Code::D3: return 999;
    default: return 0;
    }
}

} // namespace

ParamSet randomEncodableSet(QRandomGenerator &rng)
{
    ParamSet p;
    for (int f = 0; f < 4; ++f) {
        const FrameLayout &layout = frameLayout(f);
        for (int k = 0; k < layout.count; ++k) {
            const FrameField &ff = layout.fields[k];
            if (ff.code != Code::L && ff.code != Code::K6)
                fieldRef(p, ff.field, ff.index) = rng.bounded(codeLow(ff.code), codeHigh(ff.code) + 1);
        }
    }
    // The companions as the frame build sets them from these.
    p.txAlarmVolt = rng.bounded(240) / 10.0;
    p.rxAlarmVolt = rng.bounded(240) / 10.0;
    p.extAlarmVolt = rng.bounded(1000) / 10.0;
    refreshCompanions(p, FrameS);
    refreshCompanions(p, FrameH);
    return p;
}

QByteArray parameterFileBytes(const ParamSet &p)
{
    QByteArray bytes;
    for (const QString &text : framesOf(p).text)
        bytes += text.toLatin1();
    return bytes;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
