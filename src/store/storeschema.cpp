#include "storeschema.h"

#include "settingsstore.h"
#include "tuning/numbers.h"

#include <cmath>

const QString defaultFirstHost = QStringLiteral("192.168.1.10");
const QString defaultSecondHost = QStringLiteral("192.168.1.11");
const QString defaultBasePort = QStringLiteral("9900");

namespace {

const QString countSection = QStringLiteral("MaxReceivers");
const QString countKey = QStringLiteral("Receivers");
const QString hostSection = QStringLiteral("IP");
const QString portKey = QStringLiteral("Port");

QString addressKey(int hostIndex)
{
    return QStringLiteral("Address") + QString::number(hostIndex);
}

RowCells readCells(const SettingsStore &store, int row, const RowCells &fallback)
{
    const QString section = receiverSection(row);
    const QStringList &keys = rowKeys();
    return RowCells{
        store.read(section, keys[0], fallback.frequency), store.read(section, keys[1], fallback.symbolRate),
        store.read(section, keys[2], fallback.offset), store.read(section, keys[3], fallback.antenna),
        store.read(section, keys[4], fallback.voltage)};
}

} // namespace

QString receiverSection(int row)
{
    return QStringLiteral("RX") + QString::number(row);
}

StoreKey receiverCountKey()
{
    return {countSection, countKey};
}

StoreKey hostAddressKey(int hostIndex)
{
    return {hostSection, addressKey(hostIndex)};
}

StoreKey basePortKey()
{
    return {hostSection, portKey};
}

StoredValue storedValueAt(const QString &section, const QString &key)
{
    if (section == hostSection) {
        if (key == portKey)
            return {StoredValue::BasePort};
        if (key == addressKey(0))
            return {StoredValue::FirstHost};
        if (key == addressKey(1))
            return {StoredValue::SecondHost};
    }
    if (section == countSection)
        return {StoredValue::ReceiverCount};
    if (section == receiverSection(0))
        return {StoredValue::WorkingSettings};
    const QString prefix = receiverSection(0).chopped(1);
    bool isRow = false;
    const int row = section.mid(prefix.size()).toInt(&isRow);
    if (section.startsWith(prefix) && isRow)
        return {StoredValue::ReceiverPreset, row};
    return {};
}

const QStringList &rowKeys()
{
    static const QStringList keys = {QStringLiteral("Frequency"), QStringLiteral("SymbolRate"),
                                     QStringLiteral("Offset"), QStringLiteral("Antenna"),
                                     QStringLiteral("Voltage")};
    return keys;
}

int16_t receiverCountFromText(const QString &text)
{
    const double rounded = std::nearbyint(numbers::leadingNumber(text));
    if (!(rounded >= 1 && rounded <= largestReceiverCount))
        return defaultReceiverCount;
    return int16_t(rounded);
}

int16_t storedReceiverCount(const SettingsStore &store)
{
    return receiverCountFromText(store.read(countSection, countKey, QString::number(defaultReceiverCount)));
}

bool storeReceiverCount(SettingsStore &store, int count)
{
    return store.write(countSection, countKey, QString::number(count));
}

RowCells storedWorkingSettings(const SettingsStore &store)
{
    static const RowCells defaults{QStringLiteral("10491.500"), QStringLiteral("1500"),
                                   QStringLiteral("9750.000"), QStringLiteral("TOP"), QStringLiteral(" ")};
    return readCells(store, 0, defaults);
}

RowCells storedRow(const SettingsStore &store, int row)
{
    return readCells(store, row, RowCells{});
}

bool storeCopiedRow(SettingsStore &store, int row, const RowCells &cells)
{
    const QStringList &keys = rowKeys();
    QVector<StoreEntry> entries;
    for (const QString &section : {receiverSection(0), receiverSection(row)}) {
        entries.append({section, keys[0], cells.frequency});
        entries.append({section, keys[1], cells.symbolRate});
        entries.append({section, keys[2], cells.offset});
        entries.append({section, keys[3], cells.antenna});
        entries.append({section, keys[4], cells.voltage});
    }
    return store.write(entries);
}

HostTexts storedHosts(const SettingsStore &store)
{
    return HostTexts{store.read(hostSection, addressKey(0), defaultFirstHost),
                     store.read(hostSection, addressKey(1), defaultSecondHost),
                     store.read(hostSection, portKey, defaultBasePort)};
}

bool storeHostAddress(SettingsStore &store, int hostIndex, const QString &address)
{
    return store.write(hostSection, addressKey(hostIndex), address);
}

bool storeBasePort(SettingsStore &store, const QString &text)
{
    return store.write(hostSection, portKey, text);
}
