// --send N [--uplink]: receiver N's stored preset, as a press on "Send
// Selected" with row N selected would send it.
#pragma once

#include "clioutput.h"
#include "command/sending.h"

class ReceiverModel;
struct SendOutcome;

// Sends receiver `receiver` (one of the model's count) as `variant`. A row
// that is not filled in, or an uplink asked for a row outside the QO-100
// downlink band, sends nothing.
CommandResult sendPreset(const ReceiverModel &model, int receiver, SendVariant variant);

// What a send reports: the command line sent, then where it went.
QString sentText(const SendOutcome &outcome);
