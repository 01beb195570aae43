#include <QtTest>

#include "livecsv.h"
#include "paramset.h"
#include "qtwarnings.h"

namespace {

LiveSample sample(double t, int ch1, int rssi, bool hasRssi)
{
    LiveSample s;
    s.seconds = t;
    s.channel[0] = ch1;
    s.channel[7] = 2000;
    s.txVolts = 7.42;
    s.rxVolts = 5.1;
    s.extVolts = 11.8;
    s.hasRssi = hasRssi;
    s.rssiDbm = rssi;
    s.trim[0] = -20;
    s.trim[3] = 7;
    return s;
}

QByteArray recording(const QVector<LiveSample> &samples)
{
    QByteArray text = liveCsvHeader();
    for (const LiveSample &s : samples)
        text += liveCsvRow(s);
    return text;
}

// The text read as the viewer reads a file, in pieces of the given size.
LiveCsvRead readInPieces(const QByteArray &text, int piece)
{
    LiveCsvRead r;
    LiveCsvReader reader;
    for (int at = 0; at < text.size() && reader.feed(text.constData() + at, qMin(piece, int(text.size()) - at), r.samples);)
        at += piece;
    reader.finish();
    r.complete = reader.complete();
    r.line = reader.line();
    r.problem = reader.problem();
    return r;
}

} // namespace

class TestLiveCsv : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }

    void fromLiveValues_data()
    {
        QTest::addColumn<int>("rssiByte");
        QTest::addColumn<bool>("hasRssi");
        QTest::addColumn<int>("dBm");
        QTest::newRow("none") << 0 << false << 0;
        QTest::newRow("weak") << 1 << true << -99;
        QTest::newRow("typical") << 58 << true << -42;
        QTest::newRow("strongest") << 100 << true << 0;
        QTest::newRow("off scale") << 140 << true << 0;
    }
    void fromLiveValues()
    {
        QFETCH(int, rssiByte);
        LiveValues live;
        live.channelValue3 = 1500;
        live.txVoltage = 742;
        live.rxVoltage = 51;
        live.extVoltage = 118;
        live.rssiValue = rssiByte;
        const int trims[5] = {0, 100, 120, 140, 127};
        const LiveSample s = liveSample(live, trims, 1.25);
        QCOMPARE(s.channel[2], 1500);
        QCOMPARE(s.channel[0], 1000);
        QCOMPARE(s.txVolts, 7.42);
        QCOMPARE(s.rxVolts, 5.1);
        QCOMPARE(s.extVolts, 11.8);
        QTEST(s.hasRssi, "hasRssi");
        QTEST(s.rssiDbm, "dBm");
        QCOMPARE(s.trim[0], -20);
        QCOMPARE(s.trim[3], 7);
    }

    void rowText()
    {
        QCOMPARE(liveCsvRow(sample(3.5, 988, -42, true)),
                 QByteArray("3.500,988,1000,1000,1000,1000,1000,1000,2000,7.42,5.1,11.8,-42,-20,0,0,7\n"));
        QVERIFY(liveCsvRow(sample(0, 1000, 0, false)).contains(",11.8,,-20,"));
    }

    void roundTrip()
    {
        const QVector<LiveSample> in = {sample(0, 1000, 0, false), sample(0.002, 1, -99, true),
                                        sample(12.345, 2000, -3, true)};
        const QByteArray text = recording(in);
        const LiveCsvRead r = readLiveCsv(text);
        QVERIFY2(r.complete, qPrintable(r.problem));
        QCOMPARE(r.samples.size(), in.size());
        QByteArray again = liveCsvHeader();
        for (const LiveSample &s : r.samples)
            again += liveCsvRow(s);
        QCOMPARE(again, text);
    }

    // Whatever the damage, the rows before it are kept and the line is named.
    void damaged_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("line");
        const QByteArray two = recording({sample(0, 1000, -40, true), sample(0.1, 1200, -41, true)});
        QTest::newRow("empty") << QByteArray() << 0 << 1;
        QTest::newRow("other file") << QByteArray("name,value\n1,2\n") << 0 << 1;
        QTest::newRow("header cut") << liveCsvHeader().left(20) << 0 << 1;
        QTest::newRow("last row cut") << two.left(two.size() - 5) << 1 << 3;
        QTest::newRow("no final line end") << two.left(two.size() - 1) << 1 << 3;
        QTest::newRow("junk row") << QByteArray(two + "1.0,abc\n" + liveCsvRow(sample(2, 1, -1, true)))
                                  << 2 << 4;
        QTest::newRow("field not a number")
            << QByteArray(two).replace("1200", "12x0") << 1 << 3;
    }
    void damaged()
    {
        QFETCH(QByteArray, text);
        const LiveCsvRead r = readLiveCsv(text);
        QVERIFY(!r.complete);
        QVERIFY(!r.problem.isEmpty());
        QTEST(int(r.samples.size()), "rows");
        QTEST(r.line, "line");
    }

    // Read in pieces as a file comes off the disk, any text reads as it does
    // whole: the same rows, values, end and reason.
    void piecesReadAsTheWhole_data()
    {
        damaged_data();
        const QByteArray three = recording({sample(0, 1000, -40, true), sample(0.1, 1200, 0, false),
                                            sample(7.25, 2000, -99, true)});
        QTest::newRow("whole") << three << 3 << 0;
        QTest::newRow("line ends of Windows") << QByteArray(three).replace("\n", "\r\n") << 3 << 0;
        QTest::newRow("numbers in other spellings")
            << QByteArray(three).replace("7.42", "7.4200").replace(",2000,", ",+2000,").replace("7.250", "7.25e0")
            << 3 << 0;
    }
    void piecesReadAsTheWhole()
    {
        QFETCH(QByteArray, text);
        const LiveCsvRead whole = readLiveCsv(text);
        QTEST(int(whole.samples.size()), "rows");
        QTEST(whole.line, "line");
        for (int piece : {1, 2, 7, 80, 1 << 16}) {
            const LiveCsvRead r = readInPieces(text, piece);
            const QString where = QStringLiteral("pieces of %1").arg(piece);
            QVERIFY2(r.complete == whole.complete && r.line == whole.line && r.problem == whole.problem,
                     qPrintable(where + QStringLiteral(": ") + r.problem));
            QCOMPARE(r.samples.size(), whole.samples.size());
            for (int i = 0; i < r.samples.size(); ++i)
                QVERIFY2(liveCsvRow(r.samples.at(i)) == liveCsvRow(whole.samples.at(i)), qPrintable(where));
        }
        if (whole.complete)
            QCOMPARE(whole.samples.last().channel[7], 2000);
    }
};

QTEST_GUILESS_MAIN(TestLiveCsv)
#include "tst_livecsv.moc"
