#include "settingsdiff.h"

#include "frames.h"
#include "paramfile.h"

QString valueText(const ParamSet &p, Field f, int index)
{
    QString text = QString::number(fieldValue(p, f, index));
    if (const double *volts = companionVolt(p, f))
        text += QStringLiteral(" (%1 V)").arg(*volts, 0, 'f', 1);
    return text;
}

QString row(const SettingElement &e, const QString &value)
{
    return QStringLiteral("  %1 %2").arg(elementName(e.field, e.index), -16).arg(value);
}

bool loadWholeFile(const QString &path, ParamSet &p, QString *why)
{
    const ParameterFile file = readParameterFile(path);
    if (!file.ok()) {
        *why = QStringLiteral("%1: %2").arg(path, file.reason);
        return false;
    }
    if (!file.complete()) {
        *why = QStringLiteral("%1: %2 (%3)").arg(path, file.frames.summary(), firstBreak(file.text).text());
        return false;
    }
    decodeParameterFile(file, p);
    return true;
}

QStringList differingRows(const ParamSet &a, const ParamSet &b)
{
    QStringList rows;
    for (const SettingElement &e : setupcompare::differences(a, b)) {
        rows << row(e, QStringLiteral("%1 %2").arg(valueText(a, e.field, e.index), -14).arg(valueText(b, e.field, e.index)));
    }
    return rows;
}
