#include "channeltransfer.h"

#include "channels/channellibrary.h"
#include "platform/binarystreams.h"
#include "platform/filereplace.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

CommandResult importChannels(ChannelLibrary &library, const QString &file)
{
    QFile input(file);
    if (file == QLatin1String("-"))
        binarystreams::useBinaryStandardStreams(); // a note's CR LF stays as it is
    const bool opened =
        file == QLatin1String("-") ? input.open(stdin, QIODevice::ReadOnly) : input.open(QIODevice::ReadOnly);
    if (!opened)
        return {1,
                QString(),
                tr("Nothing imported: %1 cannot be read (%2).\n").arg(file, input.errorString()),
                {}};
    const QByteArray bytes = input.read(ChannelLibrary::maxFileBytes + 1);
    if (bytes.size() > ChannelLibrary::maxFileBytes)
        return {1, QString(), tr("Nothing imported: %1 is larger than 16 MiB.\n").arg(file), {}};
    const ChannelsRead read = readChannelsCsv(bytes);
    if (!read.problems.isEmpty()) {
        QString err;
        for (const LineProblem &problem : read.problems)
            err += file + QStringLiteral(": ") + lineProblemText(problem) + QLatin1Char('\n');
        return {1, QString(), err + tr("Nothing imported: the channels are as they were.\n"), {}};
    }
    int added = 0;
    int replaced = 0;
    const QString refused = library.merge(read.channels, &added, &replaced);
    if (!refused.isEmpty())
        return {1, QString(), refused + QLatin1Char('\n') + tr("Nothing imported.\n"), {}};
    return {0, tr("%1 added, %2 replaced.\n").arg(added).arg(replaced), QString(), {}};
}

CommandResult exportChannels(const ChannelLibrary &library, const QString &file)
{
    const QByteArray bytes = writeChannelsCsv(library.channels());
    if (file == QLatin1String("-"))
        return {0, QString(), QString(), bytes};
    // The same one-step replacement as the library's own file: an export over
    // an older one never leaves half of either.
    const QString refused = filereplace::replace(QFileInfo(file).absoluteFilePath(), bytes);
    if (!refused.isEmpty())
        return {1, QString(), tr("Not exported: %1 %2.\n").arg(file, refused), {}};
    return {0, QString(), QString(), {}};
}
