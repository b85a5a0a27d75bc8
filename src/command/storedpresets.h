// The receivers' presets as the store holds them, read the way the window
// reads them at set-up; the command line reads them the same way.
#pragma once

#include "receivercommand.h"
#include "table/rowcells.h"

#include <QString>
#include <cstdint>

class SettingsStore;

inline constexpr int defaultReceiverCount = 4;
// Counts above this are taken for a damaged store: the window would not fit.
inline constexpr int largestReceiverCount = 16;

extern const QString defaultFirstHost;
extern const QString defaultSecondHost;

// The stored count's leading number, rounded (ties to even); a count outside
// 1 to largestReceiverCount gives the default.
int16_t receiverCountFromText(const QString &text);
int16_t storedReceiverCount(const SettingsStore &store);

// The five stored cells of receiver `row`; a row never stored reads empty.
RowCells storedRow(const SettingsStore &store, int row);

// The stored host addresses and base port, or their defaults.
HostTexts storedHosts(const SettingsStore &store);
