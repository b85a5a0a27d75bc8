// From a receiver's stored row to the datagram on the wire. The window's Send
// button and the command line both go this one way, so they can never send
// different bytes for the same row.
#pragma once

#include "model/presets.h"
#include "sending.h"

#include <QString>

struct SendOutcome
{
    bool sent = false;
    QString line; // the command line sent, without CR LF
    Destination destination; // where it went, or where the platform refused it
    QString problem; // why nothing was sent, for the operator; empty when sent
};

// Sends receiver `receiver`'s row, or its uplink for `variant`: one
// datagram, or none and the reason. A row that cannot give a command is
// refused; whether a row is filled in is the front end's gate (the window's
// selection, the command line's own check), since the window sends the
// current row as it stands, an odd or empty antenna included.
SendOutcome sendReceiverCommand(DatagramSender &sender, int receiver, int receiverCount,
                                const RowCells &cells, const HostTexts &hosts, SendVariant variant);

// "host:port", as the operator writes a destination.
QString destinationText(const Destination &destination);
