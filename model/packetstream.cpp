#include "packetstream.h"

#include "protocol.h"

#include <QVarLengthArray>

using namespace protocol;

namespace {

// The section number of a settings code; 0 for an unknown code.
int sectionOfCode(int code)
{
    for (int k = 0; k < settingsSectionCount; ++k)
        if (settingsSections[k].code == code)
            return settingsSections[k].number;
    return 0;
}

// The bytes from a position on; -1 for one not received yet.
struct View {
    const unsigned char *d;
    int size;
    int at(int i) const { return i < size ? d[i] : -1; }
};

// One way to read the bytes at a position as a packet.
struct Reading {
    PacketKind kind;
    int length;
    bool fits;     // every marker received so far is in its place
    bool evidence; // a marker of this kind is among the bytes received
    bool named;    // byte 1 says this kind, as the transmitter's encoder writes it
};

constexpr int kinds = 3;

// The readings at v, longest first. An unknown byte matches anything.
void readingsAt(const View &v, Reading (&r)[kinds])
{
    const bool fe = v.at(0) == marker;
    const int type = v.at(1);
    r[0] = {type == channelType ? PacketKind::Channel : PacketKind::Telemetry, livePacketLength,
            fe && (type < 0 || type == channelType || type == telemetryType), fe,
            type == channelType || type == telemetryType};
    r[1] = {PacketKind::Settings, settingsPacketLength, fe && (v.at(11) < 0 || v.at(11) == marker), fe, false};
    // Looked up only where it can matter.
    if (r[1].fits && v.size >= settingsPacketLength)
        r[1].named = type == sectionOfCode(v.at(2)) && type != shortSettingsSection;
    // Only byte 2 marks the 8-byte packet: one or two bytes say nothing yet.
    r[2] = {PacketKind::ShortSettings, shortSettingsLength, v.at(2) < 0 || v.at(2) == shortSettingsMarker,
            v.size > 2, type == 0};
}

constexpr int skipAction = -1;
constexpr int waitAction = -2;

// The bytes left over (skipped, or dropped in the end) by the best reading
// of data from each position on: at most (hi: as if nothing more came) and
// at least (lo: the start of a packet still coming costs nothing once a
// marker of it is in).
struct Costs {
    QVarLengthArray<int, 256> lo;
    QVarLengthArray<int, 256> hi;

    Costs(const unsigned char *d, int n)
        : lo(n + 1)
        , hi(n + 1)
    {
        lo[n] = hi[n] = 0;
        for (int i = n - 1; i >= 0; --i) {
            const View v{d + i, n - i};
            Reading r[kinds];
            readingsAt(v, r);
            int least = 1 + lo[i + 1];
            int most = 1 + hi[i + 1];
            for (const Reading &x : r) {
                if (!x.fits)
                    continue;
                if (x.length <= v.size) {
                    least = qMin(least, lo[i + x.length]);
                    most = qMin(most, hi[i + x.length]);
                } else if (x.evidence) {
                    least = 0;
                }
            }
            lo[i] = least;
            hi[i] = most;
        }
    }
};

// One thing to do at the head: skip a byte or take a whole reading, with
// the bytes it leaves over at least and at most.
struct Action {
    int what; // skipAction or the index of the reading
    int lo;
    int hi;
};

// What to do at the head of v: the index of the reading to take, skip a
// byte, or wait for more bytes. The actions are tried in the order of
// preference: skip, the reading byte 1 names, the longer. Once nothing more
// can come (final) or the stream holds its most (full), the one that leaves
// least over goes; else only one that does better whatever comes next.
int decide(const View &v, const Costs &c, int pos, bool final, bool full)
{
    Reading r[kinds];
    readingsAt(v, r);
    Action actions[kinds + 1];
    int count = 0;
    actions[count++] = {skipAction, 1 + c.lo[pos + 1], 1 + c.hi[pos + 1]};
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < kinds; ++k) {
            const Reading &x = r[k];
            if (!x.fits || x.named != (pass == 0))
                continue;
            if (x.length > v.size) {
                // The head may be the start of a packet still coming.
                if (!final)
                    return waitAction;
                continue;
            }
            actions[count++] = {k, c.lo[pos + x.length], c.hi[pos + x.length]};
        }
    }
    if (final || full) {
        const Action *best = &actions[0];
        for (int i = 1; i < count; ++i)
            if (actions[i].hi < best->hi)
                best = &actions[i];
        return best->what;
    }
    for (int a = 0; a < count; ++a) {
        bool sure = true;
        for (int b = 0; b < count && sure; ++b)
            if (b != a)
                sure = actions[a].hi < actions[b].lo || (actions[a].hi == actions[b].lo && a < b);
        if (sure)
            return actions[a].what;
    }
    return waitAction; // the bytes after the head will tell
}

} // namespace

PacketKind PacketStream::wholeKind(const QByteArray &bytes)
{
    // Whole now and whatever comes next: the same reading with the stream
    // still open and once it has closed.
    PacketStream open;
    const Packets now = open.run(bytes, false);
    if (now.size() != 1 || open.held() != 0 || now.first().bytes.size() != bytes.size())
        return PacketKind::Unrecognised;
    return now.first().kind;
}

PacketStream::Packets PacketStream::feed(const QByteArray &bytes, qint64 nowMs)
{
    Packets out;
    if (bytes.isEmpty())
        return idle(nowMs);
    // The owner did not come by in time: what was held is settled first.
    if (!m_buffer.isEmpty() && nowMs - m_lastMs >= quietMs)
        out = run(m_buffer, true);
    m_lastMs = nowMs;
    const Packets more = run(m_buffer.isEmpty() ? bytes : m_buffer + bytes, false);
    out.append(more.constData(), more.size());
    return out;
}

PacketStream::Packets PacketStream::idle(qint64 nowMs)
{
    if (m_buffer.isEmpty() || nowMs - m_lastMs < quietMs)
        return Packets();
    return run(m_buffer, true);
}

void PacketStream::clear()
{
    m_buffer.clear();
}

PacketStream::Packets PacketStream::run(const QByteArray &data, bool final)
{
    Packets out;
    const auto *d = reinterpret_cast<const unsigned char *>(data.constData());
    const int size = data.size();
    {
        // The usual read: exactly one packet, and no other reading fits its
        // head (a skip leaves at least a byte over, the packet none).
        Reading r[kinds];
        readingsAt(View{d, size}, r);
        int fitting = 0;
        const Reading *only = nullptr;
        for (const Reading &x : r)
            if (x.fits) {
                ++fitting;
                only = &x;
            }
        if (fitting == 1 && only->length == size) {
            out.append({only->kind, data});
            m_buffer.clear();
            return out;
        }
    }
    const Costs costs(d, size);
    int pos = 0;
    while (pos < size) {
        const View v{d + pos, size - pos};
        const int action = decide(v, costs, pos, final, size - pos >= holdLimit);
        if (action == waitAction)
            break;
        if (action == skipAction) {
            ++pos;
            ++m_junk;
            continue;
        }
        Reading r[kinds];
        readingsAt(v, r);
        const Reading &taken = r[action];
        // A chunk that is exactly one packet goes on as it is, uncopied.
        out.append({taken.kind, taken.length == size ? data : QByteArray(data.constData() + pos, taken.length)});
        pos += taken.length;
    }
    if (pos == 0)
        m_buffer = data;
    else if (pos == size)
        m_buffer.clear();
    else
        m_buffer = data.mid(pos);
    return out;
}
