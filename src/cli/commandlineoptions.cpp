#include "commandlineoptions.h"

#include "clioutput.h"
#include "programmode.h"

#include <QCoreApplication>

CommandLineOptions::CommandLineOptions()
    : help(parser.addHelpOption())
    , version(parser.addVersionOption())
    , list(QStringLiteral("list"), tr("Print the stored presets, one line per receiver."))
    , send(QStringLiteral("send"),
           tr("Send receiver N's stored preset, as a left press on\n"
              "\"Send Selected\" with row N selected would; all:\n"
              "every filled row, in receiver order."),
           QStringLiteral("N"))
    , uplink(QStringLiteral("uplink"),
             tr("With --send: send what a right press would (the\n"
                "uplink for a row in the QO-100 downlink band)."))
    , json(QStringLiteral("json"),
           tr("With --list: print the rows as JSON, one object per\n"
              "receiver (the five cells, host and port). With\n"
              "--channels: one object per channel (name, frequency,\n"
              "symbolRate, locOsc, antenna, voltage, notes)."))
    , channels(QStringLiteral("channels"),
               tr("Print the channel library (channels.csv beside the\n"
                  "settings file), sorted by name."))
    , channel(QStringLiteral("channel"),
              tr("With --send N: store the channel as receiver N's\n"
                 "preset, as \"Copy from settings to grid\" would,\n"
                 "then send it."),
              QStringLiteral("NAME"))
    , importChannels(QStringLiteral("import-channels"),
                     tr("Add the channels of a CSV file (- for standard\n"
                        "input), replacing those of the same name; any\n"
                        "invalid line changes nothing. Columns in any\n"
                        "order, extra ones ignored."),
                     QStringLiteral("FILE"))
    , exportChannels(QStringLiteral("export-channels"),
                     tr("Write the channel library as CSV (- for standard\n"
                        "output)."),
                     QStringLiteral("FILE"))
{
    parser.setApplicationDescription(
        tr("Tunes remote satellite-TV receivers. Without options it opens the window\n"
           "(Qt's window options such as -platform, -style and -display apply there).\n"
           "The options below need no display; only --send N --channel changes the\n"
           "settings (receiver N's row) and --import-channels the channel library."));
    parser.addOptions({list, json, send, uplink, channels, channel, importChannels, exportChannels});
}

bool CommandLineOptions::parse(const QStringList &arguments)
{
    return parser.parse(QStringList{QCoreApplication::applicationFilePath()} + arguments);
}

bool CommandLineOptions::wantsHelp() const
{
    return parser.isSet(help) || parser.isSet(QStringLiteral("help-all"));
}

// --help-all adds the options Qt takes for the window, which a QCoreApplication
// does not know about.
QString CommandLineOptions::helpText() const
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
    if (!parser.isSet(QStringLiteral("help-all")))
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

QString CommandLineOptions::usageProblem() const
{
    if (!parser.positionalArguments().isEmpty())
        return tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    // One thing to do a run.
    QStringList actions;
    for (const QCommandLineOption *option : {&list, &send, &channels, &importChannels, &exportChannels}) {
        if (parser.isSet(*option))
            actions << QStringLiteral("--") + option->names().first();
    }
    if (actions.size() > 1)
        return tr("%1 and %2 cannot be used together.").arg(actions[0], actions[1]);
    if (parser.isSet(uplink) && (!parser.isSet(send) || sendsAllRows() || parser.isSet(channel)))
        return tr("--uplink goes with --send N.");
    if (parser.isSet(channel) && (!parser.isSet(send) || sendsAllRows()))
        return tr("--channel goes with --send N.");
    if (parser.isSet(json) && !parser.isSet(list) && !parser.isSet(channels))
        return tr("--json goes with --list or --channels.");
    if (actions.isEmpty())
        return tr("Nothing to do: give --list, --send N, --send all, --channels, "
                  "--import-channels FILE or --export-channels FILE.");
    for (const QCommandLineOption *option : {&send, &channel, &importChannels, &exportChannels}) {
        if (parser.values(*option).size() > 1)
            return tr("--%1 is given more than once.").arg(option->names().first());
    }
    bool isNumber = false;
    parser.value(send).toInt(&isNumber);
    if (parser.isSet(send) && !isNumber && !sendsAllRows())
        return tr("--send needs a receiver number or all, not '%1'.").arg(parser.value(send));
    return QString();
}

bool CommandLineOptions::sendsAllRows() const
{
    return parser.value(send) == QLatin1String("all");
}

int CommandLineOptions::receiver() const
{
    return parser.value(send).toInt();
}

bool CommandLineOptions::usesChannelLibrary() const
{
    return parser.isSet(channels) || parser.isSet(importChannels) || parser.isSet(exportChannels);
}
