#pragma once

// The live readings as the transmitter reports them, and as people read them
// on the live page, in recordings and on the scope: one conversion each.

#include <QString>

namespace readouts {

// The transmitter's own voltage comes in 0.01 V, the receiver's and the
// power battery's in 0.1 V.
constexpr int txVoltScale = 100;
constexpr int telemetryVoltScale = 10;

inline double txVolts(int raw) { return raw / double(txVoltScale); }
inline double telemetryVolts(int raw) { return raw / double(telemetryVoltScale); }
// The live page shows tenths; the transmitter's hundredths are dropped.
inline int txVoltTenths(int raw) { return raw / (txVoltScale / 10); }

// The device reports 100 at the strongest signal and 0 for none; above 100
// is off its scale and reads as the strongest.
inline bool hasRssi(int raw) { return 100 - raw <= 99; }
// The signal in dBm (0 down to -99); 0 when there is none.
inline int rssiDbm(int raw) { return hasRssi(raw) ? -qMax(100 - raw, 0) : 0; }

// "12.6 V" from 10 V up, " 7.4V" below, from tenths of a volt.
QString voltText(int tenths);
// "-45dBm", or "null" without a signal.
QString rssiText(int raw);

} // namespace readouts

namespace readouts {
// The live page, the marks and the curves are redrawn this often.
constexpr int refreshMs = 100;
} // namespace readouts
