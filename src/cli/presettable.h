// The stored presets as a table for a terminal or a script: a header line,
// then one line per receiver of the stored count.
#pragma once

#include <QString>

class SettingsStore;

// Columns "RX", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage"
// and "Destination" (host:port, or "not usable"), each as wide as its widest
// text, two blanks apart; an empty row shows empty cells.
QString presetTable(const SettingsStore &store);

// The same rows as a JSON array, one object per receiver: "rx", the five
// cells ("frequency", "symbolRate", "locOsc", "antenna", "voltage") and the
// destination's "host" and "port" (both null when it is not usable).
QString presetJson(const SettingsStore &store);
