#pragma once

#include <QByteArray>
#include <QVector>

#include "fields.h"
#include "paramset.h"

// The unsigned big-endian 16-bit value at b[a] (high) and b[a+1] (low); a
// byte beyond the end counts as 0.
int byteArrayToInt(const QByteArray &b, int a);

enum class PacketKind {
    Empty,         // nothing read
    Channel,       // 20 bytes, FE 18
    Telemetry,     // 20 bytes, FE 19
    ShortSettings, // 8 bytes, byte 2 = AA: section 7
    Settings,      // 12 bytes, FE .. FE: one settings section (maybe unknown code)
    Unrecognised,  // wrong length or markers: dropped
};

struct PacketResult {
    PacketKind kind = PacketKind::Empty;
    int section = 0;      // 1..19 when a settings section was decoded, else 0
    bool refresh = false; // a 12-byte packet with both markers: refresh the display now
};

// Decodes one chunk as read from the port in one piece into the set and the
// live values. Logs "ReadFlag:%d" for every settings section it decodes.
// Does not run the range repair.
PacketResult decodePacket(const QByteArray &chunk, ParamSet &p, LiveValues &live);

// One data byte of a settings section: stored value = byte - bias, or, for a
// wide entry, the BE16 of this byte and the next (the next byte then has no
// entry of its own).
struct SectionByte {
    bool used;
    Field field;
    int index;
    int bias;
    bool wide;
};

struct SettingsSection {
    unsigned char code; // byte 2 of the 12-byte packet
    int number;         // value of ReadFlag
    SectionByte bytes[8]; // data bytes at offsets 3..10
};

// Sections 1..6 and 8..19, in section order. Section 7 is the 8-byte packet.
extern const SettingsSection settingsSections[];
extern const int settingsSectionCount;

// One element of the set that a settings section carries.
struct SectionElement {
    Field field;
    int index;
};
// The elements section 1..19 carries, in the order of its bytes.
QVector<SectionElement> sectionElements(int section);

// Copies the fields that settings section 1..19 carries (and the voltages of
// its companions) from one set to another.
void copySectionFields(int section, const ParamSet &from, ParamSet &to);

// The transmitter's side of the same formats, for the simulator and tests.
QByteArray encodeChannelPacket(const LiveValues &live);
QByteArray encodeTelemetryPacket(const LiveValues &live, const int stickTrim[protocol::trimCount + 1]);
// Section 1..19; 7 gives the 8-byte packet. Values are biased and clamped to
// one byte (or two for wide entries).
QByteArray encodeSettingsPacket(const ParamSet &p, int section);
