#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include "filewrite.h"

class RecordingWriter;

// Records the live values to a file. Rows are collected in memory on the
// receive path and handed every flushMs to a thread of their own that writes
// them, so the receive path never waits on the disk. A write that fails (a
// full disk, a pulled stick) stops the recording; what was written stays.
class Recorder : public QObject
{
    Q_OBJECT

public:
    explicit Recorder(QObject *parent = nullptr);
    ~Recorder() override;

    // Starts a recording into path (folders made as needed), header first.
    // Whether the file could be made comes as failed() later.
    void start(const QString &path, const QByteArray &header);
    // Writes what is still in memory and closes the file; stopped() follows.
    void stop();
    bool isRecording() const { return m_recording; }

    // One row, as formatted for the file; ignored while not recording.
    void addRow(const QByteArray &row);

    QString path() const { return m_path; }
    qint64 elapsedMs() const { return m_recording ? m_clock.elapsed() : m_lastElapsed; }
    // Bytes of the file, written or on their way.
    qint64 size() const { return m_written + m_pending.size() + m_inFlight; }
    qint64 rows() const { return m_rows; }
    // Why the last recording stopped on its own; reason empty when it did not.
    const WriteFailure &failure() const { return m_failure; }

    void setFlushInterval(int ms) { m_flushTimer.setInterval(ms); }

    // Documents/varnix-config/recordings, and a file in folder named by the time.
    static QString defaultFolder();
    static QString defaultPath(const QString &folder = defaultFolder(),
                               const QDateTime &when = QDateTime::currentDateTime());

signals:
    void started(const QString &path);
    // Once per recording: closed after stop() (error empty), or stopped by
    // the first write that failed (or a file that could not be made), with
    // the system's reason and the file ("disk full (No space left on
    // device): /home/.../x.csv").
    void stopped(const QString &path, const QString &error);
    // The file has everything handed over so far (after stop(): all rows).
    void flushed(qint64 bytes);

private:
    void flush();
    void writerFailed(const WriteFailure &why);
    void writerWrote(qint64 total, qint64 batch);
    void report(const QString &error);

    QThread m_thread;
    RecordingWriter *m_writer;
    QTimer m_flushTimer;
    QElapsedTimer m_clock;
    QString m_path;
    QByteArray m_pending;
    qint64 m_inFlight = 0; // handed to the writer, not yet confirmed
    qint64 m_written = 0;
    qint64 m_rows = 0;
    qint64 m_lastElapsed = 0;
    quint64 m_session = 0; // tells a late report of an old recording from the current one
    bool m_recording = false;
    bool m_reported = true;
    WriteFailure m_failure;
};
