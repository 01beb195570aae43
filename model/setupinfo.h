#pragma once

#include "airframe.h"

#include <QDateTime>
#include <QString>

// What a Parameter file does not carry about the aircraft it is for: kept
// beside the file by the setups library, printed on the setup sheet.
struct SetupInfo {
    QString name;                     // the aircraft's name, as the user gave it
    Airframe type = Airframe::Other;
    QString notes;                    // free text, several lines
    QDateTime lastWritten;            // last written to a transmitter; invalid if never
    QDateTime lastChanged;            // last saved from the pages
};
