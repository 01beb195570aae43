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
// VARNIX_FIELDS(A, S) expands A(name, first, last, page, show) for an array
// field and S(name, page, show) for a scalar, in page order.
#define VARNIX_FIELDS(A, S)            \
    A(reverse, 1, 8, 1, Item)          \
    A(subTrim, 1, 8, 1, Number)        \
    A(epaLeft, 1, 8, 1, Percent)       \
    A(epaRight, 1, 8, 1, Percent)      \
    A(failSafe, 1, 8, 1, Number)       \
    A(servoDelay, 1, 8, 1, Number)     \
    A(auxSource, 5, 8, 1, Item)        \
    S(txAlarmVoltX10, 5, Volts)        \
    S(rxAlarmVoltX10, 5, Volts)        \
    S(extAlarmVoltX10, 5, Volts)       \
    S(rssiAlarm, 5, Dbm)               \
    S(stickMode, 5, Number)            \
    S(firmwareVersion, 5, Number)      \
    A(stickTrim, 1, 4, 5, Trim)        \
    S(attitudeChannel, 2, Item)        \
    A(attitude, 1, 6, 2, Number)       \
    S(elevonMix, 2, Item)              \
    A(elevon, 1, 6, 2, Percent)        \
    S(vtailMix, 2, Item)               \
    A(vtail, 1, 4, 2, Percent)         \
    S(drMix, 2, Item)                  \
    S(drChannel, 2, Item)              \
    S(drSwitch, 3, Item)               \
    S(drPosition, 3, Item)             \
    A(drRateUp, 1, 4, 2, Percent)      \
    A(drRateDown, 1, 4, 2, Percent)    \
    A(drExpoUp, 1, 4, 3, Percent)      \
    A(drExpoDown, 1, 4, 3, Percent)    \
    S(drUp, 2, Percent)                \
    S(drDown, 2, Percent)              \
    S(drCurveRate, 3, Percent)         \
    S(drCurveExpo, 3, Percent)         \
    A(prmMix, 1, 4, 4, Item)           \
    A(prmMaster, 1, 4, 4, Item)        \
    A(prmSlave, 1, 4, 4, Item)         \
    A(prmOffset, 1, 4, 4, Percent)     \
    A(prmUpRate, 1, 4, 4, Percent)     \
    A(prmDownRate, 1, 4, 4, Percent)   \
    S(thrCurveMix, 3, Item)            \
    S(thrCurveExtra, 3, Number)        \
    A(thrCurve, 1, 7, 3, Percent)

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
