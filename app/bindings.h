#pragma once

// The one table that binds the settings pages to the Parameter set: which
// widget edits which field (and element), how its value reads for people and
// what the setting is called. The edit handlers, the settings display, the
// change marks, undo, the review before writing, the setup sheet and
// varnix-param all loop over it. QtCore only: tools use it without a window.

#include <QString>
#include <QStringList>
#include <QVector>

#include "fields.h"
#include "paramset.h"

struct Binding {
    // Object name in the form; nullptr for a value that the transmitter gets
    // but no widget of its own shows (the dual-rate table entries of the
    // channels not selected, the stick trims, the extra throttle-curve value).
    const char *widget;
    Field field; // for Show::Volts the tenths companion (txAlarmVoltX10, ...)
    int element; // 0 for a scalar field
    Show show;
    int page;         // settings page 1..5 (tab index)
    const char *name; // Chinese source text, context "Bindings"; "%1" stands for element
};

// Every settings widget, and every value sent without a widget of its own,
// in page order.
const QVector<Binding> &bindings();

// The row of a widget, or nullptr.
const Binding *bindingOf(const char *widget);
const Binding *bindingOf(const QString &widget);
// The first row that shows element of field (its own page's), or nullptr.
const Binding *bindingOf(Field field, int element);

// The name through the installed translator, element filled in: "副微调 CH4".
QString bindingName(const Binding &b);
// The caption of settings page 1..5, as its tab shows it (translated).
QString pageName(int page);
// The value as the pages show it: "25", "96%", "11.0 V", "反相", "-100 dBm".
QString bindingValueText(const Binding &b, const ParamSet &set);

// The values the row's widget can show (for a combo box its item indexes,
// for the alarm voltages tenths): the form's limits narrowed to the frame
// field, as the window sets them. False for a row without a widget.
bool bindingShownRange(const Binding &b, int *lo, int *hi);

// The values the row's widget offers, as the pages show them: "-100 到 100",
// "0% 到 120%", "0.0 V 到 23.9 V", "正相 / 反相" (translated). Empty for a row
// without a widget.
QString bindingRangeText(const Binding &b);
// What the widget says about itself (its tool tip): the setting's name and
// what it offers, "副微调 CH4：-100 到 100".
QString bindingHelp(const Binding &b);

// What the window makes of a value its widget cannot show (the refresh: a spin
// box clamps it, a combo box shows no item and the range rule replaces the
// -1 that flows back), and why.
struct WindowShowing {
    bool changes = false; // the widget cannot show the set's value
    int value = 0;        // what the window puts in its place
    QString why;          // "窗口没有第 8 项（只有 8 项）", translated
};
WindowShowing bindingShowing(const Binding &b, const ParamSet &set);
// The same as one text: "窗口没有第 8 项（只有 8 项），窗口改为 CH4"; empty
// when the widget shows the value as it is.
QString bindingShowingText(const Binding &b, const ParamSet &set);

// Whether the transmitter gets this value in a Parameter frame.
bool bindingSent(const Binding &b);
// Whether the widget carries a change mark when the value differs from what
// the transmitter holds: sent values and the curve group's copies of sent
// table entries. The firmware version and the live stick trims never are.
bool bindingMarked(const Binding &b);
// Whether two sets hold the same value for this row (volts to the tenth).
bool bindingSame(const Binding &b, const ParamSet &a, const ParamSet &c);
// Copies this row's value (for volts the voltage and its companion).
void bindingCopy(const Binding &b, const ParamSet &from, ParamSet &to);

// The texts of a combo box's items as the form has them, translated.
QStringList formItemTexts(const char *widget);

// What the transmitter would hold after the four frames built from set: the
// set through encoding and decoding, so values show as they will be sent.
ParamSet asSent(const ParamSet &set);

// Every value in which two sets differ, element by element (the three alarm
// voltages as doubles): copies into target the values in which to differs
// from from. Used to apply or take back a change without touching values
// something else has changed meanwhile.
void applyDifference(const ParamSet &from, const ParamSet &to, ParamSet &target);
