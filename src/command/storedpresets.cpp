#include "storedpresets.h"

#include "store/settingsstore.h"
#include "table/copyoperations.h"
#include "tuning/numbers.h"

#include <cmath>

const QString defaultFirstHost = QStringLiteral("192.168.1.10");
const QString defaultSecondHost = QStringLiteral("192.168.1.11");

int16_t receiverCountFromText(const QString &text)
{
    const double rounded = std::nearbyint(numbers::leadingNumber(text));
    if (!(rounded >= 1 && rounded <= largestReceiverCount))
        return defaultReceiverCount;
    return int16_t(rounded);
}

int16_t storedReceiverCount(const SettingsStore &store)
{
    return receiverCountFromText(
        store.read(QStringLiteral("MaxReceivers"), QStringLiteral("Receivers"), QStringLiteral("4")));
}

RowCells storedRow(const SettingsStore &store, int row)
{
    const QString section = receiverSection(row);
    const QStringList &keys = rowKeys();
    return RowCells{store.read(section, keys[0], QString()), store.read(section, keys[1], QString()),
                    store.read(section, keys[2], QString()), store.read(section, keys[3], QString()),
                    store.read(section, keys[4], QString())};
}

HostTexts storedHosts(const SettingsStore &store)
{
    const QString ip = QStringLiteral("IP");
    return HostTexts{store.read(ip, QStringLiteral("Address0"), defaultFirstHost),
                     store.read(ip, QStringLiteral("Address1"), defaultSecondHost),
                     store.read(ip, QStringLiteral("Port"), QStringLiteral("9900"))};
}
