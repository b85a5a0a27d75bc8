// Faults from outside the program: a store that cannot be written (also at
// close), a store edited by hand into garbage or grown huge, a lock left by a
// crash, no file where the store belongs, sends that nobody receives, and the value of
// an accepted entry or a copy being on disk the moment its handler returns
// (so a kill right after it loses nothing). Run as root, so permission bits
// do not stop writes: the immutable flag (chattr +i) and a folder that cannot
// be created do.
#include "app/channelswindow.h"
#include "app/lastsave.h"
#include "app/singlecopy.h"
#include "app/unsavedquestion.h"
#include "channels/channellibrary.h"
#include "immutablepaths.h"
#include "loopbackreceivers.h"
#include "operatorsteps.h"
#include "platform/terminationsignals.h"
#include "table/flexgrid.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Long enough for a loaded machine, short enough to catch a blocking wait.
// Speed itself is the benchmark's to measure.
constexpr qint64 hangLimitMs = 10000;

namespace {

// A store file in the program's own layout.
QByteArray storeText(int basePort)
{
    return "[IP]\nAddress0=127.0.0.1\nAddress1=127.0.0.2\nPort=" + QByteArray::number(basePort)
        + "\n\n[RX0]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
          "Voltage=\" \"\n\n[RX2]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\n"
          "Antenna=TOP\nVoltage=X-HORIZ\n";
}

// Whether the alert line reads as the problems (most urgent first) do with
// every word whole: the first ones with only their paths' folders shortened,
// or without the system's reason where it has no room, then how many more
// the tooltip has.
bool showsWholeWords(const QString &line, const QStringList &problems)
{
    static const QRegularExpression folder(QStringLiteral("\\S*/"));
    static const QRegularExpression reason(QStringLiteral(" \\([^()]*\\)(?=\\.$)"));
    QStringList withoutReasons = problems;
    for (QString &problem : withoutReasons)
        problem.remove(reason);
    for (const QStringList &told : {problems, withoutReasons}) {
        for (qsizetype shown = told.size(); shown >= 1; --shown) {
            const QString more =
                shown < told.size() ? QStringLiteral(" (+%1 more)").arg(told.size() - shown) : QString();
            if (QString(line).remove(folder) == told.mid(0, shown).join(' ').remove(folder) + more)
                return true;
        }
    }
    return false;
}

// Numbers from /proc/net/snmp ("Udp", "NoPorts"); -1 where not readable.
qint64 netCounter(const QByteArray &protocol, const QByteArray &name)
{
    QFile file(QStringLiteral("/proc/net/snmp"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].startsWith(protocol + ':') || !lines[i + 1].startsWith(protocol + ':'))
            continue;
        const QList<QByteArray> names = lines[i].simplified().split(' ');
        const QList<QByteArray> values = lines[i + 1].simplified().split(' ');
        const int at = int(names.indexOf(name));
        if (at > 0 && at < values.size())
            return values[at].toLongLong();
    }
    return -1;
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void unwritableStore_windowKeepsWorkingTellsOperatorAndLosesNothing_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("lockProblem"); // why a second copy would not be detected
        const QString longHome = "/home/" + QString(60, 'o') + "/a-rather-long-folder-name/.config";
        QTest::newRow("immutable file and folder") << "immutable"
                                                   << ""
                                                   << "";
        QTest::newRow("folder that cannot be created") << "uncreatable"
                                                       << ""
                                                       << "";
        QTest::newRow("folder that cannot be created, long home path") << "uncreatable" << longHome << "";
        QTest::newRow("immutable, and no single-copy lock")
            << "immutable"
            << ""
            << "could not be created (the folder is read-only, full or missing)";
        QTest::newRow("long home path, and no single-copy lock")
            << "uncreatable" << longHome << "is not a file";
    }

    void unwritableStore_windowKeepsWorkingTellsOperatorAndLosesNothing()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, home);
        QFETCH(QString, lockProblem);
        TempStore store;
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        store.writeRaw(storeText(receivers.base()));
        const QByteArray stored = store.readRaw();

        QTemporaryDir blockedRoot;
        if (blocker == "uncreatable") {
            // A plain file where the store's parent folder would have to be.
            const QString plain = blockedRoot.path() + home + "/config";
            QVERIFY(QDir().mkpath(blockedRoot.path() + home) && writeFile(plain, "not a folder\n"));
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, plain + "/sub");
        }
        auto w = openWindow();
        auto *alert = control<QLabel>(*w, "alertmessage");
        auto *port = control<QLineEdit>(*w, "qvipport");
        auto *grid = control<FlexGrid>(*w, "msf1");
        // A file on the way to the store is told at once, as $HOME a file is.
        const QString notAFolder =
            "cannot be read (" + blockedRoot.path() + home + "/config is not a folder)";
        QCOMPARE(w->alertText(),
                 blocker == "uncreatable"
                     ? "Not read: " + w->store().fileName() + " " + notAFolder + "; started on defaults."
                     : QString());
        const QString lockNote = lockProblem.isEmpty()
            ? QString()
            : "A second copy would not be detected: " + singleCopyLockPath() + " " + lockProblem + ".";
        w->setSingleCopyProblem(lockNote);

        ImmutablePaths immutable;
        if (blocker == "immutable") {
            if (!immutable.add(store.filePath()) || !immutable.add(store.folder()))
                QSKIP("chattr +i is not supported here, so no store can be made unwritable for root");
            if (canCreateIn(store.folder()))
                QSKIP("the immutable flag does not stop root here");
        }

        // An accepted port: the box takes it, the operator is told it was not saved.
        LoopbackReceivers moved;
        QVERIFY(moved.open());
        const QString movedPort = QString::number(moved.base());
        enterText(port, movedPort);
        QCOMPARE(port->text(), movedPort);
        QVERIFY(!port->hasFocus());
        QVERIFY2(!w->alertText().isEmpty(), "the failed save was not reported");
        QVERIFY(alert->isVisible());
        // The tooltip has every problem in full, one a line, the unsaved value
        // first; the line shows whole words in the label's width.
        QStringList problems{"Not saved: " + w->store().fileName()
                             + (blocker == "immutable" ? " could not be written (Operation not permitted)."
                                                       : " " + notAFolder + ".")};
        if (!lockNote.isEmpty())
            problems << lockNote;
        QCOMPARE(w->alertText(), problems.join('\n'));
        QCOMPARE(alert->toolTip(), w->alertText());
        QVERIFY2(alert->fontMetrics().horizontalAdvance(alert->text()) <= alert->contentsRect().width(),
                 qPrintable(alert->text()));
        QVERIFY2(showsWholeWords(alert->text(), problems), qPrintable(alert->text()));

        // A copy to a row: the row shows it, the save fails visibly again.
        clickCell(grid, 3);
        QCOMPARE(grid->Row(), 3);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        QCOMPARE(grid->TextMatrix(3, 1), QString("10491.500"));
        QVERIFY(alert->isVisible());

        // The window goes on working: a stored row still goes out.
        if (blocker == "immutable") {
            QCOMPARE(store.readRaw(), stored);
            clickCell(grid, 2);
            pressSend(*w, Qt::LeftButton);
            QCOMPARE(
                moved.take(),
                QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});
            // A channel tuned meanwhile goes out, and is not said to be stored.
            const QString told = w->tuneSelectedReceiver({"10491.500", "1500", "9750.000", "BOT", "X-HORIZ"});
            QVERIFY2(told.startsWith("Sent, but not stored yet: Not saved: "), qPrintable(told));
            QCOMPARE(moved.take().size(), 1);

            // Once the store can be written again, the next save reaches the
            // disk, the warning goes, and everything stored before is there.
            immutable.release();
            enterText(port, "12400");
            QCOMPARE(w->alertText(), lockNote);
            QCOMPARE(alert->isVisible(), !lockNote.isEmpty());
            QVERIFY2(lockNote.isEmpty() || showsWholeWords(alert->text(), {lockNote}),
                     qPrintable(alert->text()));
            QCOMPARE(store.get("IP", "Port"), QString("12400"));
            const QByteArray now = store.readRaw();
            QVERIFY(now.contains("Port=12400"));
            QVERIFY(now.contains("[RX2]"));
            QVERIFY(now.contains("Voltage=X-HORIZ"));
            QVERIFY(now.contains("Address0=127.0.0.1"));
        } else {
            QVERIFY(!QFile::exists(QFileInfo(w->store().fileName()).absolutePath()));
        }
        QVERIFY(w->isVisible());
    }

    // Garbage in every key: binary junk, "1e999", a 400-digit number, an
    // unquoted comma, @Variant junk, very long lines, non-ASCII text.
    void handEditedGarbage_noCrashNoMadeUpDatagramAndWindowUsable_data()
    {
        QTest::addColumn<bool>("usableHost");
        QTest::newRow("garbage hosts and port") << false;
        QTest::newRow("usable host, garbage rows") << true;
    }

    void handEditedGarbage_noCrashNoMadeUpDatagramAndWindowUsable()
    {
        QFETCH(bool, usableHost);
        TempStore store;
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        const QByteArray base = QByteArray::number(receivers.base());
        const QByteArray digits400(400, '7');
        const QByteArray longLine(20000, 'X');
        const QByteArray hosts = usableHost
            ? "Address0=127.0.0.1\nAddress1=127.0.0.2\nPort=" + base + "\n"
            : "Address0=127.0.0.1,junk\nAddress1=127.0.0.1\x01\x02\nPort=" + base + "junk\n";
        store.writeRaw(
            "[MaxReceivers]\nReceivers=1e999\n\n[IP]\n" + hosts
            + "\n[RX0]\nFrequency=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10junk)\nSymbolRate=1e999\n"
              "Offset="
            + digits400 + "\nAntenna=\xff\xfe\x01\nVoltage=" + longLine
            + "\n"
              "\n[RX1]\nFrequency=1e999\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage=X-OFF\n"
              "\n[RX2]\nFrequency="
            + digits400
            + "\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
              "\n[RX3]\nFrequency=10491.500,junk\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
              "\n[RX4]\nFrequency=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)\nSymbolRate=1500\nOffset="
              "0\nAntenna=BOT\n"
              "\n[RX5]\nFrequency=10491.500\nSymbolRate=15\x01\x7f"
              "00\nOffset=9750.000\nAntenna=TOP\n"
              "\n[RX6]\nFrequency=10491.500\nSymbolRate=1500\nOffset=1e999\nAntenna=TOP\n"
              "\n[RX7]\nFrequency=-99999999.999\nSymbolRate=\xe2\x80\x9c"
              "1500\xe2\x80\x9d\nOffset=0\nAntenna=BOT\n"
              "\n[RX8]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage="
            + longLine + "\n[RX\nFrequency\n=\n\x01\x02\x03\n");

        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(w->model().maxreceivers(), 4);
        QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(grid->Rows(), 9);

        // Only row 8 holds a command that needs nothing made up; it may go
        // out as read (left, Space) or as the uplink (right).
        const QStringList allowed = {"8: [to@qv] rcv=8 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n",
                                     "8: [to@qv] rcv=8 freq=2402000 srate=1500 offset=0 fplug=B\r\n"};
        QStringList arrived;
        for (int row = 1; row <= 8; ++row) {
            clickCell(grid, row);
            QCOMPARE(grid->Row(), row);
            pressSend(*w, Qt::LeftButton);
            pressSend(*w, Qt::RightButton);
            auto *sendx = control<QPushButton>(*w, "sendx");
            if (sendx->isEnabled()) {
                sendx->setFocus();
                QTest::keyClick(sendx, Qt::Key_Space);
            }
            QTest::qWait(20);
            const QStringList got = receivers.take();
            for (const QString &datagram : got)
                QVERIFY2(allowed.contains(datagram), qPrintable("made-up command: " + datagram.left(200)));
            arrived << got;
        }
        QCOMPARE(arrived.size(), usableHost ? 3 : 0);

        // Still usable: new working settings, copied into row 1 and sent.
        enterText(control<QComboBox>(*w, "frequency"), "10491.5");
        enterText(control<QComboBox>(*w, "symbolrate"), "333");
        enterText(control<QComboBox>(*w, "offset"), "9750");
        control<QComboBox>(*w, "antenna")->setCurrentIndex(1);
        control<QComboBox>(*w, "voltage")->setCurrentIndex(0);
        clickCell(grid, 1);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        QCOMPARE(grid->TextMatrix(1, 1), QString("10491.500"));
        QCOMPARE(store.get("RX1", "SymbolRate"), QString("333"));
        pressSend(*w, Qt::LeftButton);
        QCOMPARE(receivers.take(),
                 usableHost
                     ? QStringList{"1: [to@qv] rcv=1 freq=10491500 srate=333 offset=9750000 fplug=B\r\n"}
                     : QStringList{});
        QVERIFY(w->isVisible());
    }

    // Nothing listens at the port: every press still sends (the kernel counts
    // each datagram that finds no socket), ICMP "port unreachable" comes
    // back, and the program keeps going.
    void sendsToSilentPort_everyPressStillSends()
    {
        TempStore store;
        LoopbackReceivers probe;
        QVERIFY(probe.open());
        const int base = probe.base();
        probe = LoopbackReceivers(); // closed again: nothing listens there now
        store.writeRaw(storeText(base));
        auto w = openWindow();
        clickCell(grid(*w), 2);

        const qint64 noPortsBefore = netCounter("Udp", "NoPorts");
        const qint64 unreachableBefore = netCounter("Icmp", "InDestUnreachs");
        constexpr int presses = 200;
        for (int i = 0; i < presses; ++i) {
            pressSend(*w, Qt::LeftButton);
            QVERIFY(w->sendFlash().isFlashing());
        }
        if (noPortsBefore >= 0) {
            QVERIFY2(netCounter("Udp", "NoPorts") - noPortsBefore >= presses,
                     "fewer datagrams reached the silent port than presses were made");
            QVERIFY(netCounter("Icmp", "InDestUnreachs") > unreachableBefore);
        }

        // A receiver that starts listening now gets the next press.
        QUdpSocket late;
        QVERIFY(late.bind(QHostAddress::LocalHost, quint16(base + 22)));
        pressSend(*w, Qt::LeftButton);
        QTRY_VERIFY(late.hasPendingDatagrams());
        QByteArray payload(int(late.pendingDatagramSize()), '\0');
        late.readDatagram(payload.data(), payload.size());
        QCOMPARE(payload,
                 QByteArray("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"));
        QVERIFY(w->isVisible());
        QTRY_VERIFY(!w->sendFlash().isFlashing());
    }

    // Values accepted while the store could not be written reach it at close;
    // while they still cannot, the operator is asked and nothing goes silently.
    void unsavedValues_areWrittenAtCloseOrTheOperatorIsAsked_data()
    {
        QTest::addColumn<QString>("atClose");
        QTest::newRow("disk writable again before close") << "freed";
        QTest::newRow("still failing, retry after freeing") << "retry";
        QTest::newRow("still failing, close and lose them") << "lose";
        QTest::newRow("still failing, Escape on the real question means retry") << "escape";
        QTest::newRow("still failing, Enter on the real question means retry") << "enter";
        QTest::newRow("freed while the real question is open: the retry saves and it closes") << "closes";
        QTest::newRow("SIGHUP: the last save writes them") << "sighup";
        QTest::newRow("the last save at the program's end writes them") << "lastsave";
    }

    void unsavedValues_areWrittenAtCloseOrTheOperatorIsAsked()
    {
        QFETCH(QString, atClose);
        TempStore store;
        store.writeRaw(storeText(9900));
        const QByteArray stored = store.readRaw();
        auto w = openWindow();
        ImmutablePaths immutable;
        if (!immutable.add(store.filePath()) || !immutable.add(store.folder()) || canCreateIn(store.folder()))
            QSKIP("chattr +i is not supported here, so no store can be made unwritable for root");

        // A copy into a row, a port, an address, Ctrl+R: each "Not saved".
        clickCell(grid(*w), 3);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        enterText(control<QLineEdit>(*w, "qvipport"), "12400");
        enterText(control<QLineEdit>(*w, "qvipaddress0"), "10.0.0.7");
        QTest::keyClick(control<FlexGrid>(*w, "msf1"), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(w->alertText().startsWith("Not saved"));
        QCOMPARE(store.readRaw(), stored);

        QStringList questions;
        const bool realBox = atClose == "escape" || atClose == "enter" || atClose == "closes";
        if (atClose == "sighup" || atClose == "lastsave") {
            immutable.release();
            LastSave lastSave(w->store());
            TerminationSignals termination;
            bool received = false;
            connect(&termination, &TerminationSignals::received, this, [&] {
                received = true;
                lastSave.now();
            });
            if (atClose == "sighup") {
                ::raise(SIGHUP);
                QTRY_VERIFY(received);
            } else {
                lastSave.now();
            }
            QVERIFY(w->store().unsaved().isEmpty());
        }
        if (!realBox) {
            w->askToRetrySave = [&](const QString &question) {
                questions << question;
                if (atClose == "retry")
                    immutable.release();
                return atClose == "retry";
            };
        }
        // The real box: Escape on it, and the second time the disk is free.
        QTimer escape;
        escape.setInterval(50);
        connect(&escape, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (atClose == "closes") {
                if (questions.isEmpty())
                    immutable.release();
                if (questions.isEmpty())
                    questions << box->text();
                return;
            }
            questions << box->text();
            if (questions.size() == 2)
                immutable.release();
            QTest::keyClick(box, atClose == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        });
        if (realBox)
            escape.start();
        if (atClose == "freed")
            immutable.release();
        QVERIFY(w->close());
        QCOMPARE(questions.size(),
                 atClose == "escape" || atClose == "enter"                            ? 2
                     : atClose == "retry" || atClose == "lose" || atClose == "closes" ? 1
                                                                                      : 0);
        if (atClose == "lose") {
            QCOMPARE(store.readRaw(), stored);
            // Named as the window names them, each row once.
            for (const char *named : {"\nBase port 12400\n", "\nFirst host address 10.0.0.7\n",
                                      "\nReceivers shown 8\n", "\nReceiver 3 preset\n"})
                QVERIFY2(questions.first().contains(named), qPrintable(questions.first()));
            QCOMPARE(questions.first().count("Receiver 3 preset"), 1);
            QVERIFY2(!questions.first().contains("IP/"), qPrintable(questions.first()));
            const auto box = unsavedQuestionBox(w.get(), questions.first());
            QCOMPARE(box->font(), w->font());
            return;
        }
        QCOMPARE(store.get("IP", "Port"), QString("12400"));
        QCOMPARE(store.get("IP", "Address0"), QString("10.0.0.7"));
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("8"));
        QCOMPARE(store.get("RX3", "Frequency"), QString("10491.500"));
        QCOMPARE(store.get("RX2", "Voltage"), QString("X-HORIZ"));
    }

    // A kill during a write leaves the store's lock behind: the next write
    // neither waits for it to age nor loses its value.
    void leftOverStoreLock_writeNeitherWaitsNorLoses_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("ageSeconds");
        QProcess gone;
        gone.start("true");
        gone.waitForFinished();
        const QByteArray deadPid = QByteArray::number(gone.processId()) + "\nzorudoza-zudizir-ivozudiro\n"
            + QSysInfo::machineHostName().toUtf8() + "\n";
        QTest::newRow("empty, just left") << QByteArray() << 0;
        QTest::newRow("garbled") << QByteArray("\x01\xff garbage\n") << 0;
        QTest::newRow("garbled, an hour old") << QByteArray("12x\n") << 3600;
        QTest::newRow("process gone") << deadPid << 0;
        QTest::newRow("a folder in its place") << QByteArray("folder") << 0;
    }

    void leftOverStoreLock_writeNeitherWaitsNorLoses()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, ageSeconds);
        TempStore store;
        store.writeRaw(storeText(9900));
        auto w = openWindow();
        const QString lockPath = store.filePath() + ".lock";
        const bool folder = lock == "folder";
        if (folder) {
            QVERIFY(QDir().mkpath(lockPath));
        } else {
            QVERIFY(writeFile(lockPath, lock, ageSeconds));
        }

        QElapsedTimer clock;
        clock.start();
        enterText(control<QLineEdit>(*w, "qvipport"), "12400");
        QVERIFY2(clock.elapsed() < hangLimitMs,
                 qPrintable(QString("the write took %1 ms").arg(clock.elapsed())));
        if (folder) {
            QVERIFY(w->alertText().contains(lockPath));
            QVERIFY(QDir(lockPath).removeRecursively());
            enterText(control<QLineEdit>(*w, "qvipaddress0"), "10.0.0.7");
            QCOMPARE(store.get("IP", "Address0"), QString("10.0.0.7"));
        }
        QCOMPARE(store.get("IP", "Port"), QString("12400"));
        QCOMPARE(w->alertText(), QString());
        QVERIFY(!QFile::exists(lockPath));
    }

    // Tens of thousands of hand-edited values with commas, values of
    // 90 KB and a crafted serialised object: read and written in time
    // linear in the size, the long values unusable, the others kept.
    void largeDamagedStore_neitherFreezesNorLosesTheUsableValues()
    {
        TempStore store;
        QByteArray text = storeText(9900) + "\n[Junk]\n";
        for (int i = 0; i < 20000; ++i)
            text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i) + ",x, y\n";
        const QByteArray huge(90 * 1024, '7'); // all of it under the size limit
        for (int i = 0; i < 5; ++i)
            text += "[Huge" + QByteArray::number(i) + "]\nFrequency=" + huge + "\n";
        text += "[RX1]\nFrequency=@Variant(\\0\\0\\0\\f\\x7f\\xff\\xff\\xff)\nSymbolRate=" + huge + "\n";
        store.writeRaw(text);

        QElapsedTimer clock;
        clock.start();
        auto w = openWindow();
        QVERIFY2(clock.elapsed() < hangLimitMs,
                 qPrintable(QString("start-up took %1 ms").arg(clock.elapsed())));
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(grid->TextMatrix(1, 1), QString::fromUtf16(u"@Variant(\0\0\0\f\x7f\xff\xff\xff)", 18));
        QCOMPARE(grid->TextMatrix(1, 2), QString());

        clock.restart();
        enterText(control<QLineEdit>(*w, "qvipport"), "12400");
        QVERIFY2(clock.elapsed() < hangLimitMs,
                 qPrintable(QString("the first write took %1 ms").arg(clock.elapsed())));
        QCOMPARE(w->alertText(), QString());
        QVERIFY(store.readRaw().size() < 2 * 1024 * 1024);
        SettingsStore after;
        QCOMPARE(after.read("IP", "Port", ""), QString("12400"));
        QCOMPARE(after.read("Junk", "Key19999", ""), QString("19999,x, y"));
        QCOMPARE(after.read("RX1", "Frequency", ""), grid->TextMatrix(1, 1));
        QCOMPARE(after.read("Huge0", "Frequency", "unusable"), QString("unusable"));
    }

    // A FIFO, a folder or a file far too large where the store's file
    // belongs: the window starts at once on defaults and says why; what is
    // there is never read nor replaced.
    void storePathThatIsNoFile_startsOnDefaultsAndIsLeftAlone_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<QString>("why");
        QTest::newRow("FIFO") << "fifo"
                              << "is not a file";
        QTest::newRow("folder") << "folder"
                                << "is not a file";
        QTest::newRow("600 MB file, real lines at its start") << "huge"
                                                              << "is larger than 1 MiB";
        QTest::newRow("a file where the folder belongs") << "plainfolder"
                                                         << "is not a folder";
    }

    void storePathThatIsNoFile_startsOnDefaultsAndIsLeftAlone()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, why);
        const bool fifo = blocker == "fifo";
        constexpr qint64 hugeSize = 600LL * 1000 * 1000;
        TempStore store;
        QVERIFY(QDir().mkpath(store.folder()));
        const QByteArray path = QFile::encodeName(store.filePath());
        const bool plainFolder = blocker == "plainfolder";
        if (blocker == "huge") {
            store.writeRaw(storeText(12999));
            QVERIFY(QFile::resize(store.filePath(), hugeSize)); // sparse: nearly nothing written
        } else if (plainFolder) {
            QVERIFY(QDir().rmdir(store.folder()) && writeFile(store.folder(), {}));
        } else {
            QVERIFY(fifo ? ::mkfifo(path.constData(), 0600) == 0 : QDir().mkdir(store.filePath()));
        }
        // Should anything open the FIFO to read, a writer comes after 2 s and
        // lets it go on, so that the test fails instead of hanging.
        std::atomic<bool> done{false};
        std::thread rescuer([&] {
            for (int waited = 0; !done; waited += 20) {
                QThread::msleep(20);
                if (waited > 2000) {
                    const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0)
                        ::close(fd);
                }
            }
        });
        QElapsedTimer clock;
        clock.start();
        auto w = openWindow();
        const qint64 startMs = clock.elapsed();
        done = true;
        rescuer.join();
        QVERIFY2(startMs < 1000, qPrintable(QString("start-up took %1 ms").arg(startMs)));
        auto *port = control<QLineEdit>(*w, "qvipport");
        QCOMPARE(port->text(), QString("9900"));
        QVERIFY2(w->alertText().contains(why), qPrintable(w->alertText()));

        enterText(port, "12400");
        QVERIFY(w->alertText().startsWith("Not saved"));
        const QFileInfo there(store.filePath());
        if (plainFolder)
            QCOMPARE(QFileInfo(store.folder()).size(), 0);
        else
            QVERIFY(blocker == "huge" ? there.size() == hugeSize : there.exists() && !there.isFile());

        // Once the path is free, the next write stores everything accepted.
        if (plainFolder)
            QVERIFY(QFile::remove(store.folder()));
        else
            QVERIFY(blocker == "folder" ? QDir().rmdir(store.filePath()) : QFile::remove(store.filePath()));
        enterText(control<QLineEdit>(*w, "qvipaddress0"), "10.0.0.7");
        QCOMPARE(w->alertText(), QString());
        QCOMPARE(store.get("IP", "Port"), QString("12400"));
        QCOMPARE(store.get("IP", "Address0"), QString("10.0.0.7"));
    }

    // A kill right after the handler would lose nothing: the file on disk
    // holds the value when the handler returns, before any other event.
    void acceptedEntryAndCopy_areOnDiskWhenTheirHandlerReturns()
    {
        TempStore store;
        auto w = openWindow();
        QVERIFY(!store.readRaw().contains("12300"));

        enterText(control<QLineEdit>(*w, "qvipport"), "12300");
        QVERIFY(store.readRaw().contains("Port=12300"));

        enterText(control<QLineEdit>(*w, "qvipaddress0"), "10.0.0.7");
        QVERIFY(store.readRaw().contains("Address0=10.0.0.7"));

        enterText(control<QComboBox>(*w, "frequency"), "2400.25");
        clickCell(grid(*w), 3);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        const QByteArray disk = store.readRaw();
        const int rx3 = int(disk.indexOf("[RX3]"));
        QVERIFY(rx3 >= 0);
        QVERIFY(disk.indexOf("Frequency=2400.250", rx3) > rx3);
        QVERIFY(disk.contains("[RX0]"));
        QCOMPARE(disk.count("Frequency=2400.250"), 2);
    }
    // The Channels window's file actions refuse what they cannot do whole:
    // a pipe would hold the window, a cut import would lose channels, and an
    // export of a library that does not read would write less than it holds.
    void channelsWindowFiles_refuseRatherThanDoPart_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("told");
        QTest::newRow("import a named pipe") << "pipe"
                                             << "is not a file.";
        QTest::newRow("import past the limit") << "large"
                                               << "is larger than 16 MiB.";
        QTest::newRow("export while the library does not read") << "export"
                                                                << "does not read as channels";
    }

    void channelsWindowFiles_refuseRatherThanDoPart()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, told);
        TempStore store;
        const QByteArray good =
            "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\nKeep,1.000,1,1.000,TOP,,\r\n";
        QVERIFY(QDir().mkpath(store.folder()) && writeFile(store.channelsFile(), good));
        const QString path = store.folder() + "/chosen.csv";
        if (chosen == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (chosen == "large")
            QVERIFY(writeFile(path, good + "Lost," + QByteArray(ChannelLibrary::maxFileBytes, 'x') + "\r\n"));
        auto w = openWindow();
        typeCtrl(*w, Qt::Key_L);
        auto *channels = w->findChild<ChannelsWindow *>();
        QVERIFY(channels);
        const QByteArray library = chosen == "export" ? good + "Bad,x,1,1,TOP,,\r\n" : good;
        QVERIFY(writeFile(store.channelsFile(), library));
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                answer.stop();
                // Typed, as an operator would: the file list fills in later.
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        answer.start(20);
        QTest::keyClick(channels, chosen == "export" ? Qt::Key_E : Qt::Key_I, Qt::ControlModifier);
        QVERIFY2(channels->message().contains(told), qPrintable(channels->message()));
        QFile file(store.channelsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), library);
        if (chosen == "export")
            QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(FaultsTest)
#include "test_faults.moc"
