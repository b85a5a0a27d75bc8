#include "commandlinemode.h"

#include "command/commandline.h"
#include "command/receivercommand.h"
#include "presettable.h"
#include "programmode.h"
#include "store/modelstore.h"
#include "store/settingsstore.h"
#include "store/storeschema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

// One line naming the program, as command-line tools write their errors.
void tell(const QString &message)
{
    print(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + message + QLatin1Char('\n'));
}

int usageError(const QCommandLineParser &parser, const QString &message)
{
    tell(message);
    print(stderr, parser.helpText());
    return ExitUsageError;
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
             "     settings file that cannot be read; the reason on standard error\n"
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
           "The options below need no display and never change the settings."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption list(QStringLiteral("list"),
                                  tr("Print the stored presets, one line per receiver."));
    const QCommandLineOption send(QStringLiteral("send"),
                                  tr("Send receiver N's stored preset, as a left press on\n"
                                     "\"Send Selected\" with row N selected would."),
                                  QStringLiteral("N"));
    const QCommandLineOption uplink(QStringLiteral("uplink"),
                                    tr("With --send: send what a right press would (the uplink\n"
                                       "for a row in the QO-100 downlink band)."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  tr("With --list: print the rows as JSON, one object per\n"
                                     "receiver (the five cells, host and port)."));
    parser.addOptions({list, json, send, uplink});

    if (!parser.parse(QStringList{QCoreApplication::applicationFilePath()} + arguments))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        print(stdout, helpText(parser, parser.isSet(QStringLiteral("help-all"))));
        return ExitDone;
    }
    if (parser.isSet(version)) {
        print(stdout,
              QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()
                  + QLatin1Char('\n'));
        return ExitDone;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(parser, tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(list) && parser.isSet(send))
        return usageError(parser, tr("--list and --send cannot be used together."));
    if (parser.isSet(uplink) && !parser.isSet(send))
        return usageError(parser, tr("--uplink goes with --send N."));
    if (parser.isSet(json) && !parser.isSet(list))
        return usageError(parser, tr("--json goes with --list."));
    if (!parser.isSet(list) && !parser.isSet(send))
        return usageError(parser, tr("Nothing to do: give --list or --send N."));
    if (parser.values(send).size() > 1)
        return usageError(parser, tr("--send is given more than once."));
    bool isNumber = false;
    const int receiver = parser.value(send).toInt(&isNumber);
    if (parser.isSet(send) && !isNumber)
        return usageError(parser, tr("--send needs a receiver number, not '%1'.").arg(parser.value(send)));

    const SettingsStore store;
    if (!storeIsReadable(store))
        return ExitNothingSent;
    ReceiverModel model;
    loadModel(store, model);
    if (parser.isSet(list)) {
        print(stdout, parser.isSet(json) ? presetJson(model) : presetTable(model));
        return ExitDone;
    }
    const int count = model.maxreceivers();
    if (receiver < 1 || receiver > count)
        return usageError(parser,
                          tr("There is no receiver %1: the receivers are 1 to %2.").arg(receiver).arg(count));

    // The window offers Send only for a filled row; a stored row is held to
    // the same before it goes the shared way.
    const RowCells cells = model.receiver(receiver);
    if (!isFilled(cells)) {
        tell(tr("Not sent: row %1 is empty or incomplete.").arg(receiver));
        return ExitNothingSent;
    }
    // A script that asks for the uplink and gets the downlink line has not
    // got what it asked for; the window's right press is left as designed.
    if (parser.isSet(uplink)) {
        const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, cells);
        if (fields && !inDownlinkWindow(fields->frequency)) {
            tell(tr("Not sent: row %1 is at %2 MHz, outside the QO-100 downlink band %3 to %4 MHz "
                    "(the upper end excluded), so it has no uplink.")
                     .arg(receiver)
                     .arg(cells.frequency.trimmed())
                     .arg(QString::number(downlinkLowKhz / 1000.0, 'f', 3))
                     .arg(QString::number(downlinkHighKhz / 1000.0, 'f', 3)));
            return ExitNothingSent;
        }
    }
    DatagramSender sender;
    const SendOutcome outcome = sendReceiverCommand(sender, receiver, count, cells, model.hosts(),
                                                    parser.isSet(uplink) ? RightButtonBit : LeftButtonBit);
    if (!outcome.sent) {
        tell(outcome.problem);
        return ExitNothingSent;
    }
    print(stdout,
          outcome.line + QLatin1Char('\n') + tr("sent to %1").arg(destinationText(outcome.destination))
              + QLatin1Char('\n'));
    return ExitDone;
}
