// A settings store with sample presets, as an operator's might look, for
// the benchmarks and the screenshots.
#pragma once

#include <QString>

// Writes the store the program reads under `configHome` (what it finds as
// XDG_CONFIG_HOME): `receivers` rows, working settings and both hosts.
void writeSamplePresets(const QString &configHome, int receivers, const QString &firstHost,
                        const QString &secondHost, int basePort);
