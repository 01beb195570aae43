#pragma once

#include <QVector>
#include <QtGlobal>

#include <deque>

struct LiveSample;

// The traces of the channel scope: the eight channel outputs (1000 is
// centre), the three batteries in volts and the RSSI in dBm.
enum class Trace { CH1, CH2, CH3, CH4, CH5, CH6, CH7, CH8, TxVolt, RxVolt, ExtVolt, Rssi };
const int traceCount = 12;

// The live values at one moment, in the units the scope shows. A value not
// known (no signal, nothing received yet) is NaN.
struct ScopeSample {
    qint64 ms = 0; // since the start of the stream or the recording
    float value[traceCount];
    ScopeSample();
};

// A recorded or live sample as the scope draws it.
ScopeSample scopeSample(const LiveSample &sample);

// Samples over time, oldest first, at times that never go backwards. A live
// scope keeps the last keepMs and drops what is older; a recording keeps all.
class ScopeBuffer
{
public:
    explicit ScopeBuffer(qint64 keepMs = 0) : m_keepMs(keepMs) {}

    // A sample earlier than the last is taken at the last one's time.
    void append(ScopeSample sample);
    void clear()
    {
        m_samples.clear();
        ++m_clears;
    }
    // Samples appended since the buffer was made, and how often it was
    // cleared: what a reader that keeps its own summary needs to catch up.
    qint64 appended() const { return m_appended; }
    int clears() const { return m_clears; }

    int size() const { return int(m_samples.size()); }
    bool isEmpty() const { return m_samples.empty(); }
    const ScopeSample &at(int i) const { return m_samples[size_t(i)]; }
    qint64 firstMs() const { return isEmpty() ? 0 : m_samples.front().ms; }
    qint64 lastMs() const { return isEmpty() ? 0 : m_samples.back().ms; }
    qint64 keepMs() const { return m_keepMs; }

    // The first sample at or after ms (size() when there is none).
    int lowerBound(qint64 ms) const;
    // The last sample at or before ms, or null.
    const ScopeSample *sampleAt(qint64 ms) const;

private:
    std::deque<ScopeSample> m_samples;
    qint64 m_keepMs;
    qint64 m_appended = 0;
    int m_clears = 0;
};

// Minimum, maximum and mean of one trace over [fromMs, toMs]; unknown values
// are left out. count 0: nothing known in the span.
struct TraceStats {
    int count = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
};

TraceStats traceStats(const ScopeBuffer &buffer, Trace trace, qint64 fromMs, qint64 toMs);

// What one trace does inside each of `columns` equal slices of [fromMs, toMs]:
// the first, last, lowest and highest known value. A slice with no known
// value has count 0. Drawing a trace is then one short line per pixel
// column, whatever the number of samples.
struct TraceColumn {
    int count = 0;
    float first = 0;
    float last = 0;
    float min = 0;
    float max = 0;
};

QVector<TraceColumn> traceColumns(const ScopeBuffer &buffer, Trace trace, qint64 fromMs, qint64 toMs, int columns);

// The columns of every trace at once, for a view cut into columns of
// msPerColumn that start at multiples of it: column c holds the samples of
// [c * msPerColumn, (c + 1) * msPerColumn). Kept from frame to frame, it takes
// in only what was appended since, so a frame costs the same whatever the
// packet rate; a zoom or a pan to times it does not hold rebuilds it.
class ScopeColumns
{
public:
    struct Column {
        TraceColumn trace[traceCount];
    };

    // Brings the columns first..last (absolute indexes) up to date.
    void update(const ScopeBuffer &buffer, double msPerColumn, qint64 first, qint64 last);
    const Column *column(qint64 c) const;
    double msPerColumn() const { return m_msPerColumn; }

private:
    void add(const ScopeSample &s);

    double m_msPerColumn = 0;
    qint64 m_base = 0; // absolute index of m_columns.front()
    std::deque<Column> m_columns;
    qint64 m_taken = 0; // buffer.appended() when last brought up to date
    int m_clears = -1;
};
