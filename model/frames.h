#pragma once

#include <QString>

#include "fields.h"
#include "paramset.h"

// How one field is written into a Parameter frame.
enum class Code {
    L,    // the frame's start letter
    D1,   // one decimal digit
    X16,  // value + 16, two upper-case hex digits
    X116, // value + 116, two upper-case hex digits
    X120, // value + 120, two upper-case hex digits
    K6,   // the constant character '6'
    D3,   // three decimal digits
};

// One row of a frame layout: where the field starts, how it is coded, which
// field (and element) it is. L and K6 rows carry no field.
struct FrameField {
    int pos;
    Code code;
    Field field;
    int index;
};

enum FrameId { FrameS = 0, FrameG = 1, FrameH = 2, FrameI = 3 };

struct FrameLayout {
    char start;      // start letter at position 0
    char end;        // end letter, the last character
    int length;      // the whole frame text
    int bodyLength;  // characters rebuilt by each build
    const FrameField *fields;
    int count;
};

// The four layouts, indexed by FrameId.
const FrameLayout &frameLayout(int frame);

// The row that carries one element of the set, and its frame; nullptr when
// no frame carries it.
const FrameField *frameFieldOf(Field field, int index, int *frame = nullptr);

int codeWidth(Code code);
int codeBias(Code code);
// The values whose encoding fits the width of the code.
struct CodeRange {
    int lo;
    int hi;
};
CodeRange codeRange(Code code);
// The nearest value whose encoding fits the width of the code.
int clampToCode(Code code, int value);
// Every value the code's characters can carry in a file, where any
// hexadecimal digit may stand in a field: D1 0..15, X codes 00..FF less the
// bias, D3 up to F F F (1665).
CodeRange fileCodeRange(Code code);

// Whether c may stand at pos of a frame text: the start and end letters in
// their places, a hexadecimal digit (either case) inside every field; the
// constant and the tail are not checked.
bool frameAccepts(int frame, int pos, QChar c);
// The whole frame text at text[at] is there and every character fits.
bool frameFitsAt(const QString &text, int at, int frame);

// value x 10 through single precision, truncated: 3.7 gives 37.
int voltCompanion(double volts);
// Refreshes the voltage companions carried by the frame (S: tx; H: rx, ext).
void refreshCompanions(ParamSet &p, int frame);

// The encoded body of a frame from the set as it stands (no companion
// refresh). Values that do not fit their code are clamped, so the body always
// has exactly bodyLength characters; with fileDigits to what a file's digits
// can carry (fileCodeRange), so that every file read can be written again.
QString encodeBody(const ParamSet &p, int frame, bool fileDigits = false);

// Refreshes the frame's companions, then replaces the first bodyLength
// characters of text by the new body; the tail is left in place.
void buildFrame(ParamSet &p, int frame, QString &text, bool fileDigits = false);

// Decodes the fields of one frame, its start letter at text[offset]. Values
// are stored as read, without range checks, and the frame's derived voltages
// are set. A character that is not a digit, or one past the end of text,
// reads as 0: check the frame with frameFitsAt() first.
void decodeFrameFields(const QString &text, int offset, int frame, ParamSet &p);

// Which frames a Parameter file text carries, and where each one starts.
struct FileFrames {
    FileFrames();
    bool present[protocol::frameCount] = {};
    int at[protocol::frameCount];
    int count() const;
    // The start letters of the frames present ("SGH"), or of those missing.
    QString letters(bool wanted = true) const;
    // "frames recognised: S G H; not recognised: I", for people.
    QString summary() const;
};

// The S, G, H and I frames in this order, the first at the start of the
// text; CR, LF, space and tab between and after them are skipped. A frame
// is recognised when it fits (frameFitsAt); one that does not still takes
// its length, so that the frames after it are found in their places.
FileFrames locateFrames(const QString &text);

// Where the first frame a Parameter file text lacks stops fitting (frame
// -1: all four are there): its line and column (from 1), the character found
// there, or that the text ends inside it.
struct FrameBreak {
    enum Place { Start, Inside, End };
    int frame = -1;
    int line = 0;
    int column = 0;
    Place place = Start;
    bool cutShort = false;
    QChar found;
    // "line 1, column 12: 'x' in the S frame, not a hexadecimal digit", for people.
    QString text() const;
};
FrameBreak firstBreak(const QString &text);

// Decodes the frames found in text into p, writing "Blength00:%d" (the
// length of text) and "Blength01:%d" to "Blength03:%d" for S, G and H to the
// debug log as it goes.
FileFrames decodeFileFrames(const QString &text, const FileFrames &found, ParamSet &p);

