// Every filled receiver row to its receiver, one datagram each, in receiver
// order, for the window's Ctrl+Shift+S and the command line's --send all.
// A row that fails does not stop the rest.
#pragma once

#include "receivercommand.h"

#include <QVector>
#include <functional>

struct SendAllOutcome
{
    QVector<SendOutcome> sent; // with the receiver in each destination's order
    QVector<int> sentReceivers;
    QVector<int> failedReceivers;
    QStringList failures; // "RX3: Not sent: ...", one a failed receiver
};

SendAllOutcome sendAllRows(DatagramSender &sender, int receiverCount,
                           const std::function<RowCells(int)> &rowOf, const HostTexts &hosts);

// One line for the operator: how many were sent and which were not, and why.
QString sendAllSummary(const SendAllOutcome &outcome);
