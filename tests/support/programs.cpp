#include "programs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString builtProgram(const char *envVar, const QString &name)
{
    const QString fromEnv = qEnvironmentVariable(envVar);
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {here.filePath(name), here.filePath(QStringLiteral("../") + name)}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return here.filePath(QStringLiteral("../") + name);
}
