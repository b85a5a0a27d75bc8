// The host address and base port boxes, checked when they lose the focus.
#pragma once

#include "tuning/numberbox.h"

class QLineEdit;
class ReceiverModel;
class SettingsStore;

// Checks address box `index` (0 first host, 1 second): an accepted address is
// normalised, kept in the model as the host's last accepted text and stored;
// a refused one is put back, and the box gets the focus again with a beep.
EntryOutcome checkAddressBox(QLineEdit *const (&qvipaddress)[2], int index, ReceiverModel &model,
                             SettingsStore &store);

// Checks the base port box the same way, then renews the second host's hint
// (not after a text that is not a number).
EntryOutcome checkPortBox(QLineEdit *qvipport, QLineEdit *secondHostBox, ReceiverModel &model,
                          SettingsStore &store);
