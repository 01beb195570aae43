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

// What one trace does over a run of samples: the first, last, lowest and
// highest known value and their sum. count 0: nothing known in the run.
struct TraceColumn {
    int count = 0;
    float first = 0;
    float last = 0;
    float min = 0;
    float max = 0;
    double sum = 0;

    void take(float v);
    // Takes in a run that follows this one.
    void take(const TraceColumn &later);
};

// The same for every trace at once.
struct SampleSummary {
    TraceColumn trace[traceCount];

    void take(const ScopeSample &s);
    void take(const SampleSummary &later);
};

// Samples over time, oldest first, at times that never go backwards. A live
// scope keeps the last keepMs and drops what is older; a recording keeps all.
class ScopeBuffer
{
public:
    explicit ScopeBuffer(qint64 keepMs = 0) : m_keepMs(keepMs) {}

    // A sample earlier than the last is taken at the last one's time.
    void append(ScopeSample sample);
    void clear();
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

    // The samples from..to-1 summed up, at a cost that grows with the log of
    // their number: a recording of days is summed up as fast as a second.
    SampleSummary summary(int from, int to) const;
    // The samples at times in [fromMs, toMs].
    SampleSummary summaryOf(qint64 fromMs, qint64 toMs) const;

private:
    void dropFront();

    // Runs of 32, 32^2 ... samples summed up, at absolute sample indexes
    // (counted from the first sample ever appended) that are multiples of
    // their length. A run is used only when all of it is held.
    static const int kLevels = 4;
    static const int kShift = 5;
    struct Level {
        qint64 base = 0; // index of runs.front(), in runs of this level
        std::deque<SampleSummary> runs;
    };
    Level m_levels[kLevels];
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

QVector<TraceColumn> traceColumns(const ScopeBuffer &buffer, Trace trace, qint64 fromMs, qint64 toMs, int columns);

// The columns of every trace at once, for a view cut into columns of
// msPerColumn that start at multiples of it: column c holds the samples of
// [c * msPerColumn, (c + 1) * msPerColumn). Kept from frame to frame, it takes
// in only what was appended since, so a frame costs the same whatever the
// packet rate; a zoom or a pan to times it does not hold rebuilds it.
// Only the columns in view are held, and as many again on either side for a
// step back; their number follows the view, never the length of the buffer.
class ScopeColumns
{
public:
    using Column = SampleSummary;

    // Brings the columns first..last (absolute indexes) up to date.
    void update(const ScopeBuffer &buffer, double msPerColumn, qint64 first, qint64 last);
    const Column *column(qint64 c) const;
    double msPerColumn() const { return m_msPerColumn; }
    int held() const { return int(m_columns.size()); }

private:
    qint64 columnOf(qint64 ms) const;
    // The first time that falls into column c.
    qint64 startMs(qint64 c) const;
    // Columns from..to made from the buffer, at the back or the front.
    void fill(const ScopeBuffer &buffer, qint64 from, qint64 to, bool atFront);

    double m_msPerColumn = 0;
    qint64 m_base = 0; // absolute index of m_columns.front()
    std::deque<Column> m_columns; // each holds every sample up to m_taken
    qint64 m_taken = 0; // buffer.appended() when last brought up to date
    int m_clears = -1;
};
