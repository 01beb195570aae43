#pragma once

#include "paramset.h"
#include "fields.h"

// Copies the entry of the dual-rate tables selected by drChannel and
// drPosition into drUp, drDown, drCurveRate and drCurveExpo.
void drDataSelet(ParamSet &p);

// The four dual-rate editors. Each stores its copy, writes the table entry of
// drChannel (none for channel 4) at the position it edits, then reselects.
// Up and Down edit their own position; the curve editors edit drPosition's
// (0 is UP, any other value DOWN).
enum class DualRateEdit { Up, Down, CurveRate, CurveExpo };
void editDualRate(ParamSet &p, DualRateEdit edit, int value);

// Puts every field that has a range rule back into its accepted range.
void falseSaveData(ParamSet &p);

// Factory settings, in two halves; callers run both in this order.
void restData(ParamSet &p);
void restData2(ParamSet &p);

// What a factory reset (either button) sends: p through both halves, the
// stick trims at centre. The one place these values are made: the reset's
// review and the reset's frames are both built from it.
ParamSet factoryResetOf(const ParamSet &p);

// One range rule: fieldRef(field, index) must lie in lo..hi, else it becomes
// replacement.
struct RangeRule {
    Field field;
    int index;
    int lo;
    int hi;
    int replacement;
};
extern const RangeRule *const rangeRulesData;
extern const int rangeRuleCount;

// The alarm voltage of a companion field must lie in lo..hi, else it becomes
// replacement.
struct VoltRule {
    Field companion;
    double lo;
    double hi;
    double replacement;
};
extern const VoltRule *const voltRulesData;
extern const int voltRuleCount;
