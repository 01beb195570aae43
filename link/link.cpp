#include "link.h"

#include <QDebug>
#include <QIODevice>
#include <QMetaEnum>

#include "frames.h"
#include "paramset.h"
#include "rules.h"

// Telemetry must not move the stick trims while a command owns them. Held
// for the whole command, however it ends.
class TrimBlock
{
public:
    TrimBlock() { liveValues.trimUpdateBlocked = 1; }
    ~TrimBlock() { liveValues.trimUpdateBlocked = 0; }
    TrimBlock(const TrimBlock &) = delete;
    TrimBlock &operator=(const TrimBlock &) = delete;
};

namespace {

const char *const frameLogFormats[4] = {"Str1Blength:%d", "Str2Blength:%d", "Str3Blength:%d",
                                        "Str4Blength:%d"};

void repair()
{
    drDataSelet(paramSet);
    falseSaveData(paramSet);
}

} // namespace

Link::Link(QIODevice *device, QObject *parent)
    : QObject(parent)
    , m_device(device)
{
    qRegisterMetaType<Link::Command>();
    qRegisterMetaType<PacketResult>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Link::runSteps);
    m_readTimer.setSingleShot(true);
    connect(&m_readTimer, &QTimer::timeout, this, &Link::reportRead);
}

Link::~Link() = default;

bool Link::isOpen() const
{
    return m_device->isOpen();
}

void Link::opened()
{
    // What the transmitter holds is learnt anew on every connection.
    m_deviceSettings = ParamSet();
    m_knownSections = 0;
    m_framesSent = false;
    m_readTimer.stop();
    m_device->write("OK");
}

QList<int> Link::knownSections() const
{
    QList<int> known;
    for (int section = 1; section <= 19; ++section)
        if (m_knownSections & (1u << section))
            known << section;
    return known;
}

bool Link::deviceFullyKnown() const
{
    return m_framesSent || knownSections().size() == 19;
}

void Link::close(int flushMs)
{
    abort(QStringLiteral("port closed"));
    m_readTimer.stop();
    if (!isOpen())
        return;
    m_device->write("DIS");
    // close() drops whatever is still buffered, so let "DIS" leave first; a
    // vanished device must not hang us.
    if (m_device->bytesToWrite() > 0)
        m_device->waitForBytesWritten(flushMs);
    m_device->close();
}

void Link::lost(const QString &reason)
{
    abort(reason);
    m_readTimer.stop();
    if (isOpen())
        m_device->close();
}

void Link::receive()
{
    const QByteArray chunk = m_device->readAll();
    if (chunk.isEmpty())
        return;
    const PacketResult result = decodePacket(chunk, paramSet, liveValues);
    if (result.refresh) {
        // Repair before showing: a spin box would clamp an out-of-range value
        // to its own limit and write that back before the range rule's
        // replacement could take its place. What the transmitter said is
        // taken before the widgets can clamp it, too.
        repair();
        learn(result);
        emit refreshNow();
    }
    repair();
    if (!result.refresh)
        learn(result);
    m_device->write("WWW");
    if (m_flush)
        m_flush();
    emit packetReceived(result);
}

QByteArray Link::sendFrame(int frame)
{
    QString &text = frameTexts.text[frame];
    buildFrame(paramSet, frame, text);
    qDebug(frameLogFormats[frame], int(text.length()));
    const QByteArray bytes = text.toUtf8();
    if (isOpen())
        m_device->write(bytes);
    return bytes;
}

// Keeps what a packet told about the transmitter's settings, apart from the
// set the user edits.
void Link::learn(const PacketResult &result)
{
    if (result.kind == PacketKind::Telemetry && !liveValues.trimUpdateBlocked) {
        for (int t = 1; t <= 4; ++t)
            m_deviceSettings.stickTrim[t] = paramSet.stickTrim[t];
        return;
    }
    if (result.section <= 0)
        return;
    copySectionFields(result.section, paramSet, m_deviceSettings);
    drDataSelet(m_deviceSettings);
    m_knownSections |= 1u << result.section;
    if (m_readTimer.isActive()) {
        m_readSections |= 1u << result.section;
        if (m_readSections == (1u << 20) - 2) {
            m_readTimer.stop();
            reportRead();
        }
    }
}

void Link::reportRead()
{
    int received = 0;
    QList<int> missing;
    for (int section = 1; section <= 19; ++section) {
        if (m_readSections & (1u << section))
            ++received;
        else
            missing << section;
    }
    emit readReport(received, missing);
}

void Link::send(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_device->write(bytes);
    m_sent.append(bytes);
}

// ------------------------------------------------------------------ commands

bool Link::read()
{
    if (!begin(Read, 1, false))
        return false;
    addGuard(true);
    m_steps.append({[this] {
                        send("RR");
                        // The answers are counted for a while longer than the
                        // command waits; the report comes when all are in.
                        m_readSections = 0;
                        m_readTimer.start(m_pacing.readReportMs);
                        emit progress(m_command, ++m_done, m_total);
                    },
                    m_pacing.readMs});
    addFinish();
    runSteps();
    return true;
}

bool Link::write()
{
    if (!begin(Write, 4, false))
        return false;
    addGuard(true);
    addFrames(true);
    addFinish();
    runSteps();
    return true;
}

bool Link::factoryReset()
{
    return reset(Reset, true);
}

bool Link::secondReset()
{
    return reset(Reset2, false);
}

bool Link::reset(Command command, bool blockTrims)
{
    if (!begin(command, 4, blockTrims))
        return false;
    addGuard(true);
    m_steps.append({[] {
                        restData(paramSet);
                        restData2(paramSet);
                    },
                    0});
    addFrames(true);
    addFinish();
    runSteps();
    return true;
}

bool Link::save(const std::function<bool()> &prepare, const std::function<void()> &store)
{
    if (!begin(Save, 4, false))
        return false;
    addGuard(false);
    addPrepared(prepare, false, store);
    runSteps();
    return true;
}

bool Link::load(const std::function<bool()> &prepare)
{
    if (!begin(Load, 4, true))
        return false;
    addGuard(false);
    addPrepared(prepare, true, [this] {
        m_trimBlock.reset();
        repair();
    });
    runSteps();
    return true;
}

// Save and Load: the window's dialogs and file work, then the frames.
void Link::addPrepared(const std::function<bool()> &prepare, bool ack, const std::function<void()> &last)
{
    m_steps.append({[this, prepare, ack, last] {
                        const quint64 command = m_generation;
                        const bool go = prepare();
                        if (command != m_generation)
                            return; // stopped while a dialog was up
                        if (!go) {
                            end();
                            return;
                        }
                        addFrames(ack);
                        addFinish(last);
                    },
                    0});
}

void Link::abort(const QString &reason)
{
    if (!isBusy())
        return;
    const Command command = m_command;
    const int done = m_done;
    const int total = m_total;
    qWarning("%s stopped after %d of %d steps: %s", QMetaEnum::fromType<Command>().valueToKey(command),
             done, total, qPrintable(reason));
    end();
    emit aborted(command, done, total, reason);
}

bool Link::begin(Command command, int steps, bool blockTrims)
{
    if (isBusy())
        return false;
    m_command = command;
    ++m_generation;
    m_steps.clear();
    m_done = 0;
    m_total = steps;
    m_sent.clear();
    if (blockTrims)
        m_trimBlock = std::make_unique<TrimBlock>();
    emit busyChanged(true);
    emit started(command, steps);
    return true;
}

void Link::addGuard(bool needsDevice)
{
    m_steps.append({{}, m_pacing.guardMs});
    if (!needsDevice)
        return;
    m_steps.append({[this] {
                        if (isOpen())
                            return;
                        emit portNeeded(m_command);
                        end();
                    },
                    0});
}

// The four frames, each built when its turn comes so that packets decoded
// during the pauses reach the frames after them. With the device closed
// (Save, Load) they are only built.
void Link::addFrames(bool ack)
{
    const bool open = isOpen();
    // Save only copies the settings into a file; the others overwrite the
    // transmitter's.
    const bool overwrites = open && m_command != Save;
    if (overwrites)
        m_steps.append({[this] { emit aboutToOverwrite(m_command); }, 0});
    for (int frame = FrameS; frame <= FrameI; ++frame) {
        m_steps.append({[this, frame] {
                            // The factory reset's trims go back to centre right
                            // before the trim frame, whatever telemetry did meanwhile.
                            if (frame == FrameI && (m_command == Reset || m_command == Reset2))
                                for (int t = 1; t <= 4; ++t)
                                    paramSet.stickTrim[t] = 120;
                            m_frames[frame] = sendFrame(frame);
                            if (isOpen())
                                m_sent.append(m_frames[frame]);
                            emit progress(m_command, ++m_done, m_total);
                        },
                        open ? m_pacing.frameMs : 0});
    }
    if (ack && open)
        m_steps.append({[this] { send("WWW"); }, 0});
    if (overwrites) {
        // All four went out: the transmitter now holds what they carry.
        m_steps.append({[this] {
                            for (int frame = FrameS; frame <= FrameI; ++frame)
                                decodeFrameFields(QString::fromLatin1(m_frames[frame]), 0, frame, m_deviceSettings);
                            m_framesSent = true;
                        },
                        0});
    }
}

void Link::addFinish(const std::function<void()> &last)
{
    m_steps.append({[this, last] {
                        if (last)
                            last();
                        const Command command = m_command;
                        const QList<QByteArray> sent = m_sent;
                        end();
                        emit finished(command, sent);
                    },
                    0});
}

void Link::runSteps()
{
    const quint64 command = m_generation;
    while (isBusy() && !m_steps.isEmpty()) {
        const Step step = m_steps.takeFirst();
        if (step.run)
            step.run();
        if (command != m_generation)
            return; // the step ended the command, or something stopped it
        if (step.pauseMs > 0) {
            m_timer.start(step.pauseMs);
            return;
        }
    }
}

void Link::end()
{
    m_timer.stop();
    m_steps.clear();
    m_command = Idle;
    ++m_generation;
    m_trimBlock.reset();
    m_sent.clear();
    emit busyChanged(false);
}
