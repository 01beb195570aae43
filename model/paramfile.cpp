#include "paramfile.h"

#include <QFile>
#include <QFileInfo>

#include "filewrite.h"

namespace {

// Qt 5's fromLatin1(QByteArray) and fromUtf8(QByteArray) stop at a NUL: pass
// the size.
QString decodedText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        // fromUtf16 reads the byte order from the mark and drops it.
        const QByteArray even = bytes.left(bytes.size() & ~1);
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(even.constData()), even.size() / 2);
    }
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

} // namespace

ParameterFile parameterFileFromBytes(const QByteArray &bytes)
{
    ParameterFile f;
    f.text = decodedText(bytes);
    f.frames = locateFrames(f.text);
    if (f.frames.count() == 0) {
        f.refusal = FileRefusal::NoFrames;
        f.reason = f.text.isEmpty() ? QStringLiteral("empty: not a Parameter file")
                                    : QStringLiteral("no Parameter frame found (%1): not a Parameter file")
                                          .arg(firstBreak(f.text).text());
    }
    return f;
}

FileRefusal readSmallFile(const QString &path, qint64 limit, QByteArray *bytes, QString *reason)
{
    auto refuse = [reason](FileRefusal r, const QString &why) {
        *reason = why;
        return r;
    };
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(limit);
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(FileRefusal::NotFound, QStringLiteral("no such file"));
    // Opening a FIFO blocks until someone writes to it, and a device may
    // never end: look only at regular files.
    if (!info.isFile())
        return refuse(FileRefusal::NotRegular, QStringLiteral("not a regular file"));
    if (info.size() > limit)
        return refuse(FileRefusal::TooLarge, tooLarge);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(FileRefusal::Unreadable, file.errorString());
    // The size a file claims may be wrong (0 for many files of /proc): read
    // one byte past the limit and no more.
    bytes->clear();
    while (bytes->size() <= limit) {
        const QByteArray chunk = file.read(limit + 1 - bytes->size());
        if (chunk.isEmpty())
            break;
        *bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return refuse(FileRefusal::Unreadable, file.errorString());
    if (bytes->size() > limit)
        return refuse(FileRefusal::TooLarge, tooLarge);
    return FileRefusal::None;
}

ParameterFile readParameterFile(const QString &path)
{
    QByteArray bytes;
    ParameterFile f;
    f.refusal = readSmallFile(path, parameterFileLimit, &bytes, &f.reason);
    if (f.refusal == FileRefusal::TooLarge)
        f.reason += QStringLiteral(": not a Parameter file");
    return f.ok() ? parameterFileFromBytes(bytes) : f;
}

FileFrames decodeParameterFile(const ParameterFile &file, ParamSet &p)
{
    if (file.refusal != FileRefusal::None && file.refusal != FileRefusal::NoFrames)
        return FileFrames();
    return decodeFileFrames(file.text, file.frames, p);
}

ParameterFileWriter::ParameterFileWriter(const QString &path) : m_file(path) {}

bool ParameterFileWriter::open()
{
    // Swapping a new file in would replace a device node, a FIFO or what a
    // link points at with a plain file.
    const QFileInfo target(m_file.fileName());
    if (target.exists() && !target.isFile()) {
        m_failure = Failure::NotRegular;
        m_error = QStringLiteral("%1 exists and is not a regular file").arg(m_file.fileName());
        return false;
    }
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    m_failure = Failure::Other;
    m_error = m_file.errorString();
    return false;
}

bool ParameterFileWriter::write(const FrameTexts &texts)
{
    QByteArray bytes;
    for (const QString &text : texts.text)
        bytes += text.toLatin1();
    // Qt 5's commit() does not notice a final flush that fails (a full disk)
    // and renames the short file over the old one: flush and check first.
    WriteFailure why;
    if (!m_file.isOpen()) {
        why.reason = QStringLiteral("not open");
    } else if (writeAll(m_file, bytes, &why)) {
        if (m_file.commit())
            return true;
        why.reason = m_file.errorString();
    }
    m_failure = why.diskFull ? Failure::DiskFull : Failure::Other;
    m_error = why.text();
    m_file.cancelWriting();
    return false;
}

QString ParameterFileWriter::errorString() const
{
    return m_error;
}

FrameTexts framesOf(const ParamSet &p)
{
    ParamSet copy = p;
    FrameTexts texts;
    for (int k = FrameS; k <= FrameI; ++k)
        buildFrame(copy, k, texts.text[k], true);
    return texts;
}

bool writeParameterFile(const QString &path, const FrameTexts &texts, QString *error)
{
    ParameterFileWriter writer(path);
    if (writer.open() && writer.write(texts))
        return true;
    if (error)
        *error = writer.errorString();
    return false;
}

bool writeParameterFile(const QString &path, const ParamSet &p, QString *error)
{
    return writeParameterFile(path, framesOf(p), error);
}
