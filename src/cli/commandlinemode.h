// The program's second front end, for scripts and schedulers: --help,
// --version, --list and --send N [--uplink]. It runs without a display,
// opens no window, takes no single-copy lock and never writes the settings,
// so it works beside a running window on the same settings.
#pragma once

#include <QStringList>

// Exit statuses a script can test.
enum CommandLineStatus { ExitDone = 0, ExitNothingSent = 1, ExitUsageError = 2 };

// Runs the command line for `arguments` (those after the program's name,
// without Qt's window options) and returns the exit status. Creates the
// QCoreApplication itself; none may exist yet.
int runCommandLineMode(int &argc, char **argv, const QStringList &arguments);
