#include "filewrite.h"

#include <QFileDevice>

namespace {

bool failed(QFileDevice &file, WriteFailure *why)
{
    if (!why)
        return false;
    why->diskFull = file.error() == QFileDevice::ResourceError;
    why->reason = file.errorString();
    if (why->reason.isEmpty() || why->reason == QLatin1String("Unknown error"))
        why->reason = QStringLiteral("write failed");
    return false;
}

} // namespace

QString WriteFailure::text() const
{
    return diskFull ? QStringLiteral("disk full (%1)").arg(reason) : reason;
}

bool flushAll(QFileDevice &file, WriteFailure *why)
{
    if (file.flush())
        return true;
    // What did not go is still in the buffer: the second try says why.
    if (file.flush())
        return true;
    return failed(file, why);
}

bool writeAll(QFileDevice &file, const QByteArray &bytes, WriteFailure *why)
{
    qint64 done = file.write(bytes);
    if (done >= 0 && done < bytes.size()) {
        const qint64 more = file.write(bytes.constData() + done, bytes.size() - done);
        done = more < 0 ? -1 : done + more;
    }
    if (done != bytes.size())
        return failed(file, why);
    return flushAll(file, why);
}
