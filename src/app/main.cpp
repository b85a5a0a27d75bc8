#include "cli/commandlinemode.h"
#include "cli/programmode.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Decided before any application object exists: the command line must
    // work where there is no display to open.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QStringList forCommandLine = argumentsBeyondWindowOptions(arguments);
    if (!forCommandLine.isEmpty())
        return runCommandLineMode(argc, argv, forCommandLine);

    QApplication app(argc, argv);
    return runProgram();
}
