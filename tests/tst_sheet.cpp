// The setup sheet: the aircraft on top, each page's settings laid out as the
// page shows them under the binding table's names, each once, the curves
// drawn with their axis numbers, an A4 PDF on one page (two at most) whose
// text says the same, and varnix-param writing it.

#include <QAbstractButton>
#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
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
                         QStringLiteral("9.8"), SetupInfo()};

SheetSource withAircraft()
{
    SheetSource s = source;
    s.info.name = QStringLiteral("Bixler 2");
    s.info.type = Airframe::VTail;
    s.info.notes = QStringLiteral("CG 62 mm behind the leading edge\n3S 2200 mAh");
    s.info.lastWritten = QDateTime(QDate(2026, 5, 1), QTime(18, 5));
    return s;
}

// The sheet's tables as their cells' texts, row by row.
QList<QList<QStringList>> tablesOf(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    QList<QList<QStringList>> tables;
    QSet<QTextTable *> seen;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextTable *table = QTextCursor(block).currentTable();
        if (!table || seen.contains(table))
            continue;
        seen.insert(table);
        QList<QStringList> rows;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
            }
            rows << cells;
        }
        tables << rows;
    }
    return tables;
}

// The row of a table whose first cell is label, and the header of its table.
bool findRow(const QList<QList<QStringList>> &tables, const QString &label, QStringList *header, QStringList *row)
{
    for (const QList<QStringList> &t : tables)
        for (const QStringList &r : t)
            if (!r.isEmpty() && r.first() == label) {
                *header = t.first();
                *row = r;
                return true;
            }
    return false;
}

// The text of a PDF as pdftotext (poppler-utils) reads it; empty when it
// is not installed.
QString pdfText(const QString &path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("(no text: %1)").arg(QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Page objects in the PDF: "/Type /Page", not "/Type /Pages".
int pdfPageCount(const QByteArray &pdf)
{
    int count = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (at + 11 >= pdf.size() || pdf.at(at + 11) != 's')
            ++count;
    return count;
}

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

    void laidOutAsThePages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << QString();
        QTest::newRow("English") << QStringLiteral("en");
    }

    // The channel settings as the page's CH1..CH8 table, the dual-rate
    // tables CH1..CH4, the mixes side by side; each value once, under the
    // binding table's names.
    void laidOutAsThePages()
    {
        QFETCH(QString, language);
        if (!language.isEmpty()) {
            m_translator = new QTranslator;
            QVERIFY(m_translator->load(QStringLiteral(":/translations/varnix_%1.qm").arg(language)));
            QCoreApplication::installTranslator(m_translator);
        }
        const ParamSet set = distinctSet();
        const QString html = setupSheetHtml(set, source, false);
        const QList<QList<QStringList>> tables = tablesOf(html);
        QStringList header;
        QStringList row;
        for (const char *widget : {"comboBox_rev1", "spinBox_sub1", "spinBox_Lepa1", "spinBox_Repa1", "spinBox_FS1",
                                   "spinBox_delay1"}) {
            const Binding &b = *bindingOf(widget);
            const QString label = bindingName(b).remove(QStringLiteral(" CH1"));
            QVERIFY2(findRow(tables, label, &header, &row), qPrintable(label));
            QCOMPARE(header.mid(1), (QStringList{"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"}));
            for (int n = 1; n <= 8; ++n) {
                const Binding *cellOf = nullptr;
                for (const Binding &other : bindings())
                    if (other.field == b.field && other.element == n)
                        cellOf = &other;
                QCOMPARE(row.at(n), bindingValueText(*cellOf, set));
            }
        }
        // Each setting the transmitter gets, once; the copies of the selected
        // dual-rate entry not again.
        QSet<QPair<int, int>> settings;
        for (const Binding &b : bindings())
            if ((bindingSent(b) && b.field != Field::drUp && b.field != Field::drDown) || b.field == Field::firmwareVersion)
                settings.insert(qMakePair(int(b.field), b.element));
        QCOMPARE(int(html.count(QStringLiteral("class=\"value\""))), int(settings.size()));
        // The names are the window's: the elevon rates as their labels read.
        for (const Binding &b : bindings())
            if (b.field == Field::elevon || b.field == Field::vtail || b.field == Field::thrCurve
                || b.field == Field::attitude)
                QVERIFY2(html.contains(QStringLiteral("<th>%1</th>").arg(bindingName(b).toHtmlEscaped())),
                         qPrintable(bindingName(b)));
        for (int page = 1; page <= 5; ++page)
            QVERIFY2(html.contains(QStringLiteral("<h2>%1</h2>").arg(pageName(page).toHtmlEscaped())),
                     qPrintable(pageName(page)));
        for (const char *text : {"glider.txt", "2026-05-04 09:30", "varnix-config 9.8", "sheet:dualrate.png",
                                 "sheet:throttle.png"})
            QVERIFY2(html.contains(QLatin1String(text)), text);
        // Standing alone, the file carries its pictures.
        QCOMPARE(setupSheetHtml(set, source, true).count(QStringLiteral("src=\"data:image/png;base64,")), 2);
    }

    // The curve's caption, the rate table and the pages agree: the channel
    // and switch position selected, and its rate as the table gives it.
    void dualRateSaidOnce()
    {
        ParamSet set = distinctSet();
        set.drChannel = 1;
        set.drPosition = 1;
        set.drRateUp[2] = 100;
        set.drRateDown[2] = 70;
        set.drExpoDown[2] = 25;
        set.drCurveRate = 100; // a stale copy the sheet must not print
        const QString html = setupSheetHtml(set, source, false);
        QVERIFY(html.contains(QString::fromUtf8("大小舵曲线：CH2 DOWN，比例 70%，指数 25%")));
        const QList<QList<QStringList>> tables = tablesOf(html);
        QStringList header;
        QStringList row;
        QVERIFY(findRow(tables, QString::fromUtf8("大小舵 下档比例"), &header, &row));
        QCOMPARE(row, (QStringList{QString::fromUtf8("大小舵 下档比例"), "100%", "70%", "100%", "100%"}));
        QVERIFY(!findRow(tables, QString::fromUtf8("大小舵下档"), &header, &row));
    }

    // Name, type, notes and when written on top; without them the sheet
    // names only the file.
    void aircraftOnTop()
    {
        const QString html = setupSheetHtml(distinctSet(), withAircraft(), false);
        for (const char *text : {"<h1>Bixler 2</h1>", "机型：V尾", "写入发射机：2026-05-01 18:05",
                                 "CG 62 mm behind the leading edge<br>3S 2200 mAh"})
            QVERIFY2(html.contains(QString::fromUtf8(text)), text);
        SheetSource never = withAircraft();
        never.info.lastWritten = QDateTime();
        QVERIFY(setupSheetHtml(distinctSet(), never, false).contains(QString::fromUtf8("写入发射机：未写入过")));
        const QString plain = setupSheetHtml(distinctSet(), source, false);
        QVERIFY(!plain.contains(QString::fromUtf8("机型：")));
        QVERIFY(plain.contains(QString::fromUtf8("<h1>Varnix&amp;Tolbane 设置单</h1>")));
        SheetSource markup = withAircraft();
        markup.info.name = QStringLiteral("<b>&");
        QVERIFY(setupSheetHtml(distinctSet(), markup, false).contains(QStringLiteral("<h1>&lt;b&gt;&amp;</h1>")));
    }

    // One A4 page for a setup with short notes, two at most with long ones,
    // and never a last page with a row or two: the PDF's own page count, and
    // its text as pdftotext reads it.
    void pdfFitsTwoPages_data()
    {
        QTest::addColumn<int>("noteLines");
        QTest::addColumn<int>("pages");
        QTest::newRow("short notes") << 2 << 1;
        QTest::newRow("long notes") << 40 << 2;
    }

    void pdfFitsTwoPages()
    {
        QFETCH(int, noteLines);
        QFETCH(int, pages);
        m_translator = new QTranslator;
        QVERIFY(m_translator->load(QStringLiteral(":/translations/varnix_en.qm")));
        QCoreApplication::installTranslator(m_translator);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        SheetSource s = withAircraft();
        QStringList notes;
        for (int k = 1; k <= noteLines; ++k)
            notes << QStringLiteral("note line %1").arg(k);
        s.info.notes = notes.join(QLatin1Char('\n'));
        QString error;
        int count = 0;
        QVERIFY2(writeSetupSheet(distinctSet(), s, path, &error, &count), qPrintable(error));
        QCOMPARE(count, pages);
        const QByteArray pdf = readBytes(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPageCount(pdf), pages);
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext (poppler-utils) not installed: the PDF's text is not checked");
        for (const QString &expected : {QStringLiteral("Bixler 2"), QStringLiteral("CH8"),
                                        QStringLiteral("Elevon Ail 1"), QStringLiteral("note line %1").arg(noteLines),
                                        pageName(5)})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in:\n") + text));
        QVERIFY(!writeSetupSheet(distinctSet(), s, dir.filePath(QStringLiteral("no/such/dir/x.pdf")), &error));
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
        const QPoint o = dualRateCurveOrigin();
        QVERIFY(dark(dr, o + d.centre));
        QVERIFY(dark(dr, o + d.s1 + QPoint(1, -1)));
        QVERIFY(dark(dr, o + d.s2 + QPoint(-1, 1)));
        // The axis numbers left of and under the plot.
        const auto inked = [&dr](const QRect &r) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (dark(dr, QPoint(x, y)))
                        return true;
            return false;
        };
        QVERIFY(inked(QRect(0, 10, o.x() + 16, 20)));
        QVERIFY(inked(QRect(o.x() + 130, 282, 40, 16)));
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
        QTest::newRow("aircraft, English") << QStringLiteral("sheet.pdf") << QStringLiteral("en") << 0;
        QTest::newRow("unknown type") << QStringLiteral("sheet.pdf") << QStringLiteral("en") << 2;
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
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (tag.startsWith(QLatin1String("aircraft")) || tag == QLatin1String("unknown type"))
            args << QStringLiteral("--aircraft") << QStringLiteral("Bixler 2") << QStringLiteral("--notes")
                 << QStringLiteral("CG 62 mm\\n3S 2200") << QStringLiteral("--written")
                 << QStringLiteral("2026-05-01T18:05") << QStringLiteral("--type")
                 << (tag == QLatin1String("unknown type") ? QStringLiteral("blimp") : QStringLiteral("vtail"));
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
        if (out.endsWith(QLatin1String(".pdf"))) {
            QVERIFY(bytes.startsWith("%PDF-"));
            QCOMPARE(pdfPageCount(bytes), 1);
            if (language != QLatin1String("en"))
                return;
            const QString text = pdfText(dir.filePath(out));
            if (text.isEmpty())
                QSKIP("pdftotext (poppler-utils) not installed: the PDF's text is not checked");
            for (const char *expected : {"Bixler 2", "V-tail", "2026-05-01 18:05", "CG 62 mm", "3S 2200", "glider.txt"})
                QVERIFY2(text.contains(QLatin1String(expected)),
                         qPrintable(QLatin1String(expected) + QStringLiteral(" in:\n") + text));
        } else {
            // The same sheet as the window's, pictures inside.
            ParamSet p = distinctSet();
            QCOMPARE(QString::fromUtf8(bytes).section(QStringLiteral("<h2>"), 1),
                     setupSheetHtml(p, source, true).section(QStringLiteral("<h2>"), 1));
        }
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
