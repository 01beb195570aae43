#pragma once

// Parameter set helpers for the tests of the settings pages and the
// Parameter files (dialogs and boxes are answered by apptest.h).

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include "paramset.h"

// Parameter set fields by name ("subTrim", 3), spelled out member by member
// here so that the tests do not lean on the program's own field tables.
// index is ignored for a scalar field.
int &paramInt(ParamSet &p, const QByteArray &name, int index = 0);
double &paramDouble(ParamSet &p, const QByteArray &name);
// Whether the set has an integer field of that name, and its index range
// (0, 0 for a scalar).
bool paramIntExtent(const QByteArray &name, int *first, int *last);
QList<QByteArray> paramIntNames();

// One line "subTrim[3]: 5, expected 7" for every field in which actual and
// expected differ; empty when they are equal.
QStringList paramDiff(const ParamSet &actual, const ParamSet &expected);

// A set with every element that a frame carries drawn at random from the
// values its frame field can hold, and voltages of one decimal whose tenths
// fit their fields (the companions hold those tenths).
ParamSet randomEncodableSet(QRandomGenerator &rng);
// The four frames built from p, back to back, as Save writes them.
QByteArray parameterFileBytes(const ParamSet &p);

bool writeBytes(const QString &path, const QByteArray &bytes);
QByteArray readBytes(const QString &path);
