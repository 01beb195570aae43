#include "readouts.h"

namespace readouts {

QString voltText(int tenths)
{
    const int t = tenths % 10;
    const int u = (tenths / 10) % 10;
    const int d = (tenths / 100) % 10;
    if (tenths > 99)
        return QString::number(d) + QString::number(u) + QLatin1Char('.') + QString::number(t) + QStringLiteral(" V");
    return QLatin1Char(' ') + QString::number(u) + QLatin1Char('.') + QString::number(t) + QLatin1Char('V');
}

QString rssiText(int raw)
{
    if (!hasRssi(raw))
        return QStringLiteral("null");
    const int shown = -rssiDbm(raw);
    return QLatin1Char('-') + QString::number((shown / 10) % 10) + QString::number(shown % 10) + QStringLiteral("dBm");
}

} // namespace readouts
