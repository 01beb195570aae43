#pragma once

// Every integer field of the Parameter set, named once: the ParamSet member
// and Field enumerator, the elements it has, the settings page (1..5) whose
// widgets edit or show it, and how its value reads. Per-channel arrays are
// indexed from 1 (element 0 is unused) so that index n is channel n; the
// dual-rate tables are indexed 1..4 for CH1..CH4, the aux sources 5..8.
//
// Pages: 1 basic channel settings, 2 dual rate, attitude, elevon and V-tail,
// 3 the two curve groups, 4 programmable mixes, 5 system settings. The
// dual-rate selection is shown on pages 2 and 3; its fields carry the page of
// the group they belong to.
//
// The last two columns are the range a value must lie in (lo, hi), or
// VARNIX_NO_RANGE where the program keeps whatever it holds.
//
// VARNIX_FIELDS(A, S) expands A(name, first, last, page, show, range...) for
// an array field and S(name, page, show, range...) for a scalar, in page
// order; range is "lo, hi" or VARNIX_NO_RANGE, which expands to lo > hi.
#define VARNIX_NO_RANGE 1, 0
#define VARNIX_FIELDS(A, S)                         \
    A(reverse, 1, 8, 1, Item, 0, 1)                 \
    A(subTrim, 1, 8, 1, Number, -100, 100)          \
    A(epaLeft, 1, 8, 1, Percent, 0, 120)            \
    A(epaRight, 1, 8, 1, Percent, 0, 120)           \
    A(failSafe, 1, 8, 1, Number, 0, 100)            \
    A(servoDelay, 1, 8, 1, Number, 0, 100)          \
    A(auxSource, 5, 8, 1, Item, 0, 5)               \
    S(txAlarmVoltX10, 5, Volts, 0, 500)             \
    S(rxAlarmVoltX10, 5, Volts, 0, 1000)            \
    S(extAlarmVoltX10, 5, Volts, 0, 1000)           \
    S(rssiAlarm, 5, Dbm, -100, 0)                   \
    S(stickMode, 5, Number, 0, 4)                   \
    S(firmwareVersion, 5, Number, VARNIX_NO_RANGE)  \
    A(stickTrim, 1, 4, 5, Trim, VARNIX_NO_RANGE)    \
    S(attitudeChannel, 2, Item, 0, 5)               \
    A(attitude, 1, 6, 2, Number, 0, 100)            \
    S(elevonMix, 2, Item, 0, 1)                     \
    A(elevon, 1, 6, 2, Percent, -100, 100)          \
    S(vtailMix, 2, Item, 0, 1)                      \
    A(vtail, 1, 4, 2, Percent, -100, 100)           \
    S(drMix, 2, Item, 0, 1)                         \
    S(drChannel, 2, Item, 0, 4)                     \
    S(drSwitch, 3, Item, 0, 2)                      \
    S(drPosition, 3, Item, 0, 4)                    \
    A(drRateUp, 1, 4, 2, Percent, 0, 100)           \
    A(drRateDown, 1, 4, 2, Percent, 0, 100)         \
    A(drExpoUp, 1, 4, 3, Percent, -100, 100)        \
    A(drExpoDown, 1, 4, 3, Percent, -100, 100)      \
    S(drUp, 2, Percent, 0, 100)                     \
    S(drDown, 2, Percent, 0, 100)                   \
    S(drCurveRate, 3, Percent, VARNIX_NO_RANGE)     \
    S(drCurveExpo, 3, Percent, -100, 100)           \
    A(prmMix, 1, 4, 4, Item, 0, 2)                  \
    A(prmMaster, 1, 4, 4, Item, 0, 10)              \
    A(prmSlave, 1, 4, 4, Item, 0, 10)               \
    A(prmOffset, 1, 4, 4, Percent, -100, 100)       \
    A(prmUpRate, 1, 4, 4, Percent, -100, 100)       \
    A(prmDownRate, 1, 4, 4, Percent, -100, 100)     \
    S(thrCurveMix, 3, Item, 0, 5)                   \
    S(thrCurveExtra, 3, Number, 0, 4)               \
    A(thrCurve, 1, 7, 3, Percent, 0, 100)

// The settings pages, 1..settingsPageCount (the tab index; tab 0 is the live page).
constexpr int settingsPageCount = 5;

// How a value reads on the pages and wherever it is named.
enum class Show {
    Number,  // the integer as it is
    Percent, // the integer followed by "%"
    Volts,   // the alarm voltage the companion field stands for, one decimal and " V"
    Item,    // the text of the combo box item with that index
    Dbm,     // the integer followed by " dBm"
    Trim,    // a stick trim: value - 120
};
