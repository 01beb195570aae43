#pragma once

// What the program and the transmitter agree on, in one place: the link
// settings, the bare tokens, the packet markers and lengths, the settings
// sections, the frames and the trim centre.

namespace protocol {

// The serial link: 115200 baud, 8 data bits, no parity, one stop bit, no
// flow control.
constexpr int baudRate = 115200;
constexpr int dataBits = 8;
constexpr int stopBits = 1;

// Tokens the program sends, without terminator.
constexpr char helloToken[] = "OK";   // right after opening the port
constexpr char byeToken[] = "DIS";    // right before closing it
constexpr char readToken[] = "RR";    // asks for the settings sections
constexpr char ackToken[] = "WWW";    // after every chunk received, and after a set of frames

// Device packets: lengths and marker bytes.
constexpr unsigned char marker = 0xFE;         // byte 0 of live and settings packets, byte 11 of settings
constexpr unsigned char channelType = 0x18;    // byte 1 of a channel packet
constexpr unsigned char telemetryType = 0x19;  // byte 1 of a telemetry packet
constexpr unsigned char shortSettingsMarker = 0xAA; // byte 2 of the 8-byte packet
constexpr int livePacketLength = 20;
constexpr int settingsPacketLength = 12;
constexpr int shortSettingsLength = 8;
constexpr int longestPacket = livePacketLength;

// Settings sections 1..19; section 7 is the 8-byte packet, the others are
// 12-byte packets whose byte 2 is the section code (the table in packets.cpp).
constexpr int sectionCount = 19;
constexpr int shortSettingsSection = 7;
// Every section 1..19 as a bit, bit n for section n.
constexpr unsigned allSections = ((1u << (sectionCount + 1)) - 1) & ~1u;

// Parameter frames S, G, H and I.
constexpr int frameCount = 4;

// Stick trims 1..4, carried by the telemetry packet: 120 is centre; the
// transmitter's 239..255 all mean full travel.
constexpr int trimCount = 4;
constexpr int trimCentre = 120;
constexpr int trimLimit = 238;
constexpr int trimClamped = 240;

} // namespace protocol
