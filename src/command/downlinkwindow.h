// The QO-100 downlink band, in the two forms the program uses it.
//
// The uplink hint beside "Send Selected" reads the Frequency cell's leading
// number in MHz and shows from 10490 to 10500 MHz, both ends in. A right
// press decides on the command's whole kHz and sends the uplink from
// 10490000 kHz up to but not including 10500000 kHz. The two ends differ as
// the program was designed: at exactly 10500.000 MHz the hint shows, yet a
// right press sends the ordinary line. Keep them side by side so that a
// change to one is made knowing the other.
#pragma once

#include <QString>
#include <cstdint>

inline constexpr double uplinkHintLowMhz = 10490.0;
inline constexpr double uplinkHintHighMhz = 10500.0; // included
inline constexpr int32_t downlinkLowKhz = 10490000;
inline constexpr int32_t downlinkHighKhz = 10500000; // excluded
inline constexpr int32_t uplinkShiftKhz = 8089500;

// The hint shows for a Frequency cell whose leading number lies in the band.
bool showsUplinkHint(const QString &frequencyCell);

// A right press sends the uplink for a command frequency in the band.
bool inDownlinkWindow(int32_t frequencyKhz);
