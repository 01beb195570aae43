#include "recorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "filewrite.h"
#include "varnixversion.h"

// Lives in the recorder's thread: the only code that touches the file.
class RecordingWriter : public QObject
{
    Q_OBJECT

public:
    void open(quint64 session, const QString &path, const QByteArray &header)
    {
        m_session = session;
        m_failed = false;
        m_file.close();
        m_file.setFileName(path);
        const QFileInfo info(path);
        if (!QDir().mkpath(info.absolutePath())) {
            fail({false, QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(info.absolutePath()))});
            return;
        }
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            fail({false, m_file.errorString()});
            return;
        }
        m_total = 0;
        write(session, header);
    }

    void write(quint64 session, const QByteArray &bytes)
    {
        if (session != m_session || m_failed || !m_file.isOpen())
            return;
        WriteFailure why;
        if (!writeAll(m_file, bytes, &why)) {
            fail(why);
            return;
        }
        m_total += bytes.size();
        emit wrote(session, m_total, bytes.size());
    }

    void close(quint64 session)
    {
        if (session != m_session || m_failed)
            return;
        m_file.close();
        emit closed(session);
    }

signals:
    void wrote(quint64 session, qint64 total, qint64 batch);
    void closed(quint64 session);
    void failed(quint64 session, bool diskFull, const QString &reason);

private:
    void fail(const WriteFailure &why)
    {
        m_failed = true;
        // What reached the file stays; the handle goes (what it still
        // buffers would only fail again).
        m_file.close();
        emit failed(m_session, why.diskFull, why.reason);
    }

    QFile m_file;
    quint64 m_session = 0;
    qint64 m_total = 0;
    bool m_failed = false;
};

Recorder::Recorder(QObject *parent)
    : QObject(parent)
    , m_writer(new RecordingWriter)
{
    m_writer->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    connect(m_writer, &RecordingWriter::wrote, this, [this](quint64 session, qint64 total, qint64 batch) {
        if (session == m_session)
            writerWrote(total, batch);
    });
    connect(m_writer, &RecordingWriter::failed, this,
            [this](quint64 session, bool diskFull, const QString &reason) {
                if (session == m_session)
                    writerFailed({diskFull, reason});
            });
    connect(m_writer, &RecordingWriter::closed, this, [this](quint64 session) {
        if (session == m_session)
            report(QString());
    });
    m_thread.setObjectName(QStringLiteral("recorder"));
    m_thread.start();
    // Four times a second: a crash loses at most that much.
    m_flushTimer.setInterval(250);
    connect(&m_flushTimer, &QTimer::timeout, this, &Recorder::flush);
}

Recorder::~Recorder()
{
    if (m_recording) {
        // The rows still in memory reach the file before the program goes.
        const QByteArray batch = m_pending;
        const quint64 session = m_session;
        RecordingWriter *writer = m_writer;
        QMetaObject::invokeMethod(
            m_writer, [=] { writer->write(session, batch); writer->close(session); }, Qt::BlockingQueuedConnection);
    }
    m_thread.quit();
    m_thread.wait();
}

void Recorder::start(const QString &path, const QByteArray &header)
{
    stop();
    ++m_session;
    m_path = path;
    m_pending.clear();
    m_inFlight = header.size();
    m_written = 0;
    m_rows = 0;
    m_failure = WriteFailure();
    m_recording = true;
    m_reported = false;
    m_clock.start();
    const quint64 session = m_session;
    RecordingWriter *writer = m_writer;
    QMetaObject::invokeMethod(m_writer, [=] { writer->open(session, path, header); }, Qt::QueuedConnection);
    m_flushTimer.start();
    emit started(path);
}

void Recorder::addRow(const QByteArray &row)
{
    if (!m_recording)
        return;
    m_pending += row;
    ++m_rows;
}

void Recorder::flush()
{
    if (m_pending.isEmpty())
        return;
    const QByteArray batch = m_pending;
    m_pending.clear();
    m_inFlight += batch.size();
    const quint64 session = m_session;
    RecordingWriter *writer = m_writer;
    QMetaObject::invokeMethod(m_writer, [=] { writer->write(session, batch); }, Qt::QueuedConnection);
}

void Recorder::stop()
{
    if (!m_recording)
        return;
    flush();
    m_flushTimer.stop();
    m_recording = false;
    m_lastElapsed = m_clock.elapsed();
    const quint64 session = m_session;
    RecordingWriter *writer = m_writer;
    QMetaObject::invokeMethod(m_writer, [=] { writer->close(session); }, Qt::QueuedConnection);
}

// Once per recording: closed as asked, or the first write that failed.
void Recorder::report(const QString &error)
{
    if (m_reported)
        return;
    m_reported = true;
    emit stopped(m_path, error);
}

void Recorder::writerWrote(qint64 total, qint64 batch)
{
    m_inFlight -= batch;
    m_written = total;
    emit flushed(total);
}

void Recorder::writerFailed(const WriteFailure &why)
{
    m_failure = why;
    m_written = QFileInfo(m_path).size();
    m_inFlight = 0;
    m_pending.clear();
    if (m_recording)
        m_lastElapsed = m_clock.elapsed();
    m_recording = false;
    m_flushTimer.stop();
    // Named with the file: "disk full (No space left on device): /home/.../x.csv".
    report(QStringLiteral("%1: %2").arg(why.reason.isEmpty() ? QStringLiteral("write failed") : why.text(),
                                        QDir::toNativeSeparators(m_path)));
}

QString Recorder::defaultFolder()
{
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return QDir(docs).filePath(QStringLiteral(VARNIX_NAME "/recordings"));
}

QString Recorder::defaultPath(const QString &folder, const QDateTime &when)
{
    return QDir(folder).filePath(when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral(".csv"));
}

#include "recorder.moc"

#include "moc_recorder.cpp"
