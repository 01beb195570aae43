#pragma once

// The two helpers for the field, as arithmetic on the settings: the stick
// trims folded into the sub-trims, and fail-safe positions from the live
// channel outputs.
//
// Units: a stick trim is reported as 0..240 with 120 at centre, so -120..120
// steps; a sub-trim is -100..100 in the same steps. A channel output is
// 0..2000 with 1000 at centre, a fail-safe position 0..100 with 50 at centre
// (the factory's 50 and the throttle's 0), so one fail-safe step is twenty
// output steps.

#include <QVector>

#include "paramset.h"

namespace fieldhelp {

constexpr int subTrimLimit = 100;
constexpr int failSafeMax = 100;
constexpr int outputMax = 2000;

// Trims 1..4 belong to channels 1..4 (the stick mode only moves where they
// show). Each trim's offset goes into its channel's sub-trim and the trim goes
// to centre. Where the sum passes the sub-trim's limit, the sub-trim stops
// there and the rest stays in the trim, so the servo does not move.
struct TrimsMoved {
    ParamSet set;               // subTrim[1..4] and stickTrim[1..4] changed
    QVector<int> clamped;       // channels whose sub-trim stopped at its limit
    QVector<int> moved;         // channels whose trim was off centre
};
TrimsMoved trimsToSubTrims(const ParamSet &set);

// The fail-safe position that puts a channel where its output is now.
int failSafeOfOutput(int output);

} // namespace fieldhelp
