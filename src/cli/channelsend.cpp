#include "channelsend.h"

#include "channels/channellibrary.h"
#include "command/sendall.h"
#include "model/receivermodel.h"
#include "presetsend.h"
#include "store/modelstore.h"
#include "store/settingsstore.h"

CommandResult sendChannel(SettingsStore &store, ReceiverModel &model, const ChannelLibrary &library,
                          int receiver, const QString &name)
{
    const Channel *channel = library.find(name);
    if (!channel)
        return {1, QString(), tr("Not sent: there is no channel named \"%1\".\n").arg(name), {}};
    const int count = model.maxreceivers();
    if (!model.isReceiver(receiver))
        return {
            1,
            QString(),
            tr("Not sent: there is no receiver %1: the receivers are 1 to %2.\n").arg(receiver).arg(count),
            {}};
    const HostTexts hosts = model.hosts();
    if (!receiverDestination(receiver, hosts.firstHost, hosts.secondHost, hosts.basePort))
        return {1, QString(), tr("Not sent: the host address or the base port is not usable.\n"), {}};
    // The channel's values are in the boxes' shown forms, which is what a
    // copy from the settings writes into a row.
    model.setReceiver(receiver, channel->values);
    if (!saveCopiedReceiver(store, model, receiver))
        return {1, QString(), store.problem() + tr(" Nothing sent.\n"), {}};
    DatagramSender sender;
    const SendOutcome outcome =
        sendReceiverCommand(sender, receiver, count, model.receiver(receiver), hosts, SendVariant::Downlink);
    if (!outcome.sent)
        return {1, QString(), outcome.problem + QLatin1Char('\n'), {}};
    return {0, sentText(outcome), QString(), {}};
}

CommandResult sendAll(const ReceiverModel &model)
{
    DatagramSender sender;
    const SendAllOutcome outcome = sendAllRows(
        sender, model.maxreceivers(), [&](int receiver) { return model.receiver(receiver); }, model.hosts());
    CommandResult result;
    for (const SendOutcome &sent : outcome.sent)
        result.out += sentText(sent);
    for (const QString &failure : outcome.failures)
        result.err += failure + QLatin1Char('\n');
    if (!outcome.failures.isEmpty() || outcome.sent.isEmpty())
        result.err += sendAllSummary(outcome) + QLatin1Char('\n');
    result.status = outcome.failures.isEmpty() && !outcome.sent.isEmpty() ? 0 : 1;
    return result;
}
