// The executable that the tests of the real program start: the one built
// beside them, or the command line in ZZI_PROGRAM_UNDER_TEST, split at spaces
// (a program cross-built for another architecture, run under its emulator:
// "qemu-aarch64-static -L / build/arm64/src/zorudoza-zudizir-ivozudiro").
#pragma once

#include <QProcess>
#include <QStringList>

inline void startProgramUnderTest(QProcess &process, const QString &builtBeside, const QStringList &arguments)
{
    QStringList command =
        qEnvironmentVariable("ZZI_PROGRAM_UNDER_TEST").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (command.isEmpty())
        command = QStringList{builtBeside};
    const QString program = command.takeFirst();
    process.start(program, command + arguments);
}
