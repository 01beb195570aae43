#pragma once

// The window's "提示" box: what happened, and why as its informative text.

#include <QString>

void showNote(const QString &text, const QString &why);
