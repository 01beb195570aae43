#include "setuplibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <climits>

#include "paramfile.h"
#include "setupcompare.h"

namespace {

const QString kSidecarSuffix = QStringLiteral(".setup.json");
const QString kName = QStringLiteral("name");
const QString kType = QStringLiteral("type");
const QString kNotes = QStringLiteral("notes");
const QString kWritten = QStringLiteral("lastWritten");
const QString kChanged = QStringLiteral("lastChanged");
const QString kFormat = QStringLiteral("format");
const int kSidecarFormat = 1;
// A sidecar is a few hundred bytes; notes of a few pages at most.
const qint64 kSidecarLimit = 256 * 1024;
// How long a change waits for another window's change to finish.
const int kLockWaitMs = 5000;

QString stamp(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODate);
}

QDateTime parseStamp(const QJsonValue &v)
{
    QDateTime t = QDateTime::fromString(v.toString(), Qt::ISODate);
    return t.isValid() ? t.toUTC() : QDateTime();
}

// The sidecar's object, or why it cannot be read; *exists false when there is none.
QJsonObject readSidecar(const QString &path, bool *exists, QString *damage)
{
    *exists = false;
    QByteArray bytes;
    QString reason;
    switch (readSmallFile(path, kSidecarLimit, &bytes, &reason)) {
    case FileRefusal::None:
        break;
    case FileRefusal::NotFound:
        return QJsonObject();
    default:
        *exists = true;
        *damage = reason;
        return QJsonObject();
    }
    *exists = true;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (doc.isNull()) {
        *damage = QStringLiteral("not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset);
        return QJsonObject();
    }
    if (!doc.isObject()) {
        *damage = QStringLiteral("not a JSON object");
        return QJsonObject();
    }
    const QJsonObject o = doc.object();
    for (const QString &key : {kName, kType, kNotes, kWritten, kChanged}) {
        const QJsonValue v = o.value(key);
        if (!v.isUndefined() && !v.isString() && !v.isNull()) {
            *damage = QStringLiteral("\"%1\" is not a string").arg(key);
            return QJsonObject();
        }
    }
    return o;
}

SetupInfo infoOf(const QJsonObject &o, const QString &file)
{
    SetupInfo info;
    info.name = o.value(kName).toString().trimmed();
    if (info.name.isEmpty())
        info.name = QFileInfo(file).completeBaseName();
    info.type = airframe::fromKey(o.value(kType).toString());
    info.notes = o.value(kNotes).toString();
    info.lastWritten = parseStamp(o.value(kWritten));
    info.lastChanged = parseStamp(o.value(kChanged));
    return info;
}

void putStamp(QJsonObject &o, const QString &key, const QDateTime &t)
{
    if (t.isValid())
        o.insert(key, stamp(t));
    else
        o.remove(key);
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

// A file name from a setup's name: the characters no system allows go.
QString fileStem(const QString &name)
{
    QString stem;
    for (const QChar c : name.trimmed()) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            stem += QLatin1Char('_');
        else
            stem += c;
    }
    while (stem.startsWith(QLatin1Char('.')))
        stem.remove(0, 1);
    stem = stem.left(80).trimmed();
    return stem.isEmpty() ? QStringLiteral("setup") : stem;
}

} // namespace

QDateTime LibrarySetup::lastUsed() const
{
    if (!info.lastWritten.isValid())
        return info.lastChanged;
    if (!info.lastChanged.isValid())
        return info.lastWritten;
    return qMax(info.lastWritten, info.lastChanged);
}

SetupLibrary::SetupLibrary(const QString &folder)
    : m_folder(QDir::cleanPath(folder))
{
}

QString SetupLibrary::defaultFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("varnix-config/setups"));
}

QString SetupLibrary::sidecarOf(const QString &file)
{
    return file + kSidecarSuffix;
}

bool SetupLibrary::isSetupFileName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)
        || fileName.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
}

LibrarySetup SetupLibrary::read(const QString &file)
{
    LibrarySetup s;
    s.path = file;
    bool exists = false;
    QString damage;
    const QJsonObject o = readSidecar(sidecarOf(file), &exists, &damage);
    s.hasSidecar = exists && damage.isEmpty();
    if (!damage.isEmpty())
        s.note = QStringLiteral("%1: %2").arg(QFileInfo(sidecarOf(file)).fileName(), damage);
    s.info = infoOf(o, file);
    return s;
}

QVector<LibrarySetup> SetupLibrary::list() const
{
    QVector<LibrarySetup> setups;
    const QFileInfoList files = QDir(m_folder).entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo &f : files)
        if (isSetupFileName(f.fileName()))
            setups.append(read(f.filePath()));
    std::stable_sort(setups.begin(), setups.end(), [](const LibrarySetup &a, const LibrarySetup &b) {
        return a.info.name.compare(b.info.name, Qt::CaseInsensitive) < 0;
    });
    return setups;
}

bool SetupLibrary::update(const QString &file, const std::function<void(SetupInfo &)> &change, QString *error) const
{
    const QString lockPath = QDir(QFileInfo(file).absolutePath()).filePath(QStringLiteral(".varnix-library.lock"));
    QLockFile lock(lockPath);
    if (!lock.tryLock(kLockWaitMs)) {
        if (error)
            *error = QStringLiteral("the library is locked by another program (%1)")
                         .arg(QDir::toNativeSeparators(lockPath));
        return false;
    }
    const QString path = sidecarOf(file);
    bool exists = false;
    QString damage;
    QJsonObject o = readSidecar(path, &exists, &damage);
    if (!damage.isEmpty()) {
        // Kept for whoever wants to see what it held.
        QFile::remove(path + QStringLiteral(".bad"));
        QFile::rename(path, path + QStringLiteral(".bad"));
    }
    const bool fresh = !exists || !damage.isEmpty();
    const SetupInfo before = infoOf(o, file);
    SetupInfo after = before;
    change(after);

    if (fresh || after.name != before.name)
        o.insert(kName, after.name);
    if (fresh || after.type != before.type)
        o.insert(kType, airframe::key(after.type));
    if (fresh || after.notes != before.notes)
        o.insert(kNotes, after.notes);
    if (fresh || after.lastWritten != before.lastWritten)
        putStamp(o, kWritten, after.lastWritten);
    if (fresh || after.lastChanged != before.lastChanged)
        putStamp(o, kChanged, after.lastChanged);
    if (!o.contains(kFormat))
        o.insert(kFormat, kSidecarFormat);
    return writeAtomically(path, QJsonDocument(o).toJson(QJsonDocument::Indented), error);
}

QString SetupLibrary::newFilePath(const QString &name) const
{
    const QDir dir(m_folder);
    const QString stem = fileStem(name);
    QString path = dir.filePath(stem + QStringLiteral(".txt"));
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(sidecarOf(path)); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).txt").arg(stem).arg(n));
    return path;
}

bool SetupLibrary::create(const QString &file, const FrameTexts &texts, const SetupInfo &info, QString *error) const
{
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        if (error)
            *error = QStringLiteral("%1: cannot make the folder").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    if (QFileInfo::exists(file)) {
        if (error)
            *error = QStringLiteral("%1: exists already").arg(QDir::toNativeSeparators(file));
        return false;
    }
    if (!writeParameterFile(file, texts, error))
        return false;
    return update(file, [&info](SetupInfo &i) { i = info; }, error);
}

bool SetupLibrary::duplicate(const QString &file, const QString &name, QString *copy, QString *error) const
{
    const QString target = newFilePath(name);
    if (!QFile::copy(file, target)) {
        if (error)
            *error = QStringLiteral("%1: cannot copy to %2").arg(QDir::toNativeSeparators(file),
                                                                 QDir::toNativeSeparators(target));
        return false;
    }
    const SetupInfo source = read(file).info;
    if (!update(target, [&](SetupInfo &i) {
            i = source;
            i.name = name;
            i.lastWritten = QDateTime(); // the copy has never been written
        }, error)) {
        QFile::remove(target);
        return false;
    }
    if (copy)
        *copy = target;
    return true;
}

bool SetupLibrary::remove(const QString &file, Removed *removed, QString *error) const
{
    Removed r;
    r.path = file;
    const QString sidecar = sidecarOf(file);
    if (m_useTrash && QFile::moveToTrash(file)) {
        if (QFileInfo::exists(sidecar))
            QFile::moveToTrash(sidecar);
        r.trashed = true;
        if (removed)
            *removed = r;
        return true;
    }
    QString reason;
    if (readSmallFile(file, parameterFileLimit, &r.file, &reason) != FileRefusal::None) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file), reason);
        return false;
    }
    if (QFileInfo::exists(sidecar))
        readSmallFile(sidecar, kSidecarLimit, &r.sidecar, &reason);
    if (!QFile::remove(file)) {
        if (error)
            *error = QStringLiteral("%1: cannot be deleted").arg(QDir::toNativeSeparators(file));
        return false;
    }
    QFile::remove(sidecar);
    if (removed)
        *removed = r;
    return true;
}

bool SetupLibrary::restore(const Removed &removed, QString *error) const
{
    if (removed.trashed)
        return true;
    if (QFileInfo::exists(removed.path)) {
        if (error)
            *error = QStringLiteral("%1: exists again").arg(QDir::toNativeSeparators(removed.path));
        return false;
    }
    if (!writeAtomically(removed.path, removed.file, error))
        return false;
    return removed.sidecar.isEmpty() || writeAtomically(sidecarOf(removed.path), removed.sidecar, error);
}

QString SetupLibrary::resolve(const QString &nameOrPath, QString *error) const
{
    if (QFileInfo(nameOrPath).isFile())
        return nameOrPath;
    const QVector<LibrarySetup> setups = list();
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        QStringList found;
        for (const LibrarySetup &s : setups)
            if (s.info.name.compare(nameOrPath.trimmed(), cs) == 0)
                found << s.path;
        if (found.size() == 1)
            return found.first();
        if (found.size() > 1) {
            if (error)
                *error = QStringLiteral("%1: %2 setups have this name (%3); give the file")
                             .arg(nameOrPath).arg(found.size()).arg(found.join(QStringLiteral(", ")));
            return QString();
        }
    }
    if (error)
        *error = QStringLiteral("%1: no such file, and no setup of that name in %2")
                     .arg(nameOrPath, QDir::toNativeSeparators(m_folder));
    return QString();
}

SetupMatch matchSetup(const ParamSet &device, const QVector<LibrarySetup> &setups, bool trims)
{
    SetupMatch best;
    int bestCount = INT_MAX;
    for (const LibrarySetup &s : setups) {
        const ParameterFile file = readParameterFile(s.path);
        // A setup saved without the trims (none received) is still one.
        if (!file.ok() || !file.frames.present[FrameS] || !file.frames.present[FrameG] || !file.frames.present[FrameH])
            continue;
        ParamSet p;
        decodeParameterFile(file, p);
        const int n = setupcompare::differences(device, p, trims && file.frames.present[FrameI]).size();
        const bool better = n < bestCount
            || (n == bestCount && s.info.lastWritten.isValid()
                && (!best.setup.info.lastWritten.isValid() || s.info.lastWritten > best.setup.info.lastWritten));
        if (better) {
            bestCount = n;
            best.setup = s;
            best.differences = n;
        }
    }
    if (bestCount == 0)
        best.kind = SetupMatch::Same;
    else if (bestCount <= closeMatchLimit)
        best.kind = SetupMatch::Close;
    else
        best = SetupMatch();
    return best;
}
