// The real executable as the operator meets it: started on a store with
// presets, driven only through X input (xdotool moves, clicks and keys on an
// Xvfb server the test starts itself), heard only through UDP sockets on the
// loopback, and read only through its store file. Positions are the window's
// client pixels: 15 twips a pixel.
#include "loopbackreceivers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <csignal>
#include <memory>
#include <vector>

namespace {

const QString caption = QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u");
constexpr int patienceMs = 20000; // the longest wait for a window, a datagram or an exit

// Client positions of what the operator clicks (design twips / 15).
const QPoint sendButton(780, 300);
const QPoint copyToGridButton(508, 300);
const QPoint portBox(808, 53);
const QPoint frequencyBox(80, 205);
const QPoint symbolRateBox(395, 205);
const QPoint offsetBox(510, 205);
// The grid sits at (40, 380); rows are 22 pixels tall, row 0 the header.
QPoint gridCell(int row) { return QPoint(40 + 136 + 68, 380 + 22 * row + 11); }

constexpr int designHeight = 535; // four receivers
constexpr int rowHeight = 22;

// The folders of one user: configuration (the store) and runtime (the lock).
class User
{
public:
    bool create()
    {
        return home_.isValid() && QDir().mkpath(storeFolder()) && QDir().mkpath(runtime())
               && QFile::setPermissions(runtime(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ExeOwner);
    }
    QString config() const { return home_.path() + QStringLiteral("/config"); }
    QString runtime() const { return home_.path() + QStringLiteral("/runtime"); }
    QString storeFolder() const { return config() + QStringLiteral("/ZorudozaZudizirIvozudiro"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/ZorudozaZudizirIvozudiro.conf"); }

    void writeStore(const QByteArray &text) const
    {
        QFile file(storeFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    // A value as the file holds it now, read from a copy so that no cache
    // of this process answers instead of the disk.
    QString stored(const QString &section, const QString &key)
    {
        const QString copy = home_.path() + QStringLiteral("/read%1.conf").arg(++reads_);
        QFile::copy(storeFile(), copy);
        const QString value = QSettings(copy, QSettings::IniFormat).value(section + '/' + key).toString();
        QFile::remove(copy);
        return value;
    }

private:
    QTemporaryDir home_;
    int reads_ = 0;
};

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
    QProcess xvfb_;
    QString display_;
    QString xvfbProblem_;
    std::vector<std::unique_ptr<QProcess>> programs_;

    void needXServer()
    {
        if (display_.isEmpty())
            QSKIP(qPrintable("no X server could be started (Xvfb), so the real window cannot be driven: "
                             + xvfbProblem_));
    }

    QProcess *start(User &user)
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("QT_QPA_PLATFORMTHEME");
        env.remove("WAYLAND_DISPLAY");
        env.insert("XDG_CONFIG_HOME", user.config());
        env.insert("XDG_RUNTIME_DIR", user.runtime());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(PROGRAM_PATH), {});
        QProcess *started = process.get();
        programs_.push_back(std::move(process));
        return started->waitForStarted(patienceMs) ? started : nullptr;
    }

    void kill(QProcess *program)
    {
        ::kill(pid_t(program->processId()), SIGKILL);
        program->waitForFinished(patienceMs);
    }

    QStringList xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(patienceMs)) {
            tool.kill();
            tool.waitForFinished();
            return {};
        }
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    QStringList windows() const
    {
        return xdotool({"search", "--onlyvisible", "--name", '^' + caption + '$'});
    }

    QRect geometry(const QString &window) const
    {
        QRect rect(0, 0, -1, -1);
        for (const QString &line : xdotool({"getwindowgeometry", "--shell", window})) {
            const int value = line.section('=', 1).toInt();
            if (line.startsWith("X="))
                rect.moveLeft(value);
            else if (line.startsWith("Y="))
                rect.moveTop(value);
            else if (line.startsWith("WIDTH="))
                rect.setWidth(value);
            else if (line.startsWith("HEIGHT="))
                rect.setHeight(value);
        }
        return rect;
    }

    // The main window of a freshly started program, focused for keys.
    QString waitForWindow()
    {
        QString found;
        (void)QTest::qWaitFor([&] {
            for (const QString &id : windows()) {
                if (geometry(id).width() == 900)
                    found = id;
            }
            return !found.isEmpty();
        }, patienceMs);
        if (!found.isEmpty()) {
            xdotool({"windowfocus", "--sync", found});
            QTest::qWait(300); // the window's first layout and focus settle
        }
        return found;
    }

    void click(const QString &window, QPoint at, int button = 1)
    {
        xdotool({"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y()),
                 "click", QString::number(button)});
    }

    void key(const QString &keys) { xdotool({"key", "--delay", "30", keys}); }

    // Click into a box, replace its text by typing, leave it with Tab.
    void enter(const QString &window, QPoint box, const QString &text)
    {
        click(window, box);
        key("ctrl+a");
        xdotool({"type", "--delay", "30", text});
        key("Tab");
    }

private slots:
    void initTestCase()
    {
        // -displayfd: the server takes a display number that is free and tells
        // it. -noreset: without it the server starts afresh each time its last
        // client goes, and a program started in that moment cannot connect.
        xvfb_.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24",
                                             "-nolisten", "tcp", "-noreset"});
        if (!xvfb_.waitForStarted(patienceMs)) {
            xvfbProblem_ = xvfb_.errorString();
            return;
        }
        QByteArray number;
        (void)QTest::qWaitFor([&] {
            xvfb_.waitForReadyRead(100);
            number += xvfb_.readAllStandardOutput();
            return number.contains('\n') || xvfb_.state() != QProcess::Running;
        }, patienceMs);
        if (!number.contains('\n')) {
            xvfbProblem_ = "Xvfb told no display number: " + QString::fromLocal8Bit(xvfb_.readAllStandardError());
            xvfb_.kill();
            xvfb_.waitForFinished();
            return;
        }
        display_ = ':' + QString::fromLatin1(number.trimmed());
    }

    void cleanup()
    {
        for (const auto &program : programs_) {
            if (program->state() != QProcess::NotRunning) {
                program->kill();
                program->waitForFinished(patienceMs);
            }
        }
        programs_.clear();
    }

    void cleanupTestCase()
    {
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            if (!xvfb_.waitForFinished(patienceMs)) {
                xvfb_.kill();
                xvfb_.waitForFinished();
            }
        }
    }

    void selectedRow_leftRightAndSpace_sendTheirLinesToTheRowsPort()
    {
        needXServer();
        User user;
        QVERIFY(user.create());
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        user.writeStore(presetStore(receivers.base()));
        QVERIFY(start(user));
        const QString window = waitForWindow();
        QVERIFY2(!window.isEmpty(), "the main window did not appear");
        QCOMPARE(geometry(window), QRect(0, 0, 900, designHeight)); // no window manager: top left

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
        QCOMPARE(receivers.await(1), QStringList{"3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n"});

        // A quick double click is two presses: two commands.
        xdotool({"mousemove", "--window", window, "780", "300", "click", "--repeat", "2", "--delay", "60", "1"});
        QCOMPARE(receivers.await(2),
                 QStringList({"3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n",
                              "3: [to@qv] rcv=3 freq=10368250 srate=333 offset=0 fplug=B\r\n"}));
    }

    void ctrlR_switchesToEightReceiversAndBack()
    {
        needXServer();
        User user;
        QVERIFY(user.create());
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        user.writeStore(presetStore(receivers.base()));
        QVERIFY(start(user));
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());
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
        needXServer();
        User user;
        QVERIFY(user.create());
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        LoopbackReceivers moved;
        QVERIFY(moved.open());
        user.writeStore(presetStore(receivers.base()));
        QProcess *program = start(user);
        QVERIFY(program);
        const QString window = waitForWindow();
        QVERIFY(!window.isEmpty());

        // Rejected frequency: the box goes back to 10491.500, so the copy
        // into row 1 and its send carry that.
        enter(window, frequencyBox, "abc");
        click(window, gridCell(1));
        click(window, copyToGridButton);
        click(window, sendButton);
        QCOMPARE(receivers.await(1),
                 QStringList{"1: [to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n"});
        QCOMPARE(user.stored("RX1", "Frequency"), QString("10491.500"));

        // Accepted entries, rewritten in their forms.
        enter(window, frequencyBox, " 2400.25 ");
        enter(window, symbolRateBox, "1500.5");
        enter(window, offsetBox, "0");
        click(window, gridCell(1));
        click(window, copyToGridButton);
        click(window, sendButton);
        QCOMPARE(receivers.await(1), QStringList{"1: [to@qv] rcv=1 freq=2400250 srate=1501 offset=0 fplug=A\r\n"});
        QCOMPARE(user.stored("RX1", "Frequency"), QString("2400.250"));
        QCOMPARE(user.stored("RX1", "SymbolRate"), QString("1501"));
        QCOMPARE(user.stored("RX1", "Offset"), QString("0.000"));

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
        needXServer();
        User user;
        QVERIFY(user.create());
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        user.writeStore(presetStore(receivers.base()));
        QProcess *program = start(user);
        QVERIFY(program);
        QString window = waitForWindow();
        QVERIFY(!window.isEmpty());

        enter(window, frequencyBox, "146.5");
        enter(window, symbolRateBox, "66");
        click(window, gridCell(4));
        click(window, copyToGridButton);
        click(window, sendButton);
        const QStringList line{"4: [to@qv] rcv=4 freq=146500 srate=66 offset=9750000 fplug=A\r\n"};
        QCOMPARE(receivers.await(1), line);
        kill(program);
        QCOMPARE(program->exitStatus(), QProcess::CrashExit);

        QCOMPARE(user.stored("RX4", "Frequency"), QString("146.500"));
        QCOMPARE(user.stored("RX4", "SymbolRate"), QString("66"));
        QCOMPARE(user.stored("RX0", "Frequency"), QString("146.500"));

        QVERIFY(start(user));
        window = waitForWindow();
        QVERIFY2(!window.isEmpty(), "the program did not start again after the kill");
        click(window, gridCell(4));
        click(window, sendButton);
        QCOMPARE(receivers.await(1), line);
    }

    // Two copies started at the same moment: one shows the window, the other
    // its box and ends after OK.
    void twoCopiesStartedTogether_exactlyOneRuns()
    {
        needXServer();
        User user;
        QVERIFY(user.create());
        QProcess *first = start(user);
        QProcess *second = start(user);
        QVERIFY(first && second);
        QVERIFY2(QTest::qWaitFor([&] { return windows().size() == 2; }, patienceMs),
                 "not one window and one box appeared");
        QStringList mains;
        QString box;
        for (const QString &id : windows()) {
            if (geometry(id).width() == 900)
                mains << id;
            else
                box = id;
        }
        QCOMPARE(mains.size(), 1);
        QVERIFY(!box.isEmpty());

        for (int attempt = 0; attempt < 20 && first->state() == QProcess::Running
                              && second->state() == QProcess::Running;
             ++attempt) {
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
