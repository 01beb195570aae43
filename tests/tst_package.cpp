// The Debian package made by `cpack -G DEB` from this build: its files, the
// desktop entry against them, its dependencies, and that the program in it
// runs against the system's Qt.

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray run(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    if (!p.waitForFinished(180000))
        return QByteArray();
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void files();
    void desktopEntry();
    void icons();
    void dependencies();
    void programRuns();

private:
    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root; // the package unpacked
};

void TestPackage::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
        QSKIP("dpkg-deb is not installed");
    QVERIFY(m_dir.isValid());
    int code = -1;
    run(QString::fromUtf8(CPACK), { QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                    QString::fromUtf8(BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                                    m_dir.path() },
        &code);
    QCOMPARE(code, 0);
    const QStringList debs = QDir(m_dir.path()).entryList({ QStringLiteral("*.deb") });
    QCOMPARE(debs, QStringList{ QStringLiteral("varnix-config_" VERSION "_%1.deb")
                                    .arg(QString::fromUtf8(run(QStringLiteral("dpkg"), { "--print-architecture" }))
                                             .trimmed()) });
    m_deb = m_dir.filePath(debs.first());
    m_root = m_dir.filePath(QStringLiteral("root"));
    run(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), m_deb, m_root }, &code);
    QCOMPARE(code, 0);
}

void TestPackage::files()
{
    QStringList expected = { "usr/bin/varnix-config", "usr/share/applications/varnix-config.desktop",
                             "usr/share/icons/hicolor/scalable/apps/varnix-config.svg" };
    for (const char *tool : { "txsim", "varnix-param" })
        if (QFileInfo::exists(QString::fromUtf8(BUILD_DIR "/") + QLatin1String(tool)))
            expected << QStringLiteral("usr/bin/") + QLatin1String(tool);
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        expected << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/varnix-config.png").arg(size);
    expected.sort();

    QStringList actual;
    QDirIterator it(m_root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        actual << QDir(m_root).relativeFilePath(it.next());
    actual.sort();
    QCOMPARE(actual, expected);
    for (const QString &f : actual)
        if (f.startsWith(QLatin1String("usr/bin/")))
            QVERIFY2(QFileInfo(m_root + QLatin1Char('/') + f).isExecutable(), qPrintable(f));
}

// The menu entry starts a program the package installs, with an icon it has.
void TestPackage::desktopEntry()
{
    QSettings entry(m_root + QLatin1String("/usr/share/applications/varnix-config.desktop"), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    QCOMPARE(entry.value(QStringLiteral("Type")).toString(), QStringLiteral("Application"));
    const QString exec = entry.value(QStringLiteral("Exec")).toString().section(QLatin1Char(' '), 0, 0);
    QVERIFY2(QFileInfo(m_root + QLatin1String("/usr/bin/") + exec).isExecutable(), qPrintable(exec));
    const QString icon = entry.value(QStringLiteral("Icon")).toString();
    QVERIFY(QFileInfo::exists(m_root + QStringLiteral("/usr/share/icons/hicolor/48x48/apps/%1.png").arg(icon)));
    QCOMPARE(entry.value(QStringLiteral("Terminal")).toString(), QStringLiteral("false"));
}

void TestPackage::icons()
{
    QDirIterator it(m_root + QLatin1String("/usr/share/icons/hicolor"), { QStringLiteral("*.png") }, QDir::Files,
                    QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const int size = path.section(QLatin1Char('/'), -3, -3).section(QLatin1Char('x'), 0, 0).toInt();
        const QImage image(path);
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        ++count;
    }
    QCOMPARE(count, 7);
}

void TestPackage::dependencies()
{
    const QString depends = QString::fromUtf8(run(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), m_deb,
                                                                                QStringLiteral("Depends") }));
    const QStringList needed = QT_MAJOR == 6
        ? QStringList{ "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6serialport6", "qt6-qpa-plugins",
                       "qt6-translations-l10n" }
        : QStringList{ "libqt5core5a", "libqt5gui5", "libqt5widgets5", "libqt5serialport5", "qttranslations5-l10n" };
    QStringList names;
    for (const QString &d : depends.split(QLatin1Char(',')))
        names << d.trimmed().section(QLatin1Char(' '), 0, 0);
    for (const QString &n : needed)
        QVERIFY2(names.contains(n), qPrintable(depends));
    // Nothing of the other Qt, nor of building or testing.
    for (const QString &n : names)
        QVERIFY2(!n.contains(QLatin1String("-dev")) && !n.contains(QLatin1String(QT_MAJOR == 6 ? "qt5" : "qt6")),
                 qPrintable(n));
}

void TestPackage::programRuns()
{
    int code = -1;
    const QByteArray out = run(m_root + QLatin1String("/usr/bin/varnix-config"), { QStringLiteral("--version") }, &code);
    QCOMPARE(code, 0);
    QCOMPARE(out.trimmed(), QByteArray("varnix-config " VERSION));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
