#pragma once

// Starting points for a new aircraft: plane, delta (elevon mix), V-tail and
// glider. A template sets only what the airframe is about (its mixes, the
// reverse of the surface channels, end points where a mix shares a servo's
// throw, dual rate) and the stick mode asked for; every other setting keeps
// the value of the setup it is applied to. Each setting carries why it is set.
//
// How outputs move the surfaces: an output o of -100..+100 turns a surface by
// s * o / 100 * 30 degrees, positive = trailing edge up (rudder: right), with
// the senses s of the airframe check: plane right aileron CH1 +1, left aileron
// CH1 -1, elevator CH2 +1, rudder CH4 +1; delta right elevon CH2 +1, left
// elevon CH1 -1; V-tail left ruddervator CH2 +1, right ruddervator CH4 -1.
// Stick right, stick back (pull) and rudder right give positive inputs.

#include <QString>
#include <QVector>

#include "airframe.h"
#include "fields.h"
#include "paramset.h"

struct TemplateSetting {
    Field field;
    int index;       // 0 for a scalar
    int value;
    const char *why; // source text, context "Templates"
};

struct SetupTemplate {
    Airframe kind;
    const char *description; // source text, context "Templates"
    QVector<TemplateSetting> settings; // without the stick mode, which is asked
};

namespace templates {

// The stick modes the window offers (spinBox_Mode, 1..4) and the one a
// template proposes.
constexpr int firstStickMode = 1;
constexpr int lastStickMode = 4;
constexpr int defaultStickMode = 2;

// Plane, delta, V-tail and glider, in this order.
const QVector<SetupTemplate> &all();
// The template of an airframe; nullptr for Other.
const SetupTemplate *of(Airframe kind);

// What the template sets with this stick mode: its settings, then the mode.
QVector<TemplateSetting> settingsOf(const SetupTemplate &t, int stickMode);
// base with the template's settings and the stick mode, the dual-rate copies
// following the tables as the window keeps them.
ParamSet apply(const SetupTemplate &t, int stickMode, const ParamSet &base);

// Translated texts.
QString description(const SetupTemplate &t);
QString why(const TemplateSetting &s);

} // namespace templates
