#pragma once

#include <QByteArray>
#include <QVarLengthArray>

#include "packets.h"

// Takes Device packets out of the bytes as the port delivers them, however a
// USB adapter cut or joined them and however long it held them back. Packets
// are known only by their lengths and marker bytes:
//
// - a live packet starts FE 18 or FE 19 (20 bytes), a settings packet FE
//   and has FE at byte 11 (12 bytes), the 8-byte packet has AA at byte 2;
// - of the ways to read what is held as packets, the one that leaves the
//   fewest bytes over wins (a skipped byte counts one, the start of a packet
//   still coming counts nothing once its first marker is in);
// - when two readings of the head do equally well, nothing is applied: the
//   bytes after it decide (an 8-byte packet FE xx AA may be section 17's
//   head, a 12-byte FE 19 .. FE the head of a telemetry packet), or, once
//   quietMs have passed with no bytes, the head is taken as what it already
//   is: a byte skipped before a packet, else the packet its byte 1 names
//   (00 section 7, the section's number, 18 or 19 live), else the longer;
// - the end of a chunk is no packet boundary: a chunk is only bytes;
// - a byte that cannot start a packet is skipped, so a packet behind junk is
//   found.
//
// Pure: bytes and the time they came in, packets out; the owner calls idle()
// when deadline() has come. A stream of packets as the transmitter builds
// them decodes to the same packets however it is cut, joined or delayed,
// as long as no gap inside it reaches quietMs.
class PacketStream
{
public:
    // How long the stream waits with no bytes coming before it decides what
    // it holds: longer than the latency timer of any USB adapter (FTDI: up to
    // 255 ms), so that a gap the adapter makes never settles a packet.
    static constexpr int quietMs = 300;
    // The most it holds while the bytes after the head still leave it open;
    // past that the head is taken as after quietMs.
    static constexpr int holdLimit = 64;

    struct Packet {
        PacketKind kind;
        QByteArray bytes;
    };
    using Packets = QVarLengthArray<Packet, 4>;

    // The kind of a chunk that is exactly one packet and could be nothing
    // else, whatever came after it; Unrecognised for any other chunk. While
    // nothing is held, such a chunk can be taken as it is.
    static PacketKind wholeKind(const QByteArray &bytes);

    // Adds bytes received at nowMs (any steady clock, in milliseconds);
    // returns the packets that are settled now, in order.
    Packets feed(const QByteArray &bytes, qint64 nowMs);
    // Time has passed with no bytes. From quietMs after the last ones what is
    // held is decided: whole packets are taken, the rest is dropped.
    Packets idle(qint64 nowMs);
    // When idle() decides what is held; -1 while nothing is held.
    qint64 deadline() const { return m_buffer.isEmpty() ? -1 : m_lastMs + quietMs; }

    // Bytes held for what comes next.
    int held() const { return m_buffer.size(); }
    // Bytes skipped and dropped since the start.
    qint64 junk() const { return m_junk; }
    void clear();

private:
    Packets run(const QByteArray &data, bool final);

    QByteArray m_buffer;
    qint64 m_lastMs = 0;
    qint64 m_junk = 0;
};
