// What a command prints and its exit status, and the one way it reaches the
// standard streams: every command hands its text to the dispatcher, which
// writes it here.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

struct CommandResult
{
    int status = 0;
    QString out; // text for standard output
    QString err; // lines for standard error, each ending in a line end
    QByteArray bytes; // written to standard output as they are, after `out`
};

// The command line's texts, all in one translation context.
QString tr(const char *text);

// Whether the whole text arrived; errno says why not.
bool print(FILE *stream, const QString &text);

// One line naming the program, as command-line tools write their errors.
void tell(const QString &message);

// Writes text that is the command's whole output (a list, the help): cut
// short, it is exit status 1, and the reason is told.
int output(const QString &text);

// Writes a command's result: `out` as a report (a sent datagram stays sent
// whether or not it could be reported), each line of `err` told, then
// `bytes`, which are the output and held to the same as output().
int finish(const CommandResult &result);
