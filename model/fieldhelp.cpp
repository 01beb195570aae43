#include "fieldhelp.h"

#include <QtGlobal>

#include "protocol.h"

namespace fieldhelp {

TrimsMoved trimsToSubTrims(const ParamSet &set)
{
    TrimsMoved result{set, {}, {}};
    for (int n = 1; n <= protocol::trimCount; ++n) {
        const int offset = set.stickTrim[n] - protocol::trimCentre;
        if (offset == 0)
            continue;
        result.moved << n;
        const int wanted = set.subTrim[n] + offset;
        const int taken = qBound(-subTrimLimit, wanted, subTrimLimit);
        if (taken != wanted)
            result.clamped << n;
        result.set.subTrim[n] = taken;
        result.set.stickTrim[n] = protocol::trimCentre + (wanted - taken);
    }
    return result;
}

int failSafeOfOutput(int output)
{
    // Rounded half up: 1010 is 50.5 steps, so 51.
    const int steps = (qBound(0, output, outputMax) * failSafeMax + outputMax / 2) / outputMax;
    return qBound(0, steps, failSafeMax);
}

} // namespace fieldhelp
