#pragma once

#include <QImage>
#include <QRect>
#include <QVector>
#include <QWidget>

#include "curvegeometry.h"
#include "paramset.h"

class FramePacer;
class QPainter;
class QTimer;
class QPaintEvent;

// A curve view of the Parameter set: a white plot in a green frame,
// repainted on the window's refresh so that an edit shows at once. The
// throttle and dual-rate curves differ only in their frame and what they draw.
class CurveWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CurveWidget(const QRect &frame, QWidget *parent = nullptr);

    // The live channel outputs, drawn as a marker on the curve with a line to
    // each axis; repainted at most about 30 times a second however fast
    // packets come. hideLive() takes the marker away (port closed).
    void showLive(const LiveValues &live);
    void hideLive();
    bool isLiveShown() const { return m_liveShown; }
    // Where the marker stands now, in widget pixels; none while hidden or
    // when the curve has no channel to follow.
    virtual bool markerAt(QPointF *at) const = 0;

public slots:
    void creatData(); // repaint: the settings may have changed

protected:
    void paintEvent(QPaintEvent *event) final;
    void resizeEvent(QResizeEvent *event) override;
    // Draws grid, labels and curve over the white plot and its frame.
    virtual void drawCurve(QPainter &painter) = 0;
    // What the plot is drawn from: a new key draws it again.
    virtual QVector<int> plotKey() const = 0;
    // Where the marker's lines meet the two axes (x of the vertical axis, y
    // of the horizontal one).
    virtual QPointF markerAxes() const = 0;

    static void drawHorizontalDashes(QPainter &painter, int y, int first, int last);
    static void drawVerticalDashes(QPainter &painter, int x, int first, int last);
    static void setPen(QPainter &painter, int width, const QColor &colour);
    // The marker and its lines to the axes at x = axisX and y = axisY.
    static void drawMarker(QPainter &painter, const QPointF &at, double axisX, double axisY);

    const LiveValues &live() const { return m_live; }

private:
    QRect m_frame;
    QTimer *m_refresh;
    FramePacer *m_pacer;
    LiveValues m_live;
    bool m_liveShown = false;
    QImage m_plot;
    QVector<int> m_plotKey;
};

// Seven-point throttle curve from paramSet.thrCurve[1..7].
class cureWidget : public CurveWidget
{
    Q_OBJECT

public:
    explicit cureWidget(QWidget *parent = nullptr);
    // CH3; the output came through the curve when the throttle curve is on.
    bool markerAt(QPointF *at) const override;

protected:
    void drawCurve(QPainter &painter) override;
    QVector<int> plotKey() const override;
    QPointF markerAxes() const override;
};

// Dual-rate and exponential curve from paramSet.drCurveRate and
// paramSet.drCurveExpo.
class mWidget : public CurveWidget
{
    Q_OBJECT

public:
    explicit mWidget(QWidget *parent = nullptr);
    // The channel the curve edits (drChannel); the output came through the
    // curve when dual rate is on. No marker for drChannel 4.
    bool markerAt(QPointF *at) const override;

protected:
    void drawCurve(QPainter &painter) override;
    QVector<int> plotKey() const override;
    QPointF markerAxes() const override;
};
