#include "link.h"
#include "logging.h"

#include <QDebug>
#include <QIODevice>
#include <QMetaEnum>
#include <QVarLengthArray>

#include "frames.h"
#include "paramset.h"
#include "protocol.h"
#include "rules.h"

using namespace protocol;

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

const char *const frameLogFormats[protocol::frameCount] = {"Str1Blength:%d", "Str2Blength:%d", "Str3Blength:%d",
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
    qRegisterMetaType<VerifyResult>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Link::runSteps);
    m_readTimer.setSingleShot(true);
    connect(&m_readTimer, &QTimer::timeout, this, &Link::reportRead);
    m_streamTimer.setSingleShot(true);
    connect(&m_streamTimer, &QTimer::timeout, this, &Link::streamTimeout);
    m_clock.start();
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
    m_trimsKnown = false;
    m_readTimer.stop();
    m_stream.clear();
    m_streamTimer.stop();
    m_device->write(helloToken);
}

QList<int> Link::knownSections() const
{
    QList<int> known;
    for (int section = 1; section <= sectionCount; ++section)
        if (m_knownSections & (1u << section))
            known << section;
    return known;
}

bool Link::deviceFullyKnown() const
{
    return m_framesSent || m_knownSections == allSections;
}

void Link::close(int flushMs)
{
    abort(QStringLiteral("port closed"));
    const bool reading = m_readTimer.isActive();
    m_readTimer.stop();
    m_stream.clear();
    m_streamTimer.stop();
    if (isOpen()) {
        m_device->write(byeToken);
        // close() drops whatever is still buffered, so let "DIS" leave first; a
        // vanished device must not hang us.
        if (m_device->bytesToWrite() > 0)
            m_device->waitForBytesWritten(flushMs);
        m_device->close();
    }
    // A Read whose answers were still coming ends with what came.
    if (reading)
        reportRead();
}

void Link::lost(const QString &reason)
{
    abort(reason);
    const bool reading = m_readTimer.isActive();
    m_readTimer.stop();
    m_stream.clear();
    m_streamTimer.stop();
    if (isOpen())
        m_device->close();
    if (reading)
        reportRead();
}

void Link::receive()
{
    const QByteArray chunk = m_device->readAll();
    if (chunk.isEmpty())
        return;
    const PacketStream::Packets packets = m_stream.feed(chunk, m_clock.elapsed());
    if (packets.isEmpty())
        repair(); // every chunk runs the repair, as the window always did
    QVarLengthArray<PacketResult, 4> results;
    for (const PacketStream::Packet &packet : packets)
        results.append(takeOne(packet.bytes, packet.kind));
    acknowledge();
    armStreamTimer();
    for (const PacketResult &result : results)
        emit packetReceived(result);
}

// What the stream holds is decided once no bytes have come for its quiet time.
void Link::armStreamTimer()
{
    const qint64 deadline = m_stream.deadline();
    if (deadline < 0)
        m_streamTimer.stop();
    else
        m_streamTimer.start(int(qMax<qint64>(0, deadline - m_clock.elapsed())));
}

// The transmitter waits for this before its next packet, whatever the adapter
// made of the last one.
void Link::acknowledge()
{
    m_streamTimer.stop();
    m_device->write(ackToken);
    if (m_flush)
        m_flush();
}

PacketResult Link::takeOne(const QByteArray &packet, PacketKind kind)
{
    if (m_verifying && (kind == PacketKind::Settings || kind == PacketKind::ShortSettings)) {
        // The read-back of a write: kept apart, so that the user's own set is
        // not overwritten by what did not stick.
        const PacketResult result = decodePacket(packet, m_readBack, liveValues);
        if (result.section > 0) {
            m_verifySections |= 1u << result.section;
            if (m_verifySections == allSections && m_timer.isActive()) {
                m_timer.stop();
                m_timer.start(0);
            }
        }
        return result;
    }
    const PacketResult result = decodePacket(packet, paramSet, liveValues);
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
    return result;
}

// No bytes came for the stream's quiet time: what it holds is decided.
void Link::streamTimeout()
{
    const PacketStream::Packets packets = m_stream.idle(m_clock.elapsed());
    armStreamTimer();
    QVarLengthArray<PacketResult, 4> results;
    for (const PacketStream::Packet &packet : packets)
        results.append(takeOne(packet.bytes, packet.kind));
    for (const PacketResult &result : results)
        emit packetReceived(result);
}

QString Link::noPortReason()
{
    return QStringLiteral("no port open");
}

QByteArray Link::sendFrame(int frame)
{
    QString &text = frameTexts.text[frame];
    buildFrame(paramSet, frame, text);
    if (!m_adjust.isEmpty()) {
        // Settings the review left unticked go out as the transmitter has
        // them; the window's set keeps the user's values.
        ParamSet sent = paramSet;
        for (const auto &adjust : m_adjust)
            adjust(sent);
        buildFrame(sent, frame, text);
    }
    qCDebug(lcVarnix, frameLogFormats[frame], int(text.length()));
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
        for (int t = 1; t <= protocol::trimCount; ++t)
            m_deviceSettings.stickTrim[t] = paramSet.stickTrim[t];
        m_trimsKnown = true;
        return;
    }
    if (result.section <= 0)
        return;
    copySectionFields(result.section, paramSet, m_deviceSettings);
    drDataSelet(m_deviceSettings);
    m_knownSections |= 1u << result.section;
    if (m_readTimer.isActive()) {
        m_readSections |= 1u << result.section;
        if (m_readSections == allSections) {
            m_readTimer.stop();
            reportRead();
        }
    }
}

void Link::reportRead()
{
    int received = 0;
    QList<int> missing;
    for (int section = 1; section <= sectionCount; ++section) {
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
                        send(readToken);
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
    m_steps.append({[] { paramSet = factoryResetOf(paramSet); }, 0});
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
                            const Command cancelled = m_command;
                            end();
                            emit this->cancelled(cancelled);
                            return;
                        }
                        addFrames(ack);
                        addFinish(last);
                    },
                    0});
}

void Link::setCommandName(Command command, const QString &name)
{
    m_names[command] = name;
}

QString Link::commandName(Command command) const
{
    const QString name = m_names.value(command);
    return name.isEmpty() ? QString::fromLatin1(QMetaEnum::fromType<Command>().valueToKey(command)) : name;
}

void Link::setFrameAdjust(const std::function<void(ParamSet &)> &adjust)
{
    if (adjust)
        m_adjust.append(adjust);
}

void Link::setPromise(const ParamSet &promise, const QVector<QPair<Field, int>> &elements)
{
    m_promise = promise;
    m_promised = elements;
}

void Link::abort(const QString &reason)
{
    if (!isBusy())
        return;
    const Command command = m_command;
    const int done = m_done;
    const int total = m_total;
    qWarning("%s stopped after %d of %d steps: %s", qPrintable(commandName(command)), done, total,
             qPrintable(reason));
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
                        // Ended, and said so: nothing was sent.
                        const Command command = m_command;
                        const int total = m_total;
                        emit portNeeded(command);
                        if (command != m_command)
                            return;
                        end();
                        emit aborted(command, 0, total, noPortReason());
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
    for (int frame = FrameS; frame < frameCount; ++frame) {
        m_steps.append({[this, frame] {
                            // The factory reset's trims go back to centre right
                            // before the trim frame, whatever telemetry did meanwhile.
                            if (frame == FrameI && (m_command == Reset || m_command == Reset2)) {
                                const ParamSet factory = factoryResetOf(paramSet);
                                for (int t = 1; t <= protocol::trimCount; ++t)
                                    paramSet.stickTrim[t] = factory.stickTrim[t];
                            }
                            m_frames[frame] = sendFrame(frame);
                            if (isOpen())
                                m_sent.append(m_frames[frame]);
                            emit progress(m_command, ++m_done, m_total);
                        },
                        open ? m_pacing.frameMs : 0});
    }
    if (ack && open)
        m_steps.append({[this] { send(ackToken); }, 0});
    if (overwrites) {
        // All four went out: the transmitter now holds what they carry.
        m_steps.append({[this] {
                            for (int frame = FrameS; frame <= FrameI; ++frame)
                                decodeFrameFields(QString::fromLatin1(m_frames[frame]), 0, frame, m_deviceSettings);
                            m_framesSent = true;
                            m_trimsKnown = true; // the I frame carried them
                            m_sentSet = m_deviceSettings;
                            // The read-back is held to what the review promised.
                            for (const QPair<Field, int> &e : m_promised)
                                fieldRef(m_sentSet, e.first, e.second) = fieldValue(m_promise, e.first, e.second);
                        },
                        0});
        if (ack && m_verify)
            addVerify();
    }
}

// "RR" after the "WWW", then the sections that come back, until all have
// or the wait is over.
void Link::addVerify()
{
    m_steps.append({[this] {
                        m_readBack = m_deviceSettings;
                        m_verifySections = 0;
                        m_verifying = true;
                        send(readToken);
                        emit verifying(m_command);
                        m_timer.start(m_pacing.verifyMs);
                    },
                    holdOn});
    m_steps.append({[this] { finishVerify(); }, 0});
}

void Link::finishVerify()
{
    m_verifying = false;
    VerifyResult result;
    for (int section = 1; section <= sectionCount; ++section) {
        if (!(m_verifySections & (1u << section))) {
            result.missing << section;
            continue;
        }
        ++result.received;
        for (const SectionElement &e : sectionElements(section)) {
            // Only what a frame carries was written; the rest is the
            // transmitter's own (its firmware version).
            if (!frameFieldOf(e.field, e.index))
                continue;
            const int sent = fieldValue(m_sentSet, e.field, e.index);
            const int read = fieldValue(m_readBack, e.field, e.index);
            if (sent != read)
                result.differences.append({e.field, e.index, sent, read});
        }
        // What the transmitter reported is what it holds.
        copySectionFields(section, m_readBack, m_deviceSettings);
        m_knownSections |= 1u << section;
    }
    drDataSelet(m_deviceSettings);
    emit verified(m_command, result);
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
        if (step.pauseMs == holdOn)
            return;
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
    m_verifying = false;
    m_adjust.clear();
    m_promised.clear();
    emit busyChanged(false);
}

#include "moc_link.cpp"
