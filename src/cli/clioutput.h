// What a command prints, and its exit status; the dispatcher prints it.
#pragma once

#include <QByteArray>
#include <QString>

struct CommandResult
{
    int status = 0;
    QString out; // text for standard output
    QString err; // lines for standard error, each ending in a line end
    QByteArray bytes; // written to standard output as they are, after `out`
};
