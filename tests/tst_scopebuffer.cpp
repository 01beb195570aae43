#include <QtTest>

#include <QRandomGenerator>

#include <cmath>

#include "qtwarnings.h"
#include "scopebuffer.h"

namespace {

const float nan = std::nanf("");

// One sample with CH1 set to v (everything else unknown).
ScopeSample at(qint64 ms, float v)
{
    ScopeSample s;
    s.ms = ms;
    s.value[int(Trace::CH1)] = v;
    return s;
}

// CH1 over 0, 100, 200 ... : 1000, 1100, 1200, NaN (no value), 1400, 900, 1000.
ScopeBuffer knownTrace()
{
    ScopeBuffer b;
    const float values[] = {1000, 1100, 1200, nan, 1400, 900, 1000};
    for (int i = 0; i < 7; ++i)
        b.append(at(i * 100, values[i]));
    return b;
}

// The summary of samples from..to-1 counted one by one.
SampleSummary countedSummary(const ScopeBuffer &b, int from, int to)
{
    SampleSummary s;
    for (int i = from; i < to; ++i)
        s.take(b.at(i));
    return s;
}

bool sameColumn(const TraceColumn &a, const TraceColumn &b)
{
    return a.count == b.count && (a.count == 0 || (a.first == b.first && a.last == b.last && a.min == b.min
                                                   && a.max == b.max && qAbs(a.sum - b.sum) < 1e-6 * qAbs(b.sum) + 1e-6));
}

} // namespace

class TestScopeBuffer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::failOnUnexpectedWarnings(); }

    void keepsTheLastSpan_data()
    {
        QTest::addColumn<qint64>("keepMs");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<int>("size");
        QTest::newRow("keep all") << qint64(0) << QList<qint64>{0, 10, 5000, 90000} << qint64(0) << 4;
        QTest::newRow("1 s of steady 100 ms") << qint64(1000)
                                              << QList<qint64>{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000,
                                                               1100, 1200, 1300}
                                              << qint64(300) << 11;
        QTest::newRow("a gap drops all before it") << qint64(1000) << QList<qint64>{0, 100, 200, 5000, 5600}
                                                   << qint64(5000) << 2;
        QTest::newRow("the last sample stays alone") << qint64(1000) << QList<qint64>{0, 9000} << qint64(9000) << 1;
        QTest::newRow("a step back counts as the last time") << qint64(1000) << QList<qint64>{0, 800, 500, 1500}
                                                             << qint64(800) << 3;
    }

    void keepsTheLastSpan()
    {
        QFETCH(qint64, keepMs);
        QFETCH(QList<qint64>, times);
        QFETCH(qint64, first);
        QFETCH(int, size);
        ScopeBuffer b(keepMs);
        for (qint64 t : times)
            b.append(at(t, 1000));
        QCOMPARE(b.firstMs(), first);
        QCOMPARE(b.size(), size);
        QVERIFY(b.lastMs() - b.firstMs() <= (keepMs ? keepMs : b.lastMs()));
        for (int i = 1; i < b.size(); ++i)
            QVERIFY(b.at(i).ms >= b.at(i - 1).ms);
    }

    // A minute of a 576 packets/s stream in a 60 s scope: the size stops
    // growing once the span is full.
    void staysFlatWhenFull()
    {
        ScopeBuffer b(60000);
        int fullSize = 0;
        for (qint64 i = 0; i < 576 * 180; ++i) {
            b.append(at(i * 1000 / 576, 1000));
            if (i == 576 * 61)
                fullSize = b.size();
        }
        QVERIFY(fullSize > 576 * 59);
        QVERIFY(qAbs(b.size() - fullSize) <= 1);
    }

    void sampleAtTheCursor_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<qint64>("found"); // -1: none
        QTest::newRow("before the first") << qint64(-5) << qint64(-1);
        QTest::newRow("on a sample") << qint64(200) << qint64(200);
        QTest::newRow("between two: the one before") << qint64(299) << qint64(200);
        QTest::newRow("after the last") << qint64(10000) << qint64(600);
    }

    void sampleAtTheCursor()
    {
        QFETCH(qint64, ms);
        QFETCH(qint64, found);
        const ScopeBuffer b = knownTrace();
        const ScopeSample *s = b.sampleAt(ms);
        QCOMPARE(s ? s->ms : -1, found);
    }

    void statisticsOfAKnownTrace_data()
    {
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("mean");
        QTest::newRow("everything, the gap left out") << qint64(0) << qint64(600) << 6 << 900.0 << 1400.0
                                                     << 6600.0 / 6;
        QTest::newRow("the first three") << qint64(0) << qint64(250) << 3 << 1000.0 << 1200.0 << 1100.0;
        QTest::newRow("ends included") << qint64(400) << qint64(500) << 2 << 900.0 << 1400.0 << 1150.0;
        QTest::newRow("only the gap") << qint64(290) << qint64(310) << 0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("after the end") << qint64(700) << qint64(900) << 0 << 0.0 << 0.0 << 0.0;
    }

    void statisticsOfAKnownTrace()
    {
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(int, count);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, mean);
        const TraceStats s = traceStats(knownTrace(), Trace::CH1, from, to);
        QCOMPARE(s.count, count);
        QCOMPARE(s.min, min);
        QCOMPARE(s.max, max);
        QVERIFY2(qAbs(s.mean - mean) < 1e-9, qPrintable(QString::number(s.mean)));
        // Another trace of the same samples knows nothing.
        QCOMPARE(traceStats(knownTrace(), Trace::Rssi, from, to).count, 0);
    }

    // 0..600 ms in 4 columns of 150 ms: {1000,1100}, {1200, gap}, {1400},
    // {900,1000}; and 14 columns leave the ones without a sample empty.
    void columnsOfAKnownTrace()
    {
        const QVector<TraceColumn> c = traceColumns(knownTrace(), Trace::CH1, 0, 600, 4);
        QCOMPARE(c.size(), 4);
        const float want[4][5] = {{2, 1000, 1100, 1000, 1100},
                                  {1, 1200, 1200, 1200, 1200},
                                  {1, 1400, 1400, 1400, 1400},
                                  {2, 900, 1000, 900, 1000}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(c[i].count, int(want[i][0]));
            QCOMPARE(c[i].first, want[i][1]);
            QCOMPARE(c[i].last, want[i][2]);
            QCOMPARE(c[i].min, want[i][3]);
            QCOMPARE(c[i].max, want[i][4]);
        }
        int filled = 0;
        for (const TraceColumn &col : traceColumns(knownTrace(), Trace::CH1, 0, 700, 14))
            filled += col.count;
        QCOMPARE(filled, 6);
        QVERIFY(traceColumns(knownTrace(), Trace::CH1, 600, 600, 10).at(0).count == 0);
    }

    // Kept from frame to frame, the columns match columns made afresh: while
    // the stream runs on and the view scrolls, after the oldest samples went,
    // after a zoom and after the buffer was cleared.
    void keptColumnsMatchFreshOnes_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<qint64>("spanMs");
        QTest::newRow("10 s in 500 columns") << 500 << qint64(10000);
        QTest::newRow("60 s in 333 columns") << 333 << qint64(60000);
        QTest::newRow("zoomed in: 1 s in 900 columns") << 900 << qint64(1000);
    }

    void keptColumnsMatchFreshOnes()
    {
        QFETCH(int, columns);
        QFETCH(qint64, spanMs);
        ScopeBuffer b(60000);
        ScopeColumns kept;
        const double perColumn = double(spanMs) / columns;
        auto check = [&] {
            const qint64 first = qint64(std::floor((b.lastMs() - spanMs) / perColumn));
            kept.update(b, perColumn, first, first + columns);
            for (int t : {int(Trace::CH1), int(Trace::Rssi)}) {
                for (int c = 0; c < columns; ++c) {
                    // The samples of absolute column first + c, counted afresh.
                    TraceColumn fresh;
                    for (int i = 0; i < b.size(); ++i) {
                        const ScopeSample &s = b.at(i);
                        if (qint64(std::floor(s.ms / perColumn)) != first + c || std::isnan(s.value[t]))
                            continue;
                        if (fresh.count == 0)
                            fresh.first = fresh.min = fresh.max = s.value[t];
                        fresh.min = qMin(fresh.min, s.value[t]);
                        fresh.max = qMax(fresh.max, s.value[t]);
                        fresh.last = s.value[t];
                        ++fresh.count;
                    }
                    const ScopeColumns::Column *col = kept.column(first + c);
                    const TraceColumn got = col ? col->trace[t] : TraceColumn();
                    if ((first + c) * perColumn < b.firstMs())
                        continue; // the buffer no longer holds all of it
                    QVERIFY2(got.count == fresh.count && got.first == fresh.first && got.last == fresh.last
                                 && got.min == fresh.min && got.max == fresh.max,
                             qPrintable(QStringLiteral("trace %1 column %2 at %3 ms").arg(t).arg(c).arg(b.lastMs())));
                }
            }
        };
        qint64 ms = 0;
        for (int frame = 0; frame < 40; ++frame) {
            // A frame's worth of a 576 packets/s stream, RSSI on every fourth.
            for (int k = 0; k < 19; ++k, ms += 1000 / 576 + (k % 3 == 0)) {
                ScopeSample s = at(ms, float(1000 + (ms * 37) % 1000));
                if (k % 4 == 0)
                    s.value[int(Trace::Rssi)] = float(-(ms % 90));
                b.append(s);
            }
            check();
            if (QTest::currentTestFailed())
                return;
        }
        b.clear();
        for (int k = 0; k < 100; ++k)
            b.append(at(100000 + k * 7, float(k)));
        check();
    }

    // Runs of every length at every offset sum up as the samples counted one
    // by one: in a recording kept whole, in a live scope that drops its
    // oldest samples, and after a clear at an index that is no round number.
    void summariesMatchCountedOnes_data()
    {
        QTest::addColumn<qint64>("keepMs");
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("clearAt"); // -1: never
        QTest::newRow("recording") << qint64(0) << 70000 << -1;
        QTest::newRow("live, oldest dropped") << qint64(20000) << 70000 << -1;
        QTest::newRow("cleared midway") << qint64(0) << 50000 << 33333;
    }
    void summariesMatchCountedOnes()
    {
        QFETCH(qint64, keepMs);
        QFETCH(int, samples);
        QFETCH(int, clearAt);
        ScopeBuffer b(keepMs);
        for (int i = 0; i < samples; ++i) {
            if (i == clearAt)
                b.clear();
            ScopeSample s = at(i, float((i * 7919) % 2001 - 1000));
            if (i % 3)
                s.value[int(Trace::Rssi)] = float(-(i % 97));
            b.append(s);
        }
        QRandomGenerator rng(20);
        for (int k = 0; k < 300; ++k) {
            const int from = int(rng.bounded(b.size()));
            const int to = qMin(b.size(), from + int(rng.bounded(k % 3 ? 3000 : b.size())));
            const SampleSummary got = b.summary(from, to);
            const SampleSummary want = countedSummary(b, from, to);
            for (int t : {int(Trace::CH1), int(Trace::Rssi), int(Trace::TxVolt)})
                QVERIFY2(sameColumn(got.trace[t], want.trace[t]),
                         qPrintable(QStringLiteral("trace %1, samples %2..%3").arg(t).arg(from).arg(to)));
        }
    }

    // A recording panned and zoomed at will: the columns in view are those
    // made afresh, and no more are held than a few views' worth.
    void columnsFollowTheView_data()
    {
        QTest::addColumn<QList<qint64>>("moves"); // view starts, in columns
        QTest::addColumn<double>("perColumn");
        QTest::newRow("pans both ways") << QList<qint64>{0, 300, 900, 850, 100, -400, 2000} << 40.0;
        QTest::newRow("zoomed in far, beyond both ends") << QList<qint64>{-900, 1000, 5000000, 4999000} << 0.25;
    }
    void columnsFollowTheView()
    {
        QFETCH(QList<qint64>, moves);
        QFETCH(double, perColumn);
        const int columns = 800;
        ScopeBuffer b;
        for (int i = 0; i < 20000; ++i)
            b.append(at(i * 61 + i % 7, float(i % 1500)));
        ScopeColumns kept;
        for (qint64 first : moves) {
            kept.update(b, perColumn, first, first + columns);
            QVERIFY(kept.held() <= 3 * columns + 1);
            int next = 0;
            for (int c = 0; c <= columns; ++c) {
                const qint64 abs = first + c;
                int i = next;
                while (i < b.size() && qint64(std::floor(b.at(i).ms / perColumn)) < abs)
                    ++i;
                int j = i;
                while (j < b.size() && qint64(std::floor(b.at(j).ms / perColumn)) == abs)
                    ++j;
                next = j;
                const ScopeColumns::Column *col = kept.column(abs);
                QVERIFY(col);
                QVERIFY2(sameColumn(col->trace[0], countedSummary(b, i, j).trace[0]),
                         qPrintable(QStringLiteral("column %1 after a move to %2").arg(abs).arg(first)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestScopeBuffer)
#include "tst_scopebuffer.moc"
