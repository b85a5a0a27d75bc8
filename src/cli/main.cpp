#include "commandlinemode.h"
#include "programmode.h"

#include <QStringList>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Qt's window options mean nothing here; they are let pass as the
    // window program lets them pass beside --list or --send.
    return runCommandLineMode(argc, argv, argumentsBeyondWindowOptions(arguments));
}
