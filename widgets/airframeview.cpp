#include "airframeview.h"

#include "framepacer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace {

// The drawing is laid out on a 400 x 400 square, scaled into the widget.
struct SurfaceShape {
    QRectF area;   // hinge line at the top (leading) edge, trailing edge below
    QPointF gauge; // where its side view goes
};

bool isRight(Surface s)
{
    return s == Surface::RightAileron || s == Surface::RightElevon || s == Surface::RightRuddervator;
}

SurfaceShape shapeOf(Airframe kind, Surface s)
{
    const bool right = isRight(s);
    const auto mirrored = [right](double left, double top, double w, double h) {
        return right ? QRectF(400 - left - w, top, w, h) : QRectF(left, top, w, h);
    };
    const auto gaugeAt = [right](double x, double y) { return QPointF(right ? 400 - x : x, y); };
    switch (s) {
    case Surface::RightAileron:
    case Surface::LeftAileron:
        return {mirrored(45, 178, 95, 22), gaugeAt(92, 226)};
    case Surface::RightElevon:
    case Surface::LeftElevon:
        return {mirrored(70, 282, 110, 22), gaugeAt(125, 330)};
    case Surface::Elevator:
        return {QRectF(135, 332, 130, 16), QPointF(290, 370)};
    case Surface::RightRuddervator:
    case Surface::LeftRuddervator:
        return {mirrored(130, 334, 62, 16), gaugeAt(120, 372)};
    case Surface::Rudder:
        return {QRectF(197, 330, 6, 40), QPointF(110, 370)};
    case Surface::Throttle:
        break;
    }
    Q_UNUSED(kind);
    return {};
}

QColor deflectionColour(double degrees)
{
    const double f = qMin(1.0, qAbs(degrees) / surfaces::maxDeflection);
    const QColor to = degrees >= 0 ? QColor(30, 110, 230) : QColor(235, 120, 20);
    const QColor from(200, 200, 200);
    return QColor(int(from.red() + f * (to.red() - from.red())), int(from.green() + f * (to.green() - from.green())),
                  int(from.blue() + f * (to.blue() - from.blue())));
}

void drawAirframeBody(QPainter &p, Airframe kind)
{
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(245, 245, 240));
    if (kind == Airframe::Delta) {
        p.drawPolygon(QPolygonF({{200, 40}, {360, 282}, {360, 304}, {220, 304}, {200, 290}, {180, 304},
                                 {40, 304}, {40, 282}}));
        p.drawLine(QPointF(200, 230), QPointF(200, 300));
        return;
    }
    // Fuselage, wing, tail.
    p.drawRoundedRect(QRectF(188, 40, 24, 310), 12, 12);
    const double span = kind == Airframe::Glider ? 5 : 40;
    p.drawPolygon(QPolygonF({{span, 140}, {400 - span, 140}, {400 - span - 5, 200}, {span + 5, 200}}));
    if (kind == Airframe::VTail) {
        p.drawPolygon(QPolygonF({{200, 312}, {268, 322}, {268, 334}, {200, 334}}));
        p.drawPolygon(QPolygonF({{200, 312}, {132, 322}, {132, 334}, {200, 334}}));
    } else {
        p.drawPolygon(QPolygonF({{135, 310}, {265, 310}, {265, 332}, {135, 332}}));
        p.drawLine(QPointF(200, 295), QPointF(200, 330)); // the fin seen from above
    }
}

} // namespace

AirframeView::AirframeView(QWidget *parent)
    : QWidget(parent)
    , m_table(surfaces::defaults(Airframe::Plane))
    , m_pacer(new FramePacer(33, [this] { update(); }, this))
{
    setMinimumSize(300, 300);
}

void AirframeView::setAirframe(Airframe kind, const SurfaceTable &table)
{
    m_kind = kind;
    m_table = table;
    if (m_highlight >= m_table.size())
        m_highlight = -1;
    m_bodyValid = false;
    update();
}

void AirframeView::showLive(const LiveValues &live)
{
    m_live = live;
    if (!m_liveShown)
        m_bodyValid = false;
    m_liveShown = true;
    m_pacer->request();
}

void AirframeView::hideLive()
{
    m_liveShown = false;
    m_bodyValid = false;
    update();
}

void AirframeView::setHighlight(int index)
{
    m_highlight = index;
    update();
}

// The airframe and the surfaces' names change with the table only: drawn
// once into a picture, the moving parts over it.
void AirframeView::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const double side = qMin(width(), height());
    const auto toSquare = [this, side](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.translate((width() - side) / 2, (height() - side) / 2);
        p.scale(side / 400.0, side / 400.0);
    };
    if (m_body.isNull() || m_body.size() != size() * dpr || !m_bodyValid) {
        m_body = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_body.setDevicePixelRatio(dpr);
        m_body.fill(Qt::white);
        QPainter p(&m_body);
        toSquare(p);
        drawAirframeBody(p, m_kind);
        QFont font = p.font();
        font.setPixelSize(11);
        p.setFont(font);
        p.setPen(QColor(40, 40, 40));
        for (const SurfaceLink &link : m_table) {
            const QString name = QStringLiteral("%1 CH%2").arg(surfaces::name(link.surface)).arg(link.channel);
            if (link.surface == Surface::Throttle) {
                p.drawText(QRectF(330, 264, 70, 16), Qt::AlignHCenter | Qt::AlignTop, name);
                continue;
            }
            const QPointF g = shapeOf(m_kind, link.surface).gauge;
            p.drawText(QRectF(g.x() - 60, g.y() + 4, 150, 16), Qt::AlignHCenter | Qt::AlignTop, name);
        }
        if (!m_liveShown) {
            font.setPixelSize(14);
            p.setFont(font);
            p.setPen(QColor(120, 120, 120));
            p.drawText(QRectF(0, 8, 400, 24), Qt::AlignCenter, tr("没有实时数据：打开串口后舵面随发射机移动"));
        }
        m_bodyValid = true;
    }
    QPainter p(this);
    p.drawImage(0, 0, m_body);
    toSquare(p);
    for (int i = 0; i < m_table.size(); ++i) {
        if (m_table.at(i).surface == Surface::Throttle)
            drawThrottle(p, m_table.at(i));
        else
            drawSurface(p, m_table.at(i), i);
    }
}

void AirframeView::drawSurface(QPainter &p, const SurfaceLink &link, int index)
{
    const SurfaceShape shape = shapeOf(m_kind, link.surface);
    const double angle = m_liveShown ? surfaces::deflection(link, m_live) : 0.0;
    const QPen outline(index == m_highlight ? QPen(QColor(240, 190, 0), 4) : QPen(QColor(60, 60, 60), 1.5));

    p.save();
    if (link.surface == Surface::Rudder) {
        // Seen from above the rudder turns about its hinge at the fin's end;
        // positive is the trailing edge to the right.
        const QPointF hinge(200, shape.area.top());
        p.translate(hinge);
        p.rotate(-angle);
        p.setPen(outline);
        p.setBrush(deflectionColour(angle));
        p.drawRect(QRectF(-3, 0, 6, shape.area.height()));
    } else {
        p.setPen(outline);
        p.setBrush(deflectionColour(angle));
        p.drawRect(shape.area);
    }
    p.restore();

    // Side view: the hinge at the left, the surface turned by its angle,
    // trailing edge up for a positive angle (the rudder: right).
    const QPointF g = shape.gauge;
    p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
    p.drawLine(g, g + QPointF(30, 0));
    const double rad = qDegreesToRadians(angle);
    p.setPen(QPen(deflectionColour(angle).darker(130), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(g, g + QPointF(30 * qCos(rad), -30 * qSin(rad)));
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(g.x() - 40, g.y() - 8, 36, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("%1°").arg(qRound(angle)));
}

void AirframeView::drawThrottle(QPainter &p, const SurfaceLink &link)
{
    const double percent = m_liveShown ? surfaces::throttlePercent(link, m_live) : 0.0;
    const QRectF bar(372, 60, 16, 200);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(bar);
    const double h = bar.height() * percent / 100.0;
    p.setBrush(QColor(40, 170, 60));
    p.drawRect(QRectF(bar.left(), bar.bottom() - h, bar.width(), h));
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRectF(340, 280, 60, 16), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("%1%").arg(qRound(percent)));
}

#include "moc_airframeview.cpp"
