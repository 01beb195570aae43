#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "paramset.h"

// Copies of the transmitter's settings taken before a command overwrites
// them, as ordinary Parameter files: restoring one is a Load.
namespace backups {

// <data folder>/varnix-config/backups, e.g. ~/.local/share/varnix-config/backups,
// for the window and varnix-param alike.
QString directory();

struct Result {
    bool ok = false;
    QString path;  // the file written
    QString error; // why not
};

// Writes set as YYYYMMDD-HHMMSS-<command>.txt into dir (made if missing),
// then keeps the newest `keep` backups there and deletes the older ones.
// Without trims the file holds the S, G and H frames only: the stick trims
// were never received, and restoring the backup (a Load, which takes the
// frames a file has) must keep the transmitter's own instead of centring them.
Result write(const QString &dir, const QString &command, const ParamSet &set, const QDateTime &when,
             int keep = 100, bool trims = true);

// The backups in dir, oldest first.
QStringList list(const QString &dir);

} // namespace backups
