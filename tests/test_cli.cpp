// The command line against the window: the same datagram (or the same
// refusal) for the same stored row, with the real executable running where
// there is no display, and the settings folder left exactly as it was.
#include "cli/programmode.h"
#include "command/sending.h"
#include "loopbackreceivers.h"
#include "operatorsteps.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// The executable under test: this build's, or ZZI_TEST_PROGRAM, another
// build of the command line (the Windows one, under Wine).
const QString programPath = qEnvironmentVariable("ZZI_TEST_PROGRAM", QStringLiteral(PROGRAM_PATH));
// The name it gives itself in its messages.
const QString program = QFileInfo(programPath).completeBaseName();
const Cells workedExample{"10491.500", "1500", "9750.000", "TOP", "X-HORIZ"};

QString configHome(const TempStore &store)
{
    return QFileInfo(store.folder()).path();
}

void storePresets(TempStore &store, int count, const QString &basePort, const QMap<int, Cells> &rows)
{
    storeHosts(store, count, basePort);
    for (auto row = rows.begin(); row != rows.end(); ++row)
        storeRow(store, row.key(), *row);
}

// Every file under the settings home with its bytes: a lock file, a rewritten
// store or a new folder all show.
QStringList snapshot(const TempStore &store)
{
    QStringList files;
    QDirIterator it(configHome(store), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files << it.filePath() + QLatin1Char('=')
                + QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll().toHex() : "");
    }
    files.sort();
    return files;
}

struct Run
{
    int status = -1; // crashed or hung
    QString out, err;
};

// As a script over ssh starts it: no X server, no Wayland. With `asNobody`,
// as another user than the one who owns the settings (needs root and setpriv).
Run runExecutable(const TempStore &store, const QStringList &arguments, bool asNobody = false)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome(store));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (asNobody)
        process.start(QStringLiteral("setpriv"),
                      QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups", programPath}
                          + arguments);
    else
        process.start(programPath, arguments);
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
        const QStringList before = snapshot(store);
        const Run cli = runExecutable(store,
                                      QStringList{"--send", QString::number(row)}
                                          + (uplink ? QStringList{"--uplink"} : QStringList{}));
        QCOMPARE(receivers_.await(cliSends ? heard.size() : 0, cliSends ? 5000 : 300),
                 cliSends ? heard : QStringList{});
        QCOMPARE(snapshot(store), before);
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
        // 6 a file where the folder belongs
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
        QTest::newRow("--list") << QStringList{"--list"} << 1 << 0
                                << "RX  Frequency  Symbol Rate  Loc Osc   Antenna  Voltage  Destination\n"
                                   "1   10491.500  1500         9750.000  TOP      X-HORIZ  127.0.0.1:9921\n"
                                   "2                                                       127.0.0.1:9922\n"
                                   "3   10491.500                                           127.0.0.1:9923\n"
                                   "4                                                       127.0.0.1:9924\n"
                                   "5                                                       127.0.0.2:9925\n"
                                   "6   2400.250   66           0.000     BOT               127.0.0.2:9926\n"
                                   "7                                                       127.0.0.2:9927\n"
                                   "8                                                       127.0.0.2:9928\n"
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
        const QList<QPair<QStringList, QString>> usageErrors{
            {{"--frobnicate"}, "Unknown option 'frobnicate'."},
            {{"--send"}, "Missing value after '--send'."},
            {{"--send", "two"}, "--send needs a receiver number, not 'two'."},
            {{"--send=5"}, "There is no receiver 5: the receivers are 1 to 4."},
            {{"--send", "1", "--send", "2"}, "--send is given more than once."},
            {{"--uplink"}, "--uplink goes with --send N."},
            {{"--json", "--send", "1"}, "--json goes with --list."},
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
        if (store == 1 || store == 3)
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
            storePresets(settings, 4, "9900", {{1, workedExample}});
            QVERIFY(QFile::setPermissions(configHome(settings),
                                          QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                              | QFileDevice::ExeOther));
            QVERIFY(QFile::setPermissions(
                store == 4 ? settings.folder() : settings.filePath(),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner
                    | (store == 4 ? QFileDevice::ExeOwner : QFileDevice::Permissions())));
        }
        if (store == 6) {
            settings.writeRaw("");
            QVERIFY(QDir(settings.folder()).removeRecursively());
            QFile plain(settings.folder());
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }
        const QStringList before = snapshot(settings);
        const Run run = runExecutable(settings, arguments, store == 4 || store == 5);
        QVERIFY2(run.out.left(out.size()) == out && run.out.isEmpty() == out.isEmpty(), qPrintable(run.out));
        QVERIFY2(run.err.left(err.size()) == err && run.err.isEmpty() == err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.status, status);
        QCOMPARE(snapshot(settings), before);
        if (reasons.contains(store))
            QVERIFY2(run.err.endsWith(settings.filePath() + " " + reasons[store]), qPrintable(run.err));
        if (arguments.contains("--json") && status == 0) {
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
        if (arguments == QStringList{"--help"})
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
