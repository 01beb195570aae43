#include "packets.h"
#include "logging.h"

#include <QDebug>

#include "protocol.h"

using namespace protocol;

namespace {

constexpr SectionByte none{false, Field::reverse, 0, 0, false};

constexpr SectionByte raw(Field f, int index = 0)
{
    return {true, f, index, 0, false};
}

constexpr SectionByte less100(Field f, int index = 0)
{
    return {true, f, index, 100, false};
}

constexpr SectionByte less120(Field f, int index = 0)
{
    return {true, f, index, 120, false};
}

// Big-endian 16 bits, this byte high and the next low.
constexpr SectionByte wide(Field f)
{
    return {true, f, 0, 0, true};
}

using F = Field;

} // namespace

// The transmitter's reply biases (value + 100 or + 120) differ in places from
// the outgoing frame biases; this table is for the reply only.
const SettingsSection settingsSections[] = {
    {0x44, 1, {raw(F::reverse, 1), raw(F::reverse, 2), raw(F::reverse, 3), raw(F::reverse, 4),
               raw(F::reverse, 5), raw(F::reverse, 6), raw(F::reverse, 7), raw(F::reverse, 8)}},
    {0x55, 2, {less120(F::subTrim, 1), less120(F::subTrim, 2), less120(F::subTrim, 3),
               less120(F::subTrim, 4), less120(F::subTrim, 5), less120(F::subTrim, 6),
               less120(F::subTrim, 7), less120(F::subTrim, 8)}},
    {0x66, 3, {raw(F::epaLeft, 1), raw(F::epaLeft, 2), raw(F::epaLeft, 3), raw(F::epaLeft, 4),
               raw(F::epaLeft, 5), raw(F::epaLeft, 6), raw(F::epaLeft, 7), raw(F::epaLeft, 8)}},
    {0x77, 4, {raw(F::epaRight, 1), raw(F::epaRight, 2), raw(F::epaRight, 3), raw(F::epaRight, 4),
               raw(F::epaRight, 5), raw(F::epaRight, 6), raw(F::epaRight, 7), raw(F::epaRight, 8)}},
    {0x88, 5, {raw(F::failSafe, 1), raw(F::failSafe, 2), raw(F::failSafe, 3), raw(F::failSafe, 4),
               raw(F::failSafe, 5), raw(F::failSafe, 6), raw(F::failSafe, 7), raw(F::failSafe, 8)}},
    {0x99, 6, {wide(F::txAlarmVoltX10), none, wide(F::stickMode), none, wide(F::firmwareVersion), none,
               none, none}},
    {0xA1, 8, {raw(F::attitudeChannel), raw(F::attitude, 1), raw(F::attitude, 2), raw(F::attitude, 3),
               raw(F::attitude, 4), raw(F::attitude, 5), raw(F::attitude, 6), none}},
    {0xA2, 9, {raw(F::elevonMix), less120(F::elevon, 1), less120(F::elevon, 5), less120(F::elevon, 2),
               less120(F::elevon, 6), less120(F::elevon, 3), less120(F::elevon, 4), none}},
    {0xA3, 10, {raw(F::vtailMix), less100(F::vtail, 1), less100(F::vtail, 2), less100(F::vtail, 3),
                less100(F::vtail, 4), raw(F::drMix), none, none}},
    {0xA4, 11, {raw(F::servoDelay, 1), raw(F::servoDelay, 2), raw(F::servoDelay, 3),
                raw(F::servoDelay, 4), raw(F::servoDelay, 5), raw(F::servoDelay, 6),
                raw(F::servoDelay, 7), raw(F::servoDelay, 8)}},
    {0xA5, 12, {raw(F::drRateUp, 1), raw(F::drRateUp, 2), raw(F::drRateUp, 3), raw(F::drRateUp, 4),
                raw(F::drRateDown, 1), raw(F::drRateDown, 2), raw(F::drRateDown, 3),
                raw(F::drRateDown, 4)}},
    {0xA6, 13, {less100(F::prmUpRate, 1), less100(F::prmUpRate, 2), less100(F::prmDownRate, 1),
                less100(F::prmDownRate, 2), less100(F::prmOffset, 1), less100(F::prmOffset, 2),
                raw(F::prmMaster, 1), raw(F::prmMaster, 2)}},
    {0xA7, 14, {raw(F::prmSlave, 1), raw(F::prmSlave, 2), raw(F::prmMix, 1), raw(F::prmMix, 2), none,
                none, none, none}},
    {0xA8, 15, {raw(F::prmMix, 3), raw(F::prmMaster, 3), raw(F::prmSlave, 3), less100(F::prmOffset, 3),
                less100(F::prmUpRate, 3), less100(F::prmDownRate, 3), raw(F::prmMix, 4),
                raw(F::prmMaster, 4)}},
    {0xA9, 16, {raw(F::prmSlave, 4), less100(F::prmOffset, 4), less100(F::prmUpRate, 4),
                less100(F::prmDownRate, 4), raw(F::thrCurveMix), raw(F::thrCurveExtra),
                raw(F::thrCurve, 1), raw(F::thrCurve, 2)}},
    {0xAA, 17, {raw(F::thrCurve, 3), raw(F::thrCurve, 4), raw(F::thrCurve, 5), raw(F::thrCurve, 6),
                raw(F::thrCurve, 7), none, none, none}},
    {0xAB, 18, {raw(F::drSwitch), raw(F::drPosition), wide(F::extAlarmVoltX10), none,
                less100(F::rssiAlarm), raw(F::rxAlarmVoltX10), none, none}},
    {0xAC, 19, {less100(F::drExpoUp, 1), less100(F::drExpoUp, 2), less100(F::drExpoUp, 3),
                less100(F::drExpoUp, 4), less100(F::drExpoDown, 1), less100(F::drExpoDown, 2),
                less100(F::drExpoDown, 3), less100(F::drExpoDown, 4)}},
};
const int settingsSectionCount = int(sizeof(settingsSections) / sizeof(settingsSections[0]));

namespace {

int byteAt(const QByteArray &b, int i)
{
    return (i >= 0 && i < b.size()) ? static_cast<unsigned char>(b.at(i)) : 0;
}

const SettingsSection *sectionByCode(int code)
{
    for (int k = 0; k < settingsSectionCount; ++k)
        if (settingsSections[k].code == code)
            return &settingsSections[k];
    return nullptr;
}

const SettingsSection *sectionByNumber(int number)
{
    for (int k = 0; k < settingsSectionCount; ++k)
        if (settingsSections[k].number == number)
            return &settingsSections[k];
    return nullptr;
}

void decodeSection(const SettingsSection &s, const QByteArray &chunk, ParamSet &p)
{
    for (int k = 0; k < 8; ++k) {
        const SectionByte &e = s.bytes[k];
        if (!e.used)
            continue;
        const int offset = 3 + k;
        const int v = e.wide ? byteArrayToInt(chunk, offset) : byteAt(chunk, offset);
        fieldRef(p, e.field, e.index) = v - e.bias;
        setDerivedVolt(p, e.field);
    }
}

void decodeChannel(const QByteArray &chunk, LiveValues &live)
{
    for (int n = 1; n <= 8; ++n)
        live.channel(n) = byteArrayToInt(chunk, 2 * n);
    live.txVoltage = byteArrayToInt(chunk, 18);
}

void decodeTelemetry(const QByteArray &chunk, ParamSet &p, LiveValues &live)
{
    live.rssiValue = byteAt(chunk, 2);
    live.rxVoltage = byteAt(chunk, 3);
    live.extVoltage = byteArrayToInt(chunk, 4);
    live.telemetryExtra1 = byteArrayToInt(chunk, 6);
    live.telemetryExtra2 = byteArrayToInt(chunk, 8);
    if (live.trimUpdateBlocked != 0)
        return;
    for (int t = 1; t <= protocol::trimCount; ++t) {
        const int v = byteAt(chunk, 9 + t);
        p.stickTrim[t] = v > trimLimit ? trimClamped : v;
    }
}

void noteSection(LiveValues &live, int number)
{
    live.ReadFlag = number;
    qCDebug(lcVarnix, "ReadFlag:%d", number);
}

char clampedByte(int v)
{
    return char(v < 0 ? 0 : (v > 255 ? 255 : v));
}

void appendBE16(QByteArray &b, int v)
{
    const int w = v < 0 ? 0 : (v > 65535 ? 65535 : v);
    b.append(char(w >> 8));
    b.append(char(w & 0xFF));
}

} // namespace

int byteArrayToInt(const QByteArray &b, int a)
{
    const int low = byteAt(b, a + 1);
    const int high = byteAt(b, a);
    return high * 256 + low;
}

PacketResult decodePacket(const QByteArray &chunk, ParamSet &p, LiveValues &live)
{
    PacketResult r;
    if (chunk.isEmpty())
        return r;
    r.kind = PacketKind::Unrecognised;

    switch (chunk.size()) {
    case livePacketLength:
        if (byteAt(chunk, 0) == marker && byteAt(chunk, 1) == channelType) {
            r.kind = PacketKind::Channel;
            decodeChannel(chunk, live);
        } else if (byteAt(chunk, 0) == marker && byteAt(chunk, 1) == telemetryType) {
            r.kind = PacketKind::Telemetry;
            decodeTelemetry(chunk, p, live);
        }
        break;
    case shortSettingsLength:
        if (byteAt(chunk, 2) == shortSettingsMarker) {
            r.kind = PacketKind::ShortSettings;
            r.section = shortSettingsSection;
            noteSection(live, shortSettingsSection);
            for (int n = 5; n <= 8; ++n)
                p.auxSource[n] = byteAt(chunk, n - 2);
        }
        break;
    case settingsPacketLength:
        if (byteAt(chunk, 0) == marker && byteAt(chunk, 11) == marker) {
            r.kind = PacketKind::Settings;
            r.refresh = true;
            if (const SettingsSection *s = sectionByCode(byteAt(chunk, 2))) {
                r.section = s->number;
                noteSection(live, s->number);
                decodeSection(*s, chunk, p);
            }
        }
        break;
    default:
        break;
    }
    return r;
}

QVector<SectionElement> sectionElements(int section)
{
    QVector<SectionElement> elements;
    if (section == shortSettingsSection) {
        for (int n = 5; n <= 8; ++n)
            elements.append({Field::auxSource, n});
        return elements;
    }
    if (const SettingsSection *s = sectionByNumber(section))
        for (const SectionByte &e : s->bytes)
            if (e.used)
                elements.append({e.field, e.index});
    return elements;
}

void copySectionFields(int section, const ParamSet &from, ParamSet &to)
{
    for (const SectionElement &e : sectionElements(section)) {
        fieldRef(to, e.field, e.index) = fieldValue(from, e.field, e.index);
        if (double *volts = companionVolt(to, e.field))
            *volts = *companionVolt(from, e.field);
    }
}

QByteArray encodeChannelPacket(const LiveValues &live)
{
    QByteArray b;
    b.append(char(marker));
    b.append(char(channelType));
    const int values[] = {live.channelValue1, live.channelValue2, live.channelValue3,
                          live.channelValue4, live.channelValue5, live.channelValue6,
                          live.channelValue7, live.channelValue8, live.txVoltage};
    for (int v : values)
        appendBE16(b, v);
    return b;
}

QByteArray encodeTelemetryPacket(const LiveValues &live, const int stickTrim[protocol::trimCount + 1])
{
    QByteArray b;
    b.append(char(marker));
    b.append(char(telemetryType));
    b.append(clampedByte(live.rssiValue));
    b.append(clampedByte(live.rxVoltage));
    appendBE16(b, live.extVoltage);
    appendBE16(b, live.telemetryExtra1);
    appendBE16(b, live.telemetryExtra2);
    for (int t = 1; t <= protocol::trimCount; ++t)
        b.append(clampedByte(stickTrim[t]));
    b.append(6, '\0');
    return b;
}

QByteArray encodeSettingsPacket(const ParamSet &p, int section)
{
    if (section == shortSettingsSection) {
        QByteArray b(8, '\0');
        b[0] = char(marker);
        b[2] = char(shortSettingsMarker);
        for (int n = 5; n <= 8; ++n)
            b[n - 2] = clampedByte(p.auxSource[n]);
        b[7] = char(marker);
        return b;
    }
    const SettingsSection *s = sectionByNumber(section);
    if (!s)
        return QByteArray();
    QByteArray b(12, '\0');
    b[0] = char(marker);
    b[1] = char(section);
    b[2] = char(s->code);
    for (int k = 0; k < 8; ++k) {
        const SectionByte &e = s->bytes[k];
        if (!e.used)
            continue;
        // Widen before adding the bias so that extreme values cannot overflow.
        const long long biased = static_cast<long long>(fieldValue(p, e.field, e.index)) + e.bias;
        if (e.wide) {
            const int w = biased < 0 ? 0 : (biased > 65535 ? 65535 : int(biased));
            b[3 + k] = char(w >> 8);
            if (k + 1 < 8)
                b[4 + k] = char(w & 0xFF);
        } else {
            b[3 + k] = char(biased < 0 ? 0 : (biased > 255 ? 255 : biased));
        }
    }
    b[11] = char(marker);
    return b;
}
