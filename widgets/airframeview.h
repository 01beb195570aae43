#pragma once

#include <QImage>
#include <QWidget>

#include "airframe.h"
#include "paramset.h"
#include "surfaces.h"

class FramePacer;
class QPainter;

// The airframe seen from above, nose up: its control surfaces coloured and
// turned as the live channel outputs turn the servos, each with a small side
// view of its angle, and the throttle as a bar. Vector shapes only, so it
// draws the same at any size. Repainted at most about 30 times a second.
class AirframeView : public QWidget
{
    Q_OBJECT

public:
    explicit AirframeView(QWidget *parent = nullptr);

    void setAirframe(Airframe kind, const SurfaceTable &table);
    void showLive(const LiveValues &live);
    void hideLive();
    bool isLiveShown() const { return m_liveShown; }
    // The surface the guided check asks about, outlined; none with a table
    // index of -1.
    void setHighlight(int index);

    QSize sizeHint() const override { return {420, 420}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawSurface(QPainter &p, const SurfaceLink &link, int index);
    void drawThrottle(QPainter &p, const SurfaceLink &link);

    Airframe m_kind = Airframe::Plane;
    SurfaceTable m_table;
    LiveValues m_live;
    bool m_liveShown = false;
    int m_highlight = -1;
    FramePacer *m_pacer;
    QImage m_body; // the airframe and the names, drawn when they change
    bool m_bodyValid = false;
};
