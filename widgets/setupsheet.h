#pragma once

// The setup sheet: every setting by page under the names of the binding
// table, the dual-rate and throttle curves drawn, the file, the date and the
// program's version. A4, at most two pages, readable in black and white; the
// HTML holds the same. Texts come through the installed translator.

#include <QDateTime>
#include <QImage>
#include <QString>

#include "paramset.h"

struct SheetSource {
    QString fileName; // the Parameter file the settings come from; empty: the window's
    QDateTime when;
    QString version;
};

// The sheet as one HTML page. With inlineImages the curves are data: URIs
// (a file that stands alone); without, they are named "sheet:dualrate.png"
// and "sheet:throttle.png" for a QTextDocument that has them as resources.
QString setupSheetHtml(const ParamSet &set, const SheetSource &source, bool inlineImages);

// The curves as the sheet prints them: black on white, scale times the
// window's 300-pixel views.
QImage dualRateCurveImage(const ParamSet &set, int scale = 3);
QImage throttleCurveImage(const ParamSet &set, int scale = 3);

// Writes the sheet to path: PDF when it ends in ".pdf", else HTML. Needs a
// QGuiApplication for the PDF. pages: how many the PDF took.
bool writeSetupSheet(const ParamSet &set, const SheetSource &source, const QString &path, QString *error,
                     int *pages = nullptr);
