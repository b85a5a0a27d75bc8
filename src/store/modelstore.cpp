#include "modelstore.h"

#include "storeschema.h"

void loadModel(const SettingsStore &store, ReceiverModel &model)
{
    using Entry = ReceiverModel::CheckedEntry;
    const int count = storedReceiverCount(store);
    model.setMaxreceivers(count);
    for (int receiver = 1; receiver <= count; ++receiver)
        model.setReceiver(receiver, storedRow(store, receiver));

    const RowCells working = storedWorkingSettings(store);
    model.setWorkingSettings(working);
    model.setLastAccepted(Entry::Frequency, working.frequency);
    model.setLastAccepted(Entry::SymbolRate, working.symbolRate);
    model.setLastAccepted(Entry::Offset, working.offset);

    const HostTexts hosts = storedHosts(store);
    model.setLastAccepted(Entry::FirstHost, hosts.firstHost);
    model.setLastAccepted(Entry::SecondHost, hosts.secondHost);
    model.setLastAccepted(Entry::BasePort, hosts.basePort);
}

bool saveCopiedReceiver(SettingsStore &store, const ReceiverModel &model, int receiver)
{
    return storeCopiedRow(store, receiver, model.receiver(receiver));
}

bool saveReceiverCount(SettingsStore &store, const ReceiverModel &model)
{
    return storeReceiverCount(store, model.maxreceivers());
}

bool saveHostAddress(SettingsStore &store, const ReceiverModel &model, int hostIndex)
{
    const auto entry =
        hostIndex == 1 ? ReceiverModel::CheckedEntry::SecondHost : ReceiverModel::CheckedEntry::FirstHost;
    return storeHostAddress(store, hostIndex, model.lastAccepted(entry));
}

bool saveBasePort(SettingsStore &store, const ReceiverModel &model)
{
    return storeBasePort(store, model.lastAccepted(ReceiverModel::CheckedEntry::BasePort));
}
