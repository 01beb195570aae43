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
    char end;        // end letter at position 80
    int bodyLength;  // characters rebuilt by each build
    const FrameField *fields;
    int count;
};

// The four layouts, indexed by FrameId.
const FrameLayout &frameLayout(int frame);

int codeWidth(Code code);
int codeBias(Code code);
// The nearest value whose encoding fits the width of the code.
int clampToCode(Code code, int value);

// value x 10 through single precision, truncated: 3.7 gives 37.
int voltCompanion(double volts);
// Refreshes the voltage companions carried by the frame (S: tx; H: rx, ext).
void refreshCompanions(ParamSet &p, int frame);

// The encoded body of a frame from the set as it stands (no companion
// refresh). Values that do not fit their code are clamped, so the body always
// has exactly bodyLength characters.
QString encodeBody(const ParamSet &p, int frame);

// Refreshes the frame's companions, then replaces the first bodyLength
// characters of text by the new body; the tail is left in place.
void buildFrame(ParamSet &p, int frame, QString &text);

// Decodes the fields of one frame read from a Parameter file, the frame's
// start letter at text[offset]. Unchecked values are stored as read; text
// that is not hexadecimal reads as 0 before the bias is removed. Sets the
// derived voltages of the frame. Characters past the end of text read as
// invalid.
void decodeFrameFields(const QString &text, int offset, int frame, ParamSet &p);

// Which frames a Parameter file text carries, by length and marker letters.
struct FileFrames {
    bool present[4] = {false, false, false, false};
    int count() const;
};
FileFrames recognisedFrames(const QString &text);

// Decodes every recognised frame of a Parameter file text into p, writing the
// "Blength0N:%d" lines to the debug log as it goes.
FileFrames decodeParameterFile(const QString &text, ParamSet &p);
