#include "programs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

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

ProgramRun runProgram(const QString &program, const QStringList &args, const QProcessEnvironment &env,
                      const std::function<void()> &during)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ProgramRun r;
    if (!p.waitForStarted(5000))
        return r;
    QElapsedTimer t;
    t.start();
    // waitForFinished() says false for a process whose end the event loop
    // (spun by during()) has already seen: ask for the state instead.
    while (p.state() != QProcess::NotRunning) {
        if (!p.waitForFinished(during ? 5 : 100) && during)
            during();
        if (t.elapsed() > 30000) {
            p.kill();
            p.waitForFinished(3000);
            return r;
        }
    }
    if (p.exitStatus() == QProcess::NormalExit)
        r = {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
#ifdef Q_OS_WIN
        // A console program's lines end in CR LF there.
        r.out.replace("\r\n", "\n");
        r.err.replace("\r\n", "\n");
#endif
    return r;
}
