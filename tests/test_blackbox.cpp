// The real executable as the operator meets it: started on a store with
// presets, driven only through X input (xdotool moves, clicks and keys on an
// Xvfb server the test starts itself), heard only through UDP sockets on the
// loopback, and read only through its store file. Positions are the window's
// client pixels: 15 twips a pixel.
#include "loopbackreceivers.h"
#include "xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int patienceMs = 20000; // the longest wait for a window, a datagram or an exit

// Client positions of what the operator clicks (design twips / 15).
const QPoint sendButton(780, 300);
const QPoint copyToGridButton(508, 300);
const QPoint portBox(808, 53);
const QPoint frequencyBox(80, 205);
const QPoint symbolRateBox(395, 205);
const QPoint offsetBox(510, 205);
// The grid sits at (40, 380); rows are 22 pixels tall, row 0 the header.
QPoint gridCell(int row)
{
    return QPoint(40 + 136 + 68, 380 + 22 * row + 11);
}

constexpr int designHeight = 535; // four receivers
constexpr int rowHeight = 22;

QByteArray presetStore(int basePort)
{
    return "[IP]\nAddress0=127.0.0.1\nAddress1=127.0.0.2\nPort=" + QByteArray::number(basePort)
        + "\n\n[MaxReceivers]\nReceivers=4\n\n"
          "[RX0]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage=\" \"\n\n"
          "[RX2]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage=X-HORIZ\n\n"
          "[RX3]\nFrequency=10368.250\nSymbolRate=333\nOffset=0.000\nAntenna=BOT\nVoltage=\" \"\n\n"
          "[RX6]\nFrequency=10499.999\nSymbolRate=2000\nOffset=9750.000\nAntenna=BOT\nVoltage=Y-VERT-TONE\n";
}

} // namespace

class BlackBoxTest : public QObject
{
    Q_OBJECT

private:
    XServer x_{patienceMs};

    // Every case but those that start the program themselves meets it
    // already running on the presets, its main window up.
    UserFolders user;
    LoopbackReceivers receivers;
    QProcess *program = nullptr;
    QString window;

    QProcess *start(const UserFolders &folders)
    {
        // ZZI_TEST_PROGRAM: another build of the program (the Windows one, under Wine).
        return x_.startProgram(qEnvironmentVariable("ZZI_TEST_PROGRAM", QStringLiteral(PROGRAM_PATH)),
                               folders.config(), folders.runtime());
    }

    void kill(QProcess *victim)
    {
        ::kill(pid_t(victim->processId()), SIGKILL);
        victim->waitForFinished(patienceMs);
    }

    QStringList xdotool(const QStringList &arguments) const { return x_.xdotool(arguments); }
    QStringList windows() const { return x_.programWindows(); }
    QRect geometry(const QString &id) const { return x_.geometry(id); }

    // The screen's area free of panels, as the window manager tells it.
    QRect workArea() const
    {
        QProcess xprop;
        xprop.setProcessEnvironment(x_.programEnvironment(QString(), QString()));
        xprop.start(QStringLiteral("xprop"), {"-root", "_NET_WORKAREA"});
        xprop.waitForFinished(patienceMs);
        const QStringList v =
            QString::fromLocal8Bit(xprop.readAllStandardOutput()).section('=', 1).split(',');
        return v.size() < 4 ? QRect() : QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt());
    }

    // ZZI_SCREENSHOTS=folder: what the test saw, for the documentation.
    void screenshot(const QString &name) const
    {
        const QString folder = qEnvironmentVariable("ZZI_SCREENSHOTS");
        if (!folder.isEmpty())
            QProcess::execute(QStringLiteral("import"),
                              {"-display", x_.display(), "-window", "root", folder + '/' + name});
    }

    void click(const QString &id, QPoint at, int button = 1)
    {
        xdotool({"mousemove", "--window", id, QString::number(at.x()), QString::number(at.y()), "click",
                 QString::number(button)});
    }

    void key(const QString &keys) { xdotool(QStringList{"key", "--delay", "30"} + keys.split(' ')); }

    // Click into a box, replace its text by typing, leave it with Tab.
    void enter(const QString &id, QPoint box, const QString &text)
    {
        click(id, box);
        key("ctrl+a");
        xdotool({"type", "--delay", "30", text});
        key("Tab");
    }

    // Selects a grid row, copies the working settings into it and sends it.
    void copyIntoRowAndSend(const QString &id, int row)
    {
        click(id, gridCell(row));
        click(id, copyToGridButton);
        click(id, sendButton);
    }

    void startOnPresets(int width = 900)
    {
        QVERIFY(receivers.open());
        QVERIFY(user.create(presetStore(receivers.base())));
        program = start(user);
        QVERIFY(program);
        window = x_.awaitWindow(width);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
    }

private slots:
    void initTestCase() { x_.start(); }

    void init()
    {
        SKIP_WITHOUT_X_SERVER(x_);
        program = nullptr;
        window.clear();
        const QString function = QTest::currentTestFunction();
        if (function != "twoCopiesStartedTogether_exactlyOneRuns"
            && function != "anyScreen_wholeWindowShowsAndSends"
            && function != "heldValue_savedOrNamedAtTheEnd")
            startOnPresets();
    }

    void cleanup()
    {
        x_.endPrograms();
        if (x_.screen() != XServer::defaultScreen) {
            x_.stop();
            x_.start();
        }
    }
    void cleanupTestCase() { x_.stop(); }

    void selectedRow_leftRightAndSpace_sendTheirLinesToTheRowsPort()
    {
        // Where it appears is the system's choice (X without a window manager: top left; Windows: cascaded).
        QCOMPARE(geometry(window).size(), QSize(900, designHeight));

        click(window, gridCell(2));
        click(window, sendButton, 1);
        QCOMPARE(receivers.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});
        click(window, sendButton, 3);
        QCOMPARE(receivers.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI\r\n"});
        key("space"); // the button took the focus with the press
        QCOMPARE(receivers.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});

        // Outside the downlink window a right press sends the row as it is.
        click(window, gridCell(3));
        click(window, sendButton, 3);
        QCOMPARE(receivers.await(1),
                 QStringList{"3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n"});

        // A quick double click is two presses: two commands.
        xdotool(
            {"mousemove", "--window", window, "780", "300", "click", "--repeat", "2", "--delay", "60", "1"});
        QCOMPARE(receivers.await(2),
                 QStringList({"3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n",
                              "3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n"}));

        // A row chosen from the keyboard: Up in the table, Shift+Tab back to the button, Space.
        click(window, gridCell(3));
        key("Up");
        key("shift+Tab");
        key("space");
        QCOMPARE(receivers.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});
    }

    // From the keyboard alone: the grid has the focus at start, the arrows
    // reach row 2 and Space selects it; Shift+Tab reaches "Send Selected" and
    // Space sends. On a screen smaller than the window (the Raspberry Pi's
    // displays, under a window manager) the whole window is scaled down to
    // fit, and stays so after Ctrl+R twice: the last row can be clicked and
    // sent. On any other screen it is exactly the designed window.
    void anyScreen_wholeWindowShowsAndSends_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("receiverCount");
        QTest::addColumn<bool>("windowManager");
        QTest::addColumn<bool>("scaled");
        QTest::addColumn<int>("panel"); // pixels a panel takes at the bottom while the program runs
        QTest::newRow("1280x1024") << XServer::defaultScreen << 4 << false << false << 0;
        QTest::newRow("1920 x 1080, 8 receivers") << QSize(1920, 1080) << 8 << false << false << 0;
        QTest::newRow("800 x 480, 4 receivers") << QSize(800, 480) << 4 << true << true << 0;
        QTest::newRow("800 x 480, 8 receivers") << QSize(800, 480) << 8 << true << true << 0;
        QTest::newRow("800 x 480, 8 receivers, no window manager")
            << QSize(800, 480) << 8 << false << true << 0;
        QTest::newRow("1024 x 600, 4 receivers") << QSize(1024, 600) << 4 << true << false << 0;
        QTest::newRow("1024 x 600, 8 receivers") << QSize(1024, 600) << 8 << true << true << 0;
        QTest::newRow("1024 x 600, 4 receivers, a panel comes")
            << QSize(1024, 600) << 4 << true << true << 150;
    }

    void anyScreen_wholeWindowShowsAndSends()
    {
        QFETCH(QSize, screen);
        QFETCH(int, receiverCount);
        QFETCH(bool, windowManager);
        QFETCH(bool, scaled);
        QFETCH(int, panel);
        // The small-screen fit is the Raspberry Pi's; Windows places and
        // maximises windows itself, so there only the size is the program's.
        const bool onWindows = qEnvironmentVariable("ZZI_TEST_PROGRAM_SYSTEM") == QLatin1String("windows");
        if (onWindows && (scaled || windowManager))
            QSKIP("a screen smaller than the window is checked for the Linux builds");
        if (screen != x_.screen()) {
            x_.stop();
            QVERIFY(x_.start(screen));
        }
        QProcess openbox;
        const auto endOpenbox = qScopeGuard([&] {
            openbox.kill();
            openbox.waitForFinished();
        });
        if (windowManager) {
            openbox.setProcessEnvironment(x_.programEnvironment(user.config(), user.runtime()));
            openbox.start(QStringLiteral("openbox"), {});
            if (!openbox.waitForStarted(patienceMs))
                QSKIP("no window manager (openbox) to test under");
            QVERIFY(QTest::qWaitFor([&] { return !workArea().isEmpty(); }, patienceMs));
        }

        QVERIFY(receivers.open());
        QByteArray store = presetStore(receivers.base())
            + "\n[RX4]\nFrequency=146.500\nSymbolRate=66\nOffset=0.000\nAntenna=TOP\n"
              "\n[RX8]\nFrequency=436.500\nSymbolRate=250\nOffset=0.000\nAntenna=BOT\n";
        store.replace("Receivers=4", "Receivers=" + QByteArray::number(receiverCount));
        QVERIFY(user.create(store));
        program = start(user);
        QVERIFY(program);
        window = x_.awaitWindow(scaled ? 0 : 900);
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        QCOMPARE(windows(), QStringList{window});

        key("Prior Down space shift+Tab space");
        QCOMPARE(receivers.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});

        if (panel > 0) { // the window's own strut: the work area shrinks while it runs
            const QSize before = geometry(window).size();
            QProcess::execute("xprop",
                              {"-display", x_.display(), "-id", window, "-f", "_NET_WM_STRUT", "32c", "-set",
                               "_NET_WM_STRUT", QStringLiteral("0,0,0,%1").arg(panel)});
            QVERIFY(QTest::qWaitFor([&] { return geometry(window).size() != before; }, patienceMs));
        }
        const int designed = designHeight + rowHeight * (receiverCount - 4);
        for (int toggles : {0, 2}) {
            for (int i = 0; i < toggles; ++i) {
                const QSize before = geometry(window).size(); // on a small screen only one side may change
                key("ctrl+r");
                QVERIFY(QTest::qWaitFor([&] { return geometry(window).size() != before; }, patienceMs));
            }
            QTest::qWait(300); // the window manager's moves settle
            const QRect shown = geometry(window);
            if (!scaled) {
                QCOMPARE(shown.size(), QSize(900, designed));
            } else {
                // Every control is inside the window, which is inside the
                // screen's free area, as large as fits, in the designed proportions.
                const QRect free = windowManager ? workArea() : QRect(QPoint(), screen);
                QVERIFY2(free.contains(shown),
                         qPrintable(QStringLiteral("%1,%2 %3x%4")
                                        .arg(shown.x())
                                        .arg(shown.y())
                                        .arg(shown.width())
                                        .arg(shown.height())));
                QVERIFY(shown.right() >= free.right() - 3 || shown.bottom() >= free.bottom() - 3);
                QVERIFY(std::abs(shown.height() - designed * shown.width() / 900.0) <= 3);
            }
            // The last row, clicked where the scaled window shows it, and sent.
            const double scale = shown.width() / 900.0;
            auto at = [&](QPoint designPoint) { return (QPointF(designPoint) * scale).toPoint(); };
            click(window, at(gridCell(receiverCount)));
            click(window, at(sendButton));
            const QStringList sent = receivers.await(1);
            QCOMPARE(sent.size(), 1);
            QVERIFY2(sent[0].startsWith(QStringLiteral("%1: [to@qv] rcv=%1 ").arg(receiverCount)),
                     qPrintable(sent[0]));
            if (toggles == 0 && (screen == QSize(800, 480) || screen == QSize(1024, 600)) && windowManager)
                screenshot(QStringLiteral("window-%1x%2-%3-receivers.png")
                               .arg(screen.width())
                               .arg(screen.height())
                               .arg(receiverCount));
        }
    }

    // A held key on the focused "Send Selected" sends once, also when the X
    // server, busy, delivers its repeats as releases and presses that the
    // toolkit does not mark; a new press after the release sends again.
    void heldSendKey_sendsOncePerPress_data()
    {
        QTest::addColumn<QString>("sendKey");
        QTest::addColumn<QString>("sent");
        const QString ordinary =
            "2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
        const QString uplink = "2: [to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI\r\n";
        QTest::newRow("Space held") << "space" << ordinary;
        QTest::newRow("Menu held") << "Menu" << uplink;
        QTest::newRow("Shift+F10 held") << "shift+F10" << uplink;
    }

    void heldSendKey_sendsOncePerPress()
    {
        QFETCH(QString, sendKey);
        QFETCH(QString, sent);
        if (qEnvironmentVariable("ZZI_TEST_PROGRAM_SYSTEM") == QLatin1String("windows"))
            QSKIP("Windows marks a held key's repeats itself");
        key("Prior Down space shift+Tab");
        std::vector<std::unique_ptr<QProcess>> load; // both cores busy during the hold
        for (int core = 0; core < 2; ++core) {
            load.push_back(std::make_unique<QProcess>());
            load.back()->setStandardOutputFile(QProcess::nullDevice());
            load.back()->start("yes", {});
        }
        xdotool({"keydown", sendKey});
        QTest::qWait(1500);
        xdotool({"keyup", sendKey});
        QTest::qWait(60);
        key(sendKey);
        for (const auto &busy : load) {
            busy->kill();
            busy->waitForFinished(patienceMs);
        }
        QCOMPARE(receivers.await(2), QStringList({sent, sent}));
    }

    void ctrlR_switchesToEightReceiversAndBack()
    {
        QCOMPARE(geometry(window).height(), designHeight);

        key("ctrl+r");
        QVERIFY(QTest::qWaitFor([&] { return geometry(window).height() == designHeight + 4 * rowHeight; },
                                patienceMs));
        QTRY_COMPARE_WITH_TIMEOUT(user.stored("MaxReceivers", "Receivers"), QString("8"), patienceMs);

        // Row 6 is there now, on the second host at base + 26.
        click(window, gridCell(6));
        click(window, sendButton, 3);
        QCOMPARE(receivers.await(1),
                 QStringList{"6: [to@qv] rcv=6 freq=2410499 srate=2000 offset=0 fplug=A vgy=LOT\r\n"});

        key("ctrl+r");
        QVERIFY(QTest::qWaitFor([&] { return geometry(window).height() == designHeight; }, patienceMs));
        QTRY_COMPARE_WITH_TIMEOUT(user.stored("MaxReceivers", "Receivers"), QString("4"), patienceMs);
    }

    // Entries are checked as the focus leaves the box; what was accepted is
    // what goes out and what is stored.
    void numberAndPortBoxes_rejectThenAccept()
    {
        LoopbackReceivers moved;
        QVERIFY(moved.open());

        // Rejected frequency: the box goes back to 10491.500, so the copy
        // into row 1 and its send carry that.
        enter(window, frequencyBox, "abc");
        copyIntoRowAndSend(window, 1);
        QCOMPARE(receivers.await(1),
                 QStringList{"1: [to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n"});
        QCOMPARE(user.stored("RX1", "Frequency"), QString("10491.500"));

        // Accepted entries, rewritten in their forms.
        enter(window, frequencyBox, " 2400.25 ");
        enter(window, symbolRateBox, "1500.5");
        enter(window, offsetBox, "0");
        copyIntoRowAndSend(window, 1);
        QCOMPARE(receivers.await(1),
                 QStringList{"1: [to@qv] rcv=1 freq=2400250 srate=1501 offset=0 fplug=A\r\n"});
        QCOMPARE(user.stored("RX1", "Frequency"), QString("2400.250"));
        QCOMPARE(user.stored("RX1", "SymbolRate"), QString("1501"));
        QCOMPARE(user.stored("RX1", "Offset"), QString("0.000"));

        // A German keyboard: the keypad's decimal key gives a comma there
        // (KP_Separator), and types a full stop in the number boxes.
        if (QProcess::execute("setxkbmap", {"-display", x_.display(), "de"}) != 0)
            QSKIP("no keyboard layouts (setxkbmap) on this X server");
        const auto usLayout = qScopeGuard([&] {
            QProcess::execute("setxkbmap", {"-display", x_.display(), "us"});
        });
        click(window, frequencyBox);
        key("ctrl+a");
        xdotool({"type", "--delay", "30", "10491"});
        key("KP_Separator");
        xdotool({"type", "--delay", "30", "25"});
        key("Tab");
        copyIntoRowAndSend(window, 1);
        QCOMPARE(receivers.await(1),
                 QStringList{"1: [to@qv] rcv=1 freq=10491250 srate=1501 offset=0 fplug=A\r\n"});

        // Rejected port (not hundreds): nothing stored, sends keep their port.
        enter(window, portBox, QString::number(receivers.base() + 50));
        click(window, gridCell(2));
        click(window, sendButton);
        QCOMPARE(receivers.await(1).size(), 1);
        QCOMPARE(user.stored("IP", "Port"), QString::number(receivers.base()));

        // Accepted port: stored, and the next send goes there. Killed right
        // after, the program loses nothing: the port is on disk.
        enter(window, portBox, QString::number(moved.base()));
        click(window, gridCell(2));
        click(window, sendButton);
        QCOMPARE(moved.await(1),
                 QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});
        kill(program);
        QCOMPARE(user.stored("IP", "Port"), QString::number(moved.base()));
        QVERIFY(receivers.take().isEmpty());
    }

    // A copy into a row, the program killed at once, started again: the row
    // is back and sends as before.
    void copyToRow_killedAndRestarted_rowIsBack()
    {

        enter(window, frequencyBox, "146.5");
        enter(window, symbolRateBox, "66");
        copyIntoRowAndSend(window, 4);
        const QStringList line{"4: [to@qv] rcv=4 freq=146500 srate=66 offset=9750000 fplug=A\r\n"};
        QCOMPARE(receivers.await(1), line);
        kill(program);
        QCOMPARE(program->exitStatus(), QProcess::CrashExit);

        QCOMPARE(user.stored("RX4", "Frequency"), QString("146.500"));
        QCOMPARE(user.stored("RX4", "SymbolRate"), QString("66"));
        QCOMPARE(user.stored("RX0", "Frequency"), QString("146.500"));

        QVERIFY(start(user));
        window = x_.awaitWindow();
        QVERIFY2(!window.isEmpty(), "the program did not start again after the kill");
        click(window, gridCell(4));
        click(window, sendButton);
        QCOMPARE(receivers.await(1), line);
    }

    // Two copies started at the same moment: one shows the window, the other
    // its box and ends after OK.
    // Ctrl+R on a full disk holds the receiver count. Freed, it reaches the
    // disk by itself; a signal or the X server going makes one last attempt;
    // what still cannot be written is named on stderr.
    void heldValue_savedOrNamedAtTheEnd_data()
    {
        QTest::addColumn<int>("signal"); // 0: the X server ends; -1: nothing ends the program
        QTest::addColumn<bool>("freed"); // space freed just before the end
        QTest::newRow("space freed: saved by itself") << -1 << true;
        QTest::newRow("SIGTERM just after space is freed") << int(SIGTERM) << true;
        QTest::newRow("SIGTERM on a full disk") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP on a full disk") << int(SIGHUP) << false;
        QTest::newRow("SIGINT just after space is freed") << int(SIGINT) << true;
        QTest::newRow("X server gone just after space is freed") << 0 << true;
        QTest::newRow("X server gone on a full disk") << 0 << false;
    }

    void heldValue_savedOrNamedAtTheEnd()
    {
        QFETCH(int, signal);
        QFETCH(bool, freed);
        if (::geteuid() != 0)
            QSKIP("needs root to mount a small tmpfs as the full disk");
        if (qEnvironmentVariableIsSet("ZZI_TEST_PROGRAM"))
            QSKIP("POSIX signals and a tmpfs: only for the program built here");
        XServer x(patienceMs); // its own, so that it can be ended
        if (!x.start())
            QSKIP(qPrintable("no Xvfb: " + x.problem()));
        QVERIFY(user.create(presetStore(9900)));
        const QString folder = user.storeFolder();
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) != 0)
            QSKIP("no tmpfs could be mounted for the full disk");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {"-l", folder}); });
        QVERIFY(user.writeStore(presetStore(9900)));
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
        filler.close();

        QProcess held;
        held.setProcessEnvironment(x.programEnvironment(user.config(), user.runtime()));
        held.start(QStringLiteral(PROGRAM_PATH), {});
        QVERIFY(held.waitForStarted(patienceMs));
        const QString id = x.awaitWindow();
        QVERIFY(!id.isEmpty());
        x.xdotool({"key", "ctrl+r"});
        QTRY_VERIFY_WITH_TIMEOUT(x.isMainWindow(id) && x.geometry(id).height() > designHeight, patienceMs);
        QCOMPARE(user.stored("MaxReceivers", "Receivers"), QString("4"));

        QElapsedTimer sinceFreed;
        if (freed) {
            QVERIFY(QFile::remove(folder + "/filler"));
            sinceFreed.start();
        }
        if (signal < 0) {
            QTRY_COMPARE_WITH_TIMEOUT(user.stored("MaxReceivers", "Receivers"), QString("8"), 10000);
            qInfo("on disk %lld ms after the space was freed", sinceFreed.elapsed());
            held.kill();
            held.waitForFinished(patienceMs);
            return;
        }
        if (signal > 0)
            ::kill(pid_t(held.processId()), signal);
        else
            x.stop();
        QVERIFY(held.waitForFinished(patienceMs));
        const QString err = QString::fromLocal8Bit(held.readAllStandardError());
        if (signal > 0) {
            QCOMPARE(held.exitStatus(), QProcess::CrashExit); // ended by the signal, as without handling it
            QCOMPARE(held.exitCode(), signal);
        }
        QCOMPARE(user.stored("MaxReceivers", "Receivers"), QString(freed ? "8" : "4"));
        QVERIFY2(err.contains("Lost: [MaxReceivers] Receivers=8") != freed, qPrintable(err));
    }

    void twoCopiesStartedTogether_exactlyOneRuns()
    {
        QVERIFY(user.create());
        QProcess *first = start(user);
        QProcess *second = start(user);
        QVERIFY(first && second);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 2; }, patienceMs),
                 "not one window and one box appeared");
        QStringList mains;
        QString box;
        for (const QString &id : windows()) {
            if (x_.isMainWindow(id))
                mains << id;
            else
                box = id;
        }
        QCOMPARE(mains.size(), 1);
        QVERIFY(!box.isEmpty());

        for (int attempt = 0;
             attempt < 20 && first->state() == QProcess::Running && second->state() == QProcess::Running;
             ++attempt) {
            // Raised and clicked first: Wine gives a window the keys only once
            // it is the foreground window, which the X focus alone does not make.
            xdotool({"windowraise", box});
            click(box, QPoint(geometry(box).width() / 2, 10));
            QTest::qWait(200);
            xdotool({"windowfocus", "--sync", box, "key", "Return"});
            QTest::qWait(300);
        }
        QProcess *refused = first->state() == QProcess::Running ? second : first;
        QProcess *running = refused == first ? second : first;
        QVERIFY(refused->state() == QProcess::NotRunning || refused->waitForFinished(patienceMs));
        QCOMPARE(refused->exitStatus(), QProcess::NormalExit);
        QCOMPARE(refused->exitCode(), 0);
        QCOMPARE(running->state(), QProcess::Running);
        QCOMPARE(windows(), mains);
    }
};

QTEST_GUILESS_MAIN(BlackBoxTest)
#include "test_blackbox.moc"
