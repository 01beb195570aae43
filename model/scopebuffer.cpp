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

void ScopeBuffer::append(ScopeSample sample)
{
    if (!m_samples.empty() && sample.ms < m_samples.back().ms)
        sample.ms = m_samples.back().ms;
    m_samples.push_back(sample);
    ++m_appended;
    if (m_keepMs <= 0)
        return;
    while (m_samples.size() > 1 && sample.ms - m_samples.front().ms > m_keepMs)
        m_samples.pop_front();
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
    TraceStats stats;
    const int t = int(trace);
    double sum = 0;
    for (int i = buffer.lowerBound(fromMs); i < buffer.size() && buffer.at(i).ms <= toMs; ++i) {
        const float v = buffer.at(i).value[t];
        if (std::isnan(v))
            continue;
        if (stats.count == 0 || v < stats.min)
            stats.min = v;
        if (stats.count == 0 || v > stats.max)
            stats.max = v;
        sum += v;
        ++stats.count;
    }
    if (stats.count > 0)
        stats.mean = sum / stats.count;
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
        TraceColumn &col = out[c];
        if (col.count == 0) {
            col.first = col.min = col.max = v;
        } else {
            col.min = qMin(col.min, v);
            col.max = qMax(col.max, v);
        }
        col.last = v;
        ++col.count;
    }
    return out;
}

namespace {

void take(TraceColumn &col, float v)
{
    if (col.count == 0) {
        col.first = col.min = col.max = v;
    } else {
        if (v < col.min)
            col.min = v;
        if (v > col.max)
            col.max = v;
    }
    col.last = v;
    ++col.count;
}

} // namespace

void ScopeColumns::add(const ScopeSample &s)
{
    const qint64 c = qint64(std::floor(s.ms / m_msPerColumn));
    if (m_columns.empty())
        m_base = c;
    if (c < m_base)
        return;
    while (m_base + qint64(m_columns.size()) <= c)
        m_columns.emplace_back();
    Column &col = m_columns[size_t(c - m_base)];
    for (int t = 0; t < traceCount; ++t)
        if (!std::isnan(s.value[t]))
            take(col.trace[t], s.value[t]);
}

void ScopeColumns::update(const ScopeBuffer &buffer, double msPerColumn, qint64 first, qint64 last)
{
    const bool stale = msPerColumn != m_msPerColumn || buffer.clears() != m_clears || m_columns.empty()
        || first < m_base || buffer.appended() - m_taken > buffer.size();
    if (stale) {
        // Everything in view anew, from the samples the buffer holds.
        m_msPerColumn = msPerColumn;
        m_clears = buffer.clears();
        m_columns.clear();
        m_base = first;
        m_columns.emplace_back();
        const qint64 fromMs = qint64(std::floor(first * msPerColumn));
        for (int i = buffer.lowerBound(fromMs); i < buffer.size(); ++i)
            add(buffer.at(i));
    } else {
        for (int i = buffer.size() - int(buffer.appended() - m_taken); i < buffer.size(); ++i)
            add(buffer.at(i));
    }
    m_taken = buffer.appended();
    // What scrolled out of view goes; a little is kept for a step back.
    const qint64 keepFrom = first - (last - first);
    while (m_base < keepFrom && !m_columns.empty()) {
        m_columns.pop_front();
        ++m_base;
    }
}

const ScopeColumns::Column *ScopeColumns::column(qint64 c) const
{
    if (c < m_base || c >= m_base + qint64(m_columns.size()))
        return nullptr;
    return &m_columns[size_t(c - m_base)];
}
