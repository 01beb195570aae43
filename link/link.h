#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QPair>
#include <QVector>

#include <functional>
#include <memory>

#include "fields.h"
#include "packets.h"
#include "packetstream.h"
#include "protocol.h"

Q_DECLARE_METATYPE(PacketResult)

// What the settings read back after a write said about it.
struct VerifyResult {
    struct Difference {
        Field field;
        int index;
        int sent;
        int read;
    };
    int received = 0;          // sections that came back
    QList<int> missing;        // sections that did not
    QList<Difference> differences; // over the fields both the frames and the sections carry
    bool verified() const { return missing.isEmpty() && differences.isEmpty(); }
};
Q_DECLARE_METATYPE(VerifyResult)

class QIODevice;
class TrimBlock;

// The pauses of the protocol, in milliseconds. The program runs the real
// ones; tests shorten them.
struct LinkPacing {
    int guardMs = 200; // every command sits this out before it starts
    int readMs = 500;  // after the read request
    int frameMs = 800; // after each Parameter frame, while the transmitter takes it in
    int readReportMs = 2000; // after the read request, for the sections to come in
    int verifyMs = 3000; // after the read request that verifies a write
    int noDataMs = 2000; // after opening, for the first packet before the window says none came
};

// What the link to the transmitter is doing, on a serial port (the window's or
// varnix-param's): the receive path, and the commands as steps driven by a
// timer, one command at a time. Works on the process-wide Parameter set, live
// values and frame texts.
class Link : public QObject
{
    Q_OBJECT

public:
    enum Command { Idle, Read, Write, Reset, Reset2, Save, Load };
    Q_ENUM(Command)

    explicit Link(QIODevice *device, QObject *parent = nullptr);
    ~Link() override;

    void setPacing(const LinkPacing &pacing) { m_pacing = pacing; }
    // How to make written bytes leave now rather than at the device's next
    // turn of the event loop (QSerialPort::flush() twice: the write, then its
    // completion). Without it writes leave as the device schedules them.
    void setFlush(const std::function<void()> &flush) { m_flush = flush; }
    const LinkPacing &pacing() const { return m_pacing; }
    // Whether Write, the resets and Load read the settings back ("RR") after
    // their "WWW" and compare them with the frames. Off until switched on.
    void setVerify(bool on) { m_verify = on; }
    bool verifies() const { return m_verify; }

    bool isOpen() const;
    bool isBusy() const { return m_command != Idle; }
    Command command() const { return m_command; }

    // The device has just been opened: greets the transmitter with "OK".
    void opened();
    // Stops a running command, says "DIS", waits at most flushMs for it to
    // leave, then closes the device.
    void close(int flushMs);
    // The device is gone: stops a running command and closes the device
    // without writing anything.
    void lost(const QString &reason);

    // Takes what is waiting on the device, stores what every whole packet
    // in it carries (packets cut by the adapter are put together first),
    // repairs the set and acknowledges the chunk with "WWW".
    void receive();

    // The commands. Each returns false and does nothing while another runs.
    // After the guard pause a command that needs the device and finds it
    // closed emits portNeeded() and ends.
    bool read();
    bool write();
    bool factoryReset(); // stick trims ignored from the first step to the last
    bool secondReset();
    // Save and Load: prepare() runs after the guard (dialogs, the file) and
    // ends the command when it returns false. The four frames go out only
    // when the device is open; store() gets them once all are built.
    bool save(const std::function<bool()> &prepare, const std::function<void()> &store);
    bool load(const std::function<bool()> &prepare); // stick trims ignored throughout

    // Builds one frame from the set as it stands and writes it if the device
    // is open. Returns its bytes.
    QByteArray sendFrame(int frame);

    // The transmitter's settings as far as this connection has told: the
    // sections it sent (and their trims), replaced by the frames once a
    // Write, a reset or a Load has sent all four. Never the user's edits.
    const ParamSet &deviceSettings() const { return m_deviceSettings; }
    // Sections 1..19 the transmitter has sent in this connection.
    QList<int> knownSections() const;
    // Whether anything of the transmitter's settings is known at all, and
    // whether all of it is (every section, or four frames sent).
    bool deviceKnown() const { return m_framesSent || m_knownSections != 0; }
    bool deviceFullyKnown() const;
    // Whether the stick trims in deviceSettings() are the transmitter's: a
    // telemetry packet brought them in this connection (they come with no
    // settings section), or four frames sent them. Until then they are only
    // the centre the set starts with, and no file may pass them off as read.
    bool trimsKnown() const { return m_trimsKnown; }

    // The name a stopped command goes by in the log ("Load stopped after 2 of
    // 4 steps"): the enum's unless set, e.g. "write" for varnix-param's
    // write, which runs as a Load.
    void setCommandName(Command command, const QString &name);
    QString commandName(Command command) const;

    // For the running command only (cleared when it ends): every frame is
    // built from the set passed through adjust, so that values the review left
    // unticked go out as the transmitter holds them while the window's set
    // keeps them as unsent edits. A second call adds its adjust after the
    // first, which it sees done.
    void setFrameAdjust(const std::function<void(ParamSet &)> &adjust);
    // For the running command only: the verify compares these elements of
    // the read-back with promise (what the review promised) rather than with
    // the frames; a frame that carried something else shows as a difference.
    void setPromise(const ParamSet &promise, const QVector<QPair<Field, int>> &elements);

    // The reason aborted() gives when a command found no open port.
    static QString noPortReason();

    // Stops the running command: nothing more is written for it.
    void abort(const QString &reason);

signals:
    void busyChanged(bool busy);
    void started(Link::Command command, int steps);
    void progress(Link::Command command, int done, int steps);
    void finished(Link::Command command, const QList<QByteArray> &sent);
    void aborted(Link::Command command, int done, int steps, const QString &reason);
    // Save or Load ended in its dialog, by the user's choice: nothing was
    // sent or written.
    void cancelled(Link::Command command);
    // A command found no open device after its guard; it ends when this
    // returns, then reports aborted() with noPortReason().
    void portNeeded(Link::Command command);
    // Write, a reset or Load is about to send its first frame: the last
    // moment to keep a copy of what the transmitter holds.
    void aboutToOverwrite(Link::Command command);
    // After a read request: which sections came, once all 19 have, a while
    // after the request, or when the port closes or goes away before that.
    void readReport(int received, const QList<int> &missing);
    // A settings packet arrived: show it now, not at the next tick.
    void refreshNow();
    void packetReceived(const PacketResult &result);
    // The settings are being read back after a write.
    void verifying(Link::Command command);
    // What the read-back said; comes right before finished().
    void verified(Link::Command command, const VerifyResult &result);

private:
    struct Step {
        std::function<void()> run;
        int pauseMs; // holdOn: wait until the step's own timer or resume()
    };
    static constexpr int holdOn = -1;

    bool begin(Command command, int steps, bool blockTrims);
    bool reset(Command command, bool blockTrims);
    void addPrepared(const std::function<bool()> &prepare, bool ack, const std::function<void()> &last);
    void addGuard(bool needsDevice);
    void addFrames(bool ack);
    void addFinish(const std::function<void()> &last = {});
    void runSteps();
    void end();
    void send(const QByteArray &bytes);
    void learn(const PacketResult &result);
    void reportRead();
    PacketResult takeOne(const QByteArray &packet, PacketKind kind);
    void acknowledge();
    void streamTimeout();
    void armStreamTimer();
    void addVerify();
    void finishVerify();

    QIODevice *m_device;
    LinkPacing m_pacing;
    std::function<void()> m_flush;
    QTimer m_timer;

    Command m_command = Idle;
    quint64 m_generation = 0; // counts commands, so a step knows when its command ended
    QList<Step> m_steps;
    int m_done = 0;
    int m_total = 0;
    QList<QByteArray> m_sent;
    std::unique_ptr<TrimBlock> m_trimBlock;

    ParamSet m_deviceSettings;   // the transmitter's settings as far as known
    quint32 m_knownSections = 0; // bit n: section n came in this connection
    bool m_framesSent = false;   // four frames went out in this connection
    bool m_trimsKnown = false;   // the trims of m_deviceSettings are the transmitter's
    QHash<int, QString> m_names; // commands named other than by the enum
    QByteArray m_frames[protocol::frameCount];    // the frames of the running command as sent
    quint32 m_readSections = 0;  // bit n: section n came since the last read request
    QTimer m_readTimer;          // how long a read's answers are waited for

    PacketStream m_stream;       // bytes of packets still incomplete
    QTimer m_streamTimer;        // until the stream decides what it holds
    QElapsedTimer m_clock;       // when the bytes came, for the stream
    bool m_verify = false;
    bool m_verifying = false;    // settings packets go to m_readBack
    ParamSet m_sentSet;          // what the frames of the running command carried
    ParamSet m_readBack;         // what the transmitter reported after them
    quint32 m_verifySections = 0;
    QVector<std::function<void(ParamSet &)>> m_adjust; // the running command's frames, see setFrameAdjust
    ParamSet m_promise;
    QVector<QPair<Field, int>> m_promised;
};
