// The setup sheet: every setting of the binding table with its value, the
// curves drawn, A4 PDF of at most two pages, and varnix-param writing it.

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "apptest.h"
#include "bindings.h"
#include "curvegeometry.h"
#include "filetest.h"
#include "mainwindow.h"
#include "paramfile.h"
#include "paramset.h"
#include "programs.h"
#include "scopewindow.h"
#include "qtwarnings.h"
#include "setupsheet.h"

namespace {

// Settings away from the start values, so a value shown from the wrong
// field would show.
ParamSet distinctSet()
{
    ParamSet p;
    for (int n = 1; n <= 8; ++n) {
        p.subTrim[n] = n * 3 - 12;
        p.epaLeft[n] = 90 + n;
        p.servoDelay[n] = n;
    }
    p.thrCurve[1] = 0;
    p.thrCurve[4] = 62;
    p.thrCurve[7] = 95;
    p.txAlarmVoltX10 = 42;
    p.txAlarmVolt = 4.2;
    p.stickMode = 3;
    return p;
}

const SheetSource source{QStringLiteral("glider.txt"), QDateTime(QDate(2026, 5, 4), QTime(9, 30)),
                         QStringLiteral("9.8")};

bool dark(const QImage &image, const QPoint &at)
{
    return qGray(image.pixel(at)) < 100;
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }
    void cleanup()
    {
        delete m_translator;
        m_translator = nullptr;
    }

    void holdsEverySetting_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << QString();
        QTest::newRow("English") << QStringLiteral("en");
    }

    void holdsEverySetting()
    {
        QFETCH(QString, language);
        if (!language.isEmpty()) {
            m_translator = new QTranslator;
            QVERIFY(m_translator->load(QStringLiteral(":/translations/varnix_%1.qm").arg(language)));
            QCoreApplication::installTranslator(m_translator);
        }
        const ParamSet set = distinctSet();
        const QString html = setupSheetHtml(set, source, false);
        for (const Binding &b : bindings()) {
            const QString row = QStringLiteral("<td>%1</td><td class=\"value\" align=\"right\"><b>%2</b></td>")
                                    .arg(bindingName(b).toHtmlEscaped(), bindingValueText(b, set).toHtmlEscaped());
            QVERIFY2(html.contains(row), qPrintable(row));
        }
        for (int page = 1; page <= 5; ++page)
            QVERIFY2(html.contains(QStringLiteral("<h2>%1</h2>").arg(pageName(page).toHtmlEscaped())),
                     qPrintable(pageName(page)));
        for (const char *text : {"glider.txt", "2026-05-04 09:30", "varnix-config 9.8", "sheet:dualrate.png",
                                 "sheet:throttle.png"})
            QVERIFY2(html.contains(QLatin1String(text)), text);
        // Standing alone, the file carries its pictures.
        QCOMPARE(setupSheetHtml(set, source, true).count(QStringLiteral("src=\"data:image/png;base64,")), 2);
    }

    void pdfFitsTwoPages()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        int pages = 0;
        QVERIFY2(writeSetupSheet(distinctSet(), source, path, &error, &pages), qPrintable(error));
        QVERIFY2(pages >= 1 && pages <= 2, qPrintable(QString::number(pages)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(!writeSetupSheet(distinctSet(), source, dir.filePath(QStringLiteral("no/such/dir/x.pdf")), &error));
        QVERIFY(!error.isEmpty());
    }

    // The curves go through the points the window's views compute.
    void curvesDrawn()
    {
        ParamSet set = distinctSet();
        const QImage thr = throttleCurveImage(set, 1);
        const ThrottleCurveGeometry g = throttleCurveGeometry(300, 300, set.thrCurve);
        for (const QPoint &p : g.points)
            QVERIFY2(dark(thr, p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        set.drCurveRate = set.drRateUp[1] = 100;
        const QImage dr = dualRateCurveImage(set, 1);
        const DualRateCurveGeometry d = dualRateCurveGeometry(300, 300, set.drCurveRate, set.drCurveExpo);
        QVERIFY(dark(dr, d.centre));
        QVERIFY(dark(dr, d.s1 + QPoint(1, -1)));
        QVERIFY(dark(dr, d.s2 + QPoint(-1, 1)));
    }

    void paramToolWritesIt_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("pdf") << QStringLiteral("sheet.pdf") << QStringLiteral("zh") << 0;
        QTest::newRow("html") << QStringLiteral("sheet.html") << QStringLiteral("zh") << 0;
        QTest::newRow("no output named") << QString() << QStringLiteral("zh") << 2;
        QTest::newRow("unknown language") << QStringLiteral("sheet.pdf") << QStringLiteral("fr") << 2;
    }

    // Without a display, as on a build server.
    void paramToolWritesIt()
    {
        QFETCH(QString, out);
        QFETCH(QString, language);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("glider.txt"));
        QString error;
        QVERIFY(writeParameterFile(in, distinctSet(), &error));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        p.setProcessEnvironment(env);
        QStringList args{QStringLiteral("sheet"), in, QStringLiteral("--lang"), language};
        if (!out.isEmpty())
            args << QStringLiteral("-o") << dir.filePath(out);
        p.start(builtProgram("VARNIX_PARAM", QStringLiteral("varnix-param")), args);
        QVERIFY(p.waitForFinished(30000));
        QVERIFY2(p.exitCode() == exitCode, p.readAllStandardError().constData());
        if (exitCode != 0) {
            QVERIFY(out.isEmpty() || !QFile::exists(dir.filePath(out)));
            return;
        }
        QFile file(dir.filePath(out));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (out.endsWith(QLatin1String(".pdf")))
            QVERIFY(bytes.startsWith("%PDF-"));
        else
            for (const Binding &b : bindings())
                QVERIFY(QString::fromUtf8(bytes).contains(bindingName(b).toHtmlEscaped()));
    }

    // The scope's button writes the window's settings as they stand.
    void windowSavesTheSheet()
    {
        QTemporaryDir dir;
        apptest::resetProcessState();
        paramSet = distinctSet();
        MainWindow window;
        ScopeWindow *scope = window.showScope();
        apptest::ModalAnswerer answerer;
        answerer.queueFile(dir.filePath(QStringLiteral("mine")));
        scope->findChild<QAbstractButton *>(QStringLiteral("sheetButton"))->click();
        QCOMPARE(answerer.count(), 1);
        const QString html = QString::fromUtf8(readBytes(dir.filePath(QStringLiteral("mine.pdf"))).left(5));
        QCOMPARE(html, QStringLiteral("%PDF-"));
        answerer.queueFile(dir.filePath(QStringLiteral("mine.html")));
        scope->findChild<QAbstractButton *>(QStringLiteral("sheetButton"))->click();
        const QString page = QString::fromUtf8(readBytes(dir.filePath(QStringLiteral("mine.html"))));
        QVERIFY(page.contains(setupSheetHtml(paramSet, source, true).section(QStringLiteral("<h2>"), 1, 1)));
        apptest::resetProcessState();
    }

private:
    QTranslator *m_translator = nullptr;
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
