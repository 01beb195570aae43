#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

#include "scopebuffer.h"

// The scope's plot: the eight channels in the upper pane, the three
// batteries (volts, left axis) and the RSSI (dBm, right axis) in the lower
// one, over the span of time in view. A cursor follows the mouse and reads
// out the time and every value shown. Zoomable, the wheel zooms around the
// mouse and a drag pans.
class ScopeWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ScopeWidget(QWidget *parent = nullptr);

    // The samples drawn; not owned. Repaint with update() after appending.
    void setBuffer(const ScopeBuffer *buffer);
    const ScopeBuffer *buffer() const { return m_buffer; }

    void setView(qint64 fromMs, qint64 toMs);
    qint64 viewFrom() const { return m_from; }
    qint64 viewTo() const { return m_to; }

    void setTraceVisible(Trace trace, bool visible);
    bool traceVisible(Trace trace) const { return m_visible[int(trace)]; }

    void setZoomable(bool zoomable) { m_zoomable = zoomable; }
    // Where the cursor stands, -1 for none.
    void setCursorMs(qint64 ms);
    qint64 cursorMs() const { return m_cursorMs; }

    static QColor traceColour(Trace trace);
    static QString traceName(Trace trace);
    // The value as the readout and the legend show it ("–" when unknown).
    static QString valueText(Trace trace, double value);
    // The time in the stream: "12.3 s", "1:02.5" from a minute on,
    // "1:02:03.4" from an hour on.
    static QString timeText(qint64 ms);

    // The labels of the time axis for [fromMs, toMs] drawn widthPx wide: the
    // finest round step whose labels, as wide as textWidth measures them,
    // leave gapPx between each other.
    struct TimeTick {
        qint64 ms;
        int x; // from the left end of the axis
        QString text;
    };
    static QVector<TimeTick> timeTicks(qint64 fromMs, qint64 toMs, int widthPx,
                                       const std::function<int(const QString &)> &textWidth, int gapPx);
    // The pixel columns held for the traces, for a check that they follow
    // the view and not the length of the recording.
    int heldColumns() const { return m_columns.held(); }

    // The smallest view a zoom reaches, and the largest.
    static constexpr qint64 minSpanMs = 200;
    static constexpr qint64 maxSpanMs = 24 * 3600 * 1000;

signals:
    // The user zoomed or panned.
    void viewChanged(qint64 fromMs, qint64 toMs);
    void cursorMoved(qint64 ms);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QRect plotRect() const;
    qint64 msAt(int x) const;
    int xAt(qint64 ms) const;

    const ScopeBuffer *m_buffer = nullptr;
    ScopeColumns m_columns; // what the traces do in each pixel column, kept between frames
    QImage m_image;         // the frame, drawn in place
    qint64 m_from = 0;
    qint64 m_to = 10000;
    bool m_visible[traceCount];
    bool m_zoomable = false;
    qint64 m_cursorMs = -1;
    int m_dragX = -1;
    int m_mouseX = -1; // where the mouse is over the plot, -1 when elsewhere
    qint64 m_dragFrom = 0;
};
