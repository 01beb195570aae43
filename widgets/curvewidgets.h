#pragma once

#include <QRect>
#include <QWidget>

#include "curvegeometry.h"

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

public slots:
    void creatData(); // repaint: the settings may have changed

protected:
    void paintEvent(QPaintEvent *event) final;
    // Draws grid, labels and curve over the white plot and its frame.
    virtual void drawCurve(QPainter &painter) = 0;

    static void drawHorizontalDashes(QPainter &painter, int y, int first, int last);
    static void drawVerticalDashes(QPainter &painter, int x, int first, int last);
    static void setPen(QPainter &painter, int width, const QColor &colour);

private:
    QRect m_frame;
    QTimer *m_refresh;
};

// Seven-point throttle curve from paramSet.thrCurve[1..7].
class cureWidget : public CurveWidget
{
    Q_OBJECT

public:
    explicit cureWidget(QWidget *parent = nullptr);

protected:
    void drawCurve(QPainter &painter) override;
};

// Dual-rate and exponential curve from paramSet.drCurveRate and
// paramSet.drCurveExpo.
class mWidget : public CurveWidget
{
    Q_OBJECT

public:
    explicit mWidget(QWidget *parent = nullptr);

protected:
    void drawCurve(QPainter &painter) override;
};
