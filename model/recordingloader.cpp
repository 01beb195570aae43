#include "recordingloader.h"

#include <QFile>
#include <QThread>

#include "livecsv.h"

namespace {

const int kChunkBytes = 256 * 1024;
const int kMostWaiting = 8;

} // namespace

RecordingLoader::RecordingLoader(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

RecordingLoader::~RecordingLoader()
{
    if (!m_thread)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_cancel = true;
        m_taken.wakeAll();
    }
    m_thread->wait();
    delete m_thread;
}

void RecordingLoader::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { run(); });
    connect(m_thread, &QThread::finished, this, &RecordingLoader::finished);
    m_thread->start();
}

bool RecordingLoader::isRunning() const
{
    return m_thread && !m_thread->isFinished();
}

QVector<ScopeSample> RecordingLoader::take()
{
    QVector<QVector<ScopeSample>> waiting;
    {
        QMutexLocker lock(&m_mutex);
        waiting.swap(m_waiting);
        m_signalled = false;
        m_taken.wakeAll();
    }
    QVector<ScopeSample> out;
    for (const QVector<ScopeSample> &batch : std::as_const(waiting))
        out += batch;
    return out;
}

void RecordingLoader::give(QVector<LiveSample> &rows, bool last)
{
    QVector<ScopeSample> batch;
    batch.reserve(rows.size());
    for (const LiveSample &row : std::as_const(rows))
        batch.append(scopeSample(row));
    rows.clear();
    QMutexLocker lock(&m_mutex);
    while (!last && !m_cancel && m_waiting.size() >= kMostWaiting)
        m_taken.wait(&m_mutex);
    if (!batch.isEmpty())
        m_waiting.append(batch);
    if (m_signalled || m_cancel || (m_waiting.isEmpty() && !last))
        return;
    m_signalled = true;
    const qint64 done = m_done;
    const qint64 total = m_total;
    QMetaObject::invokeMethod(this, [this, done, total] { emit samplesReady(done, total); }, Qt::QueuedConnection);
}

void RecordingLoader::run()
{
    QFile file(m_path);
    LiveCsvReader reader;
    QVector<LiveSample> rows;
    if (!file.open(QIODevice::ReadOnly)) {
        reader.fail(file.errorString());
    } else {
        m_total = file.size();
        QByteArray chunk(kChunkBytes, Qt::Uninitialized);
        for (;;) {
            {
                QMutexLocker lock(&m_mutex);
                if (m_cancel)
                    return;
            }
            const qint64 n = file.read(chunk.data(), chunk.size());
            if (n < 0) {
                reader.fail(file.errorString());
                break;
            }
            if (n == 0)
                break;
            m_done += n;
            const bool more = reader.feed(chunk.constData(), n, rows);
            give(rows, false);
            if (!more)
                break;
        }
        reader.finish();
    }
    m_complete = reader.complete();
    m_line = reader.line();
    m_problem = reader.problem();
    give(rows, true);
}

#include "moc_recordingloader.cpp"
