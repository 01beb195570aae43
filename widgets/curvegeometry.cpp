#include "curvegeometry.h"

// All curve arithmetic is plain int: divisions truncate toward zero and each
// product is formed before it is divided, so the drawn pixels stay where the
// transmitter's own display puts them.

int throttleY(int value, int plotHeight)
{
    return ((100 - value) * plotHeight) / 100 + 30;
}

ThrottleCurveGeometry throttleCurveGeometry(int width, int height, const int thrCurve[8])
{
    ThrottleCurveGeometry g;
    g.plotWidth = width - 40;
    g.plotHeight = height - 60;
    for (int k = 0; k <= 10; ++k)
        g.gridY[k] = 30 + (k * g.plotHeight) / 10;
    for (int k = 1; k <= 6; ++k)
        g.gridX[k - 1] = 20 + (k * g.plotWidth) / 6;

    // P0 sits on the frame's left edge, P1..P6 on the vertical grid lines.
    g.points[0] = QPoint(30, throttleY(thrCurve[1], g.plotHeight));
    for (int k = 1; k <= 6; ++k)
        g.points[k] = QPoint(g.gridX[k - 1], throttleY(thrCurve[k + 1], g.plotHeight));
    return g;
}

DualRateCurveGeometry dualRateCurveGeometry(int width, int height, int rate, int expo)
{
    DualRateCurveGeometry g;
    const int wd = width - 40;
    const int hd = height - 40;
    g.plotWidth = wd;
    g.plotHeight = hd;
    g.k = (100 - rate) * (hd / 2);
    g.re = (rate * expo) / 100;
    g.qx = wd / 4 + 20;
    g.dx = ((g.qx / 2) * g.re) / 100;
    g.dy = (g.re * (hd / 4)) / 100;
    g.centre = QPoint(20 + wd / 2, 20 + hd / 2);

    g.s1 = QPoint(20, height - 20 - g.k / 100);
    g.lowerControl = QPoint(g.qx + g.dx, (3 * hd) / 4 + 20 - g.k / 200 + g.dy);
    g.s2 = QPoint(width - 20, 20 + g.k / 100);
    g.upperControl = QPoint((3 * wd) / 4 + 20 - g.dx, hd / 4 + 20 + g.k / 200 - g.dy);
    return g;
}

QVector<int> dashStarts(int first, int last)
{
    QVector<int> starts;
    int i = (first / 15) * 15;
    if (i < first)
        i += 15;
    for (; i <= last; i += 15)
        starts.append(i);
    return starts;
}
