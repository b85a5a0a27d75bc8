// Captions the window shows and also speaks or quotes elsewhere (screen
// reader names, refusal messages), written once so they cannot drift apart.
#pragma once

namespace captions {
inline constexpr char firstHost[] = "Quenvale IP Address";
inline constexpr char basePort[] = "Quenvale Base IP Port";
inline constexpr char secondHost[] = "Second Quenvale";
inline constexpr char symbolRate[] = "SRate (kS)";
inline constexpr char offset[] = "Loc Osc (MHz)";
inline constexpr char antenna[] = "Antenna";
inline constexpr char voltage[] = "Voltage Generators";
// The button shows it with a trailing blank, as designed.
inline constexpr char copyToSettings[] = "Copy from grid to settings";
inline constexpr char copyToGrid[] = "Copy from settings to grid";
inline constexpr char send[] = "Send Selected";
} // namespace captions
