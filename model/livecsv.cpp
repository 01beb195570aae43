#include "livecsv.h"
#include "readouts.h"

#include <QList>

#include <cstring>

#include "paramset.h"
#include "protocol.h"

namespace {

constexpr int columnCount = 1 + LiveSample::channels + 4 + LiveSample::trims;

const char header[] = "time_s,ch1,ch2,ch3,ch4,ch5,ch6,ch7,ch8,tx_v,rx_v,ext_v,rssi_dbm,"
                      "trim1,trim2,trim3,trim4";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The plain forms the recorder writes ("-12", "7.40") read at once; anything
// else is left to QByteArray, which decides what the reader accepts.
bool plainNumber(const char *p, const char *end, qint64 *mantissa, int *decimals, bool *negative)
{
    *negative = p < end && *p == '-';
    if (*negative)
        ++p;
    qint64 m = 0;
    int digits = 0;
    int d = -1;
    for (; p < end; ++p) {
        if (*p == '.' && d < 0) {
            d = 0;
            continue;
        }
        if (*p < '0' || *p > '9' || ++digits > 15)
            return false;
        m = m * 10 + (*p - '0');
        if (d >= 0)
            ++d;
    }
    if (digits == 0 || d == 0)
        return false;
    *mantissa = m;
    *decimals = qMax(d, 0);
    return true;
}

bool toInt(const char *p, const char *end, int *out)
{
    qint64 m;
    int d;
    bool negative;
    if (plainNumber(p, end, &m, &d, &negative) && d == 0 && m <= 999999999) {
        *out = int(negative ? -m : m);
        return true;
    }
    bool ok = false;
    *out = QByteArray(p, int(end - p)).toInt(&ok);
    return ok;
}

bool toDouble(const char *p, const char *end, double *out)
{
    static const double tens[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qint64 m;
    int d;
    bool negative;
    if (plainNumber(p, end, &m, &d, &negative)) {
        // Both exact, so the quotient is the nearest double, as strtod gives.
        const double v = double(m) / tens[d];
        *out = negative ? -v : v;
        return true;
    }
    bool ok = false;
    *out = QByteArray(p, int(end - p)).toDouble(&ok);
    return ok && qIsFinite(*out);
}

// Fills s from one line; false when it is not 17 fields of numbers.
bool parseRow(const char *p, const char *end, LiveSample *s)
{
    const char *field[columnCount + 1];
    int n = 0;
    field[n++] = p;
    for (const char *c = p; c < end; ++c) {
        if (*c != ',')
            continue;
        if (n == columnCount)
            return false;
        field[n++] = c + 1;
    }
    if (n != columnCount)
        return false;
    field[n] = end + 1;
    auto fieldEnd = [&field](int k) { return field[k + 1] - 1; };
    int k = 0;
    if (!toDouble(field[k], fieldEnd(k), &s->seconds))
        return false;
    ++k;
    for (int &c : s->channel) {
        if (!toInt(field[k], fieldEnd(k), &c))
            return false;
        ++k;
    }
    for (double *v : {&s->txVolts, &s->rxVolts, &s->extVolts}) {
        if (!toDouble(field[k], fieldEnd(k), v))
            return false;
        ++k;
    }
    s->hasRssi = field[k] != fieldEnd(k);
    if (s->hasRssi && !toInt(field[k], fieldEnd(k), &s->rssiDbm))
        return false;
    ++k;
    for (int &t : s->trim) {
        if (!toInt(field[k], fieldEnd(k), &t))
            return false;
        ++k;
    }
    return true;
}

} // namespace

LiveSample liveSample(const LiveValues &live, const int stickTrim[protocol::trimCount + 1], double seconds)
{
    LiveSample s;
    s.seconds = seconds;
    for (int n = 0; n < LiveSample::channels; ++n)
        s.channel[n] = live.channel(n + 1);
    s.txVolts = readouts::txVolts(live.txVoltage);
    s.rxVolts = readouts::telemetryVolts(live.rxVoltage);
    s.extVolts = readouts::telemetryVolts(live.extVoltage);
    s.hasRssi = readouts::hasRssi(live.rssiValue);
    s.rssiDbm = readouts::rssiDbm(live.rssiValue);
    for (int t = 0; t < LiveSample::trims; ++t)
        s.trim[t] = stickTrim[t + 1] - protocol::trimCentre;
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
    LiveCsvReader reader;
    reader.feed(text.constData(), text.size(), r.samples);
    reader.finish();
    r.complete = reader.complete();
    r.line = reader.line();
    r.problem = reader.problem();
    return r;
}

void LiveCsvReader::stop(int line, const QString &why)
{
    if (!m_problem.isEmpty())
        return;
    m_problemLine = line;
    m_problem = why;
}

void LiveCsvReader::fail(const QString &why)
{
    // Line 0: nothing could be read at all.
    stop(m_lines > 0 ? m_lines + 1 : 0, why);
}

bool LiveCsvReader::takeLine(const char *begin, const char *end, QVector<LiveSample> &out)
{
    const int number = ++m_lines;
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    if (number == 1) {
        if (QByteArray::fromRawData(begin, int(end - begin)) != QByteArray(header)) {
            stop(1, QStringLiteral("not a recording of live values (unknown header)"));
            return false;
        }
        return true;
    }
    if (begin == end)
        return true;
    // Filled in place: GCC 12 misreads Qt 5's QVector::append of this struct.
    out.resize(out.size() + 1);
    if (!parseRow(begin, end, &out.last())) {
        out.removeLast();
        stop(number, QStringLiteral("line %1 is not a whole row").arg(number));
        return false;
    }
    return true;
}

bool LiveCsvReader::feed(const char *data, qint64 size, QVector<LiveSample> &out)
{
    if (stopped())
        return false;
    m_bytes += size;
    const char *p = data;
    const char *const end = data + size;
    if (!m_carry.isEmpty()) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!nl) {
            m_carry.append(p, int(end - p));
            return true;
        }
        m_carry.append(p, int(nl - p));
        const QByteArray line = std::move(m_carry);
        m_carry.clear();
        if (!takeLine(line.constData(), line.constData() + line.size(), out))
            return false;
        p = nl + 1;
    }
    while (p < end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (!nl) {
            m_carry = QByteArray(p, int(end - p));
            break;
        }
        if (!takeLine(p, nl, out))
            return false;
        p = nl + 1;
    }
    return true;
}

void LiveCsvReader::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (stopped())
        return;
    if (m_lines == 0) {
        stop(1, m_bytes == 0 ? QStringLiteral("the file is empty") : QStringLiteral("the header line is cut short"));
        return;
    }
    if (!m_carry.trimmed().isEmpty())
        stop(m_lines + 1, QStringLiteral("line %1 is cut short").arg(m_lines + 1));
}
