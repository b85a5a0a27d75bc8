#include "receivercommand.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("ReceiverCommand", text);
}
} // namespace

SendOutcome sendReceiverCommand(DatagramSender &sender, int receiver, int receiverCount,
                                const RowCells &cells, const HostTexts &hosts, SendVariant variant)
{
    SendOutcome outcome;
    if (receiver < 1 || receiver > receiverCount) {
        outcome.problem = tr("Not sent: no receiver row is selected.");
        return outcome;
    }
    const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, cells);
    if (!fields) {
        outcome.problem = tr("Not sent: row %1 has no usable frequency, LO or symbol rate.").arg(receiver);
        return outcome;
    }
    const std::optional<Destination> destination =
        receiverDestination(receiver, hosts.firstHost, hosts.secondHost, hosts.basePort);
    if (!destination) {
        outcome.problem = tr("Not sent: the host address or the base port is not usable.");
        return outcome;
    }
    const CommandFields pressed = fieldsForVariant(*fields, variant);
    outcome.destination = *destination;
    const QByteArray datagram = commandDatagram(pressed);
    const QString refusal = sender.send(*destination, datagram);
    if (!refusal.isEmpty()) {
        outcome.problem = tr("Not sent to %1 port %2: %3")
                              .arg(destination->host.toString())
                              .arg(destination->port)
                              .arg(refusal);
        return outcome;
    }
    outcome.sent = true;
    // What went out, byte for byte, less the line end.
    outcome.line = QString::fromLatin1(datagram.endsWith("\r\n") ? datagram.chopped(2) : datagram);
    return outcome;
}

QString destinationText(const Destination &destination)
{
    return destination.host.toString() + QLatin1Char(':') + QString::number(destination.port);
}
