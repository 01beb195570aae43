#pragma once

// Header-only helpers for the tests of the link, with or without a window.

#include <QtTest>

#include "link.h"

namespace linktest {

// Pauses short enough for a quick suite, long enough for a peer to answer
// between two frames.
inline LinkPacing fastPacing()
{
    LinkPacing p;
    p.guardMs = 10;
    p.readMs = 20;
    p.frameMs = 40;
    p.readReportMs = 300;
    p.verifyMs = 1000;
    return p;
}

inline bool waitIdle(const Link &link, int timeoutMs = 10000)
{
    return QTest::qWaitFor([&link] { return !link.isBusy(); }, timeoutMs);
}

} // namespace linktest
