#pragma once

// Which channel moves which control surface of an airframe, how far a
// channel output turns it, and the guided check that asks, surface by
// surface, whether the aircraft moves as it should, with the fix for one
// that moves the wrong way.
//
// An output o runs -100..100 (channel value 1000 is 0). A surface driven
// with sense s deflects s * o / 100 * 30 degrees; positive is trailing edge
// up (ailerons, elevons, elevator, ruddervators) or to the right seen from
// above (rudder). The throttle runs 0 % at o = -100 to 100 % at o = 100.

#include <QString>
#include <QVector>

#include "airframe.h"
#include "fieldtable.h"
#include "fields.h"
#include "paramset.h"

enum class Surface {
    RightAileron,
    LeftAileron,
    Elevator,
    Rudder,
    RightElevon,
    LeftElevon,
    RightRuddervator,
    LeftRuddervator,
    Throttle,
};

// The stick moved in a step of the guided check.
enum class Stick { Aileron, Elevator, Rudder };

struct SurfaceLink {
    Surface surface;
    int channel; // 1..8
    int sense;   // +1 or -1; unused for the throttle
};

using SurfaceTable = QVector<SurfaceLink>;

namespace surfaces {

constexpr double maxDeflection = 30.0; // degrees at o = +-100

// The standard installation of each airframe.
SurfaceTable defaults(Airframe kind);

// The surface's name for people, in the program's language.
QString name(Surface surface);

double deflection(const SurfaceLink &link, const LiveValues &live);
double throttlePercent(const SurfaceLink &link, const LiveValues &live);

// A table as stored in the settings ("rightAileron:1:+;leftAileron:1:-;..."),
// and back. Text that does not name the airframe's surfaces gives the
// defaults; a channel out of 1..8 or a sense other than + or - is not taken.
QString toText(const SurfaceTable &table);
SurfaceTable fromText(Airframe kind, const QString &text);

// One step of the guided check: moving stick should turn surface the way
// expected (+1 up or right, -1 down or left).
struct Step {
    Stick stick;
    Surface surface;
    int expected;
    QString text; // the question, in the program's language
};

// The steps for the surfaces of the table, in the order asked.
QVector<Step> steps(Airframe kind, const SurfaceTable &table);

// What "反了" changes: the sign of each listed element. A reverse is
// flipped 0 <-> 1, a mix rate negated.
struct Fix {
    Field field = Field::reverse;
    QVector<int> elements;
};

// The fix for a surface that moves the wrong way when stick moves: with the
// elevon or V-tail mix on and the surface's channel one the mix drives, the
// mix's rates that link the stick to that channel; else reverse[channel].
Fix fixFor(const ParamSet &set, Stick stick, const SurfaceLink &link, Airframe kind);
void apply(const Fix &fix, ParamSet &set);
// "CH1 反向" or the rates' names, for the undo step and the check's note.
QString describe(const Fix &fix);

} // namespace surfaces
