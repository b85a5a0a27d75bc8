// The program's second front end, for scripts and schedulers: --help,
// --version, --list, --send N [--uplink | --channel NAME], --send all and
// the channel library's --channels, --import-channels and --export-channels.
// It runs without a display, opens no window and takes no single-copy lock,
// so it works beside a running window on the same settings; it writes them
// only for --send N --channel, through the store's own one-step writes.
#pragma once

#include <QStringList>

// Exit statuses a script can test.
enum CommandLineStatus { ExitDone = 0, ExitNothingSent = 1, ExitUsageError = 2 };

// Runs the command line for `arguments` (those after the program's name,
// without Qt's window options) and returns the exit status. Creates the
// QCoreApplication itself; none may exist yet.
int runCommandLineMode(int &argc, char **argv, const QStringList &arguments);
