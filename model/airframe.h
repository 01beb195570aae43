#pragma once

#include <QString>

// The kinds of airframe a setup can be for. The setups library stores the
// kind beside each setup; the airframe check draws it and the new-model
// templates set it up.
enum class Airframe {
    Plane,  // aileron, elevator, throttle, rudder
    Delta,  // flying wing or delta with the elevon mix
    VTail,  // V-tail with the V-tail mix
    Glider,
    Other,
};

namespace airframe {

constexpr int count = 5;

// A fixed key for files ("plane", "delta", "vtail", "glider", "other").
QString key(Airframe kind);
// The kind a key names; Other (and *ok false) for anything unknown.
Airframe fromKey(const QString &key, bool *ok = nullptr);
// The kind's name for people, in the program's language.
QString displayName(Airframe kind);

} // namespace airframe
