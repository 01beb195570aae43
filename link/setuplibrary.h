#pragma once

// The setups library: a folder of ordinary Parameter files, each with a
// sidecar F.setup.json for what the format does not carry (the aircraft's
// name, type, notes, when it was last written and changed). A file without a
// sidecar is named by its file name; a sidecar without its file is not a
// setup. Several windows may share the folder: every sidecar change re-reads
// the sidecar under the folder's lock and changes only what it changes.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

#include "paramset.h"
#include "setupinfo.h"

struct LibrarySetup {
    QString path;      // the Parameter file
    SetupInfo info;    // name: the sidecar's, else the file's base name
    bool hasSidecar = false;
    QString note;      // why the sidecar was ignored; empty when it was read or there is none

    // The later of lastWritten and lastChanged; invalid if neither.
    QDateTime lastUsed() const;
};

class SetupLibrary
{
public:
    explicit SetupLibrary(const QString &folder);

    // Documents/varnix-config/setups.
    static QString defaultFolder();
    static QString sidecarOf(const QString &file);
    // Whether a file name is a Parameter file's (.txt, .dat).
    static bool isSetupFileName(const QString &fileName);
    // The setup of one file, its sidecar read if there is one.
    static LibrarySetup read(const QString &file);

    QString folder() const { return m_folder; }
    // Every Parameter file in the folder, by name (case folded, then file).
    QVector<LibrarySetup> list() const;

    // Applies change to the sidecar's facts as they are on disk now and
    // writes back only what change altered, keeping unknown keys; makes the
    // sidecar if there is none. A damaged sidecar is kept as F.setup.json.bad.
    bool update(const QString &file, const std::function<void(SetupInfo &)> &change,
                QString *error = nullptr) const;

    // A file in the folder for a new setup called name, not taken yet.
    QString newFilePath(const QString &name) const;
    // A new setup: the Parameter file from texts (an empty text leaves its
    // frame out), then its sidecar. Refuses to replace an existing file.
    bool create(const QString &file, const FrameTexts &texts, const SetupInfo &info, QString *error = nullptr) const;
    // A copy of the setup under a new name; *copy is the new file.
    bool duplicate(const QString &file, const QString &name, QString *copy, QString *error = nullptr) const;

    // What a removal took away, for its undo.
    struct Removed {
        QString path;
        QByteArray file;
        QByteArray sidecar; // empty: there was none
        bool trashed = false; // in the system's trash; restore() is not needed
    };
    // Moves the file and its sidecar to the system's trash; where there is
    // none (or useTrash is off), deletes them and keeps their bytes in *removed.
    bool remove(const QString &file, Removed *removed, QString *error = nullptr) const;
    bool restore(const Removed &removed, QString *error = nullptr) const;
    void setUseTrash(bool on) { m_useTrash = on; }

    // A setup by what a user typed: an existing file's path first, then a
    // setup's name in the folder (exact, then ignoring case). Empty with the
    // reason in *error when none or more than one setup has that name.
    QString resolve(const QString &nameOrPath, QString *error = nullptr) const;

private:
    QString m_folder;
    bool m_useTrash = true;
};

// The setup a transmitter's settings belong to, as far as the library tells.
struct SetupMatch {
    enum Kind { None, Same, Close };
    Kind kind = None;
    LibrarySetup setup;
    int differences = 0;
};

// Differences up to which a setup still counts as the one the transmitter
// holds, changed ("与 Bixler 有 2 项不同"); beyond, the transmitter holds a
// setup that is not in the library.
constexpr int closeMatchLimit = 8;

// The setup with the fewest differing settings from device (ties: the one
// written last). Files without the S, G and H frames are skipped; the
// trims count only with trims and where the file has them.
SetupMatch matchSetup(const ParamSet &device, const QVector<LibrarySetup> &setups, bool trims);
