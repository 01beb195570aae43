#include "windowplacement.h"

#include <QWidget>

namespace {

// The screen that holds most of the main window; the nearest one when none does.
QRect screenOf(const QList<QRect> &screens, const QRect &frame)
{
    QRect best;
    qint64 bestArea = -1;
    for (const QRect &s : screens) {
        const QRect common = s.intersected(frame);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = s;
            bestArea = area;
        }
    }
    if (bestArea > 0)
        return best;
    qint64 nearest = -1;
    for (const QRect &s : screens) {
        const QPoint d = s.center() - frame.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (nearest < 0 || distance < nearest) {
            best = s;
            nearest = distance;
        }
    }
    return best;
}

int clampTo(int value, int lo, int hi)
{
    return qMax(lo, qMin(value, hi));
}

} // namespace

QRect placeBeside(const PlacementRequest &r)
{
    if (r.screens.isEmpty())
        return QRect(r.mainFrame.topLeft(), r.wanted);
    const QRect area = screenOf(r.screens, r.mainFrame);
    const QSize size = r.wanted.boundedTo(area.size());
    const QSize least = r.minimum.boundedTo(size);
    const QRect main = r.mainFrame.intersected(area);
    // Top or left edge aligned with the main window, kept on the screen.
    auto alongY = [&](int height) { return clampTo(r.mainFrame.top(), area.top(), area.bottom() + 1 - height); };
    auto alongX = [&](int width) { return clampTo(r.mainFrame.left(), area.left(), area.right() + 1 - width); };

    const int right = area.right() - main.right();
    const int below = area.bottom() - main.bottom();
    const int left = main.left() - area.left();
    if (main.isEmpty())
        return QRect(QPoint(alongX(size.width()), alongY(size.height())), size);
    if (right >= least.width()) {
        const int w = qMin(size.width(), right);
        return QRect(main.right() + 1, alongY(size.height()), w, size.height());
    }
    if (below >= least.height()) {
        const int h = qMin(size.height(), below);
        return QRect(alongX(size.width()), main.bottom() + 1, size.width(), h);
    }
    if (left >= least.width()) {
        const int w = qMin(size.width(), left);
        return QRect(main.left() - w, alongY(size.height()), w, size.height());
    }
    // No room beside it: over the main window, at the screen's right edge,
    // ending above the status bar so that it stays readable.
    const int bottom = clampTo(r.statusBarTop, area.top(), area.bottom() + 1);
    const int top = qMax(area.top(), qMin(r.mainFrame.top(), bottom - size.height()));
    const int h = qMin(size.height(), bottom - top);
    return QRect(area.right() + 1 - size.width(), top, size.width(), h);
}

QMargins frameMargins(const QWidget *window)
{
    if (!window->isVisible())
        return QMargins(8, 32, 8, 8);
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}
