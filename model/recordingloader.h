#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QVector>
#include <QWaitCondition>

#include "scopebuffer.h"

class QThread;

// Reads a recording on a thread of its own and hands its samples over in
// batches, so that a file of hundreds of megabytes shows at once and fills in
// while the window stays responsive. At most a few batches wait at a time:
// the thread reads no faster than they are taken.
class RecordingLoader : public QObject
{
    Q_OBJECT

public:
    explicit RecordingLoader(const QString &path, QObject *parent = nullptr);
    ~RecordingLoader() override;

    void start();
    bool isRunning() const;
    // The samples read since the last call, oldest first.
    QVector<ScopeSample> take();

    // Once finished: how the reading ended.
    bool complete() const { return m_complete; }
    int line() const { return m_line; }
    QString problem() const { return m_problem; }

signals:
    // Samples wait to be taken; bytes of the file read so far.
    void samplesReady(qint64 done, qint64 total);
    void finished();

private:
    void run();
    void give(QVector<LiveSample> &rows, bool last);

    QString m_path;
    QThread *m_thread = nullptr;
    mutable QMutex m_mutex;
    QWaitCondition m_taken;
    QVector<QVector<ScopeSample>> m_waiting;
    bool m_signalled = false;
    bool m_cancel = false;
    qint64 m_done = 0;
    qint64 m_total = 0;
    bool m_complete = false;
    int m_line = 0;
    QString m_problem;
};
