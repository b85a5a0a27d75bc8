#include "sendall.h"

#include <QCoreApplication>

SendAllOutcome sendAllRows(DatagramSender &sender, int receiverCount,
                           const std::function<RowCells(int)> &rowOf, const HostTexts &hosts)
{
    SendAllOutcome outcome;
    for (int receiver = 1; receiver <= receiverCount; ++receiver) {
        const RowCells cells = rowOf(receiver);
        if (!isFilled(cells))
            continue;
        const SendOutcome one =
            sendReceiverCommand(sender, receiver, receiverCount, cells, hosts, SendVariant::Downlink);
        if (one.sent) {
            outcome.sent << one;
            outcome.sentReceivers << receiver;
        } else {
            outcome.failedReceivers << receiver;
            outcome.failures << QStringLiteral("RX%1: %2").arg(receiver).arg(one.problem);
        }
    }
    return outcome;
}

QString sendAllSummary(const SendAllOutcome &outcome)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("SendAll", text); };
    const qsizetype filled = outcome.sentReceivers.size() + outcome.failedReceivers.size();
    if (filled == 0)
        return tr("Nothing sent: no receiver row is filled.");
    QString text = tr("Sent %1 of %2 filled rows.").arg(outcome.sentReceivers.size()).arg(filled);
    if (!outcome.failures.isEmpty())
        text += QLatin1Char(' ') + tr("Not sent: %1").arg(outcome.failures.join(QStringLiteral("; ")));
    return text;
}
