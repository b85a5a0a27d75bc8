#include "commandlinemode.h"

#include "channellist.h"
#include "channels/channellibrary.h"
#include "channelsend.h"
#include "channeltransfer.h"
#include "clioutput.h"
#include "commandlineoptions.h"
#include "model/receivermodel.h"
#include "presetjson.h"
#include "presetsend.h"
#include "presettable.h"
#include "store/modelstore.h"
#include "store/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

int usageError(const CommandLineOptions &options, const QString &message)
{
    tell(message);
    print(stderr, options.parser.helpText());
    return ExitUsageError;
}

// The library beside the settings file, or nothing (and why, told) when the
// file does not read as channels.
bool libraryIsReadable(const ChannelLibrary &library)
{
    if (library.problem().isEmpty())
        return true;
    for (const QString &line : library.problem().split(QLatin1Char('\n')))
        tell(line);
    return false;
}

// The store as the window would read it, or an error when the file is there
// and cannot be read (reading it as empty would show made-up defaults).
bool storeIsReadable(const SettingsStore &store)
{
    const QString path = QFileInfo(store.fileName()).absoluteFilePath();
    switch (store.readability()) {
    case SettingsStore::Readability::Readable:
        return true;
    case SettingsStore::Readability::TooLarge:
        tell(tr("The settings file %1 is larger than %2; it is not read.")
                 .arg(path, SettingsStore::maxFileSizeText()));
        return false;
    case SettingsStore::Readability::NotReadable:
        break;
    }
    tell(tr("The settings file %1 %2; it is not read.").arg(path, store.readProblem()));
    return false;
}

// --channels, --import-channels and --export-channels.
int runChannelCommand(const CommandLineOptions &options, const SettingsStore &store)
{
    ChannelLibrary library(store.fileName());
    if (!libraryIsReadable(library))
        return ExitNothingSent;
    const QCommandLineParser &parser = options.parser;
    if (parser.isSet(options.channels))
        return output(parser.isSet(options.json) ? channelJson(library) : channelTable(library));
    if (parser.isSet(options.importChannels))
        return finish(importChannels(library, parser.value(options.importChannels)));
    return finish(exportChannels(library, parser.value(options.exportChannels)));
}

// --list and the sends, on the presets as the window would load them.
int runPresetCommand(const CommandLineOptions &options, SettingsStore &store)
{
    if (!storeIsReadable(store))
        return ExitNothingSent;
    ReceiverModel model;
    loadModel(store, model);
    const QCommandLineParser &parser = options.parser;
    if (parser.isSet(options.list))
        return output(parser.isSet(options.json) ? presetJson(model) : presetTable(model));
    if (options.sendsAllRows())
        return finish(sendAll(model));
    const int receiver = options.receiver();
    if (parser.isSet(options.channel)) {
        const ChannelLibrary library(store.fileName());
        if (!libraryIsReadable(library))
            return ExitNothingSent;
        return finish(sendChannel(store, model, library, receiver, parser.value(options.channel)));
    }
    const int count = model.maxreceivers();
    if (receiver < 1 || receiver > count)
        return usageError(options,
                          tr("There is no receiver %1: the receivers are 1 to %2.").arg(receiver).arg(count));
    return finish(sendPreset(model, receiver,
                             parser.isSet(options.uplink) ? SendVariant::Uplink : SendVariant::Downlink));
}

} // namespace

int runCommandLineMode(int &argc, char **argv, const QStringList &arguments)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZZI_VERSION));

    CommandLineOptions options;
    if (!options.parse(arguments))
        return usageError(options, options.parser.errorText());
    if (options.wantsHelp())
        return output(options.helpText());
    if (options.parser.isSet(options.version)) {
        return output(QCoreApplication::applicationName() + QLatin1Char(' ')
                      + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    }
    const QString problem = options.usageProblem();
    if (!problem.isEmpty())
        return usageError(options, problem);

    SettingsStore store;
    return options.usesChannelLibrary() ? runChannelCommand(options, store)
                                        : runPresetCommand(options, store);
}
