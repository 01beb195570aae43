#pragma once

#include <QVector>

#include "fields.h"
#include "paramset.h"

// The settings the Parameter frames carry, and which of them differ between
// two sets: what varnix-param's show and diff list and what the setups
// library matches a transmitter against.

// One element of the set that a frame carries.
struct Element {
    Field field;
    int index;
};

// Every element the frames carry, page by page, in the order of the field
// table within a page.
const QVector<Element> &carried();

// The carried elements whose values differ between a and b; the stick trims
// only with trims (a Read brings no trims, a telemetry packet does).
QVector<Element> differingElements(const ParamSet &a, const ParamSet &b, bool trims = true);
