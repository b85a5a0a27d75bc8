// --send N --channel NAME and --send all.
#pragma once

#include "clioutput.h"

class ChannelLibrary;
class ReceiverModel;
class SettingsStore;

// Tunes receiver `receiver` to the named channel: stores it as the row's
// preset (as "Copy from settings to grid" stores a row), then sends it as a
// left press on "Send Selected". An unknown name, a receiver outside the
// model's count or an unusable host or port stores and sends nothing.
CommandResult sendChannel(SettingsStore &store, ReceiverModel &model, const ChannelLibrary &library,
                          int receiver, const QString &name);

// Sends every filled row, in receiver order; one that fails does not stop the rest.
CommandResult sendAll(const ReceiverModel &model);
