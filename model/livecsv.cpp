#include "livecsv.h"

#include <QList>

#include "paramset.h"

namespace {

constexpr int trimCentre = 120;
constexpr int columnCount = 1 + LiveSample::channels + 4 + LiveSample::trims;

const char header[] = "time_s,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_v,rx_v,ext_v,rssi_dbm,"
                      "trim1,trim2,trim3,trim4";

bool toInt(const QByteArray &field, int *out)
{
    bool ok = false;
    *out = field.toInt(&ok);
    return ok;
}

bool toDouble(const QByteArray &field, double *out)
{
    bool ok = false;
    *out = field.toDouble(&ok);
    return ok && qIsFinite(*out);
}

// Fills s from one line's fields; false when a field is not a number.
bool parseRow(const QList<QByteArray> &f, LiveSample *s)
{
    int k = 0;
    if (!toDouble(f[k++], &s->seconds))
        return false;
    for (int &c : s->channel) {
        if (!toInt(f[k++], &c))
            return false;
    }
    if (!toDouble(f[k++], &s->txVolts) || !toDouble(f[k++], &s->rxVolts)
        || !toDouble(f[k++], &s->extVolts))
        return false;
    s->hasRssi = !f[k].isEmpty();
    if (s->hasRssi && !toInt(f[k], &s->rssiDbm))
        return false;
    ++k;
    for (int &t : s->trim) {
        if (!toInt(f[k++], &t))
            return false;
    }
    return true;
}

} // namespace

LiveSample liveSample(const LiveValues &live, const int stickTrim[5], double seconds)
{
    LiveSample s;
    s.seconds = seconds;
    for (int n = 0; n < LiveSample::channels; ++n)
        s.channel[n] = live.channel(n + 1);
    s.txVolts = live.txVoltage / 100.0;
    s.rxVolts = live.rxVoltage / 10.0;
    s.extVolts = live.extVoltage / 10.0;
    // The device reports 100 at the strongest signal and 0 for none; above
    // 100 is off its scale and reads as the strongest, as on the live page.
    const int below = 100 - live.rssiValue;
    s.hasRssi = below <= 99;
    s.rssiDbm = s.hasRssi ? -qMax(below, 0) : 0;
    for (int t = 0; t < LiveSample::trims; ++t)
        s.trim[t] = stickTrim[t + 1] - trimCentre;
    return s;
}

QByteArray liveCsvHeader()
{
    return QByteArray(header) + '\n';
}

QByteArray liveCsvRow(const LiveSample &s)
{
    QByteArray row;
    row.reserve(96);
    row += QByteArray::number(s.seconds, 'f', 3);
    for (int c : s.channel)
        row += ',' + QByteArray::number(c);
    row += ',' + QByteArray::number(s.txVolts, 'f', 2);
    row += ',' + QByteArray::number(s.rxVolts, 'f', 1);
    row += ',' + QByteArray::number(s.extVolts, 'f', 1);
    row += ',';
    if (s.hasRssi)
        row += QByteArray::number(s.rssiDbm);
    for (int t : s.trim)
        row += ',' + QByteArray::number(t);
    row += '\n';
    return row;
}

LiveCsvRead readLiveCsv(const QByteArray &text)
{
    LiveCsvRead r;
    const QList<QByteArray> lines = text.split('\n');
    // split() leaves one empty piece after a final line end; a last piece
    // with text in it is a row the writer never finished.
    const int whole = lines.size() - 1;
    auto stop = [&r](int line, const QString &why) {
        r.line = line;
        r.problem = why;
        return r;
    };
    if (whole < 1) {
        return stop(1, text.isEmpty() ? QStringLiteral("the file is empty")
                                      : QStringLiteral("the header line is cut short"));
    }
    if (lines[0].trimmed() != QByteArray(header))
        return stop(1, QStringLiteral("not a recording of live values (unknown header)"));

    r.samples.reserve(whole - 1);
    for (int i = 1; i < whole; ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(',');
        // Filled in place: GCC 12 misreads Qt 5's QVector::append of this struct.
        r.samples.resize(r.samples.size() + 1);
        if (fields.size() != columnCount || !parseRow(fields, &r.samples.last())) {
            r.samples.removeLast();
            return stop(i + 1, QStringLiteral("line %1 is not a whole row").arg(i + 1));
        }
    }
    if (!lines.last().trimmed().isEmpty())
        return stop(whole + 1, QStringLiteral("line %1 is cut short").arg(whole + 1));
    r.complete = true;
    return r;
}
