#include "scopewidget.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace {

// Room for the axes' labels around the plot.
const int kLeft = 56;
const int kRight = 64;
const int kTop = 6;
const int kBottom = 22;
const int kPaneGap = 14;
// Clear room between two labels of the time axis.
const int kTimeLabelGap = 16;

struct TraceLook {
    QRgb colour;
    const char *name;
};

// Distinct on a dark ground, and CH1..CH4 as the sticks' usual colours.
const TraceLook kLooks[traceCount] = {
    {0xff5a5a, "CH1"},
    {0x4fc3f7, "CH2"},
    {0x9ccc65, "CH3"},
    {0xffd54f, "CH4"},
    {0xba68c8, "CH5"},
    {0xff9f43, "CH6"},
    {0x26c6da, "CH7"},
    {0xf48fb1, "CH8"},
    {0xffffff, QT_TRANSLATE_NOOP("ScopeWidget", "遥控电压")},
    {0x80cbc4, QT_TRANSLATE_NOOP("ScopeWidget", "接收电压")},
    {0xffab91, QT_TRANSLATE_NOOP("ScopeWidget", "动力电压")},
    {0xb0bec5, QT_TRANSLATE_NOOP("ScopeWidget", "信号")},
};

int mouseX(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return int(event->position().x());
#else
    return event->pos().x();
#endif
}

bool isChannel(int t)
{
    return t <= int(Trace::CH8);
}

// The round steps of the time axis, finest first; beyond the last, whole
// days doubled.
const qint64 kSteps[] = {10,     20,     50,      100,     200,     500,     1000,     2000,     5000,
                         10000,  15000,  30000,   60000,   120000,  300000,  600000,   900000,   1800000,
                         3600000, 7200000, 10800000, 21600000, 43200000, 86400000};

// A label of the time axis at a step of stepMs: as many decimals as the
// step needs, none for whole seconds.
QString tickText(qint64 ms, qint64 stepMs)
{
    if (ms < 0)
        return QLatin1Char('-') + tickText(-ms, stepMs);
    const int decimals = stepMs % 100 ? 2 : stepMs % 1000 ? 1 : 0;
    const double s = (ms % 60000) / 1000.0;
    if (ms < 60000)
        return QString::number(s, 'f', decimals) + QStringLiteral(" s");
    const QString seconds = QString::number(s, 'f', decimals).rightJustified(decimals ? 3 + decimals : 2, QLatin1Char('0'));
    const qint64 minutes = ms / 60000;
    if (minutes < 60)
        return QString::number(minutes) + QLatin1Char(':') + seconds;
    return QString::number(minutes / 60) + QLatin1Char(':') + QString::number(minutes % 60).rightJustified(2, QLatin1Char('0'))
        + QLatin1Char(':') + seconds;
}

// A value range in a pane and the y of a value in it.
struct Scale {
    double lo;
    double hi;
    QRect rect;
    int y(double v) const
    {
        const double f = (v - lo) / (hi - lo);
        return rect.bottom() - int(std::floor(f * rect.height() + 0.5));
    }
};

} // namespace

ScopeWidget::ScopeWidget(QWidget *parent)
    : QWidget(parent)
{
    std::fill(std::begin(m_visible), std::end(m_visible), true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Small enough that the scope with its legend fits a netbook's screen.
    setMinimumSize(280, 220);
}

void ScopeWidget::setBuffer(const ScopeBuffer *buffer)
{
    m_buffer = buffer;
    update();
}

void ScopeWidget::setView(qint64 fromMs, qint64 toMs)
{
    if (toMs <= fromMs)
        toMs = fromMs + 1;
    if (fromMs == m_from && toMs == m_to)
        return;
    m_from = fromMs;
    m_to = toMs;
    update();
    // The cursor stays under the mouse while the view runs on beneath it.
    if (m_mouseX >= 0 && m_dragX < 0)
        setCursorMs(msAt(m_mouseX));
}

void ScopeWidget::setTraceVisible(Trace trace, bool visible)
{
    m_visible[int(trace)] = visible;
    update();
}

void ScopeWidget::setCursorMs(qint64 ms)
{
    if (ms == m_cursorMs)
        return;
    m_cursorMs = ms;
    update();
    emit cursorMoved(ms);
}

QColor ScopeWidget::traceColour(Trace trace)
{
    return QColor(kLooks[int(trace)].colour);
}

QString ScopeWidget::traceName(Trace trace)
{
    return QCoreApplication::translate("ScopeWidget", kLooks[int(trace)].name);
}

QString ScopeWidget::valueText(Trace trace, double value)
{
    if (std::isnan(value))
        return QStringLiteral("–");
    if (isChannel(int(trace)))
        return QString::number(qRound(value));
    if (trace == Trace::Rssi)
        return QString::number(qRound(value)) + QStringLiteral(" dBm");
    return QString::number(value, 'f', 2) + QStringLiteral(" V");
}

QString ScopeWidget::timeText(qint64 ms)
{
    if (ms < 0)
        return QLatin1Char('-') + timeText(-ms);
    const double s = ms / 1000.0;
    if (ms < 60000)
        return QString::number(s, 'f', s < 10 ? 2 : 1) + QStringLiteral(" s");
    const qint64 minutes = ms / 60000;
    const double rest = (ms % 60000) / 1000.0;
    const QString seconds = QString::number(rest, 'f', 1).rightJustified(4, QLatin1Char('0'));
    if (minutes < 60)
        return QString::number(minutes) + QLatin1Char(':') + seconds;
    return QString::number(minutes / 60) + QLatin1Char(':')
        + QString::number(minutes % 60).rightJustified(2, QLatin1Char('0')) + QLatin1Char(':') + seconds;
}

QVector<ScopeWidget::TimeTick> ScopeWidget::timeTicks(qint64 fromMs, qint64 toMs, int widthPx,
                                                      const std::function<int(const QString &)> &textWidth,
                                                      int gapPx)
{
    QVector<TimeTick> ticks;
    if (widthPx <= 0 || toMs <= fromMs)
        return ticks;
    const double span = double(toMs - fromMs);
    const int steps = int(sizeof kSteps / sizeof kSteps[0]);
    for (int k = 0;; ++k) {
        const qint64 step = k < steps ? kSteps[k] : kSteps[steps - 1] << (k - steps + 1);
        // Not even the narrowest label fits this often.
        if (span / double(step) * (gapPx + 8) > widthPx)
            continue;
        ticks.clear();
        const qint64 firstTick = fromMs >= 0 ? (fromMs + step - 1) / step * step : -(-fromMs / step * step);
        bool fits = true;
        int lastRight = 0;
        for (qint64 t = firstTick; t <= toMs && fits; t += step) {
            const QString text = tickText(t, step);
            const int x = int(std::llround(double(t - fromMs) * widthPx / span));
            const int w = textWidth(text);
            if (!ticks.isEmpty() && x - (w + 1) / 2 < lastRight + gapPx)
                fits = false;
            lastRight = x + (w + 1) / 2;
            ticks.append({t, x, text});
        }
        if (fits || step > qint64(toMs - fromMs))
            return ticks;
    }
}

QRect ScopeWidget::plotRect() const
{
    return QRect(kLeft, kTop, qMax(1, width() - kLeft - kRight), qMax(1, height() - kTop - kBottom));
}

qint64 ScopeWidget::msAt(int x) const
{
    const QRect r = plotRect();
    return m_from + qint64(std::llround(double(x - r.left()) * double(m_to - m_from) / double(r.width())));
}

int ScopeWidget::xAt(qint64 ms) const
{
    const QRect r = plotRect();
    return r.left() + int(std::llround(double(ms - m_from) * r.width() / double(m_to - m_from)));
}

void ScopeWidget::paintEvent(QPaintEvent *)
{
    const QColor ground(0x20, 0x22, 0x26);
    const QColor grid(0x3a, 0x3e, 0x46);
    const QColor text(0xc8, 0xcc, 0xd2);
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    QPainter p(&m_image);
    p.fillRect(rect(), ground.darker(115));

    const QRect plot = plotRect();
    const int upperHeight = (plot.height() - kPaneGap) * 3 / 5;
    const QRect upper(plot.left(), plot.top(), plot.width(), upperHeight);
    const QRect lower(plot.left(), upper.bottom() + kPaneGap, plot.width(), plot.bottom() - upper.bottom() - kPaneGap);
    p.fillRect(upper, ground);
    p.fillRect(lower, ground);

    // One column per pixel, kept from the last frame and brought up to date.
    const int columns = plot.width();
    const double msPerColumn = double(m_to - m_from) / columns;
    const qint64 c0 = qint64(std::floor(m_from / msPerColumn));
    if (m_buffer)
        m_columns.update(*m_buffer, msPerColumn, c0, c0 + columns);
    double chLo = 500, chHi = 1500, voltHi = 10;
    for (int x = 0; m_buffer && x < columns; ++x) {
        const ScopeColumns::Column *col = m_columns.column(c0 + x);
        if (!col)
            continue;
        for (int t = 0; t < traceCount; ++t) {
            const TraceColumn &c = col->trace[t];
            if (!m_visible[t] || c.count == 0)
                continue;
            if (isChannel(t)) {
                chLo = qMin(chLo, double(c.min));
                chHi = qMax(chHi, double(c.max));
            } else if (Trace(t) != Trace::Rssi) {
                voltHi = qMax(voltHi, double(c.max));
            }
        }
    }
    const Scale chScale{std::floor(chLo / 100) * 100, std::ceil(chHi / 100) * 100, upper};
    const Scale voltScale{0, std::ceil(voltHi / 5) * 5, lower};
    const Scale rssiScale{-100, 0, lower};

    // Grid and axis labels.
    const QFontMetrics fm(font());
    auto hLine = [&](const Scale &s, double v, const QString &label, bool right) {
        const int y = s.y(v);
        p.setPen(grid);
        p.drawLine(s.rect.left(), y, s.rect.right(), y);
        p.setPen(text);
        const QRect box = right ? QRect(s.rect.right() + 4, y - 8, kRight - 6, 16) : QRect(0, y - 8, kLeft - 4, 16);
        p.drawText(box, (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, label);
    };
    const double chStep = (chScale.hi - chScale.lo) > 1200 ? 500 : (chScale.hi - chScale.lo) > 500 ? 250 : 100;
    for (double v = std::ceil(chScale.lo / chStep) * chStep; v <= chScale.hi; v += chStep)
        hLine(chScale, v, QString::number(v), false);
    for (double v = 0; v <= voltScale.hi; v += voltScale.hi > 20 ? 10 : 5)
        hLine(voltScale, v, QString::number(v) + QStringLiteral(" V"), false);
    p.setPen(text);
    for (int v = -100; v <= 0; v += 25)
        p.drawText(QRect(lower.right() + 4, rssiScale.y(v) - 8, kRight - 6, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(v) + QStringLiteral(" dBm"));
    const auto textWidth = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
    for (const TimeTick &tick : timeTicks(m_from, m_to, plot.width(), textWidth, kTimeLabelGap)) {
        const int x = plot.left() + tick.x;
        p.setPen(grid);
        p.drawLine(x, upper.top(), x, upper.bottom());
        p.drawLine(x, lower.top(), x, lower.bottom());
        p.setPen(text);
        const int w = textWidth(tick.text);
        p.drawText(QRect(x - (w + 1) / 2, plot.bottom() + 3, w + 1, kBottom - 4),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, tick.text);
    }
    p.end();

    // The traces, written straight into the picture: per pixel column one
    // vertical run from the lowest to the highest value, reaching back to
    // the last value of the column before. Where columns without samples lie
    // between (a view zoomed in far), a line joins the two.
    QVector<QLine> joins[traceCount];
    uchar *const bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    for (int t = 0; m_buffer && t < traceCount; ++t) {
        if (!m_visible[t])
            continue;
        const Scale &s = isChannel(t) ? chScale : Trace(t) == Trace::Rssi ? rssiScale : voltScale;
        const QRgb colour = kLooks[t].colour | 0xff000000u;
        const int top = s.rect.top();
        const int bottom = s.rect.bottom();
        int lastX = -1;
        int lastY = 0;
        for (int x = 0; x < columns; ++x) {
            const ScopeColumns::Column *col = m_columns.column(c0 + x);
            if (!col || col->trace[t].count == 0)
                continue;
            const TraceColumn &c = col->trace[t];
            int lo = s.y(c.max);
            int hi = s.y(c.min);
            const int px = plot.left() + x;
            if (lastX == px - 1) {
                lo = qMin(lo, lastY);
                hi = qMax(hi, lastY);
            } else if (lastX >= 0) {
                joins[t].append(QLine(lastX, lastY, px, s.y(c.first)));
            }
            lo = qMax(lo, top);
            hi = qMin(hi, bottom);
            for (int y = lo; y <= hi; ++y)
                reinterpret_cast<QRgb *>(bits + y * stride)[px] = colour;
            lastX = px;
            lastY = s.y(c.last);
        }
    }

    p.begin(&m_image);
    for (int t = 0; t < traceCount; ++t) {
        if (joins[t].isEmpty())
            continue;
        const Scale &s = isChannel(t) ? chScale : Trace(t) == Trace::Rssi ? rssiScale : voltScale;
        p.setPen(QPen(QColor(kLooks[t].colour), 0));
        p.setClipRect(s.rect);
        p.drawLines(joins[t]);
    }
    p.setClipping(false);

    // The cursor and its readout: the time and the value of every trace shown.
    if (m_cursorMs >= m_from && m_cursorMs <= m_to) {
        const int x = xAt(m_cursorMs);
        p.setPen(QPen(QColor(0xee, 0xee, 0xee), 1, Qt::DashLine));
        p.drawLine(x, plot.top(), x, plot.bottom());
        QStringList lines{timeText(m_cursorMs)};
        QList<QColor> colours{text};
        const ScopeSample *s = m_buffer ? m_buffer->sampleAt(m_cursorMs) : nullptr;
        for (int t = 0; t < traceCount; ++t) {
            if (!m_visible[t])
                continue;
            lines << traceName(Trace(t)) + QStringLiteral("  ")
                    + valueText(Trace(t), s ? double(s->value[t]) : std::nan(""));
            colours << QColor(kLooks[t].colour);
        }
        int w = 0;
        for (const QString &l : std::as_const(lines))
            w = qMax(w, fm.horizontalAdvance(l));
        const int lh = fm.height();
        QRect box(x + 8, plot.top() + 4, w + 12, lh * lines.size() + 8);
        if (box.right() > plot.right())
            box.moveRight(x - 8);
        p.fillRect(box, QColor(0, 0, 0, 200));
        p.setPen(grid);
        p.drawRect(box);
        for (int i = 0; i < lines.size(); ++i) {
            p.setPen(colours.at(i));
            p.drawText(QRect(box.left() + 6, box.top() + 4 + i * lh, w + 2, lh), Qt::AlignLeft | Qt::AlignVCenter,
                       lines.at(i));
        }
    }
    p.end();

    QPainter(this).drawImage(0, 0, m_image);
}

void ScopeWidget::mouseMoveEvent(QMouseEvent *event)
{
    const int x = mouseX(event);
    m_mouseX = x;
    if (m_dragX >= 0) {
        const qint64 span = m_to - m_from;
        const qint64 from = m_dragFrom - qint64(double(x - m_dragX) * span / plotRect().width());
        setView(from, from + span);
        emit viewChanged(m_from, m_to);
    }
    const QRect r = plotRect();
    setCursorMs(x >= r.left() && x <= r.right() ? msAt(x) : -1);
}

void ScopeWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_zoomable && event->button() == Qt::LeftButton) {
        m_dragX = mouseX(event);
        m_dragFrom = m_from;
    }
}

void ScopeWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_dragX = -1;
}

void ScopeWidget::leaveEvent(QEvent *)
{
    m_mouseX = -1;
    if (m_dragX < 0)
        setCursorMs(-1);
}

void ScopeWidget::wheelEvent(QWheelEvent *event)
{
    if (!m_zoomable || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    // One notch zooms by a fifth, keeping the time under the mouse in place.
    const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
    const qint64 at = msAt(int(event->position().x()));
    const qint64 span = qBound(minSpanMs, qint64((m_to - m_from) * factor), maxSpanMs);
    const double f = double(at - m_from) / double(m_to - m_from);
    const qint64 from = at - qint64(f * span);
    setView(from, from + span);
    emit viewChanged(m_from, m_to);
}

#include "moc_scopewidget.cpp"
