#include "curvewidgets.h"

#include "paramset.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QPen>
#include <QTimer>

static QPen curvePen(int width, const QColor &colour)
{
    QPen pen;
    pen.setWidth(width);
    pen.setColor(colour);
    return pen;
}

static void drawHorizontalDashes(QPainter &painter, int y, int first, int last)
{
    for (int x : dashStarts(first, last))
        painter.drawLine(x, y, x + 8, y);
}

static void drawVerticalDashes(QPainter &painter, int x, int first, int last)
{
    for (int y : dashStarts(first, last))
        painter.drawLine(x, y, x, y + 8);
}

cureWidget::cureWidget(QWidget *parent)
    : QWidget(parent)
{
    timer = new QTimer(this);
    timer->start(100);
    connect(timer, SIGNAL(timeout()), this, SLOT(creatData()));
}

void cureWidget::creatData()
{
    update();
}

void cureWidget::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    const ThrottleCurveGeometry g = throttleCurveGeometry(w, h, paramSet.thrCurve);

    QPainter painter(this);

    painter.setPen(curvePen(4, Qt::green));
    painter.fillRect(QRect(QPoint(0, 0), QPoint(299, 299)), Qt::white);
    painter.drawRect(30, 30, 250, 240);

    painter.setPen(curvePen(1, Qt::green));
    if (w > 50) {
        for (int y : g.gridY)
            drawHorizontalDashes(painter, y, 21, w - 31);
    }
    if (h > 50) {
        for (int x : g.gridX)
            drawVerticalDashes(painter, x, 21, h - 31);
    }

    // Label positions are fixed to the grid of the 300-pixel placement.
    static const char *const labels[11] = {
        "100", " 90", " 80", " 70", " 60", " 50", " 40", " 30", " 20", " 10", "  0"
    };
    painter.setPen(curvePen(4, Qt::black));
    for (int k = 0; k < 11; ++k)
        painter.drawText(0, 37 + 24 * k, QString::fromLatin1(labels[k]));

    painter.setPen(curvePen(4, Qt::red));
    for (int k = 0; k < 6; ++k)
        painter.drawLine(g.points[k], g.points[k + 1]);
}

mWidget::mWidget(QWidget *parent)
    : QWidget(parent)
{
    timer = new QTimer(this);
    timer->start(100);
    connect(timer, SIGNAL(timeout()), this, SLOT(creatData()));
}

void mWidget::creatData()
{
    update();
}

void mWidget::paintEvent(QPaintEvent *)
{
    const int w = width();
    const int h = height();
    const DualRateCurveGeometry g =
        dualRateCurveGeometry(w, h, paramSet.drCurveRate, paramSet.drCurveExpo);

    QPainter painter(this);

    painter.setPen(curvePen(4, Qt::green));
    painter.fillRect(QRect(QPoint(0, 0), QPoint(299, 299)), Qt::white);
    painter.drawRect(20, 20, 240, 240);

    // The two centre axes.
    painter.setPen(curvePen(2, Qt::green));
    if (w > 40)
        drawHorizontalDashes(painter, 20 + g.plotHeight / 2, 21, w - 21);
    if (h > 40)
        drawVerticalDashes(painter, 20 + g.plotWidth / 2, 21, h - 21);

    painter.setPen(curvePen(4, Qt::red));

    QPainterPath lower;
    lower.moveTo(g.s1);
    lower.cubicTo(g.s1, g.lowerControl, g.centre);
    painter.drawPath(lower);

    QPainterPath upper;
    upper.moveTo(g.s2);
    upper.cubicTo(g.s2, g.upperControl, g.centre);
    painter.drawPath(upper);
}
