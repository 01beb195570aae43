#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "protocol.h"

struct LiveValues;

// The live values as one recorded row: what a recording, `varnix-param
// monitor --csv` and the log viewer share. Units are the ones a pilot reads:
// channel output (1000 is centre), volts, dBm and trims as the live page
// shows them (0 is centre).
struct LiveSample
{
    static constexpr int channels = 8;
    static constexpr int trims = 4;

    double seconds = 0;        // from the start of the recording
    int channel[channels] = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
    double txVolts = 0;
    double rxVolts = 0;
    double extVolts = 0;
    bool hasRssi = false;      // the receiver reported a signal
    int rssiDbm = 0;
    int trim[trims] = {0, 0, 0, 0};
};

// The sample the live values stand for at the given time. stickTrim is the
// Parameter set's trim array, indexed 1..4 as in the set.
LiveSample liveSample(const LiveValues &live, const int stickTrim[protocol::trimCount + 1], double seconds);

// The columns, in order: time_s, ch1..ch8, tx_v, rx_v, ext_v, rssi_dbm,
// trim1..trim4. Numbers are written with a '.' whatever the locale; a
// missing RSSI is an empty field.
QByteArray liveCsvHeader();
QByteArray liveCsvRow(const LiveSample &s);

// What could be read of a recording. A file is read up to its first line
// that is not a whole row; problem then says why and line where (1-based).
struct LiveCsvRead
{
    QVector<LiveSample> samples;
    bool complete = false;
    int line = 0;
    QString problem;
};

LiveCsvRead readLiveCsv(const QByteArray &text);

// The same, piece by piece as the file comes off the disk: a recording of
// hundreds of megabytes is never held whole.
class LiveCsvReader
{
public:
    // Takes the next bytes and appends the rows they complete to out.
    // False once reading has stopped (problem() says why).
    bool feed(const char *data, qint64 size, QVector<LiveSample> &out);
    // The end of the file: what a last line without its end says.
    void finish();
    // Reading stopped for a reason other than the text (a read error).
    void fail(const QString &why);

    bool stopped() const { return !m_problem.isEmpty(); }
    bool complete() const { return m_finished && m_problem.isEmpty(); }
    int line() const { return m_problemLine; }
    QString problem() const { return m_problem; }

private:
    bool takeLine(const char *begin, const char *end, QVector<LiveSample> &out);
    void stop(int line, const QString &why);

    QByteArray m_carry; // the start of a line whose end has not come yet
    int m_lines = 0;    // whole lines taken
    qint64 m_bytes = 0;
    bool m_finished = false;
    int m_problemLine = 0;
    QString m_problem;
};
