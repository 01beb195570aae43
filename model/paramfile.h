#pragma once

#include <QSaveFile>
#include <QString>

#include "frames.h"
#include "paramset.h"

// A Parameter file has 324 bytes; anything larger than this is not one and is
// not read.
constexpr qint64 parameterFileLimit = 64 * 1024;

enum class FileRefusal {
    None,
    NotFound,
    NotRegular, // a directory, FIFO, device or socket: never opened
    Unreadable, // open or read failed
    TooLarge,   // more than parameterFileLimit bytes
    NoFrames,   // read, but not one frame recognised
};

struct ParameterFile {
    FileRefusal refusal = FileRefusal::None;
    QString reason; // why it was refused, for people; empty when accepted
    QString text;   // the whole text, when it was read (also with NoFrames)
    FileFrames frames;

    bool ok() const { return refusal == FileRefusal::None; }
    bool complete() const { return frames.count() == protocol::frameCount; }
};

// Reads a regular file of at most limit bytes into *bytes, and never more than
// limit + 1 bytes of it; anything else is refused with the reason in *reason.
FileRefusal readSmallFile(const QString &path, qint64 limit, QByteArray *bytes, QString *reason);

// Reads at most parameterFileLimit + 1 bytes of a regular file and finds its
// frames. The text is the bytes as Latin-1, or as UTF-8 or UTF-16 when the
// file starts with that byte order mark (as editors on Windows write it).
ParameterFile readParameterFile(const QString &path);
// The same for bytes already read.
ParameterFile parameterFileFromBytes(const QByteArray &bytes);

// Decodes the frames of a file that was read into p, logging the
// "Blength0N:%d" lines (also for a file without frames); a file that could
// not be read decodes and logs nothing.
FileFrames decodeParameterFile(const ParameterFile &file, ParamSet &p);

// Writes a Parameter file beside the old one and swaps it in only when it is
// complete, so a failed save leaves the old file as it was. Open first, then
// write the frame texts (S, G, H, I, as Latin-1). A target that exists and is
// not a regular file (a device, a FIFO, a directory) is refused.
class ParameterFileWriter
{
public:
    explicit ParameterFileWriter(const QString &path);
    bool open();
    bool write(const FrameTexts &texts);
    // Why open() or write() failed, for people: "... exists and is not a
    // regular file", "disk full (No space left on device)", the system's text.
    QString errorString() const;
    enum class Failure { None, NotRegular, DiskFull, Other };
    Failure failure() const { return m_failure; }

private:
    QSaveFile m_file;
    QString m_error;
    Failure m_failure = Failure::None;
};

// The four frame texts built from a copy of p (companions refreshed from the
// voltages, as the frame encoders do), for a file: a value read from a file
// is written back as it was read.
FrameTexts framesOf(const ParamSet &p);

// Both return false with the reason in *error when the file was not written.
bool writeParameterFile(const QString &path, const ParamSet &p, QString *error = nullptr);
bool writeParameterFile(const QString &path, const FrameTexts &texts, QString *error = nullptr);
