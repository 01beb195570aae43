#include "framepacer.h"

#include <QTimerEvent>

#include <utility>

FramePacer::FramePacer(int intervalMs, std::function<void()> frame, QObject *parent)
    : QObject(parent)
    , m_interval(intervalMs)
    , m_frame(std::move(frame))
{
}

void FramePacer::request()
{
    if (m_timer.isActive())
        return;
    const qint64 since = m_last.isValid() ? m_last.elapsed() : m_interval;
    if (since >= m_interval)
        fire();
    else
        m_timer.start(int(m_interval - since), this);
}

void FramePacer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    m_timer.stop();
    fire();
}

void FramePacer::fire()
{
    m_last.start();
    m_frame();
}
