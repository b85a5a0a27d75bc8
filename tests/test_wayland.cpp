// The real program on a Wayland desktop: a headless sway of the test's own,
// the program once as a native Wayland client and once through the
// compositor's XWayland, typed at through one virtual keyboard that stays
// connected, heard on loopback, its window read from `swaymsg -t get_tree`.
#include "loopbackreceivers.h"
#include "tempstore.h"
#include "xserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <unistd.h>

namespace {

constexpr int patienceMs = 20000;
const QString title = QStringLiteral("Zorudoza Zudizir Ivozudiro - 3d20u");
// What the X11 run (test_blackbox) hears for the same row, byte for byte.
const QString sentRow2 = "2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";

// Linux key codes of the keys the test types.
int keyCode(const QString &name)
{
    static const QHash<QString, int> codes{{"Prior", 104}, {"Down", 108}, {"space", 57}, {"shift", 42},
                                           {"Tab", 15},    {"ctrl", 29},  {"r", 19},     {"Return", 28}};
    return codes.value(name);
}

} // namespace

class WaylandTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir session_; // the compositor's runtime folder and configuration
    QProcess sway_;
    QProcess keyboard_;
    QString wayland_, x_;
    LoopbackReceivers receivers_;
    UserFolders user_;
    std::vector<std::unique_ptr<QProcess>> programs_;

    QJsonObject swaymsg(const QStringList &arguments)
    {
        QProcess tool;
        tool.start("swaymsg", QStringList{"-s", swaySocket(), "-r"} + arguments);
        tool.waitForFinished(patienceMs);
        const QJsonDocument answer = QJsonDocument::fromJson(tool.readAllStandardOutput());
        return answer.isArray() ? answer.array().first().toObject() : answer.object();
    }
    QString swaySocket() const
    {
        const QStringList found = QDir(session_.path()).entryList({"sway-ipc.*.sock"}, QDir::System);
        return found.isEmpty() ? QString() : session_.filePath(found.first());
    }

    // The sizes of the program's windows, main window and message boxes alike.
    QList<QSize> windows()
    {
        QList<QSize> sizes;
        std::function<void(const QJsonObject &)> walk = [&](const QJsonObject &node) {
            if (node.value("name").toString() == title) {
                const QJsonObject rect = node.value("rect").toObject();
                sizes << QSize(rect.value("width").toInt(), rect.value("height").toInt());
            }
            for (const char *children : {"nodes", "floating_nodes"})
                for (const QJsonValue child : node.value(children).toArray())
                    walk(child.toObject());
        };
        walk(swaymsg({"-t", "get_tree"}));
        return sizes;
    }

    // "shift+Tab space": each chord pressed in order, released in reverse.
    void type(const QString &keys)
    {
        for (const QString &chord : keys.split(' ')) {
            const QStringList names = chord.split('+');
            for (const QString &name : names)
                press("down", name);
            for (auto name = names.rbegin(); name != names.rend(); ++name)
                press("up", *name);
        }
    }
    void press(const char *verb, const QString &name)
    {
        keyboard_.write(QByteArray(verb) + ' ' + QByteArray::number(keyCode(name)) + '\n');
        QVERIFY(QTest::qWaitFor([&] { return keyboard_.canReadLine() || keyboard_.waitForReadyRead(100); },
                                patienceMs));
        keyboard_.readLine();
        QTest::qWait(30);
    }

    QProcess *start(const QString &platform)
    {
        auto program = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", platform);
        env.insert("WAYLAND_DISPLAY", wayland_);
        env.insert("DISPLAY", x_);
        env.remove("QT_QPA_PLATFORMTHEME");
        env.insert("XDG_CONFIG_HOME", user_.config());
        env.insert("XDG_RUNTIME_DIR", user_.runtime());
        program->setProcessEnvironment(env);
        // XWayland lets in only the compositor's own user: as root, the
        // program too runs as nobody, in folders made theirs.
        if (::geteuid() == 0) {
            QProcess::execute("chown", {"-R", "65534:65534", user_.home()});
            program->start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", PROGRAM_PATH});
        } else {
            program->start(PROGRAM_PATH, {});
        }
        programs_.push_back(std::move(program));
        return programs_.back()->waitForStarted(patienceMs) ? programs_.back().get() : nullptr;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("sway").isEmpty()
            || QStandardPaths::findExecutable("Xwayland").isEmpty())
            QSKIP("no sway and Xwayland here");
        const QString config = session_.filePath("config");
        QVERIFY(writeFile(config,
                          "output HEADLESS-1 resolution 1280x1024\n"
                          "default_border none\ndefault_floating_border none\n"
                          "for_window [title=\".\"] floating enable\n"
                          "xwayland force\n"
                          "exec printenv DISPLAY > "
                              + session_.filePath("display").toLocal8Bit() + "\n"));
        // sway refuses to run as root: as root, the test runs it as nobody.
        QString sway = "sway";
        QStringList arguments{"-c", config};
        if (::geteuid() == 0) {
            QVERIFY(::chown(QFile::encodeName(session_.path()).constData(), 65534, 65534) == 0);
            arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", sway} + arguments;
            sway = "setpriv";
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("WLR_BACKENDS", "headless");
        env.insert("WLR_RENDERER", "pixman");
        env.insert("WLR_LIBINPUT_NO_DEVICES", "1");
        env.insert("XDG_RUNTIME_DIR", session_.path());
        env.insert("HOME", session_.path());
        for (const char *name : {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK"})
            env.remove(name);
        sway_.setProcessEnvironment(env);
        sway_.setStandardOutputFile(QProcess::nullDevice());
        sway_.setStandardErrorFile(QProcess::nullDevice());
        sway_.start(sway, arguments);
        QVERIFY(QTest::qWaitFor([&] { return QFile(session_.filePath("display")).size() > 0; }, patienceMs));
        const QStringList sockets = QDir(session_.path()).entryList({"wayland-*"}, QDir::System);
        QVERIFY(!sockets.isEmpty());
        wayland_ = session_.filePath(sockets.filter(QRegularExpression("^wayland-\\d+$")).value(0));
        QFile display(session_.filePath("display"));
        QVERIFY(display.open(QIODevice::ReadOnly));
        x_ = QString::fromLocal8Bit(display.readAll()).trimmed();

        env.insert("WAYLAND_DISPLAY", wayland_);
        keyboard_.setProcessEnvironment(env);
        keyboard_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        keyboard_.start(VIRTUAL_KEYBOARD_PATH, {});
        QVERIFY(keyboard_.waitForReadyRead(patienceMs) && keyboard_.readLine() == "ok\n");
        QVERIFY(receivers_.open());
    }

    void cleanup()
    {
        for (const auto &program : programs_) {
            program->kill();
            program->waitForFinished(patienceMs);
        }
        programs_.clear();
    }

    void cleanupTestCase()
    {
        keyboard_.kill();
        keyboard_.waitForFinished(patienceMs);
        sway_.terminate(); // it ends its XWayland and takes its sockets away
        if (!sway_.waitForFinished(patienceMs))
            sway_.kill();
        sway_.waitForFinished(patienceMs);
    }

    // The size, the keyboard's way to a send, one datagram for a held key,
    // the second copy refused, closing; and nothing said on stderr.
    void program_behavesAsOnX11_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::newRow("natively on Wayland") << "wayland";
        QTest::newRow("through XWayland") << "xcb";
    }

    void program_behavesAsOnX11()
    {
        QFETCH(QString, platform);
        QVERIFY(user_.create("[IP]\nAddress0=127.0.0.1\nAddress1=127.0.0.2\nPort="
                             + QByteArray::number(receivers_.base())
                             + "\n\n[RX2]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\n"
                               "Antenna=TOP\nVoltage=X-HORIZ\n"));
        QProcess *program = start(platform);
        QVERIFY(program);
        QVERIFY2(QTest::qWaitFor([&] { return windows() == QList<QSize>{QSize(900, 535)}; }, patienceMs),
                 qPrintable(QString::number(windows().size()) + " windows; "
                            + QString::fromLocal8Bit(program->readAllStandardError())));
        QTest::qWait(1000);
        type("ctrl+r");
        QVERIFY(QTest::qWaitFor([&] { return windows() == QList<QSize>{QSize(900, 535 + 88)}; }, patienceMs));
        type("ctrl+r");
        QVERIFY(QTest::qWaitFor([&] { return windows() == QList<QSize>{QSize(900, 535)}; }, patienceMs));

        type("Prior Down space shift+Tab space");
        QCOMPARE(receivers_.await(1), QStringList{sentRow2});
        press("down", "space");
        QTest::qWait(1500);
        press("up", "space");
        QTest::qWait(60);
        type("space");
        const QStringList held = receivers_.await(2);
        qInfo("Space held 1.5 s, then pressed again: %lld datagrams", qint64(held.size()));
        QCOMPARE(held, QStringList({sentRow2, sentRow2}));

        QProcess *second = start(platform);
        QVERIFY(second);
        QVERIFY(QTest::qWaitFor([&] { return windows().size() == 2; }, patienceMs));
        // OK on the box, once it has the keys.
        QElapsedTimer trying;
        trying.start();
        while (!second->waitForFinished(500) && trying.elapsed() < patienceMs) {
            swaymsg({QStringLiteral("[pid=%1] focus").arg(second->processId())});
            type("Return");
        }
        QCOMPARE(second->state(), QProcess::NotRunning);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(windows().size(), 1);

        swaymsg({QStringLiteral("[pid=%1] kill").arg(program->processId())});
        QVERIFY(program->waitForFinished(patienceMs));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        for (const auto &ended : programs_)
            QCOMPARE(QString::fromLocal8Bit(ended->readAllStandardError()), QString());
        programs_.clear();
    }
};

QTEST_GUILESS_MAIN(WaylandTest)
#include "test_wayland.moc"
