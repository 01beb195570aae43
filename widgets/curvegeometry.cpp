#include "curvegeometry.h"

#include <QtGlobal>

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

double channelOutput(int channelValue)
{
    return qBound(-100.0, (channelValue - 1000) / 10.0, 100.0);
}

double throttlePercentOf(int channelValue)
{
    return (channelOutput(channelValue) + 100.0) / 2.0;
}

namespace {

QPointF bezier(const QPointF &p0, const QPointF &p1, const QPointF &p2, const QPointF &p3, double t)
{
    const double u = 1.0 - t;
    return u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
}

// The point of one half of the curve where coordinate (x or y) reaches
// target. Both coordinates run one way along a half (the control points
// keep them so), so halving the parameter finds it.
QPointF bezierAt(const QPointF &p0, const QPointF &p1, const QPointF &p2, const QPointF &p3, double target,
                 bool byY)
{
    const auto coord = [byY](const QPointF &p) { return byY ? p.y() : p.x(); };
    const bool rising = coord(p3) >= coord(p0);
    double lo = 0.0;
    double hi = 1.0;
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        const double c = coord(bezier(p0, p1, p2, p3, mid));
        if ((c < target) == rising)
            lo = mid;
        else
            hi = mid;
    }
    return bezier(p0, p1, p2, p3, (lo + hi) / 2);
}

} // namespace

QPointF dualRateMarker(const DualRateCurveGeometry &g, double output, bool onCurve)
{
    output = qBound(-100.0, output, 100.0);
    const QPointF c = g.centre;
    const QPointF lower[4] = {g.s1, g.s1, g.lowerControl, c};
    const QPointF upper[4] = {c, g.upperControl, g.s2, g.s2};
    const QPointF *half = output < 0 ? lower : upper;
    if (!onCurve) {
        const double x = c.x() + output * (g.plotWidth / 2) / 100.0;
        return bezierAt(half[0], half[1], half[2], half[3], x, false);
    }
    const double y = c.y() - output * (g.plotHeight / 2) / 100.0;
    // Beyond the curve's end (a rate below the output): the end.
    if (output < 0 && y >= g.s1.y())
        return g.s1;
    if (output > 0 && y <= g.s2.y())
        return g.s2;
    if (output == 0)
        return c;
    return bezierAt(half[0], half[1], half[2], half[3], y, true);
}

QPointF throttleMarker(const ThrottleCurveGeometry &g, double percent, bool onCurve)
{
    percent = qBound(0.0, percent, 100.0);
    const QPoint *p = g.points;
    if (!onCurve) {
        const double x = p[0].x() + percent * (p[6].x() - p[0].x()) / 100.0;
        for (int k = 0; k < 6; ++k) {
            if (x <= p[k + 1].x()) {
                const double f = (x - p[k].x()) / qMax(1, p[k + 1].x() - p[k].x());
                return QPointF(x, p[k].y() + f * (p[k + 1].y() - p[k].y()));
            }
        }
        return p[6];
    }
    const double y = ((100 - percent) * g.plotHeight) / 100.0 + 30;
    for (int k = 0; k < 6; ++k) {
        const double y0 = p[k].y();
        const double y1 = p[k + 1].y();
        if (y < qMin(y0, y1) || y > qMax(y0, y1))
            continue;
        const double f = y0 == y1 ? 0.0 : (y - y0) / (y1 - y0);
        return QPointF(p[k].x() + f * (p[k + 1].x() - p[k].x()), y);
    }
    // Out of the curve's reach: its highest or lowest point, whichever is nearer.
    double best = 0;
    QPointF end = p[0];
    for (int k = 0; k < 7; ++k) {
        const double d = qAbs(p[k].y() - y);
        if (k == 0 || d < best) {
            best = d;
            end = p[k];
        }
    }
    return end;
}
