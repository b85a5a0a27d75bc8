// Faults from outside the program: a store that cannot be written, a store
// edited by hand into garbage, sends that nobody receives, and the value of
// an accepted entry or a copy being on disk the moment its handler returns
// (so a kill right after it loses nothing). Run as root, so permission bits
// do not stop writes: the immutable flag (chattr +i) and a folder that cannot
// be created do.
#include "immutablepaths.h"
#include "loopbackreceivers.h"
#include "testsupport.h"
#include "table/flexgrid.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUdpSocket>

namespace {

// Operator steps, through the widgets' own event handling.
void clickCell(MainWindow &w, int row, int col = 1)
{
    auto *grid = control<FlexGrid>(w, "msf1");
    const QRect cell = grid->visualItemRect(grid->item(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void pressSend(MainWindow &w, Qt::MouseButton button)
{
    auto *sendx = control<QPushButton>(w, "sendx");
    QTest::mousePress(sendx, button);
    QTest::mouseRelease(sendx, button);
}

void enterText(QLineEdit *box, const QString &text)
{
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

void enterText(QComboBox *box, const QString &text)
{
    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Tab);
}

// A store file in the program's own layout.
QByteArray storeText(int basePort)
{
    return "[IP]\nAddress0=127.0.0.1\nAddress1=127.0.0.2\nPort=" + QByteArray::number(basePort)
           + "\n\n[RX0]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
             "Voltage=\" \"\n\n[RX2]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\n"
             "Antenna=TOP\nVoltage=X-HORIZ\n";
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
        QTest::newRow("immutable file and folder") << "immutable";
        QTest::newRow("folder that cannot be created") << "uncreatable";
    }

    void unwritableStore_windowKeepsWorkingTellsOperatorAndLosesNothing()
    {
        QFETCH(QString, blocker);
        TempStore store;
        LoopbackReceivers receivers;
        QVERIFY(receivers.open());
        store.writeRaw(storeText(receivers.base()));
        const QByteArray stored = store.readRaw();

        QTemporaryDir blockedRoot;
        if (blocker == "uncreatable") {
            // A plain file where the store's parent folder would have to be.
            QFile plain(blockedRoot.path() + "/config");
            QVERIFY(plain.open(QIODevice::WriteOnly));
            plain.write("not a folder\n");
            plain.close();
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, plain.fileName() + "/sub");
        }
        auto w = openWindow();
        auto *alert = control<QLabel>(*w, "alertmessage");
        auto *port = control<QLineEdit>(*w, "qvipport");
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(w->alertText(), QString());

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
        QCOMPARE(alert->text(), w->alertText());

        // A copy to a row: the row shows it, the save fails visibly again.
        clickCell(*w, 3);
        QCOMPARE(grid->Row(), 3);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        QCOMPARE(grid->TextMatrix(3, 1), QString("10491.500"));
        QVERIFY(alert->isVisible());

        // The window goes on working: a stored row still goes out.
        if (blocker == "immutable") {
            QCOMPARE(store.readRaw(), stored);
            clickCell(*w, 2);
            pressSend(*w, Qt::LeftButton);
            QCOMPARE(moved.take(),
                     QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"});

            // Once the store can be written again, the next save reaches the
            // disk, the warning goes, and everything stored before is there.
            immutable.release();
            enterText(port, "12400");
            QCOMPARE(w->alertText(), QString());
            QVERIFY(!alert->isVisible());
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
              "Offset=" + digits400 + "\nAntenna=\xff\xfe\x01\nVoltage=" + longLine + "\n"
            "\n[RX1]\nFrequency=1e999\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage=X-OFF\n"
            "\n[RX2]\nFrequency=" + digits400 + "\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
            "\n[RX3]\nFrequency=10491.500,junk\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\n"
            "\n[RX4]\nFrequency=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)\nSymbolRate=1500\nOffset=0\nAntenna=BOT\n"
            "\n[RX5]\nFrequency=10491.500\nSymbolRate=15\x01\x7f" "00\nOffset=9750.000\nAntenna=TOP\n"
            "\n[RX6]\nFrequency=10491.500\nSymbolRate=1500\nOffset=1e999\nAntenna=TOP\n"
            "\n[RX7]\nFrequency=-99999999.999\nSymbolRate=\xe2\x80\x9c" "1500\xe2\x80\x9d\nOffset=0\nAntenna=BOT\n"
            "\n[RX8]\nFrequency=10491.500\nSymbolRate=1500\nOffset=9750.000\nAntenna=TOP\nVoltage="
            + longLine + "\n[RX\nFrequency\n=\n\x01\x02\x03\n");

        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(w->maxreceivers, 4);
        QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w->maxreceivers, 8);
        QCOMPARE(grid->Rows(), 9);

        // Only row 8 holds a command that needs nothing made up; it may go
        // out as read (left, Space) or as the uplink (right).
        const QStringList allowed = {
            "8: [to@qv] rcv=8 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n",
            "8: [to@qv] rcv=8 freq=2402000 srate=1500 offset=0 fplug=B\r\n"};
        QStringList arrived;
        for (int row = 1; row <= 8; ++row) {
            clickCell(*w, row);
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
        clickCell(*w, 1);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        QCOMPARE(grid->TextMatrix(1, 1), QString("10491.500"));
        QCOMPARE(store.get("RX1", "SymbolRate"), QString("333"));
        pressSend(*w, Qt::LeftButton);
        QCOMPARE(receivers.take(),
                 usableHost ? QStringList{"1: [to@qv] rcv=1 freq=10491500 srate=333 offset=9750000 fplug=B\r\n"}
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
        clickCell(*w, 2);

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
        QCOMPARE(payload, QByteArray("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"));
        QVERIFY(w->isVisible());
        QTRY_VERIFY(!w->sendFlash().isFlashing());
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
        clickCell(*w, 3);
        QTest::mouseClick(control<QPushButton>(*w, "copytorx"), Qt::LeftButton);
        const QByteArray disk = store.readRaw();
        const int rx3 = int(disk.indexOf("[RX3]"));
        QVERIFY(rx3 >= 0);
        QVERIFY(disk.indexOf("Frequency=2400.250", rx3) > rx3);
        QVERIFY(disk.contains("[RX0]"));
        QCOMPARE(disk.count("Frequency=2400.250"), 2);
    }
};

QTEST_MAIN(FaultsTest)
#include "test_faults.moc"
