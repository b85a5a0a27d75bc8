// The command line against the window: the same datagram (or the same
// refusal) for the same stored row, with the real executable running where
// there is no display, and the settings folder left exactly as it was.
#include "cli/programmode.h"
#include "command/sending.h"
#include "immutablepaths.h"
#include "loopbackreceivers.h"
#include "operatorsteps.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

// The executable under test: this build's, or ZZI_TEST_PROGRAM, another
// build of the command line (the Windows one, under Wine).
const QString programPath = qEnvironmentVariable("ZZI_TEST_PROGRAM", QStringLiteral(PROGRAM_PATH));
// The name it gives itself in its messages.
const QString program = QFileInfo(programPath).completeBaseName();
const Cells workedExample{"10491.500", "1500", "9750.000", "TOP", "X-HORIZ"};

// The channel library and the files the import rows read, by name; written
// beside the settings folder, where the program runs.
const QByteArray libraryFile = "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n"
                               "QO-100 beacon,10491.500,1500,9750.000,TOP,,\r\n"
                               "Sat One,11000.500,27500,9750.000,BOT,X-HORIZ,\"wide, \"\"DVB-S2\"\"\"\r\n";
const QMap<QString, QByteArray> channelFiles{
    {"exported.csv", libraryFile},
    {"reordered.csv",
     "Notes,Antenna,Name,Extra,Frequency,SymbolRate,LocOsc\n"
     "new,TOP,Sat Two,x,10495.25,333,9750\n,BOT,sat one,y,11000.5,27500,9750\n"},
    {"bad.csv",
     "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\nGood,10491.5,1500,9750,TOP,,\n"
     "Bad,0,1500,9750,TOP,,\n,10491.5,1500,9750,TOP,,\nLeft,10491.5,1500,9750,LEFT,,\n"
     "\"multi\nline\",10491.5,1500,9750,TOP,X-UP,\nGOOD,10491.5,1500,9750,TOP,,\n"}};

void storePresets(TempStore &store, int count, const QString &basePort, const QMap<int, Cells> &rows)
{
    storeHosts(store, count, basePort);
    for (auto row = rows.begin(); row != rows.end(); ++row)
        storeRow(store, row.key(), *row);
}

struct Run
{
    int status = -1; // crashed or hung
    QString out, err;
};

// As a script over ssh starts it: no X server, no Wayland. With `asNobody`,
// as another user than the one who owns the settings (needs root and setpriv).
// `output`: a file for standard output, or "closed". `environment`:
// NAME=value to set, NAME alone to remove.
Run runExecutable(const TempStore &store, const QStringList &arguments, bool asNobody = false,
                  const QString &output = QString(), const QStringList &changes = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.configHome());
    for (const QString &change : changes) {
        if (change.contains('='))
            environment.insert(change.section('=', 0, 0), change.section('=', 1));
        else
            environment.remove(change);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(store.configHome());
    // A copy in the system's temporary folder: nobody may not enter the build
    // tree (a clone in a home folder of mode 0700).
    QTemporaryDir reachable(QDir::tempPath() + QStringLiteral("/zzi-cli-XXXXXX"));
    const QString copy = reachable.filePath(QFileInfo(programPath).fileName());
    if (!output.isEmpty() && output != QLatin1String("closed"))
        process.setStandardOutputFile(output);
    if (output == QLatin1String("closed"))
        process.start(QStringLiteral("/bin/sh"),
                      QStringList{"-c", "exec \"$0\" \"$@\" >&-", programPath} + arguments);
    else if (!asNobody)
        process.start(programPath, arguments);
    else if (QFile::copy(programPath, copy)
             && QFile::setPermissions(reachable.path(),
                                      QFile::permissions(reachable.path()) | QFileDevice::ExeOther))
        process.start(QStringLiteral("setpriv"),
                      QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", copy} + arguments);
    if (!process.waitForFinished(20000))
        process.kill();
    process.waitForFinished();
    const bool ended = process.exitStatus() == QProcess::NormalExit;
    // A Windows console program ends its lines with CR LF; the text is the same.
    const auto text = [](const QByteArray &bytes) { return QString::fromUtf8(bytes).replace("\r\n", "\n"); };
    return Run{ended ? process.exitCode() : -1, text(process.readAllStandardOutput()),
               text(process.readAllStandardError())};
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(receivers_.open(), "no free base port for the loopback receivers"); }

    // One table for both front ends.
    void sendAndSendSelected_giveTheSameDatagram_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QString>("basePort"); // empty: the receivers' own
        QTest::addColumn<bool>("uplink");
        QTest::addColumn<QString>("expected"); // the line without CR LF, or the refusal
        QTest::addColumn<QString>("cliRefusal"); // the command line's own refusal; empty: as the window
        const auto outsideBand = [](int row, const char *megahertz) {
            return QStringLiteral(
                       "Not sent: row %1 is at %2 MHz, outside the QO-100 downlink band 10490.000 to "
                       "10500.000 MHz (the upper end excluded), so it has no uplink.")
                .arg(row)
                .arg(QLatin1String(megahertz));
        };

        QTest::newRow("left press, first host")
            << 4 << 2 << workedExample << "" << false
            << "[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI"
            << "";
        QTest::newRow("uplink: right press")
            << 4 << 2 << workedExample << "" << true
            << "[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI"
            << "";
        QTest::newRow("uplink outside the band: the ordinary line, second host")
            << 8 << 8 << Cells{"2400.250", "66", "0.000", "BOT", " "} << "" << true
            << "[to@qv] rcv=8 freq=2400250 srate=66 offset=0 fplug=B" << outsideBand(8, "2400.250");
        // The window's right press sends the ordinary line there; the command line refuses.
        QTest::newRow("uplink below the band, 146.500")
            << 4 << 1 << Cells{"146.500", "1500", "0.000", "TOP", " "} << "" << true
            << "[to@qv] rcv=1 freq=146500 srate=1500 offset=0 fplug=A" << outsideBand(1, "146.500");
        QTest::newRow("uplink just below the band, 10489.999")
            << 4 << 3 << Cells{"10489.999", "1500", "9750.000", "TOP", " "} << "" << true
            << "[to@qv] rcv=3 freq=10489999 srate=1500 offset=9750000 fplug=A" << outsideBand(3, "10489.999");
        QTest::newRow("uplink at the band's upper end, 10500.000")
            << 8 << 6 << Cells{"10500.000", "1500", "9750.000", "BOT", " "} << "" << true
            << "[to@qv] rcv=6 freq=10500000 srate=1500 offset=9750000 fplug=B" << outsideBand(6, "10500.000");
        QTest::newRow("uplink with an odd antenna text")
            << 4 << 1 << Cells{"10491.500", "1500", "9750.000", "top", "Y-VERT-TONE"} << "" << true
            << "[to@qv] rcv=1 freq=2402000 srate=1500 offset=0 fplug=A vgy=LOT"
            << "";
        QTest::newRow("empty row") << 4 << 3 << Cells{} << "" << false
                                   << "Not sent: row 3 is empty or incomplete."
                                   << "";
        QTest::newRow("no antenna") << 8 << 5 << Cells{"10491.500", "1500", "9750.000", "", ""} << "" << true
                                    << "Not sent: row 5 is empty or incomplete."
                                    << "";
        QTest::newRow("symbol rate with a line end")
            << 4 << 4 << Cells{"10491.500", "15\r\n00", "9750.000", "TOP", " "} << "" << false
            << "Not sent: row 4 has no usable frequency, LO or symbol rate."
            << "";
        QTest::newRow("base port not usable") << 4 << 2 << workedExample << "99x" << false
                                              << "Not sent: the host address or the base port is not usable."
                                              << "";
    }

    void sendAndSendSelected_giveTheSameDatagram()
    {
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(Cells, cells);
        QFETCH(QString, basePort);
        QFETCH(bool, uplink);
        QFETCH(QString, expected);
        QFETCH(QString, cliRefusal);
        const bool sends = expected.startsWith(QLatin1String("[to@qv]"));
        const QStringList heard =
            sends ? QStringList{QStringLiteral("%1: %2\r\n").arg(row).arg(expected)} : QStringList{};
        const bool cliSends = sends && cliRefusal.isEmpty();
        const QString cliExpected = cliRefusal.isEmpty() ? expected : cliRefusal;
        TempStore store;
        storePresets(store, count, basePort.isEmpty() ? QString::number(receivers_.base()) : basePort,
                     {{row, cells}});
        receivers_.take();

        // The window is open on the same settings while the command line runs.
        auto w = openWindow();
        const QStringList before = folderSnapshot(store.configHome());
        const Run cli = runExecutable(store,
                                      QStringList{"--send", QString::number(row)}
                                          + (uplink ? QStringList{"--uplink"} : QStringList{}));
        QCOMPARE(receivers_.await(cliSends ? heard.size() : 0, cliSends ? 5000 : 300),
                 cliSends ? heard : QStringList{});
        QCOMPARE(folderSnapshot(store.configHome()), before);
        const QString sentTo = QStringLiteral("%1\nsent to 127.0.0.%2:%3\n")
                                   .arg(expected)
                                   .arg(row > 4 ? 2 : 1)
                                   .arg(receivers_.base() + 20 + row);
        QCOMPARE(cli.out, cliSends ? sentTo : QString());
        QCOMPARE(cli.err, cliSends ? QString() : QStringLiteral("%1: %2\n").arg(program, cliExpected));
        QCOMPARE(cli.status, cliSends ? 0 : 1);

        clickCell(control<FlexGrid>(*w, "msf1"), row);
        auto *sendx = control<SendButton>(*w, "sendx");
        QTest::mousePress(sendx, uplink ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(receivers_.await(heard.size(), 5000), heard);
        // A row that is not filled in cannot be sent from the window at all.
        QCOMPARE(w->alertText(), sends || !sendx->isEnabled() ? QString() : expected);
    }

    // Every other answer of the command line; no window, no change to the settings.
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        // 0 none, 1 presets, 2 a folder where the file belongs, 3 presets in a
        // file just too large to be read; as another user: 4 presets in a
        // folder that user cannot search, 5 in a file that user cannot read;
        // 6 a file where the folder belongs; presets and 7 standard output a
        // full disk, 8 standard output closed, 9 a control character and half
        // a surrogate pair in a cell, 10 $HOME a file, 11 $HOME unset,
        // 12 XDG_CONFIG_HOME relative
        // 13 presets and a channel library, the loopback receivers' port;
        // 14 as 13, a line of the library damaged; 15 as 13, all 8 rows filled
        // and the second host not usable; 16 as 13 in a folder nothing can be
        // created in (immutable); 17 as 13 on a full disk
        QTest::addColumn<int>("store");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // the start of standard output
        QTest::addColumn<QString>("err"); // the start of standard error

        const QString version = program + QStringLiteral(" " PROGRAM_VERSION "\n");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << 0 << "Usage: "
                                << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << 0 << version << "";
        QTest::newRow("-v after a window option")
            << QStringList{"-platform", "xcb", "-v"} << 0 << 0 << version << "";
        const QString listed = "RX  Frequency  Symbol Rate  Loc Osc   Antenna  Voltage  Destination\n"
                               "1   10491.500  1500         9750.000  TOP      X-HORIZ  127.0.0.1:9921\n"
                               "2                                                       127.0.0.1:9922\n"
                               "3   10491.500                                           127.0.0.1:9923\n"
                               "4                                                       127.0.0.1:9924\n"
                               "5                                                       127.0.0.2:9925\n"
                               "6   2400.250   66           0.000     BOT               127.0.0.2:9926\n"
                               "7                                                       127.0.0.2:9927\n"
                               "8                                                       127.0.0.2:9928\n";
        QTest::newRow("--list") << QStringList{"--list"} << 1 << 0 << listed << "";
        QTest::newRow("--list, a control character and half a surrogate pair")
            << QStringList{"--list"} << 9 << 0 << QString(listed).replace("6   2400.250", "6   a??z    ")
            << "";
        QTest::newRow("--list --json") << QStringList{"--list", "--json"} << 1 << 0 << "[\n    {\n"
                                       << "";
        QTest::newRow("--list --json, store too large")
            << QStringList{"--json", "--list"} << 3 << 1 << "" << program + ": The settings file ";
        QTest::newRow("--list, store not readable")
            << QStringList{"--list"} << 2 << 1 << "" << program + ": The settings file ";
        QTest::newRow("--list, store too large")
            << QStringList{"--list"} << 3 << 1 << "" << program + ": The settings file ";
        for (const QString option : {"--list", "--send 1"}) {
            const QStringList arguments = option.split(' ');
            QTest::newRow(qPrintable(option + ", folder of another user, mode 700"))
                << arguments << 4 << 1 << "" << program + ": The settings file ";
            QTest::newRow(qPrintable(option + ", file of another user, mode 600"))
                << arguments << 5 << 1 << "" << program + ": The settings file ";
            QTest::newRow(qPrintable(option + ", a file where the folder belongs"))
                << arguments << 6 << 1 << "" << program + ": The settings file ";
        }
        const QString unwritten = program + ": The output could not be written (";
        for (const QString option : {"--list", "--list --json", "--help", "--export-channels -"}) {
            QTest::newRow(qPrintable(option + " > /dev/full"))
                << option.split(' ') << 7 << 1 << "" << unwritten;
            QTest::newRow(qPrintable(option + ", standard output closed"))
                << option.split(' ') << 8 << 1 << "" << unwritten;
        }
        // Sent is sent: a report that cannot be printed does not make it unsent.
        QTest::newRow("--send 1 > /dev/full") << QStringList{"--send", "1"} << 7 << 0 << ""
                                              << "";
        QTest::newRow("--send 1, standard output closed") << QStringList{"--send", "1"} << 8 << 0 << ""
                                                          << "";
        QTest::newRow("--list --json, a control character and half a surrogate pair")
            << QStringList{"--list", "--json"} << 9 << 0 << "[\n    {\n"
            << "";
        QTest::newRow("--list, $HOME a file")
            << QStringList{"--list"} << 10 << 1 << "" << program + ": The settings file ";
        QTest::newRow("--list, $HOME unset")
            << QStringList{"--list"} << 11 << 1 << "" << program + ": The settings file ";
        QTest::newRow("--list, relative XDG_CONFIG_HOME ignored")
            << QStringList{"--list"} << 12 << 0
            << "RX  Frequency  Symbol Rate  Loc Osc   Antenna  Voltage  Destination\n"
               "1   10491.500  1500"
            << "";
        const QString channelTable =
            "Name           Frequency  Symbol Rate  Loc Osc   Antenna  Voltage  Notes\n"
            "QO-100 beacon  10491.500  1500         9750.000  TOP";
        QTest::newRow("--channels, first start") << QStringList{"--channels"} << 1 << 0 << channelTable + "\n"
                                                 << "";
        QTest::newRow("--channels") << QStringList{"--channels"} << 13 << 0
                                    << channelTable
                + "\nSat One        11000.500  27500        9750.000  BOT      "
                  "X-HORIZ  wide, \"DVB-S2\"\n"
                                    << "";
        QTest::newRow("--channels --json") << QStringList{"--json", "--channels"} << 13 << 0 << "[\n"
                                           << "";
        QTest::newRow("--export-channels -") << QStringList{"--export-channels", "-"} << 13 << 0
                                             << QString::fromUtf8(libraryFile).replace("\r\n", "\n") << "";
        QTest::newRow("--import-channels of an export: byte for byte")
            << QStringList{"--import-channels", "exported.csv"} << 13 << 0 << "0 added, 0 replaced.\n"
            << "";
        QTest::newRow("--import-channels, other columns and order")
            << QStringList{"--import-channels", "reordered.csv"} << 13 << 0 << "1 added, 1 replaced.\n"
            << "";
        const QString bad = program + ": bad.csv: line ";
        QTest::newRow("--import-channels, invalid lines: nothing changed")
            << QStringList{"--import-channels", "bad.csv"} << 13 << 1 << ""
            << bad + "3, Frequency: \"0\" is not taken: a number above 0 and below 100000 (MHz) is needed\n"
                + bad + "4, Name: a name is needed\n" + bad
                + "5, Antenna: \"LEFT\" is not taken: TOP or BOT is needed\n" + bad
                + "6, Name: \"multi?line\" holds a line end or a control character\n" + bad
                + "8, Name: \"GOOD\" is already the name on line 2\n" + program
                + ": Nothing imported: the channels are as they were.\n";
        for (const QString option :
             {"--channels", "--import-channels exported.csv", "--send 2 --channel Sat One"})
            QTest::newRow(qPrintable(option + ", damaged library: never written over"))
                << option.split(' ').mid(0, 3)
                    + (option.contains("Sat") ? QStringList{"Sat One"} : QStringList{})
                << 14 << 1 << "" << program + ": ";
        for (const int blocked : {16, 17})
            QTest::newRow(blocked == 16 ? "--import-channels, read-only folder: nothing changed"
                                        : "--import-channels, full disk: nothing changed")
                << QStringList{"--import-channels", "reordered.csv"} << blocked << 1 << ""
                << program + ": Not saved: ";
        QTest::newRow("--send 2 --channel, case not looked at")
            << QStringList{"--send", "2", "--channel", "sat ONE"} << 13 << 0
            << "[to@qv] rcv=2 freq=11000500 srate=27500 offset=9750000 fplug=B vgx=HI\nsent to 127.0.0.1:"
            << "";
        QTest::newRow("--send 9 --channel: outside the count")
            << QStringList{"--send", "9", "--channel", "Sat One"} << 13 << 1 << ""
            << program + ": Not sent: there is no receiver 9: the receivers are 1 to 8.\n";
        QTest::newRow("--send 2 --channel, unknown name")
            << QStringList{"--send", "2", "--channel", "Sat"} << 13 << 1 << ""
            << program + ": Not sent: there is no channel named \"Sat\".\n";
        QTest::newRow("--send 6 --channel, host not usable")
            << QStringList{"--send", "6", "--channel", "Sat One"} << 15 << 1 << ""
            << program + ": Not sent: the host address or the base port is not usable.\n";
        QTest::newRow("--send all")
            << QStringList{"--send", "all"} << 13 << 0
            << "[to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\n"
            << "";
        QString failures;
        for (int receiver = 5; receiver <= 8; ++receiver)
            failures += program
                + QStringLiteral(": RX%1: Not sent: the host address or the base port is not usable.\n")
                      .arg(receiver);
        QTest::newRow("--send all, 8 receivers, second host not usable")
            << QStringList{"--send", "all"} << 15 << 1 << "[to@qv] rcv=1 "
            << failures + program + ": Sent 4 of 8 filled rows. Not sent: RX5: ";
        const QList<QPair<QStringList, QString>> usageErrors{
            {{"--frobnicate"}, "Unknown option 'frobnicate'."},
            {{"--send"}, "Missing value after '--send'."},
            {{"--send", "two"}, "--send needs a receiver number or all, not 'two'."},
            {{"--channel", "x"}, "--channel goes with --send N."},
            {{"--send", "all", "--channel", "x"}, "--channel goes with --send N."},
            {{"--channels", "--list"}, "--list and --channels cannot be used together."},
            {{"--send=5"}, "There is no receiver 5: the receivers are 1 to 4."},
            {{"--send", "1", "--send", "2"}, "--send is given more than once."},
            {{"--uplink"}, "--uplink goes with --send N."},
            {{"--json", "--send", "1"}, "--json goes with --list or --channels."},
            {{"--list", "--send", "1"}, "--list and --send cannot be used together."},
            {{"--list", "now"}, "Unexpected argument 'now'."},
        };
        for (const auto &[arguments, message] : usageErrors) {
            QTest::newRow(qPrintable(arguments.join(' ')))
                << arguments << 0 << 2 << "" << QStringLiteral("%1: %2\nUsage: ").arg(program, message);
        }
    }

    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, store);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        // Under Wine the store folder is a link the wrapper makes into the
        // prefix, and Unix owners mean nothing to the Windows program.
        if (store >= 4 && qEnvironmentVariable("ZZI_TEST_PROGRAM_SYSTEM") == QLatin1String("windows"))
            QSKIP("owners and the folder layout are checked for the Linux builds");
        TempStore settings;
        if (store == 1 || store == 3 || store >= 7)
            storePresets(
                settings, 8, "9900",
                {{1, workedExample}, {3, {"10491.500"}}, {6, {"2400.250", "66", "0.000", "BOT", " "}}});
        if (store == 2)
            QVERIFY(QDir().mkpath(settings.filePath()));
        if (store == 3)
            QVERIFY(QFile::resize(settings.filePath(), SettingsStore::maxFileBytes + 1)); // sparse
        const QMap<int, QString> reasons{
            {4, "cannot be read (its folder cannot be searched: permission denied); it is not read.\n"},
            {5, "cannot be read (Permission denied); it is not read.\n"},
            {6, "cannot be read (" + settings.folder() + " is not a folder); it is not read.\n"}};
        if (store == 4 || store == 5) {
            if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
                QSKIP("needs root and setpriv to run the program as another user");
            if (qEnvironmentVariableIsSet("ZZI_TEST_PROGRAM")) // an emulator's wrapper
                QSKIP("the wrapper names a build tree another user may not enter");
            storePresets(settings, 4, "9900", {{1, workedExample}});
            QVERIFY(QFile::setPermissions(settings.configHome(),
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                              | QFileDevice::ExeOther));
            QVERIFY(QFile::setPermissions(
                store == 4 ? settings.folder() : settings.filePath(),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner
                    | (store == 4 ? QFileDevice::ExeOwner : QFileDevice::Permissions())));
        }
        // A small file system of its own for the full disk, unmounted at the end.
        struct FullDisk
        {
            QString at;
            ~FullDisk()
            {
                if (!at.isEmpty())
                    QProcess::execute("umount", {at});
            }
        } fullDisk;
        if (store == 17) {
            if (::geteuid() != 0 || qEnvironmentVariableIsSet("ZZI_TEST_PROGRAM"))
                QSKIP("needs root to mount a small tmpfs as the full disk");
            QVERIFY(QDir().mkpath(settings.folder()));
            if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", settings.folder()})
                != 0)
                QSKIP("no tmpfs could be mounted for the full disk");
            fullDisk.at = settings.folder();
        }
        if (store >= 13) {
            QMap<int, Cells> rows{{1, workedExample}, {3, {"10491.500"}}};
            for (int row = 2; store == 15 && row <= 8; ++row)
                rows[row] = workedExample;
            storePresets(settings, 8, QString::number(receivers_.base()), rows);
            if (store == 15)
                settings.put("IP", "Address1", "127.0.0.256");
            QVERIFY(writeFile(settings.channelsFile(),
                              libraryFile + (store == 14 ? "Broken,abc,1500,9750.000,TOP,,\r\n" : "")));
            for (auto file = channelFiles.begin(); file != channelFiles.end(); ++file)
                QVERIFY(writeFile(settings.configHome() + '/' + file.key(), *file));
            if (store == 17) {
                QFile filler(settings.folder() + "/filler");
                QVERIFY(filler.open(QIODevice::WriteOnly));
                while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) { }
            }
        }
        ImmutablePaths immutable;
        if (store == 16 && (!immutable.add(settings.folder()) || canCreateIn(settings.folder())))
            QSKIP("chattr +i is not supported here, or does not stop root");
        if (store == 6) {
            settings.writeRaw("");
            QVERIFY(QDir(settings.folder()).removeRecursively() && writeFile(settings.folder(), {}));
        }
        if (store == 9)
            settings.writeRaw(settings.readRaw() + "[RX6]\nFrequency=a\\x1b\\xd800z\n");
        QTemporaryDir home;
        QStringList changes;
        if (store == 10)
            changes = QStringList{"XDG_CONFIG_HOME", "HOME=" + settings.filePath()};
        if (store == 11)
            changes = QStringList{"XDG_CONFIG_HOME", "HOME"};
        if (store == 12) {
            QVERIFY(QFile::link(settings.configHome(), home.filePath(".config")));
            changes = QStringList{"XDG_CONFIG_HOME=cfg", "HOME=" + home.path()};
        }
        const QStringList before = folderSnapshot(settings.configHome());
        receivers_.take();
        const Run run = runExecutable(settings, arguments, store == 4 || store == 5,
                                      store == 7       ? "/dev/full"
                                          : store == 8 ? "closed"
                                                       : "",
                                      changes);
        QVERIFY2(run.out.left(out.size()) == out && run.out.isEmpty() == out.isEmpty(), qPrintable(run.out));
        QVERIFY2(run.err.left(err.size()) == err && run.err.isEmpty() == err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.status, status);
        // Every line printed as sent was heard, and nothing else.
        QStringList sent;
        for (const QString &line : run.out.split('\n')) {
            if (line.startsWith("[to@qv] rcv="))
                sent << line.mid(12, 1) + ": " + line + "\r\n";
        }
        QCOMPARE(receivers_.await(int(sent.size()), sent.isEmpty() ? 100 : 5000), sent);
        const bool written =
            status == 0 && (arguments.contains("--channel") || arguments.contains("reordered.csv"));
        QCOMPARE(folderSnapshot(settings.configHome()) == before, !written);
        if (store == 14)
            QVERIFY2(run.err.contains(settings.channelsFile() + " does not read as channels")
                         && run.err.contains("line 4, Frequency: \"abc\" is not taken"),
                     qPrintable(run.err));
        if (status == 0 && arguments.contains("reordered.csv")) {
            QFile library(settings.channelsFile());
            QVERIFY(library.open(QIODevice::ReadOnly));
            QCOMPARE(library.readAll(),
                     QByteArray("Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n"
                                "QO-100 beacon,10491.500,1500,9750.000,TOP,,\r\n"
                                "sat one,11000.500,27500,9750.000,BOT,,\r\n"
                                "Sat Two,10495.250,333,9750.000,TOP,,new\r\n"));
        }
        // Stored as a copy into row 2 stores it, then sent.
        if (arguments.contains("--channel") && status == 0) {
            for (const QString section : {"RX0", "RX2"})
                QCOMPARE(QStringList({settings.get(section, "Frequency"), settings.get(section, "Antenna"),
                                      settings.get(section, "Voltage")}),
                         QStringList({"11000.500", "BOT", "X-HORIZ"}));
        }
        if (arguments.contains("--channels") && arguments.contains("--json")) {
            QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8()).array()[1].toObject(),
                     (QJsonObject{{"name", "Sat One"},
                                  {"frequency", "11000.500"},
                                  {"symbolRate", "27500"},
                                  {"locOsc", "9750.000"},
                                  {"antenna", "BOT"},
                                  {"voltage", "X-HORIZ"},
                                  {"notes", "wide, \"DVB-S2\""}}));
            // As a script reads it.
            QProcess jq;
            jq.start("jq", {"-r", ".[] | \"\\(.name)|\\(.frequency)|\\(.voltage)\""});
            if (jq.waitForStarted()) {
                jq.write(run.out.toUtf8());
                jq.closeWriteChannel();
                QVERIFY(jq.waitForFinished());
                QCOMPARE(jq.readAllStandardOutput(),
                         QByteArray("QO-100 beacon|10491.500| \nSat One|11000.500|X-HORIZ\n"));
            }
        }
        if (reasons.contains(store))
            QVERIFY2(run.err.endsWith(settings.filePath() + " " + reasons[store]), qPrintable(run.err));
        if (store == 9 && arguments.contains("--json")) {
            QVERIFY2(run.out.contains(QString::fromUtf8("\"frequency\": \"a\\u001b\xef\xbf\xbdz\""),
                                      Qt::CaseInsensitive),
                     qPrintable(run.out));
            return;
        }
        if (arguments.contains("--list") && arguments.contains("--json") && status == 0) {
            const QJsonArray rows = QJsonDocument::fromJson(run.out.toUtf8()).array();
            QCOMPARE(rows.size(), 8);
            QCOMPARE(rows[5].toObject(),
                     (QJsonObject{{"rx", 6},
                                  {"frequency", "2400.250"},
                                  {"symbolRate", "66"},
                                  {"locOsc", "0.000"},
                                  {"antenna", "BOT"},
                                  {"voltage", " "},
                                  {"host", "127.0.0.2"},
                                  {"port", 9926}}));
        }
        if (arguments == QStringList{"--help"} && status == 0)
            QVERIFY(run.out.contains("Exit status:\n  0  done")
                    && run.out.contains("man zorudoza-zudizir-ivozudiro"));
    }

    void windowOptions_leaveTheWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("forCommandLine");
        QTest::newRow("Qt's, with values")
            << QStringList{"-platform", "offscreen", "--style=Fusion", "-reverse"} << QStringList{};
        QTest::newRow("beside --list") << QStringList{"--display", ":1", "--list"} << QStringList{"--list"};
        QTest::newRow("a switch given a value is not Qt's")
            << QStringList{"-reverse=1"} << QStringList{"-reverse=1"};
    }

    void windowOptions_leaveTheWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, forCommandLine);
        QCOMPARE(argumentsBeyondWindowOptions(arguments), forCommandLine);
    }

private:
    LoopbackReceivers receivers_;
};

QTEST_MAIN(CommandLineTest)
#include "test_cli.moc"
