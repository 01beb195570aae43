#pragma once

#include <QLoggingCategory>

// The program's own tracing (frame lengths, sections read, file paths): off
// unless asked for, e.g. QT_LOGGING_RULES="varnix.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcVarnix)
