// --channels [--json]: the channel library for a terminal or a script.
#pragma once

#include <QString>

class ChannelLibrary;

// Columns "Name", "Frequency", "Symbol Rate", "Loc Osc", "Antenna", "Voltage"
// and "Notes", sorted by name (case not looked at), each as wide as its
// widest text.
QString channelTable(const ChannelLibrary &library);

// The same, as a JSON array of objects with the keys "name", "frequency",
// "symbolRate", "locOsc", "antenna", "voltage" (" " for the blank item, as
// --list --json gives a row's) and "notes".
QString channelJson(const ChannelLibrary &library);
