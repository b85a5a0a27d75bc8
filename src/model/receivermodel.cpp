#include "receivermodel.h"

const QStringList &presetColumnTitles()
{
    static const QStringList titles{QStringLiteral("RX"),          QStringLiteral("Frequency"),
                                    QStringLiteral("Symbol Rate"), QStringLiteral("Loc Osc"),
                                    QStringLiteral("Antenna"),     QStringLiteral("Voltage")};
    return titles;
}

const QStringList &antennaItems()
{
    static const QStringList items{"TOP", "BOT"};
    return items;
}

const QStringList &voltageItems()
{
    static const QStringList items{" ",     "X-OFF",  "X-VERT",  "X-HORIZ",     "X-VERT-TONE", "X-HORIZ-TONE",
                                   "Y-OFF", "Y-VERT", "Y-HORIZ", "Y-VERT-TONE", "Y-HORIZ-TONE"};
    return items;
}

ReceiverModel::ReceiverModel(QObject *parent)
    : QObject(parent)
{ }

void ReceiverModel::setMaxreceivers(int count)
{
    count = std::max(0, count);
    if (count == maxreceivers())
        return;
    count_ = count;
    if (receivers_.size() < count)
        receivers_.resize(count);
    if (selected_ > count)
        setSelectedReceiver(0);
    emit maxreceiversChanged(count);
}

RowCells ReceiverModel::receiver(int receiver) const
{
    return isReceiver(receiver) ? receivers_.at(receiver - 1) : RowCells{};
}

void ReceiverModel::setReceiver(int receiver, const RowCells &cells)
{
    if (!isReceiver(receiver) || receivers_.at(receiver - 1) == cells)
        return;
    receivers_[receiver - 1] = cells;
    emit receiverChanged(receiver);
}

void ReceiverModel::setSelectedReceiver(int receiver)
{
    const int chosen = isReceiver(receiver) ? receiver : 0;
    if (chosen == selected_)
        return;
    selected_ = chosen;
    emit selectedReceiverChanged(chosen);
}

void ReceiverModel::setWorkingSettings(const RowCells &cells)
{
    if (working_ == cells)
        return;
    working_ = cells;
    emit workingSettingsChanged();
}

QString ReceiverModel::lastAccepted(CheckedEntry entry) const
{
    return accepted_[int(entry)];
}

void ReceiverModel::setLastAccepted(CheckedEntry entry, const QString &text)
{
    QString &kept = accepted_[int(entry)];
    if (kept == text)
        return;
    kept = text;
    emit lastAcceptedChanged(entry);
}

HostTexts ReceiverModel::hosts() const
{
    return {lastAccepted(CheckedEntry::FirstHost), lastAccepted(CheckedEntry::SecondHost),
            lastAccepted(CheckedEntry::BasePort)};
}
