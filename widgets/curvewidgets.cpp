#include "curvewidgets.h"

#include "paramset.h"
#include "readouts.h"

#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QPen>
#include <QTimer>

#include <utility>

CurveWidget::CurveWidget(const QRect &frame, QWidget *parent)
    : QWidget(parent)
    , m_frame(frame)
    , m_refresh(new QTimer(this))
{
    connect(m_refresh, &QTimer::timeout, this, &CurveWidget::creatData);
    m_refresh->start(readouts::refreshMs);
}

void CurveWidget::creatData()
{
    update();
}

void CurveWidget::setPen(QPainter &painter, int width, const QColor &colour)
{
    QPen pen;
    pen.setWidth(width);
    pen.setColor(colour);
    painter.setPen(pen);
}

void CurveWidget::drawHorizontalDashes(QPainter &painter, int y, int first, int last)
{
    for (int x : dashStarts(first, last))
        painter.drawLine(x, y, x + 8, y);
}

void CurveWidget::drawVerticalDashes(QPainter &painter, int x, int first, int last)
{
    for (int y : dashStarts(first, last))
        painter.drawLine(x, y, x, y + 8);
}

void CurveWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    setPen(painter, 4, Qt::green);
    painter.fillRect(QRect(QPoint(0, 0), QPoint(299, 299)), Qt::white);
    painter.drawRect(m_frame);
    drawCurve(painter);
}

cureWidget::cureWidget(QWidget *parent)
    : CurveWidget(QRect(30, 30, 250, 240), parent)
{
}

void cureWidget::drawCurve(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const ThrottleCurveGeometry g = throttleCurveGeometry(w, h, paramSet.thrCurve);

    setPen(painter, 1, Qt::green);
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
    setPen(painter, 4, Qt::black);
    for (int k = 0; k < 11; ++k)
        painter.drawText(0, 37 + 24 * k, QString::fromLatin1(labels[k]));

    setPen(painter, 4, Qt::red);
    for (int k = 0; k < 6; ++k)
        painter.drawLine(g.points[k], g.points[k + 1]);
}

mWidget::mWidget(QWidget *parent)
    : CurveWidget(QRect(20, 20, 240, 240), parent)
{
}

void mWidget::drawCurve(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const DualRateCurveGeometry g = dualRateCurveGeometry(w, h, paramSet.drCurveRate, paramSet.drCurveExpo);

    // The two centre axes.
    setPen(painter, 2, Qt::green);
    if (w > 40)
        drawHorizontalDashes(painter, 20 + g.plotHeight / 2, 21, w - 21);
    if (h > 40)
        drawVerticalDashes(painter, 20 + g.plotWidth / 2, 21, h - 21);

    setPen(painter, 4, Qt::red);
    for (const auto &half : {std::make_pair(g.s1, g.lowerControl), std::make_pair(g.s2, g.upperControl)}) {
        QPainterPath path;
        path.moveTo(half.first);
        path.cubicTo(half.first, half.second, g.centre);
        painter.drawPath(path);
    }
}

#include "moc_curvewidgets.cpp"
