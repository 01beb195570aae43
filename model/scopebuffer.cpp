#include "scopebuffer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "livecsv.h"

ScopeSample::ScopeSample()
{
    std::fill(std::begin(value), std::end(value), std::numeric_limits<float>::quiet_NaN());
}

ScopeSample scopeSample(const LiveSample &sample)
{
    ScopeSample s;
    s.ms = qint64(std::llround(sample.seconds * 1000));
    for (int n = 0; n < LiveSample::channels; ++n)
        s.value[n] = float(sample.channel[n]);
    s.value[int(Trace::TxVolt)] = float(sample.txVolts);
    s.value[int(Trace::RxVolt)] = float(sample.rxVolts);
    s.value[int(Trace::ExtVolt)] = float(sample.extVolts);
    if (sample.hasRssi)
        s.value[int(Trace::Rssi)] = float(sample.rssiDbm);
    return s;
}

void TraceColumn::take(float v)
{
    if (count == 0) {
        first = min = max = v;
    } else {
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
    last = v;
    sum += v;
    ++count;
}

void TraceColumn::take(const TraceColumn &later)
{
    if (later.count == 0)
        return;
    if (count == 0) {
        *this = later;
        return;
    }
    if (later.min < min)
        min = later.min;
    if (later.max > max)
        max = later.max;
    last = later.last;
    sum += later.sum;
    count += later.count;
}

void SampleSummary::take(const ScopeSample &s)
{
    for (int t = 0; t < traceCount; ++t)
        if (!std::isnan(s.value[t]))
            trace[t].take(s.value[t]);
}

void SampleSummary::take(const SampleSummary &later)
{
    for (int t = 0; t < traceCount; ++t)
        trace[t].take(later.trace[t]);
}

void ScopeBuffer::clear()
{
    m_samples.clear();
    for (Level &level : m_levels)
        level.runs.clear();
    ++m_clears;
}

void ScopeBuffer::append(ScopeSample sample)
{
    if (!m_samples.empty() && sample.ms < m_samples.back().ms)
        sample.ms = m_samples.back().ms;
    m_samples.push_back(sample);
    const qint64 index = m_appended++;
    for (int l = 0; l < kLevels; ++l) {
        Level &level = m_levels[l];
        const qint64 run = index >> (kShift * (l + 1));
        if (level.runs.empty())
            level.base = run;
        if (run >= level.base + qint64(level.runs.size()))
            level.runs.emplace_back();
        level.runs.back().take(sample);
    }
    if (m_keepMs <= 0)
        return;
    while (m_samples.size() > 1 && sample.ms - m_samples.front().ms > m_keepMs)
        dropFront();
}

void ScopeBuffer::dropFront()
{
    m_samples.pop_front();
    const qint64 dropped = m_appended - qint64(m_samples.size());
    for (int l = 0; l < kLevels; ++l) {
        Level &level = m_levels[l];
        while (!level.runs.empty() && (level.base + 1) << (kShift * (l + 1)) <= dropped) {
            level.runs.pop_front();
            ++level.base;
        }
    }
}

SampleSummary ScopeBuffer::summary(int from, int to) const
{
    SampleSummary out;
    const qint64 dropped = m_appended - qint64(m_samples.size());
    qint64 a = dropped + qMax(from, 0);
    const qint64 b = dropped + qMin(to, size());
    while (a < b) {
        // The longest run that starts here and ends inside.
        int l = 0;
        while (l < kLevels) {
            const qint64 length = qint64(1) << (kShift * (l + 1));
            if ((a & (length - 1)) != 0 || a + length > b)
                break;
            ++l;
        }
        if (l == 0) {
            out.take(m_samples[size_t(a - dropped)]);
            ++a;
        } else {
            const Level &level = m_levels[l - 1];
            out.take(level.runs[size_t((a >> (kShift * l)) - level.base)]);
            a += qint64(1) << (kShift * l);
        }
    }
    return out;
}

SampleSummary ScopeBuffer::summaryOf(qint64 fromMs, qint64 toMs) const
{
    if (toMs < fromMs)
        return SampleSummary();
    return summary(lowerBound(fromMs), toMs == std::numeric_limits<qint64>::max() ? size() : lowerBound(toMs + 1));
}

int ScopeBuffer::lowerBound(qint64 ms) const
{
    const auto it = std::lower_bound(m_samples.begin(), m_samples.end(), ms,
                                     [](const ScopeSample &s, qint64 t) { return s.ms < t; });
    return int(it - m_samples.begin());
}

const ScopeSample *ScopeBuffer::sampleAt(qint64 ms) const
{
    const auto it = std::upper_bound(m_samples.begin(), m_samples.end(), ms,
                                     [](qint64 t, const ScopeSample &s) { return t < s.ms; });
    if (it == m_samples.begin())
        return nullptr;
    return &*(it - 1);
}

TraceStats traceStats(const ScopeBuffer &buffer, Trace trace, qint64 fromMs, qint64 toMs)
{
    const TraceColumn c = buffer.summaryOf(fromMs, toMs).trace[int(trace)];
    TraceStats stats;
    stats.count = c.count;
    if (c.count > 0) {
        stats.min = c.min;
        stats.max = c.max;
        stats.mean = c.sum / c.count;
    }
    return stats;
}

QVector<TraceColumn> traceColumns(const ScopeBuffer &buffer, Trace trace, qint64 fromMs, qint64 toMs, int columns)
{
    QVector<TraceColumn> out(qMax(columns, 0));
    if (columns <= 0 || toMs <= fromMs)
        return out;
    const int t = int(trace);
    const double span = double(toMs - fromMs);
    for (int i = buffer.lowerBound(fromMs); i < buffer.size() && buffer.at(i).ms <= toMs; ++i) {
        const ScopeSample &s = buffer.at(i);
        const float v = s.value[t];
        if (std::isnan(v))
            continue;
        const int c = qMin(columns - 1, int(double(s.ms - fromMs) * columns / span));
        out[c].take(v);
    }
    return out;
}

qint64 ScopeColumns::columnOf(qint64 ms) const
{
    return qint64(std::floor(ms / m_msPerColumn));
}

qint64 ScopeColumns::startMs(qint64 c) const
{
    // The least ms whose column is c, as columnOf() rounds it.
    qint64 ms = qint64(std::ceil(c * m_msPerColumn));
    while (columnOf(ms - 1) >= c)
        --ms;
    while (columnOf(ms) < c)
        ++ms;
    return ms;
}

void ScopeColumns::fill(const ScopeBuffer &buffer, qint64 from, qint64 to, bool atFront)
{
    std::deque<Column> made;
    int i = buffer.lowerBound(startMs(from));
    for (qint64 c = from; c <= to; ++c) {
        const int j = buffer.lowerBound(startMs(c + 1));
        made.push_back(buffer.summary(i, j));
        i = j;
    }
    if (atFront)
        m_columns.insert(m_columns.begin(), made.begin(), made.end());
    else
        m_columns.insert(m_columns.end(), made.begin(), made.end());
}

void ScopeColumns::update(const ScopeBuffer &buffer, double msPerColumn, qint64 first, qint64 last)
{
    if (last < first)
        last = first;
    const qint64 end = m_base + qint64(m_columns.size()); // one past the last column held
    const bool stale = msPerColumn != m_msPerColumn || buffer.clears() != m_clears || m_columns.empty()
        || buffer.appended() - m_taken > buffer.size() || last < m_base || first >= end;
    if (stale) {
        // Everything in view anew, from the samples the buffer holds.
        m_msPerColumn = msPerColumn;
        m_clears = buffer.clears();
        m_columns.clear();
        m_base = first;
        fill(buffer, first, last, false);
    } else {
        // What came since into the columns held; what falls beyond them is
        // counted when the view reaches there.
        for (int i = buffer.size() - int(buffer.appended() - m_taken); i < buffer.size(); ++i) {
            const qint64 c = columnOf(buffer.at(i).ms);
            if (c >= end)
                break;
            if (c >= m_base)
                m_columns[size_t(c - m_base)].take(buffer.at(i));
        }
        if (first < m_base) {
            fill(buffer, first, m_base - 1, true);
            m_base = first;
        }
        if (last >= end)
            fill(buffer, end, last, false);
    }
    m_taken = buffer.appended();
    // What scrolled out of view goes; as much again is kept for a step back.
    const qint64 margin = last - first;
    while (m_base < first - margin && !m_columns.empty()) {
        m_columns.pop_front();
        ++m_base;
    }
    while (m_base + qint64(m_columns.size()) - 1 > last + margin)
        m_columns.pop_back();
}

const ScopeColumns::Column *ScopeColumns::column(qint64 c) const
{
    if (c < m_base || c >= m_base + qint64(m_columns.size()))
        return nullptr;
    return &m_columns[size_t(c - m_base)];
}
