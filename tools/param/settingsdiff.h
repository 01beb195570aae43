#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "fields.h"
#include "paramset.h"
#include "setupcompare.h"

// What the file commands and the transmitter commands of varnix-param share:
// the settings the frames carry, how a setting is shown, and whole files.

// SettingElement and carried() come from setupcompare.h.

// "37 (3.7 V)" for a voltage companion, else the number.
QString valueText(const ParamSet &p, Field f, int index);
// "  subTrim[3]        value": one row of show and diff.
QString row(const SettingElement &e, const QString &value);

// A file with all four frames, decoded into p; false with the reason, for
// people, in *why.
bool loadWholeFile(const QString &path, ParamSet &p, QString *why);

// The rows of the settings that differ: name, value in a, value in b.
QStringList differingRows(const ParamSet &a, const ParamSet &b);
