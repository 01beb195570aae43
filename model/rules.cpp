#include "rules.h"

#include <vector>

void drDataSelet(ParamSet &p)
{
    const int c = p.drChannel;
    if (c < 0 || c > 3)
        return;
    p.drUp = p.drRateUp[c + 1];
    p.drDown = p.drRateDown[c + 1];
    if (p.drPosition == 0) {
        p.drCurveRate = p.drRateUp[c + 1];
        p.drCurveExpo = p.drExpoUp[c + 1];
    } else {
        p.drCurveRate = p.drRateDown[c + 1];
        p.drCurveExpo = p.drExpoDown[c + 1];
    }
}

void editDualRate(ParamSet &p, DualRateEdit edit, int value)
{
    const bool down = p.drPosition != 0;
    int *table = nullptr;
    switch (edit) {
    case DualRateEdit::Up:
        p.drUp = value;
        table = p.drRateUp;
        break;
    case DualRateEdit::Down:
        p.drDown = value;
        table = p.drRateDown;
        break;
    case DualRateEdit::CurveRate:
        p.drCurveRate = value;
        table = down ? p.drRateDown : p.drRateUp;
        break;
    case DualRateEdit::CurveExpo:
        p.drCurveExpo = value;
        table = down ? p.drExpoDown : p.drExpoUp;
        break;
    }
    const int c = p.drChannel;
    if (c >= 0 && c <= 3)
        table[c + 1] = value;
    drDataSelet(p);
}

namespace {

// The range of every field that has one (fieldtable.h), in the order the
// checks run. Every rule puts back the Initial value, but for the
// transmitter alarm voltage (see buildVoltRules).
std::vector<RangeRule> buildRules()
{
    const ParamSet initial;
    std::vector<RangeRule> r;
    auto each = [&](Field f, int first = -1, int last = -1) {
        const FieldExtent &e = fieldExtent(f);
        Q_ASSERT(e.ranged());
        for (int i = first < 0 ? e.first : first; i <= (last < 0 ? e.last : last); ++i)
            r.push_back({f, i, e.lo, e.hi, fieldValue(initial, f, i)});
    };
    auto prm = [&](int n) {
        each(Field::prmMix, n, n);
        each(Field::prmMaster, n, n);
        each(Field::prmSlave, n, n);
        each(Field::prmOffset, n, n);
        each(Field::prmUpRate, n, n);
        each(Field::prmDownRate, n, n);
    };

    each(Field::reverse);
    each(Field::subTrim);
    each(Field::epaLeft);
    each(Field::epaRight);
    each(Field::failSafe);
    each(Field::servoDelay);
    each(Field::drMix);
    each(Field::drChannel);
    each(Field::drSwitch);
    each(Field::drUp);
    each(Field::drRateUp);
    each(Field::drDown);
    each(Field::drRateDown);
    each(Field::attitudeChannel);
    each(Field::attitude);
    each(Field::elevonMix);
    each(Field::elevon);
    each(Field::vtailMix);
    each(Field::vtail);
    each(Field::auxSource);
    each(Field::txAlarmVoltX10);
    each(Field::stickMode);
    prm(1);
    prm(2);
    each(Field::rxAlarmVoltX10);
    each(Field::extAlarmVoltX10);
    each(Field::rssiAlarm);
    each(Field::thrCurveMix);
    each(Field::thrCurveExtra);
    each(Field::thrCurve);
    each(Field::drPosition);
    each(Field::drExpoUp);
    each(Field::drCurveExpo);
    each(Field::drExpoDown);
    prm(3);
    prm(4);
    return r;
}

std::vector<VoltRule> buildVoltRules()
{
    ParamSet initial;
    auto rule = [&initial](Field f, double lo, double hi) {
        return VoltRule{f, lo, hi, *companionVolt(initial, f)};
    };
    std::vector<VoltRule> r = {rule(Field::txAlarmVoltX10, 0.0, 50.0), rule(Field::rxAlarmVoltX10, 0.0, 100.0),
                               rule(Field::extAlarmVoltX10, 0.0, 100.0)};
    // The transmitter alarm alone goes to 0 V, not back to its 11.0 V.
    r[0].replacement = 0.0;
    return r;
}

const std::vector<RangeRule> rules = buildRules();
const std::vector<VoltRule> voltRules = buildVoltRules();

// The factory settings are the Initial values but for these two.
ParamSet buildFactorySettings()
{
    ParamSet p;
    p.txAlarmVolt = 3.7;
    p.stickMode = 2;
    return p;
}

const ParamSet factorySettings = buildFactorySettings();

// The elements one half of the factory reset writes; -1 for all of them. An
// alarm voltage goes with its companion.
struct ResetSpan {
    Field field;
    int first = -1;
    int last = -1;
};

const ResetSpan firstHalf[] = {
    {Field::reverse}, {Field::subTrim}, {Field::epaLeft}, {Field::epaRight}, {Field::failSafe},
    {Field::servoDelay}, {Field::drMix}, {Field::drChannel}, {Field::drSwitch}, {Field::drUp},
    {Field::drRateUp}, {Field::drDown}, {Field::drRateDown}, {Field::attitudeChannel}, {Field::attitude},
    {Field::elevonMix}, {Field::elevon}, {Field::vtailMix}, {Field::vtail}, {Field::auxSource},
    {Field::txAlarmVoltX10}, {Field::stickMode},
    {Field::prmMix, 1, 2}, {Field::prmMaster, 1, 2}, {Field::prmSlave, 1, 2},
    {Field::prmOffset, 1, 2}, {Field::prmUpRate, 1, 2}, {Field::prmDownRate, 1, 2},
};

const ResetSpan secondHalf[] = {
    {Field::prmMix, 3, 4}, {Field::prmMaster, 3, 4}, {Field::prmSlave, 3, 4},
    {Field::prmOffset, 3, 4}, {Field::prmUpRate, 3, 4}, {Field::prmDownRate, 3, 4},
    {Field::rxAlarmVoltX10}, {Field::extAlarmVoltX10}, {Field::rssiAlarm}, {Field::thrCurveMix},
    {Field::thrCurveExtra}, {Field::thrCurve}, {Field::drPosition}, {Field::drExpoUp},
    {Field::drCurveExpo}, {Field::drExpoDown}, {Field::stickTrim},
};

template <int N>
void reset(ParamSet &p, const ResetSpan (&spans)[N])
{
    for (const ResetSpan &s : spans) {
        const FieldExtent &e = fieldExtent(s.field);
        for (int i = s.first < 0 ? e.first : s.first; i <= (s.last < 0 ? e.last : s.last); ++i)
            fieldRef(p, s.field, i) = fieldValue(factorySettings, s.field, i);
        if (double *volts = companionVolt(p, s.field))
            *volts = *companionVolt(factorySettings, s.field);
    }
}

} // namespace

const RangeRule *const rangeRulesData = rules.data();
const int rangeRuleCount = int(rules.size());
const VoltRule *const voltRulesData = voltRules.data();
const int voltRuleCount = int(voltRules.size());

void falseSaveData(ParamSet &p)
{
    for (const RangeRule &r : rules) {
        int &v = fieldRef(p, r.field, r.index);
        if (v < r.lo || v > r.hi)
            v = r.replacement;
    }
    for (const VoltRule &r : voltRules) {
        double &v = *companionVolt(p, r.companion);
        if (v > r.hi || v < r.lo)
            v = r.replacement;
    }
}

void restData(ParamSet &p)
{
    reset(p, firstHalf);
}

void restData2(ParamSet &p)
{
    reset(p, secondHalf);
}

ParamSet factoryResetOf(const ParamSet &p)
{
    ParamSet f = p;
    restData(f);
    restData2(f); // the trims among them: the Initial centre
    return f;
}
