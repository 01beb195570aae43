#pragma once

// Parameter set helpers for the tests of the settings pages and the
// Parameter files (dialogs and boxes are answered by apptest.h).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "paramset.h"

// Parameter set fields by name ("subTrim", 3), spelled out member by member
// here so that the tests do not lean on the program's own field tables.
// index is ignored for a scalar field.
int &paramInt(ParamSet &p, const QByteArray &name, int index = 0);
double &paramDouble(ParamSet &p, const QByteArray &name);

// One line "subTrim[3]: 5, expected 7" for every field in which actual and
// expected differ; empty when they are equal.
QStringList paramDiff(const ParamSet &actual, const ParamSet &expected);

bool writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);
