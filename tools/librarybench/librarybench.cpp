// The setups library with 500 setups: listing the folder, showing the panel
// (F6) and matching the transmitter's settings after a Read.
//   QT_QPA_PLATFORM=offscreen build/varnix-librarybench [-iterations N]
#include <QApplication>
#include <QDockWidget>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "librarypanel.h"
#include "mainwindow.h"
#include "paramfile.h"
#include "setuplibrary.h"
#include "usersettings.h"

namespace {

const int kSetups = 500;

// Setups that differ from each other in a few settings, as a hobbyist's do.
ParamSet setupNumber(int n)
{
    ParamSet p;
    QRandomGenerator rng(quint32(n + 1));
    for (int ch = 1; ch <= 8; ++ch)
        p.subTrim[ch] = rng.bounded(-30, 31);
    p.epaLeft[1] = rng.bounded(60, 121);
    p.reverse[2] = rng.bounded(2);
    return p;
}

// What a Read of a transmitter holding setup n brings.
ParamSet readBack(const QVector<LibrarySetup> &setups, int n)
{
    ParamSet p;
    decodeParameterFile(readParameterFile(setups.at(n).path), p);
    return p;
}

} // namespace

class LibraryBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid() && m_folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        UserSettings().setLibraryFolder(m_folder.path());
        SetupLibrary lib(m_folder.path());
        for (int n = 0; n < kSetups; ++n) {
            SetupInfo info;
            info.name = QStringLiteral("Model %1").arg(n, 3, 10, QLatin1Char('0'));
            info.type = Airframe(n % airframe::count);
            info.notes = QStringLiteral("CG 60 mm, 3S 2200 mAh, flown at the club field");
            info.lastWritten = QDateTime(QDate(2026, 1, 1), QTime(), Qt::UTC).addSecs(n * 3600);
            QVERIFY(lib.create(lib.newFilePath(info.name), framesOf(setupNumber(n)), info));
        }
    }

    // Every sidecar read and sorted by name.
    void list()
    {
        SetupLibrary lib(m_folder.path());
        QBENCHMARK {
            QCOMPARE(lib.list().size(), kSetups);
        }
    }

    // F6 in a window: the folder listed into the panel, the panel laid out.
    void showPanel()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        LibraryPanel *panel = w.library();
        QBENCHMARK {
            panel->hide();
            panel->refresh();
            panel->show();
            QCoreApplication::processEvents();
        }
    }

    // After a Read: every setup's file read and compared with the
    // transmitter's settings (those of the last setup).
    void matchAfterRead()
    {
        SetupLibrary lib(m_folder.path());
        const QVector<LibrarySetup> setups = lib.list();
        const ParamSet device = readBack(setups, kSetups - 1);
        QBENCHMARK {
            const SetupMatch m = matchSetup(device, setups, false);
            QCOMPARE(m.kind, SetupMatch::Same);
        }
    }

    // The same with listing the folder first, as the panel does.
    void listAndMatchAfterRead()
    {
        SetupLibrary lib(m_folder.path());
        const ParamSet device = readBack(lib.list(), kSetups - 1);
        QBENCHMARK {
            QCOMPARE(matchSetup(device, lib.list(), false).kind, SetupMatch::Same);
        }
    }

private:
    QTemporaryDir m_config;
    QTemporaryDir m_folder;
};

QTEST_MAIN(LibraryBench)
#include "librarybench.moc"
