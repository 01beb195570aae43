// The Debian package that `cpack -G DEB` makes from this build: its files,
// the menu entry against them, its dependencies, and the program in it
// running against the system's Qt.

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include "qtwarnings.h"

namespace {

QByteArray run(const QString &program, const QStringList &args, int *exitCode)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    *exitCode = p.waitForFinished(180000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void files();
    void dependencies();
    void programRuns();

private:
    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root; // the package unpacked
};

void TestPackage::initTestCase()
{
    testsupport::failOnUnexpectedWarnings();
    if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
        QSKIP("dpkg-deb is not installed");
    int code = -1;
    run(CPACK, { "-G", "DEB", "--config", BUILD_DIR "/CPackConfig.cmake", "-B", m_dir.path() }, &code);
    QCOMPARE(code, 0);
    const QString arch = run("dpkg", { "--print-architecture" }, &code).trimmed();
    m_deb = m_dir.filePath(QString("varnix-config_" VERSION "_%1.deb").arg(arch));
    QVERIFY2(QFileInfo::exists(m_deb), qPrintable(QDir(m_dir.path()).entryList().join(' ')));
    m_root = m_dir.filePath("root");
    run("dpkg-deb", { "-x", m_deb, m_root }, &code);
    QCOMPARE(code, 0);
}

// The programs, the menu entry, the icon in every size and the copyright
// file, nothing else; the entry starts a program and shows an icon that the
// package has, and the copyright file names the licence.
void TestPackage::files()
{
    QStringList expected = { "usr/bin/varnix-config", "usr/share/applications/varnix-config.desktop",
                             "usr/share/icons/hicolor/scalable/apps/varnix-config.svg",
                             "usr/share/doc/varnix-config/copyright" };
    for (const QString tool : { "txsim", "varnix-param" })
        if (QFileInfo::exists(BUILD_DIR "/" + tool))
            expected << "usr/bin/" + tool;
    const QString png = "usr/share/icons/hicolor/%1x%1/apps/varnix-config.png";
    for (int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        expected << png.arg(size);
        QCOMPARE(QImage(m_root + '/' + png.arg(size)).size(), QSize(size, size));
    }
    expected.sort();
    QStringList actual;
    for (QDirIterator it(m_root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        actual << QDir(m_root).relativeFilePath(it.next());
    actual.sort();
    QCOMPARE(actual, expected);

    QSettings entry(m_root + "/usr/share/applications/varnix-config.desktop", QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    QCOMPARE(entry.value("Type").toString(), QString("Application"));
    QVERIFY(QFileInfo(m_root + "/usr/bin/" + entry.value("Exec").toString()).isExecutable());
    QCOMPARE(entry.value("Icon").toString(), QString("varnix-config"));

    QFile copyright(m_root + "/usr/share/doc/varnix-config/copyright");
    QVERIFY(copyright.open(QIODevice::ReadOnly));
    const QByteArray text = copyright.readAll();
    QVERIFY(text.startsWith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
    QVERIFY(text.contains("\nLicense: GPL-3.0-or-later\n"));
}

void TestPackage::dependencies()
{
    int code = -1;
    const QString depends = run("dpkg-deb", { "-f", m_deb, "Depends" }, &code);
    QStringList names;
    for (const QString &d : depends.split(','))
        names << d.trimmed().section(' ', 0, 0);
    const QStringList needed = QT_MAJOR == 6
        ? QStringList{ "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6serialport6", "qt6-qpa-plugins",
                       "qt6-translations-l10n", "fonts-liberation2", "fonts-wqy-microhei" }
        : QStringList{ "libqt5core5a", "libqt5gui5", "libqt5widgets5", "libqt5serialport5", "qttranslations5-l10n",
                       "fonts-liberation2", "fonts-wqy-microhei" };
    for (const QString &n : needed)
        QVERIFY2(names.contains(n), qPrintable(n + " not in " + depends));
    // Nothing of the other Qt, nor of building or testing.
    for (const QString &n : names)
        QVERIFY2(!n.endsWith("-dev") && !n.contains(QT_MAJOR == 6 ? "qt5" : "qt6") && !n.contains("test"),
                 qPrintable(n));
}

// The installed program answers --version on a machine without a display.
void TestPackage::programRuns()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(m_root + "/usr/bin/varnix-config", { "--version" });
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(p.readAllStandardOutput().trimmed(), QByteArray("varnix-config " VERSION));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
