#pragma once

#include <QWidget>

#include "curvegeometry.h"

class QTimer;
class QPaintEvent;

// Seven-point throttle curve, repainted every 100 ms from paramSet.thrCurve[1..7].
class cureWidget : public QWidget
{
    Q_OBJECT

public:
    explicit cureWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer;
};

// Dual-rate and exponential curve, repainted every 100 ms from
// paramSet.drCurveRate and paramSet.drCurveExpo.
class mWidget : public QWidget
{
    Q_OBJECT

public:
    explicit mWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer;
};
