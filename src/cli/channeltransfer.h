// --import-channels FILE and --export-channels FILE ("-": standard input or output).
#pragma once

#include "clioutput.h"

class ChannelLibrary;

// Adds the file's channels and replaces those of the same name; a file with
// any invalid line changes nothing and every such line is named.
CommandResult importChannels(ChannelLibrary &library, const QString &file);

// The library as CSV, byte for byte as channels.csv holds it.
CommandResult exportChannels(const ChannelLibrary &library, const QString &file);
