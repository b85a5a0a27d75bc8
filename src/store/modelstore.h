// The store's side of the model: loading all of it, and saving each change
// an operation makes. Every write is on disk (or held and announced) before
// it returns, as SettingsStore's writes are.
#pragma once

#include "model/receivermodel.h"

class SettingsStore;

// The stored count, every receiver's preset, the working settings and the
// hosts, the working settings' and the hosts' texts as their last accepted
// ones. The selection is left as it is (the count may take it away).
void loadModel(const SettingsStore &store, ReceiverModel &model);

// Receiver `receiver`'s preset as the model has it, after a copy into it:
// under the working settings' section and then under the receiver's own.
bool saveCopiedReceiver(SettingsStore &store, const ReceiverModel &model, int receiver);

// The model's receiver count.
bool saveReceiverCount(SettingsStore &store, const ReceiverModel &model);

// A host's last accepted address (0 first, 1 second), or the base port's.
bool saveHostAddress(SettingsStore &store, const ReceiverModel &model, int hostIndex);
bool saveBasePort(SettingsStore &store, const ReceiverModel &model);
