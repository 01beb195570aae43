#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

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
LiveSample liveSample(const LiveValues &live, const int stickTrim[5], double seconds);

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
