// Every section, key and default of the settings store, with the typed reads
// and writes that the window, the copies and the command line go through.
// This is the one place that spells a key.
#pragma once

#include "model/presets.h"

#include <QStringList>
#include <cstdint>

class SettingsStore;

inline constexpr int defaultReceiverCount = 4;
// Counts above this are taken for a damaged store: the window would not fit.
inline constexpr int largestReceiverCount = 16;

extern const QString defaultFirstHost;
extern const QString defaultSecondHost;
extern const QString defaultBasePort;

// Where one value is kept: its section and key.
struct StoreKey
{
    QString section;
    QString key;
};

// "RX0" holds the working settings, "RX<n>" receiver row n.
QString receiverSection(int row);

// The keys of the five row cells, in column order 1 to 5.
const QStringList &rowKeys();
StoreKey receiverCountKey();
StoreKey hostAddressKey(int hostIndex); // 0 the first host, 1 the second
StoreKey basePortKey();

// What a stored value is, for words that name it as the window does.
struct StoredValue
{
    enum Kind { ReceiverCount, FirstHost, SecondHost, BasePort, WorkingSettings, ReceiverPreset, Unknown };
    Kind kind = Unknown;
    int receiver = 0; // for ReceiverPreset
};
StoredValue storedValueAt(const QString &section, const QString &key);

// The stored count's leading number, rounded (ties to even); a count outside
// 1 to largestReceiverCount gives the default.
int16_t receiverCountFromText(const QString &text);
int16_t storedReceiverCount(const SettingsStore &store);
bool storeReceiverCount(SettingsStore &store, int count);

// The working settings as last copied into a row, or their defaults.
RowCells storedWorkingSettings(const SettingsStore &store);

// The five stored cells of receiver `row`; a row never stored reads empty.
RowCells storedRow(const SettingsStore &store, int row);

// A copy into row `row`: the cells under "RX0" and then under the row's
// section, all on disk together.
bool storeCopiedRow(SettingsStore &store, int row, const RowCells &cells);

// The stored host addresses and base port, or their defaults.
HostTexts storedHosts(const SettingsStore &store);
bool storeHostAddress(SettingsStore &store, int hostIndex, const QString &address);
bool storeBasePort(SettingsStore &store, const QString &text);
