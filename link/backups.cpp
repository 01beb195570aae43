#include "backups.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "paramfile.h"

#include <algorithm>

namespace backups {

namespace {

// 20261208-141503-write.txt, or -write-2.txt for a second one in the same second.
const QRegularExpression &backupName()
{
    static const QRegularExpression re(QStringLiteral("^\\d{8}-\\d{6}-[a-z0-9]+(-\\d+)?\\.txt$"));
    return re;
}

} // namespace

QString directory()
{
    // The window's folder, whichever program (the window, varnix-param) asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/varnix-config/backups");
}

QStringList list(const QString &dir)
{
    QFileInfoList found;
    for (const QFileInfo &info : QDir(dir).entryInfoList({QStringLiteral("*.txt")}, QDir::Files))
        if (backupName().match(info.fileName()).hasMatch())
            found << info;
    // By the time in the name; two of the same second by when they were written.
    std::sort(found.begin(), found.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QString ta = a.fileName().left(15);
        const QString tb = b.fileName().left(15);
        return ta != tb ? ta < tb : a.lastModified() < b.lastModified();
    });
    QStringList names;
    for (const QFileInfo &info : found)
        names << info.fileName();
    return names;
}

Result write(const QString &dir, const QString &command, const ParamSet &set, const QDateTime &when, int keep,
             bool trims)
{
    Result r;
    if (!QDir().mkpath(dir)) {
        r.error = QStringLiteral("cannot make %1").arg(QDir::toNativeSeparators(dir));
        return r;
    }
    const QString stem = when.toString(QStringLiteral("yyyyMMdd-HHmmss-")) + command;
    QString name = stem + QStringLiteral(".txt");
    for (int n = 2; QFileInfo::exists(QDir(dir).filePath(name)); ++n)
        name = stem + QStringLiteral("-%1.txt").arg(n);
    r.path = QDir(dir).filePath(name);
    FrameTexts frames = framesOf(set);
    if (!trims)
        frames.text[FrameI].clear();
    if (!writeParameterFile(r.path, frames, &r.error))
        return r;
    r.ok = true;

    // The oldest go, but never the one just written: with the clock set back
    // it sorts first.
    QStringList older = list(dir);
    older.removeAll(name);
    for (int i = 0; i + keep - 1 < older.size(); ++i)
        QFile::remove(QDir(dir).filePath(older.at(i)));
    return r;
}

} // namespace backups
