#pragma once

// The arithmetic of the two curves, apart from any widget: the window's
// curve views and the setup sheet draw from it.

#include <QPoint>
#include <QPointF>
#include <QVector>

// Geometry of the seven-point throttle curve for a widget of the given size.
// thrCurve is indexed from 1 like the Parameter set field (thrCurve[1..7]).
struct ThrottleCurveGeometry
{
    int plotWidth = 0;      // width - 40
    int plotHeight = 0;     // height - 60
    int gridY[11] = {};     // horizontal grid lines, k = 0..10
    int gridX[6] = {};      // vertical grid lines, k = 1..6
    QPoint points[7];       // P0..P6
};

ThrottleCurveGeometry throttleCurveGeometry(int width, int height, const int thrCurve[8]);

// y of a throttle value v (0..100) in a plot of height h = widget height - 60.
int throttleY(int value, int plotHeight);

// Geometry of the dual-rate / exponential curve for a widget of the given size,
// rate R = drCurveRate, expo E = drCurveExpo.
struct DualRateCurveGeometry
{
    int plotWidth = 0;      // width - 40
    int plotHeight = 0;     // height - 40
    int k = 0;              // (100 - R) * (Hd / 2)
    int re = 0;             // (R * E) / 100
    int qx = 0;             // Wd / 4 + 20
    int dx = 0;
    int dy = 0;
    QPoint centre;
    QPoint s1;              // lower-left start, also the first control point
    QPoint lowerControl;    // second control point of the lower half
    QPoint s2;              // upper-right start, also the first control point
    QPoint upperControl;    // second control point of the upper half
};

DualRateCurveGeometry dualRateCurveGeometry(int width, int height, int rate, int expo);

// Start coordinates of the 8-pixel dashes of a grid line running from first to last
// (each dash starts at a multiple of 15 inside the range).
QVector<int> dashStarts(int first, int last);

// Live markers. A channel value (0..2000, 1000 centre) as the output it
// stands for, -100..100, and as throttle, 0..100 %; values beyond the ends
// are taken as the ends.
double channelOutput(int channelValue);
double throttlePercentOf(int channelValue);

// Where the marker of a live output sits on the dual-rate curve. With
// onCurve the output came through the curve (the rate is applied): the
// marker is the curve's point at that height, at the curve's end where the
// curve does not reach it. Otherwise the output is the stick itself: the
// marker is the curve's point above that stick position.
QPointF dualRateMarker(const DualRateCurveGeometry &g, double output, bool onCurve);
// The same on the throttle curve, for a throttle of 0..100 %. With onCurve
// and a curve that goes down as well as up, the first point from idle at
// that height.
QPointF throttleMarker(const ThrottleCurveGeometry &g, double percent, bool onCurve);
