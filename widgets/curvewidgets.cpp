#include "curvewidgets.h"

#include "framepacer.h"
#include "paramset.h"
#include "readouts.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPaintEvent>
#include <QPen>
#include <QResizeEvent>
#include <QTimer>

#include <utility>

namespace {
constexpr int kPlotSide = 300; // the white plot's side, in pixels
}

CurveWidget::CurveWidget(const QRect &frame, QWidget *parent)
    : QWidget(parent)
    , m_frame(frame)
    , m_refresh(new QTimer(this))
    , m_pacer(new FramePacer(33, [this] { update(); }, this))
{
    connect(m_refresh, &QTimer::timeout, this, &CurveWidget::creatData);
    m_refresh->start(readouts::refreshMs);
}

void CurveWidget::creatData()
{
    update();
}

void CurveWidget::showLive(const LiveValues &live)
{
    m_live = live;
    m_liveShown = true;
    m_pacer->request();
}

void CurveWidget::hideLive()
{
    if (!m_liveShown)
        return;
    m_liveShown = false;
    update();
}

void CurveWidget::drawMarker(QPainter &painter, const QPointF &at, double axisX, double axisY)
{
    const QColor blue(0, 90, 200);
    QPen pen(blue, 1, Qt::DashLine);
    painter.setPen(pen);
    painter.drawLine(at, QPointF(at.x(), axisY));
    painter.drawLine(at, QPointF(axisX, at.y()));
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(blue);
    painter.drawEllipse(at, 6, 6);
    painter.setBrush(Qt::NoBrush);
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

void CurveWidget::resizeEvent(QResizeEvent *event)
{
    // The white plot covers a widget of up to 300 x 300 whole: a frame of the
    // marker then repaints this widget alone, not the styled page behind it.
    setAttribute(Qt::WA_OpaquePaintEvent, width() <= kPlotSide && height() <= kPlotSide);
    QWidget::resizeEvent(event);
}

void CurveWidget::paintEvent(QPaintEvent *)
{
    // The plot changes with the settings only; the marker moves with every
    // frame, so the plot is drawn once into a picture and the marker over it.
    const qreal dpr = devicePixelRatioF();
    const QVector<int> key = plotKey();
    if (m_plot.isNull() || m_plot.size() != size() * dpr || key != m_plotKey) {
        m_plot = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_plot.setDevicePixelRatio(dpr);
        m_plot.fill(Qt::transparent);
        QPainter plot(&m_plot);
        setPen(plot, 4, Qt::green);
        plot.fillRect(QRect(0, 0, kPlotSide, kPlotSide), Qt::white);
        plot.drawRect(m_frame);
        drawCurve(plot);
        m_plotKey = key;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_plot);
    QPointF at;
    if (markerAt(&at)) {
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF axes = markerAxes();
        drawMarker(painter, at, axes.x(), axes.y());
    }
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

QVector<int> cureWidget::plotKey() const
{
    return {width(), height(), paramSet.thrCurve[1], paramSet.thrCurve[2], paramSet.thrCurve[3], paramSet.thrCurve[4],
            paramSet.thrCurve[5], paramSet.thrCurve[6], paramSet.thrCurve[7]};
}

QPointF cureWidget::markerAxes() const
{
    return QPointF(30, 30 + height() - 60);
}

bool cureWidget::markerAt(QPointF *at) const
{
    if (!isLiveShown())
        return false;
    const ThrottleCurveGeometry g = throttleCurveGeometry(width(), height(), paramSet.thrCurve);
    *at = throttleMarker(g, throttlePercentOf(live().channelValue3), paramSet.thrCurveMix != 0);
    return true;
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

    // Axis numbers, inside the plot beside the centre axes.
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    const int cx = g.centre.x();
    const int cy = g.centre.y();
    const int halfW = g.plotWidth / 2;
    const int halfH = g.plotHeight / 2;
    for (int v : {-100, -50, 50, 100}) {
        const int x = cx + v * halfW / 100;
        const Qt::Alignment across = v == -100 ? Qt::AlignLeft : v == 100 ? Qt::AlignRight : Qt::AlignHCenter;
        const int left = v == -100 ? x + 3 : v == 100 ? x - 33 : x - 15;
        painter.drawText(QRect(left, cy + 3, 30, 12), across | Qt::AlignTop, QString::number(v));
        const int y = cy - v * halfH / 100;
        const int top = v == 100 ? y + 3 : v == -100 ? y - 15 : y - 6;
        painter.drawText(QRect(cx - 34, top, 30, 12), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    painter.drawText(QRect(cx - 34, cy + 3, 30, 12), Qt::AlignRight | Qt::AlignTop, QStringLiteral("0"));
}

QVector<int> mWidget::plotKey() const
{
    return {width(), height(), paramSet.drCurveRate, paramSet.drCurveExpo};
}

QPointF mWidget::markerAxes() const
{
    return dualRateCurveGeometry(width(), height(), paramSet.drCurveRate, paramSet.drCurveExpo).centre;
}

bool mWidget::markerAt(QPointF *at) const
{
    if (!isLiveShown() || paramSet.drChannel < 0 || paramSet.drChannel > 3)
        return false;
    const DualRateCurveGeometry g = dualRateCurveGeometry(width(), height(), paramSet.drCurveRate,
                                                          paramSet.drCurveExpo);
    *at = dualRateMarker(g, channelOutput(live().channel(paramSet.drChannel + 1)), paramSet.drMix != 0);
    return true;
}

#include "moc_curvewidgets.cpp"
