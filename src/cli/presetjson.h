// --list --json: the presets for a script, as JSON.
#pragma once

#include <QString>

class ReceiverModel;

// The rows of --list as a JSON array, one object per receiver: "rx", the
// five cells ("frequency", "symbolRate", "locOsc", "antenna", "voltage") and
// the destination's "host" and "port" (both null when it is not usable).
QString presetJson(const ReceiverModel &model);
