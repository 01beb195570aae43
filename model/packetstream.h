#pragma once

#include <QByteArray>
#include <QVarLengthArray>

#include "packets.h"

// Takes Device packets out of the bytes as the port delivers them, however a
// USB adapter cut or joined them. Packets are known only by their lengths
// and marker bytes, so the stream decides at the head of what it holds:
//
// - a live packet starts FE 18 or FE 19 (20 bytes), a settings packet FE
//   and has FE at byte 11 (12 bytes), the 8-byte packet has AA at byte 2;
// - a head that could still grow into a longer packet waits for the bytes
//   that settle it (an 8-byte packet FE xx AA may be section 17's head, a
//   12-byte FE 19 .. FE the head of a telemetry packet);
// - of two whole readings, the one followed by something that can start a
//   packet wins, the longer one on a tie;
// - a byte that cannot start a packet is skipped, one at a time, so a packet
//   behind junk is found.
//
// A chunk that is one whole, unambiguous packet is handed on as it is. Pure:
// the owner says when time has passed (settle(), expire()). It holds at
// most a longest packet and the two bytes after it.
class PacketStream
{
public:
    // How long a whole but ambiguous head waits for the bytes that settle
    // it, and how long anything waits for the rest of a packet.
    static constexpr int settleMs = 30;
    static constexpr int staleMs = 100;

    struct Packet {
        PacketKind kind;
        QByteArray bytes;
    };
    using Packets = QVarLengthArray<Packet, 4>;

    // The kind of a chunk that is exactly one packet and could be nothing
    // else, as feed() would find it; Unrecognised for any other chunk. While
    // nothing is held, such a chunk can be taken as it is.
    static PacketKind wholeKind(const QByteArray &bytes);

    // Adds received bytes; returns the packets they complete, in order.
    Packets feed(const QByteArray &bytes);
    // No bytes came for settleMs: an ambiguous head is taken as the packet it
    // already is. What waits for the rest of a packet stays.
    Packets settle();
    // No bytes came for staleMs: whole packets still held are taken, the
    // rest is dropped.
    Packets expire();

    // Bytes held for what comes next.
    int held() const { return m_buffer.size(); }
    // The head is a whole packet that more bytes could still turn into
    // another: settle() decides it.
    bool undecided() const { return m_undecided; }
    // Bytes skipped and dropped since the start.
    qint64 junk() const { return m_junk; }
    void clear();

private:
    enum class Pass { More, Settle, Final };
    Packets run(const QByteArray &data, Pass pass);

    QByteArray m_buffer;
    bool m_undecided = false;
    qint64 m_junk = 0;
};
