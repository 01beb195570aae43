#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Why a write to a file failed, in the system's words. Qt says "Unknown
// error" when a write went in part (a disk that fills up in the middle of a
// block); the part that did not go is tried once more, which fails with the
// system's own reason.
struct WriteFailure {
    bool diskFull = false; // no space left on the device
    QString reason;        // the system's text ("No space left on device")
    // "disk full (No space left on device)", or the reason as it is.
    QString text() const;
};

// Writes bytes to file and flushes them to the system; false, with why, when
// not all of them got there.
bool writeAll(QFileDevice &file, const QByteArray &bytes, WriteFailure *why = nullptr);
// Flushes what file buffers; false, with why, when not all of it went.
bool flushAll(QFileDevice &file, WriteFailure *why = nullptr);
