#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QObject>

#include <functional>

// Turns a stream of "something new" into frames: at most one every
// intervalMs, the first at once, the last one never lost, and nothing at all
// while nothing new comes. Keeps no QTimer, so the widgets that use it keep
// their one refresh timer.
class FramePacer : public QObject
{
public:
    FramePacer(int intervalMs, std::function<void()> frame, QObject *parent = nullptr);

    void request();
    bool isPending() const { return m_timer.isActive(); }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void fire();

    int m_interval;
    std::function<void()> m_frame;
    QBasicTimer m_timer;
    QElapsedTimer m_last; // since the last frame
};
