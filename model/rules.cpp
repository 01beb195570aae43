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

std::vector<RangeRule> buildRules()
{
    std::vector<RangeRule> r;
    auto each = [&r](Field f, int first, int last, int lo, int hi, std::initializer_list<int> repl) {
        auto it = repl.begin();
        for (int i = first; i <= last; ++i) {
            r.push_back({f, i, lo, hi, *it});
            if (it + 1 != repl.end())
                ++it;
        }
    };
    auto one = [&r](Field f, int lo, int hi, int repl) { r.push_back({f, 0, lo, hi, repl}); };
    auto prm = [&](int n, int master, int slave) {
        r.push_back({Field::prmMix, n, 0, 2, 0});
        r.push_back({Field::prmMaster, n, 0, 10, master});
        r.push_back({Field::prmSlave, n, 0, 10, slave});
        r.push_back({Field::prmOffset, n, -100, 100, 0});
        r.push_back({Field::prmUpRate, n, -100, 100, 0});
        r.push_back({Field::prmDownRate, n, -100, 100, 0});
    };

    each(Field::reverse, 1, 8, 0, 1, {0, 0, 1, 0});
    each(Field::subTrim, 1, 8, -100, 100, {0});
    each(Field::epaLeft, 1, 8, 0, 120, {96});
    each(Field::epaRight, 1, 8, 0, 120, {96});
    each(Field::failSafe, 1, 8, 0, 100, {50, 50, 0, 50});
    each(Field::servoDelay, 1, 8, 0, 100, {100});
    one(Field::drMix, 0, 1, 0);
    one(Field::drChannel, 0, 4, 0);
    one(Field::drSwitch, 0, 2, 0);
    one(Field::drUp, 0, 100, 100);
    each(Field::drRateUp, 1, 4, 0, 100, {100});
    one(Field::drDown, 0, 100, 100);
    each(Field::drRateDown, 1, 4, 0, 100, {100});
    one(Field::attitudeChannel, 0, 5, 4);
    each(Field::attitude, 1, 6, 0, 100, {14, 29, 44, 56, 69, 88});
    one(Field::elevonMix, 0, 1, 0);
    each(Field::elevon, 1, 6, -100, 100, {100, 100, 100, -100, 100, 100});
    one(Field::vtailMix, 0, 1, 0);
    each(Field::vtail, 1, 4, -100, 100, {50, -50, 50, 50});
    each(Field::auxSource, 5, 8, 0, 5, {1, 3, 0, 2});
    one(Field::txAlarmVoltX10, 0, 500, 37);
    one(Field::stickMode, 0, 4, 1);
    prm(1, 0, 3);
    prm(2, 1, 5);
    one(Field::rxAlarmVoltX10, 0, 1000, 40);
    one(Field::extAlarmVoltX10, 0, 1000, 110);
    one(Field::rssiAlarm, -100, 0, -100);
    one(Field::thrCurveMix, 0, 5, 0);
    one(Field::thrCurveExtra, 0, 4, 0);
    each(Field::thrCurve, 1, 7, 0, 100, {0, 16, 33, 50, 67, 84, 100});
    one(Field::drPosition, 0, 4, 0);
    each(Field::drExpoUp, 1, 4, -100, 100, {0});
    one(Field::drCurveExpo, -100, 100, 0);
    each(Field::drExpoDown, 1, 4, -100, 100, {0});
    prm(3, 0, 3);
    prm(4, 1, 5);
    return r;
}

const std::vector<RangeRule> rules = buildRules();

void checkVolt(double &v, double lo, double hi, double replacement)
{
    if (v > hi || v < lo)
        v = replacement;
}

} // namespace

const RangeRule *const rangeRulesData = rules.data();
const int rangeRuleCount = int(rules.size());

void falseSaveData(ParamSet &p)
{
    for (const RangeRule &r : rules) {
        int &v = fieldRef(p, r.field, r.index);
        if (v < r.lo || v > r.hi)
            v = r.replacement;
    }
    checkVolt(p.txAlarmVolt, 0.0, 50.0, 0.0);
    checkVolt(p.rxAlarmVolt, 0.0, 100.0, 4.0);
    checkVolt(p.extAlarmVolt, 0.0, 100.0, 11.0);
}

void restData(ParamSet &p)
{
    const ParamSet initial;
    for (int n = 1; n <= 8; ++n) {
        p.reverse[n] = initial.reverse[n];
        p.subTrim[n] = 0;
        p.epaLeft[n] = 96;
        p.epaRight[n] = 96;
        p.failSafe[n] = initial.failSafe[n];
        p.servoDelay[n] = 100;
    }
    p.drMix = p.drChannel = p.drSwitch = 0;
    p.drUp = 100;
    for (int c = 1; c <= 4; ++c)
        p.drRateUp[c] = 100;
    p.drDown = 100;
    for (int c = 1; c <= 4; ++c)
        p.drRateDown[c] = 100;
    p.attitudeChannel = 4;
    for (int i = 1; i <= 6; ++i)
        p.attitude[i] = initial.attitude[i];
    p.elevonMix = 0;
    for (int i = 1; i <= 6; ++i)
        p.elevon[i] = initial.elevon[i];
    p.txAlarmVolt = 3.7;
    p.vtailMix = 0;
    for (int i = 1; i <= 4; ++i)
        p.vtail[i] = initial.vtail[i];
    for (int n = 5; n <= 8; ++n)
        p.auxSource[n] = initial.auxSource[n];
    p.txAlarmVoltX10 = 37;
    p.stickMode = 2;
    for (int n = 1; n <= 2; ++n) {
        p.prmMix[n] = 0;
        p.prmMaster[n] = initial.prmMaster[n];
        p.prmSlave[n] = initial.prmSlave[n];
        p.prmOffset[n] = p.prmUpRate[n] = p.prmDownRate[n] = 0;
    }
}

void restData2(ParamSet &p)
{
    const ParamSet initial;
    for (int n = 3; n <= 4; ++n) {
        p.prmMix[n] = 0;
        p.prmMaster[n] = initial.prmMaster[n];
        p.prmSlave[n] = initial.prmSlave[n];
        p.prmOffset[n] = p.prmUpRate[n] = p.prmDownRate[n] = 0;
    }
    p.rxAlarmVolt = 4.0;
    p.extAlarmVolt = 11.0;
    p.rxAlarmVoltX10 = 40;
    p.extAlarmVoltX10 = 110;
    p.rssiAlarm = -100;
    p.thrCurveMix = 0;
    p.thrCurveExtra = 0;
    for (int i = 1; i <= 7; ++i)
        p.thrCurve[i] = initial.thrCurve[i];
    p.drPosition = 0;
    for (int c = 1; c <= 4; ++c)
        p.drExpoUp[c] = 0;
    p.drCurveExpo = 0;
    for (int c = 1; c <= 4; ++c)
        p.drExpoDown[c] = 0;
    for (int t = 1; t <= 4; ++t)
        p.stickTrim[t] = 120;
}
