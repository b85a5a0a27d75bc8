#include "presetsend.h"

#include "command/commandline.h"
#include "command/downlinkwindow.h"
#include "command/receivercommand.h"
#include "commandlinemode.h"
#include "model/receivermodel.h"

namespace {

CommandResult notSent(const QString &reason)
{
    return {ExitNothingSent, QString(), reason + QLatin1Char('\n'), {}};
}

} // namespace

CommandResult sendPreset(const ReceiverModel &model, int receiver, SendVariant variant)
{
    // The window offers Send only for a filled row; a stored row is held to
    // the same before it goes the shared way.
    const RowCells cells = model.receiver(receiver);
    if (!isFilled(cells))
        return notSent(tr("Not sent: row %1 is empty or incomplete.").arg(receiver));
    // A script that asks for the uplink and gets the downlink line has not
    // got what it asked for; the window's right press is left as designed.
    if (variant == SendVariant::Uplink) {
        const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, cells);
        if (fields && !inDownlinkWindow(fields->frequency)) {
            return notSent(tr("Not sent: row %1 is at %2 MHz, outside the QO-100 downlink band %3 to %4 MHz "
                              "(the upper end excluded), so it has no uplink.")
                               .arg(receiver)
                               .arg(cells.frequency.trimmed())
                               .arg(QString::number(downlinkLowKhz / 1000.0, 'f', 3))
                               .arg(QString::number(downlinkHighKhz / 1000.0, 'f', 3)));
        }
    }
    DatagramSender sender;
    const SendOutcome outcome =
        sendReceiverCommand(sender, receiver, model.maxreceivers(), cells, model.hosts(), variant);
    if (!outcome.sent)
        return notSent(outcome.problem);
    // Sent is sent: the report goes out as `out`, whose failure to print
    // does not make the datagram unsent.
    return {ExitDone, sentText(outcome), QString(), {}};
}

QString sentText(const SendOutcome &outcome)
{
    return outcome.line + QLatin1Char('\n') + tr("sent to %1").arg(destinationText(outcome.destination))
        + QLatin1Char('\n');
}
