#include "frames.h"
#include "logging.h"

#include <QDebug>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {

// Start letter and constant rows carry no field; the field member is unused.
constexpr FrameField letter{0, Code::L, Field::reverse, 0};

const FrameField sFields[] = {
    letter,
    {1, Code::D1, Field::reverse, 1},
    {2, Code::D1, Field::reverse, 2},
    {3, Code::D1, Field::reverse, 3},
    {4, Code::D1, Field::reverse, 4},
    {5, Code::D1, Field::reverse, 5},
    {6, Code::D1, Field::reverse, 6},
    {7, Code::D1, Field::reverse, 7},
    {8, Code::D1, Field::reverse, 8},
    {9, Code::X120, Field::subTrim, 1},
    {11, Code::X120, Field::subTrim, 2},
    {13, Code::X120, Field::subTrim, 3},
    {15, Code::X120, Field::subTrim, 4},
    {17, Code::X120, Field::subTrim, 5},
    {19, Code::X120, Field::subTrim, 6},
    {21, Code::X120, Field::subTrim, 7},
    {23, Code::X120, Field::subTrim, 8},
    {25, Code::X16, Field::epaLeft, 1},
    {27, Code::X16, Field::epaLeft, 2},
    {29, Code::X16, Field::epaLeft, 3},
    {31, Code::X16, Field::epaLeft, 4},
    {33, Code::X16, Field::epaLeft, 5},
    {35, Code::X16, Field::epaLeft, 6},
    {37, Code::X16, Field::epaLeft, 7},
    {39, Code::X16, Field::epaLeft, 8},
    {41, Code::X16, Field::epaRight, 1},
    {43, Code::X16, Field::epaRight, 2},
    {45, Code::X16, Field::epaRight, 3},
    {47, Code::X16, Field::epaRight, 4},
    {49, Code::X16, Field::epaRight, 5},
    {51, Code::X16, Field::epaRight, 6},
    {53, Code::X16, Field::epaRight, 7},
    {55, Code::X16, Field::epaRight, 8},
    {57, Code::X16, Field::failSafe, 1},
    {59, Code::X16, Field::failSafe, 2},
    {61, Code::X16, Field::failSafe, 3},
    {63, Code::X16, Field::failSafe, 4},
    {65, Code::X16, Field::failSafe, 5},
    {67, Code::X16, Field::failSafe, 6},
    {69, Code::X16, Field::failSafe, 7},
    {71, Code::X16, Field::failSafe, 8},
    {73, Code::D1, Field::auxSource, 5},
    {74, Code::D1, Field::auxSource, 6},
    {75, Code::D1, Field::auxSource, 7},
    {76, Code::D1, Field::auxSource, 8},
    {77, Code::X16, Field::txAlarmVoltX10, 0},
    {79, Code::D1, Field::stickMode, 0},
};

const FrameField gFields[] = {
    letter,
    {1, Code::D1, Field::attitudeChannel, 0},
    {2, Code::X16, Field::attitude, 1},
    {4, Code::X16, Field::attitude, 2},
    {6, Code::X16, Field::attitude, 3},
    {8, Code::X16, Field::attitude, 4},
    {10, Code::X16, Field::attitude, 5},
    {12, Code::X16, Field::attitude, 6},
    {14, Code::D1, Field::elevonMix, 0},
    {15, Code::X120, Field::elevon, 1},
    {17, Code::X120, Field::elevon, 5},
    {19, Code::X120, Field::elevon, 2},
    {21, Code::X120, Field::elevon, 6},
    {23, Code::X120, Field::elevon, 3},
    {25, Code::X120, Field::elevon, 4},
    {27, Code::D1, Field::vtailMix, 0},
    {28, Code::X116, Field::vtail, 1},
    {30, Code::X116, Field::vtail, 2},
    {32, Code::X116, Field::vtail, 3},
    {34, Code::X116, Field::vtail, 4},
    {36, Code::K6, Field::reverse, 0},
    {37, Code::X16, Field::servoDelay, 1},
    {39, Code::X16, Field::servoDelay, 2},
    {41, Code::X16, Field::servoDelay, 3},
    {43, Code::X16, Field::servoDelay, 4},
    {45, Code::X16, Field::servoDelay, 5},
    {47, Code::X16, Field::servoDelay, 6},
    {49, Code::X16, Field::servoDelay, 7},
    {51, Code::X16, Field::servoDelay, 8},
    {53, Code::D1, Field::drMix, 0},
    {54, Code::D1, Field::drChannel, 0},
    {55, Code::X16, Field::drUp, 0},
    {57, Code::X16, Field::drDown, 0},
    {59, Code::X116, Field::prmUpRate, 1},
    {61, Code::X116, Field::prmUpRate, 2},
    {63, Code::X116, Field::prmDownRate, 1},
    {65, Code::X116, Field::prmDownRate, 2},
    {67, Code::X116, Field::prmOffset, 1},
    {69, Code::X116, Field::prmOffset, 2},
    {71, Code::D1, Field::prmMaster, 1},
    {72, Code::D1, Field::prmMaster, 2},
    {73, Code::D1, Field::prmSlave, 1},
    {74, Code::D1, Field::prmSlave, 2},
    {75, Code::D1, Field::prmMix, 1},
    {76, Code::D1, Field::prmMix, 2},
};

const FrameField hFields[] = {
    letter,
    {1, Code::X16, Field::drRateUp, 1},
    {3, Code::X16, Field::drRateUp, 2},
    {5, Code::X16, Field::drRateUp, 3},
    {7, Code::X16, Field::drRateUp, 4},
    {9, Code::X16, Field::drRateDown, 1},
    {11, Code::X16, Field::drRateDown, 2},
    {13, Code::X16, Field::drRateDown, 3},
    {15, Code::X16, Field::drRateDown, 4},
    {17, Code::D1, Field::prmMix, 3},
    {18, Code::D1, Field::prmMaster, 3},
    {19, Code::D1, Field::prmSlave, 3},
    {20, Code::X116, Field::prmOffset, 3},
    {22, Code::X116, Field::prmUpRate, 3},
    {24, Code::X116, Field::prmDownRate, 3},
    {26, Code::D1, Field::prmMix, 4},
    {27, Code::D1, Field::prmMaster, 4},
    {28, Code::D1, Field::prmSlave, 4},
    {29, Code::X116, Field::prmOffset, 4},
    {31, Code::X116, Field::prmUpRate, 4},
    {33, Code::X116, Field::prmDownRate, 4},
    {35, Code::D1, Field::thrCurveMix, 0},
    {36, Code::D1, Field::thrCurveExtra, 0},
    {37, Code::X16, Field::thrCurve, 1},
    {39, Code::X16, Field::thrCurve, 2},
    {41, Code::X16, Field::thrCurve, 3},
    {43, Code::X16, Field::thrCurve, 4},
    {45, Code::X16, Field::thrCurve, 5},
    {47, Code::X16, Field::thrCurve, 6},
    {49, Code::X16, Field::thrCurve, 7},
    {51, Code::D1, Field::drPosition, 0},
    {52, Code::X116, Field::drExpoUp, 1},
    {54, Code::X116, Field::drExpoUp, 2},
    {56, Code::X116, Field::drExpoUp, 3},
    {58, Code::X116, Field::drExpoUp, 4},
    {60, Code::X116, Field::drExpoDown, 1},
    {62, Code::X116, Field::drExpoDown, 2},
    {64, Code::X116, Field::drExpoDown, 3},
    {66, Code::X116, Field::drExpoDown, 4},
    {68, Code::D3, Field::extAlarmVoltX10, 0},
    {71, Code::X120, Field::rssiAlarm, 0},
    {73, Code::D1, Field::drSwitch, 0},
    {74, Code::X16, Field::rxAlarmVoltX10, 0},
};

const FrameField iFields[] = {
    letter,
    {1, Code::X16, Field::stickTrim, 1},
    {3, Code::X16, Field::stickTrim, 2},
    {5, Code::X16, Field::stickTrim, 3},
    {7, Code::X16, Field::stickTrim, 4},
};

template <int N>
constexpr int countOf(const FrameField (&)[N])
{
    return N;
}

const FrameLayout layouts[protocol::frameCount] = {
    {'S', 'Y', 81, 80, sFields, countOf(sFields)},
    {'G', 'Z', 81, 77, gFields, countOf(gFields)},
    {'H', 'X', 81, 76, hFields, countOf(hFields)},
    {'I', 'V', 81, 9, iFields, countOf(iFields)},
};

const char hexDigits[] = "0123456789ABCDEF";

// One hexadecimal digit, either case; -1 if c is none.
int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The characters text[at .. at+width-1] as one hexadecimal number; 0 when
// any of them is not a digit or lies past the end.
int readHex(const QString &text, int at, int width)
{
    int v = 0;
    for (int k = 0; k < width; ++k) {
        const int i = at + k;
        const int d = (i >= 0 && i < text.size()) ? hexValue(text.at(i)) : -1;
        if (d < 0)
            return 0;
        v = v * 16 + d;
    }
    return v;
}

int readHexDigit(const QString &text, int at)
{
    return readHex(text, at, 1);
}

bool carriesField(const FrameField &row)
{
    return row.code != Code::L && row.code != Code::K6;
}

// What each position of a frame text must hold.
enum class Slot : char { Any, Start, End, Digit };

std::vector<Slot> slotsOf(int frame)
{
    const FrameLayout &layout = layouts[frame];
    std::vector<Slot> mask(size_t(layout.length), Slot::Any);
    for (int k = 0; k < layout.count; ++k) {
        const FrameField &row = layout.fields[k];
        if (carriesField(row))
            std::fill_n(mask.begin() + row.pos, codeWidth(row.code), Slot::Digit);
    }
    mask.front() = Slot::Start;
    mask.back() = Slot::End;
    return mask;
}

const std::vector<Slot> &frameSlots(int frame)
{
    static const std::vector<Slot> mask[protocol::frameCount] = {slotsOf(FrameS), slotsOf(FrameG), slotsOf(FrameH), slotsOf(FrameI)};
    return mask[frame];
}

bool isBlank(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

const FrameLayout &frameLayout(int frame)
{
    Q_ASSERT(frame >= FrameS && frame <= FrameI);
    return layouts[frame];
}

const FrameField *frameFieldOf(Field field, int index, int *frame)
{
    for (int f = FrameS; f <= FrameI; ++f) {
        const FrameLayout &layout = layouts[f];
        for (int k = 0; k < layout.count; ++k) {
            const FrameField &row = layout.fields[k];
            if (carriesField(row) && row.field == field && row.index == index) {
                if (frame)
                    *frame = f;
                return &row;
            }
        }
    }
    return nullptr;
}

int codeWidth(Code code)
{
    switch (code) {
    case Code::L:
    case Code::D1:
    case Code::K6:
        return 1;
    case Code::X16:
    case Code::X116:
    case Code::X120:
        return 2;
    case Code::D3:
        return 3;
    }
    return 1;
}

int codeBias(Code code)
{
    switch (code) {
    case Code::X16: return 16;
    case Code::X116: return 116;
    case Code::X120: return 120;
    default: return 0;
    }
}

CodeRange codeRange(Code code)
{
    switch (code) {
    case Code::D1: return {0, 9};
    case Code::X16:
    case Code::X116:
    case Code::X120:
        // Two hex digits after the bias: 0x10..0xFF.
        return {16 - codeBias(code), 255 - codeBias(code)};
    case Code::D3: return {0, 999};
    case Code::L:
    case Code::K6:
        break;
    }
    return {INT_MIN, INT_MAX};
}

CodeRange fileCodeRange(Code code)
{
    switch (code) {
    case Code::D1: return {0, 15};
    case Code::X16:
    case Code::X116:
    case Code::X120: return {-codeBias(code), 255 - codeBias(code)};
    case Code::D3: return {0, 15 * 111};
    case Code::L:
    case Code::K6:
        break;
    }
    return {INT_MIN, INT_MAX};
}

int clampToCode(Code code, int value)
{
    const CodeRange r = codeRange(code);
    return value < r.lo ? r.lo : (value > r.hi ? r.hi : value);
}

namespace {

int clampTo(const CodeRange &r, int value)
{
    return value < r.lo ? r.lo : (value > r.hi ? r.hi : value);
}

} // namespace

bool frameAccepts(int frame, int pos, QChar c)
{
    const std::vector<Slot> &mask = frameSlots(frame);
    if (pos < 0 || pos >= int(mask.size()))
        return false;
    switch (mask[size_t(pos)]) {
    case Slot::Start: return c == QLatin1Char(layouts[frame].start);
    case Slot::End: return c == QLatin1Char(layouts[frame].end);
    case Slot::Digit: return hexValue(c) >= 0;
    case Slot::Any: break;
    }
    return true;
}

bool frameFitsAt(const QString &text, int at, int frame)
{
    const int length = layouts[frame].length;
    if (at < 0 || at + length > text.size())
        return false;
    for (int i = 0; i < length; ++i)
        if (!frameAccepts(frame, i, text.at(at + i)))
            return false;
    return true;
}

int voltCompanion(double volts)
{
    const double product = volts * companionScale;
    // Out-of-range conversions are undefined behaviour; pin them instead.
    // The frame encoder clamps the result to what the frame can carry.
    if (std::isnan(product))
        return 0;
    if (product >= 2147483648.0)
        return INT_MAX;
    if (product <= -2147483649.0)
        return INT_MIN;
    const float single = float(product);
    if (single >= 2147483648.0f)
        return INT_MAX;
    return int(single);
}

void refreshCompanions(ParamSet &p, int frame)
{
    if (frame == FrameS) {
        p.txAlarmVoltX10 = voltCompanion(p.txAlarmVolt);
    } else if (frame == FrameH) {
        p.rxAlarmVoltX10 = voltCompanion(p.rxAlarmVolt);
        p.extAlarmVoltX10 = voltCompanion(p.extAlarmVolt);
    }
}

QString encodeBody(const ParamSet &p, int frame, bool fileDigits)
{
    const FrameLayout &layout = frameLayout(frame);
    QString body;
    body.reserve(layout.bodyLength);
    for (int k = 0; k < layout.count; ++k) {
        const FrameField &f = layout.fields[k];
        const CodeRange range = fileDigits ? fileCodeRange(f.code) : codeRange(f.code);
        const int v = clampTo(range, fieldValue(p, f.field, f.index));
        switch (f.code) {
        case Code::L:
            body += QLatin1Char(layout.start);
            break;
        case Code::K6:
            body += QLatin1Char('6');
            break;
        case Code::D1:
            body += QLatin1Char(hexDigits[v]);
            break;
        case Code::X16:
        case Code::X116:
        case Code::X120: {
            const int biased = v + codeBias(f.code);
            body += QLatin1Char(hexDigits[biased >> 4]);
            body += QLatin1Char(hexDigits[biased & 15]);
            break;
        }
        case Code::D3: {
            // Decimal up to 999; above, as a file's hex digits can hold it
            // (each digit still counts 100, 10 and 1).
            const int hundreds = qMin(15, v / 100);
            const int tens = qMin(15, (v - 100 * hundreds) / 10);
            body += QLatin1Char(hexDigits[hundreds]);
            body += QLatin1Char(hexDigits[tens]);
            body += QLatin1Char(hexDigits[v - 100 * hundreds - 10 * tens]);
            break;
        }
        }
    }
    Q_ASSERT(body.size() == layout.bodyLength);
    return body;
}

void buildFrame(ParamSet &p, int frame, QString &text, bool fileDigits)
{
    refreshCompanions(p, frame);
    const FrameLayout &layout = frameLayout(frame);
    text.replace(0, layout.bodyLength, encodeBody(p, frame, fileDigits));
}

void decodeFrameFields(const QString &text, int offset, int frame, ParamSet &p)
{
    const FrameLayout &layout = frameLayout(frame);
    for (int k = 0; k < layout.count; ++k) {
        const FrameField &f = layout.fields[k];
        const int at = offset + f.pos;
        int value;
        switch (f.code) {
        case Code::L:
        case Code::K6:
            continue;
        case Code::D1:
            value = readHexDigit(text, at);
            break;
        case Code::X16:
        case Code::X116:
        case Code::X120:
            value = readHex(text, at, 2) - codeBias(f.code);
            break;
        case Code::D3:
            value = 100 * readHexDigit(text, at) + 10 * readHexDigit(text, at + 1)
                + readHexDigit(text, at + 2);
            break;
        default:
            continue;
        }
        fieldRef(p, f.field, f.index) = value;
        setDerivedVolt(p, f.field);
    }
}

FileFrames::FileFrames()
{
    for (int &start : at)
        start = -1;
}

int FileFrames::count() const
{
    int n = 0;
    for (bool b : present)
        n += b ? 1 : 0;
    return n;
}

QString FileFrames::letters(bool wanted) const
{
    QString s;
    for (int k = FrameS; k <= FrameI; ++k)
        if (present[k] == wanted)
            s += QLatin1Char(layouts[k].start);
    return s;
}

QString FileFrames::summary() const
{
    auto spaced = [this](bool wanted) {
        QStringList l;
        for (QChar c : letters(wanted))
            l << c;
        return l.join(QLatin1Char(' '));
    };
    QString s = QStringLiteral("frames recognised: %1").arg(count() ? spaced(true) : QStringLiteral("none"));
    if (count() < protocol::frameCount)
        s += QStringLiteral("; not recognised: %1").arg(spaced(false));
    return s;
}

FileFrames locateFrames(const QString &text)
{
    FileFrames r;
    int at = 0;
    for (int k = FrameS; k <= FrameI; ++k) {
        if (frameFitsAt(text, at, k)) {
            r.present[k] = true;
            r.at[k] = at;
        }
        at += layouts[k].length;
        while (at < text.size() && isBlank(text.at(at)))
            ++at;
    }
    return r;
}

FrameBreak firstBreak(const QString &text)
{
    FrameBreak b;
    int at = 0;
    for (int k = FrameS; k <= FrameI; ++k) {
        if (!frameFitsAt(text, at, k)) {
            b.frame = k;
            int i = 0;
            while (i < layouts[k].length && at + i < text.size() && frameAccepts(k, i, text.at(at + i)))
                ++i;
            b.cutShort = at + i >= text.size();
            b.place = i == 0 ? FrameBreak::Start : (i == layouts[k].length - 1 ? FrameBreak::End : FrameBreak::Inside);
            const int where = qMin(at + i, int(text.size()));
            if (!b.cutShort)
                b.found = text.at(where);
            b.line = 1 + int(text.left(where).count(QLatin1Char('\n')));
            b.column = where - (text.lastIndexOf(QLatin1Char('\n'), where - 1) + 1) + 1;
            if (where == 0)
                b.column = 1;
            return b;
        }
        at += layouts[k].length;
        while (at < text.size() && isBlank(text.at(at)))
            ++at;
    }
    return b;
}

QString FrameBreak::text() const
{
    if (frame < 0)
        return QString();
    const FrameLayout &l = frameLayout(frame);
    if (cutShort)
        return QStringLiteral("the %1 frame is cut short: the text ends at line %2, column %3")
            .arg(QLatin1Char(l.start)).arg(line).arg(column);
    const QString c = found.unicode() >= 0x20 && found.unicode() < 0x7F ? QStringLiteral("'%1'").arg(found)
                                                                        : QStringLiteral("U+%1").arg(found.unicode(), 4, 16, QLatin1Char('0'));
    switch (place) {
    case Start:
        return QStringLiteral("line %1, column %2: %3 where the %4 frame starts").arg(line).arg(column).arg(c).arg(QLatin1Char(l.start));
    case End:
        return QStringLiteral("line %1, column %2: %3 where the %4 frame ends with %5")
            .arg(line).arg(column).arg(c).arg(QLatin1Char(l.start)).arg(QLatin1Char(l.end));
    case Inside:
        break;
    }
    return QStringLiteral("line %1, column %2: %3 in the %4 frame, not a hexadecimal digit")
        .arg(line).arg(column).arg(c).arg(QLatin1Char(l.start));
}

FileFrames decodeFileFrames(const QString &text, const FileFrames &found, ParamSet &p)
{
    const int n = text.size();
    qCDebug(lcVarnix, "Blength00:%d", n);
    // The I frame has never had a line of its own.
    const char *const lines[protocol::frameCount] = {"Blength01:%d", "Blength02:%d", "Blength03:%d", nullptr};
    for (int k = FrameS; k <= FrameI; ++k) {
        if (!found.present[k])
            continue;
        if (lines[k])
            qCDebug(lcVarnix, lines[k], n);
        decodeFrameFields(text, found.at[k], k, p);
    }
    return found;
}
