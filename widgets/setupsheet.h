#pragma once

// The setup sheet for the flight box: the aircraft's name, type, notes and
// when it was last written on top; each page's settings laid out as the page
// shows them (the channel settings as a CH1-CH8 table, the mixes side by
// side) under the binding table's names, each setting once; both curves with
// their axis numbers; the file, the date and the program's version. A4, on at
// most two pages, black on white; the HTML holds the same. Texts come
// through the installed translator.

#include <QDateTime>
#include <QImage>
#include <QString>

#include <QPoint>

#include "paramset.h"
#include "setupinfo.h"

struct SheetSource {
    QString fileName; // the Parameter file the settings come from; empty: the window's
    QDateTime when;
    QString version;
    SetupInfo info;   // the aircraft; an empty name: none given
};

// The sheet as one HTML page. With inlineImages the curves are data: URIs
// (a file that stands alone); without, they are named "sheet:dualrate.png"
// and "sheet:throttle.png" for a QTextDocument that has them as resources.
QString setupSheetHtml(const ParamSet &set, const SheetSource &source, bool inlineImages);

// The curves as the sheet prints them: black on white, scale times the
// window's 300-pixel views, with the axis numbers around them. The
// dual-rate view starts at dualRateCurveOrigin() (times scale) in its image,
// the throttle view at the image's corner.
QImage dualRateCurveImage(const ParamSet &set, int scale = 3);
QImage throttleCurveImage(const ParamSet &set, int scale = 3);
QPoint dualRateCurveOrigin();

// Writes the sheet to path: PDF when it ends in ".pdf", else HTML. Needs a
// QGuiApplication for the PDF. pages: how many the PDF took.
bool writeSetupSheet(const ParamSet &set, const SheetSource &source, const QString &path, QString *error,
                     int *pages = nullptr);
