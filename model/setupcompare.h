#pragma once

// Two setups side by side: which settings the transmitter would hold
// differently (the comparison, varnix-param's show and diff, the library's
// match after a Read). Element by element over what the Parameter frames carry, the
// alarm voltages to the tenth as the frames carry them.

#include <QVector>

#include "fields.h"
#include "paramset.h"

struct SettingElement {
    Field field;
    int index; // 0 for a scalar
};

inline bool operator==(const SettingElement &a, const SettingElement &b)
{
    return a.field == b.field && a.index == b.index;
}

namespace setupcompare {

// Every element a frame carries, page by page, in the order of the field
// table within a page.
const QVector<SettingElement> &carried();
// Whether a and b hold the same value for the element (volts to the tenth).
bool same(const ParamSet &a, const ParamSet &b, const SettingElement &e);
// The carried elements in which a and b differ; the stick trims only with
// trims (a Read brings no trims, a telemetry packet does).
QVector<SettingElement> differences(const ParamSet &a, const ParamSet &b, bool trims = true);
// Copies the elements from one set into another; the dual-rate copies then
// follow the tables where a table entry is selected.
ParamSet copied(const ParamSet &from, const ParamSet &into, const QVector<SettingElement> &elements);

} // namespace setupcompare
