#include "packetstream.h"

#include "protocol.h"

using namespace protocol;

namespace {

constexpr int wait = 0;
constexpr int skip = -1;

bool isSectionCode(int code)
{
    for (int k = 0; k < settingsSectionCount; ++k)
        if (settingsSections[k].code == code)
            return true;
    return false;
}

// The bytes at the head; -1 for one not received yet.
struct View {
    const unsigned char *d;
    int size;
    int at(int i) const { return i < size ? d[i] : -1; }
};

// What each kind needs at the head. An unknown byte matches anything.
bool liveFits(const View &v)
{
    return v.at(0) == marker && (v.at(1) < 0 || v.at(1) == channelType || v.at(1) == telemetryType);
}

bool settingsFits(const View &v)
{
    return v.at(0) == marker && (v.at(11) < 0 || v.at(11) == marker);
}

bool shortFits(const View &v)
{
    return v.at(2) < 0 || v.at(2) == shortSettingsMarker;
}

// Whether a packet can start here, by the stricter test used for what follows
// a packet: a settings packet must carry a known section code. The end of
// what has come counts as a start.
bool startsPacket(const View &v)
{
    if (v.size == 0)
        return true;
    return liveFits(v) || (settingsFits(v) && (v.at(2) < 0 || isSectionCode(v.at(2)))) || shortFits(v);
}

PacketKind liveKind(const View &v)
{
    return v.at(1) == channelType ? PacketKind::Channel : PacketKind::Telemetry;
}

struct Reading {
    bool fits;
    int length;
    PacketKind kind;
};

// The readings of the head, longest first: on a tie the longer one wins.
struct Readings {
    Reading r[3];
    explicit Readings(const View &v)
        : r{{liveFits(v), livePacketLength, liveKind(v)},
            {settingsFits(v), settingsPacketLength, PacketKind::Settings},
            {shortFits(v), shortSettingsLength, PacketKind::ShortSettings}}
    {
    }
};

// How well what follows a reading backs it: the end of what has come (a
// write ends with a whole packet) or a sure start of a packet 2; one or two
// bytes that may start one 1; nothing sensible 0.
int support(const View &after)
{
    if (after.size == 0)
        return 2;
    if (!startsPacket(after))
        return 0;
    return after.size < 3 ? 1 : 2;
}

// The best-backed whole reading of the head; longest first on a tie.
int bestReading(const View &v, Reading *found)
{
    int best = -1;
    for (const Reading &r : Readings(v).r) {
        if (!r.fits || v.size < r.length)
            continue;
        const int s = support(View{v.d + r.length, v.size - r.length});
        if (s > best) {
            best = s;
            *found = r;
        }
    }
    return best;
}

// Judges the head: the length of the packet there (its kind in *kind), wait
// or skip. *ambiguous tells a wait for a head that is already whole.
int judge(const View &v, bool settling, bool final, PacketKind *kind, bool *ambiguous)
{
    bool whole = false;
    bool growing = false;
    for (const Reading &r : Readings(v).r) {
        if (!r.fits)
            continue;
        (v.size >= r.length ? whole : growing) = true;
    }
    if (!whole && !growing)
        return skip;
    if (growing && !final && (!settling || !whole)) {
        *ambiguous = whole;
        return wait;
    }
    if (!whole)
        return skip; // final: what would have grown never did

    Reading head{};
    const int backing = bestReading(v, &head);
    if (backing == 2) {
        *kind = head.kind;
        return head.length;
    }
    if (backing == 1 && !settling && !final) {
        *ambiguous = true; // the next bytes tell
        return wait;
    }
    // Weakly backed: junk that happens to look like a head, when a packet
    // that is better backed starts inside it.
    for (int i = 1; i < head.length; ++i) {
        Reading inner{};
        if (bestReading(View{v.d + i, v.size - i}, &inner) > backing)
            return skip;
    }
    *kind = head.kind;
    return head.length;
}

} // namespace

PacketKind PacketStream::wholeKind(const QByteArray &bytes)
{
    const View v{reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size())};
    switch (v.size) {
    case livePacketLength:
        return liveFits(v) ? liveKind(v) : PacketKind::Unrecognised;
    case settingsPacketLength:
        // FE 18 or FE 19 may be the head of a live packet.
        return settingsFits(v) && !liveFits(v) ? PacketKind::Settings : PacketKind::Unrecognised;
    case shortSettingsLength:
        // FE may be the head of a longer packet.
        return shortFits(v) && v.at(0) != marker ? PacketKind::ShortSettings : PacketKind::Unrecognised;
    default:
        return PacketKind::Unrecognised;
    }
}

PacketStream::Packets PacketStream::feed(const QByteArray &bytes)
{
    if (m_buffer.isEmpty()) {
        // The usual case, a read that is one whole packet, without the judge.
        const PacketKind kind = wholeKind(bytes);
        if (kind != PacketKind::Unrecognised) {
            m_undecided = false;
            Packets out;
            out.append({kind, bytes});
            return out;
        }
        return run(bytes, Pass::More);
    }
    return run(m_buffer + bytes, Pass::More);
}

PacketStream::Packets PacketStream::settle()
{
    return run(m_buffer, Pass::Settle);
}

PacketStream::Packets PacketStream::expire()
{
    Packets out = run(m_buffer, Pass::Final);
    m_junk += m_buffer.size();
    m_buffer.clear();
    return out;
}

void PacketStream::clear()
{
    m_buffer.clear();
    m_undecided = false;
}

PacketStream::Packets PacketStream::run(const QByteArray &data, Pass pass)
{
    Packets out;
    const auto *d = reinterpret_cast<const unsigned char *>(data.constData());
    const int size = data.size();
    int pos = 0;
    m_undecided = false;
    while (pos < size) {
        PacketKind kind = PacketKind::Unrecognised;
        bool ambiguous = false;
        const int n = judge(View{d + pos, size - pos}, pass == Pass::Settle, pass == Pass::Final, &kind, &ambiguous);
        if (n == skip) {
            ++pos;
            ++m_junk;
            continue;
        }
        if (n == wait) {
            m_undecided = ambiguous;
            break;
        }
        // A chunk that is exactly one packet goes on as it is, uncopied.
        out.append({kind, n == size ? data : QByteArray(data.constData() + pos, n)});
        pos += n;
    }
    if (pos == 0)
        m_buffer = data;
    else if (pos == size)
        m_buffer.clear();
    else
        m_buffer = data.mid(pos);
    return out;
}
