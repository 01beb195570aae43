#include "logging.h"

Q_LOGGING_CATEGORY(lcVarnix, "varnix", QtInfoMsg)
