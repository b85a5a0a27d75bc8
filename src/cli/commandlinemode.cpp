#include "commandlinemode.h"

#include "channellist.h"
#include "channels/channellibrary.h"
#include "channelsend.h"
#include "channeltransfer.h"
#include "clioutput.h"
#include "presetjson.h"
#include "presetsend.h"
#include "presettable.h"
#include "programmode.h"
#include "store/modelstore.h"
#include "store/settingsstore.h"
#include "store/storeschema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

int usageError(const QCommandLineParser &parser, const QString &message)
{
    tell(message);
    print(stderr, parser.helpText());
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

// --help-all adds the options Qt takes for the window, which a QCoreApplication
// does not know about.
QString helpText(const QCommandLineParser &parser, bool withWindowOptions)
{
    QString text = parser.helpText()
        + tr("\nExit status:\n"
             "  0  done: the list printed, the datagram sent, the help or version printed\n"
             "  1  nothing sent: an empty or unusable row, an unusable host or port, a send\n"
             "     the system refused, --uplink outside the QO-100 downlink band, or a\n"
             "     settings file that cannot be read, output that could not be written;\n"
             "     --send N --channel: an unknown name\n"
             "     or N outside the shown count (nothing stored); --send all: any receiver\n"
             "     not sent (the rest are sent, each failed one named); --import-channels:\n"
             "     any invalid line (each named, nothing changed); a channels.csv that does\n"
             "     not read as channels (never written over); the reason on standard error\n"
             "  2  a usage error; the usage on standard error\n"
             "\nThe manual page: man zorudoza-zudizir-ivozudiro\n");
    if (!withWindowOptions)
        return text;
    text += tr("\nQt's options for the window:\n");
    QString line;
    for (const QString &name : windowOptionNames()) {
        if (line.size() + name.size() > 72) {
            text += QStringLiteral("  ") + line.trimmed() + QLatin1Char('\n');
            line.clear();
        }
        line += name + QLatin1Char(' ');
    }
    return text + QStringLiteral("  ") + line.trimmed() + QLatin1Char('\n');
}

} // namespace

int runCommandLineMode(int &argc, char **argv, const QStringList &arguments)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZZI_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Tunes remote satellite-TV receivers. Without options it opens the window\n"
           "(Qt's window options such as -platform, -style and -display apply there).\n"
           "The options below need no display; only --send N --channel changes the\n"
           "settings (receiver N's row) and --import-channels the channel library."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption list(QStringLiteral("list"),
                                  tr("Print the stored presets, one line per receiver."));
    const QCommandLineOption send(QStringLiteral("send"),
                                  tr("Send receiver N's stored preset, as a left press on\n"
                                     "\"Send Selected\" with row N selected would; all:\n"
                                     "every filled row, in receiver order."),
                                  QStringLiteral("N"));
    const QCommandLineOption uplink(QStringLiteral("uplink"),
                                    tr("With --send: send what a right press would (the\n"
                                       "uplink for a row in the QO-100 downlink band)."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  tr("With --list: print the rows as JSON, one object per\n"
                                     "receiver (the five cells, host and port). With\n"
                                     "--channels: one object per channel (name, frequency,\n"
                                     "symbolRate, locOsc, antenna, voltage, notes)."));
    const QCommandLineOption channels(QStringLiteral("channels"),
                                      tr("Print the channel library (channels.csv beside the\n"
                                         "settings file), sorted by name."));
    const QCommandLineOption channel(QStringLiteral("channel"),
                                     tr("With --send N: store the channel as receiver N's\n"
                                        "preset, as \"Copy from settings to grid\" would,\n"
                                        "then send it."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption importChannelsOption(QStringLiteral("import-channels"),
                                                  tr("Add the channels of a CSV file (- for standard\n"
                                                     "input), replacing those of the same name; any\n"
                                                     "invalid line changes nothing. Columns in any\n"
                                                     "order, extra ones ignored."),
                                                  QStringLiteral("FILE"));
    const QCommandLineOption exportChannelsOption(QStringLiteral("export-channels"),
                                                  tr("Write the channel library as CSV (- for standard\n"
                                                     "output)."),
                                                  QStringLiteral("FILE"));
    parser.addOptions(
        {list, json, send, uplink, channels, channel, importChannelsOption, exportChannelsOption});

    if (!parser.parse(QStringList{QCoreApplication::applicationFilePath()} + arguments))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        return output(helpText(parser, parser.isSet(QStringLiteral("help-all"))));
    }
    if (parser.isSet(version)) {
        return output(QCoreApplication::applicationName() + QLatin1Char(' ')
                      + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(parser, tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    // One thing to do a run.
    QStringList actions;
    for (const QCommandLineOption *option :
         {&list, &send, &channels, &importChannelsOption, &exportChannelsOption}) {
        if (parser.isSet(*option))
            actions << QStringLiteral("--") + option->names().first();
    }
    if (actions.size() > 1)
        return usageError(parser, tr("%1 and %2 cannot be used together.").arg(actions[0], actions[1]));
    const bool sendAllRows = parser.value(send) == QLatin1String("all");
    if (parser.isSet(uplink) && (!parser.isSet(send) || sendAllRows || parser.isSet(channel)))
        return usageError(parser, tr("--uplink goes with --send N."));
    if (parser.isSet(channel) && (!parser.isSet(send) || sendAllRows))
        return usageError(parser, tr("--channel goes with --send N."));
    if (parser.isSet(json) && !parser.isSet(list) && !parser.isSet(channels))
        return usageError(parser, tr("--json goes with --list or --channels."));
    if (actions.isEmpty())
        return usageError(parser,
                          tr("Nothing to do: give --list, --send N, --send all, --channels, "
                             "--import-channels FILE or --export-channels FILE."));
    for (const QCommandLineOption *option : {&send, &channel, &importChannelsOption, &exportChannelsOption}) {
        if (parser.values(*option).size() > 1)
            return usageError(parser, tr("--%1 is given more than once.").arg(option->names().first()));
    }
    bool isNumber = false;
    const int receiver = parser.value(send).toInt(&isNumber);
    if (parser.isSet(send) && !isNumber && !sendAllRows)
        return usageError(parser,
                          tr("--send needs a receiver number or all, not '%1'.").arg(parser.value(send)));

    SettingsStore store;
    if (parser.isSet(channels) || parser.isSet(importChannelsOption) || parser.isSet(exportChannelsOption)) {
        ChannelLibrary library(store.fileName());
        if (!libraryIsReadable(library))
            return ExitNothingSent;
        if (parser.isSet(channels)) {
            return output(parser.isSet(json) ? channelJson(library) : channelTable(library));
        }
        if (parser.isSet(importChannelsOption))
            return finish(importChannels(library, parser.value(importChannelsOption)));
        return finish(exportChannels(library, parser.value(exportChannelsOption)));
    }
    if (!storeIsReadable(store))
        return ExitNothingSent;
    ReceiverModel model;
    loadModel(store, model);
    if (parser.isSet(list)) {
        return output(parser.isSet(json) ? presetJson(model) : presetTable(model));
    }
    if (sendAllRows)
        return finish(sendAll(model));
    if (parser.isSet(channel)) {
        const ChannelLibrary library(store.fileName());
        if (!libraryIsReadable(library))
            return ExitNothingSent;
        return finish(sendChannel(store, library, receiver, parser.value(channel)));
    }
    const int count = model.maxreceivers();
    if (receiver < 1 || receiver > count)
        return usageError(parser,
                          tr("There is no receiver %1: the receivers are 1 to %2.").arg(receiver).arg(count));
    return finish(
        sendPreset(model, receiver, parser.isSet(uplink) ? SendVariant::Uplink : SendVariant::Downlink));
}
