// The host address and base port boxes on the real window: entries checked
// as the focus leaves them (Tab or a click), what is stored, the second
// host's hint, two boxes holding the same address, and a send that follows a
// new base port to a real loopback socket.
#include "designedlayout.h"
#include "loopbackreceivers.h"
#include "operatorsteps.h"
#include "tuning/boxstate.h"

#include <QPushButton>

namespace {

struct HostWindow
{
    // Opened on the TempStore that the test made before it.
    HostWindow()
        : window(openWindow())
    { }

    QLineEdit *address(int index) const
    {
        return control<QLineEdit>(*window, index == 0 ? "qvipaddress0" : "qvipaddress1");
    }
    QLineEdit *port() const { return control<QLineEdit>(*window, "qvipport"); }
    FlexGrid *grid() const { return control<FlexGrid>(*window, "msf1"); }

    std::unique_ptr<MainWindow> window;
};
} // namespace

class HostEntryWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void leavingAnAddressBox_normalisesOrRefuses_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // empty: refused

        // Box 0 is left with Tab (four receivers), box 1 with a click on the
        // port box (eight receivers).
        for (int index : {0, 1}) {
            auto row = [index](const char *name) -> QTestData & {
                return QTest::addRow("box %d, %s", index, name) << index;
            };
            row("plain") << "10.0.0.7"
                         << "10.0.0.7";
            row("leading zeros") << "010.001.000.007"
                                 << "10.1.0.7";
            row("blank before a component") << "192.168. 1.20"
                                            << "192.168.1.20";
            row("0 and 255") << "0.255.0.255"
                             << "0.255.0.255";
            row("three components") << "10.0.0"
                                    << "";
            row("five components") << "10.0.0.7.1"
                                   << "";
            row("trailing full stop") << "10.0.0.7."
                                      << "";
            row("empty component") << "10..0.7"
                                   << "";
            row("empty box") << ""
                             << "";
            row("256") << "10.0.0.256"
                       << "";
            row("-1") << "10.0.-1.7"
                      << "";
            row("letter after digits") << "10.0.0.7a"
                                       << "";
        }
    }
    void leavingAnAddressBox_normalisesOrRefuses()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TempStore store;
        if (index == 1)
            store.put("MaxReceivers", "Receivers", "8");
        HostWindow w;
        QLineEdit *box = w.address(index);
        const QString remembered = box->text();
        const QString key = QStringLiteral("Address%1").arg(index);

        typeInto(box, typed);
        const int beeps = beepCount();
        if (index == 0)
            pressTab(box);
        else
            clickOn(w.port());

        if (shown.isEmpty()) {
            verifyRefused(box, remembered, beeps);
            QVERIFY(!store.has("IP", key));
            QCOMPARE(
                w.window->statusText(),
                QStringLiteral("%1 \"%2\" not taken: four numbers 0 to 255 joined by dots are needed, and "
                               "not the other host's address. Kept %3.")
                    .arg(index == 0 ? "Quenvale IP Address" : "Second Quenvale", typed, remembered));
        } else {
            QCOMPARE(box->text(), shown);
            QCOMPARE(w.window->statusText(), QString());
            QCOMPARE(lastAccepted(box), shown);
            QCOMPARE(store.get("IP", key), shown);
            QCOMPARE(beepCount(), beeps);
            QVERIFY(w.port()->hasFocus());
        }
    }

    // Leaving a box with the text it had is no entry: the file is not
    // written, and a hand edit made meanwhile (here the key removed) stays.
    void leavingABoxUnchanged_writesNothingAndKeepsAHandEdit_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("first host") << "Address0"
                                    << "10.0.0.2";
        QTest::newRow("second host") << "Address1"
                                     << "10.0.0.3";
        QTest::newRow("base port") << "Port"
                                   << "12300";
    }
    void leavingABoxUnchanged_writesNothingAndKeepsAHandEdit()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        store.put("IP", key, value);
        HostWindow w;
        QLineEdit *box = key == QLatin1String("Port") ? w.port() : w.address(key.right(1).toInt());
        QCOMPARE(box->text(), value);
        {
            QSettings file(store.filePath(), QSettings::IniFormat);
            file.remove("IP/" + key);
        }
        QVERIFY(!store.has("IP", key));

        focusOn(box);
        pressTab(box);
        QVERIFY(!box->hasFocus());
        QVERIFY(!store.has("IP", key));
    }

    void firstHostTypedAsTheHiddenSecond_isRefused()
    {
        TempStore store;
        store.put("IP", "Address1", "10.0.0.3");
        HostWindow w;
        QVERIFY(!w.address(1)->isVisible());
        typeInto(w.address(0), "10.0.0.3");
        const int beeps = beepCount();
        pressTab(w.address(0));
        verifyRefused(w.address(0), "192.168.1.10", beeps);
        QVERIFY(!store.has("IP", "Address0"));
    }

    void secondHostWithALeadingZero_isAcceptedAndNormalised()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        store.put("IP", "Address0", "10.0.0.2");
        HostWindow w;
        typeInto(w.address(1), "10.0.0.02");
        clickCell(w.grid(), 1);
        QCOMPARE(w.address(1)->text(), QString("10.0.0.2"));
        QCOMPARE(lastAccepted(w.address(1)), QString("10.0.0.2"));
        QCOMPARE(store.get("IP", "Address1"), QString("10.0.0.2"));
        QVERIFY(w.grid()->hasFocus());
    }

    void equalAddressBoxes_neverPassTheFocusBackAndForth_data()
    {
        QTest::addColumn<int>("start");
        QTest::newRow("from the first host") << 0;
        QTest::newRow("from the second host") << 1;
    }
    void equalAddressBoxes_neverPassTheFocusBackAndForth()
    {
        QFETCH(int, start);
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        store.put("IP", "Address0", "10.0.0.5");
        store.put("IP", "Address1", "10.0.0.5");
        HostWindow w;
        QLineEdit *from = w.address(start);
        QLineEdit *other = w.address(1 - start);
        // In the tab order the second host's box comes just before the first.
        const Qt::Key intoOther = start == 0 ? Qt::Key_Backtab : Qt::Key_Tab;
        const Qt::Key awayFromOther = start == 0 ? Qt::Key_Tab : Qt::Key_Backtab;
        // The grid has the focus after set-up and runs no check of its own.
        clickOn(from);
        QTRY_VERIFY(from->hasFocus());

        for (int leave = 0; leave < 6; ++leave) {
            const int beeps = beepCount();
            switch (leave % 3) {
            case 0:
                clickOn(other);
                break;
            case 1:
                QTest::keyClick(from, intoOther);
                break;
            default:
                QTest::keyClick(from, awayFromOther);
                break;
            }
            QCoreApplication::processEvents();
            QCOMPARE(beepCount(), beeps + 1);
            QVERIFY(from->hasFocus());
            QCOMPARE(w.address(0)->text(), QString("10.0.0.5"));
            QCOMPARE(w.address(1)->text(), QString("10.0.0.5"));
        }

        // Still answering: a different address passes and the focus moves on.
        typeInto(from, "10.0.0.9");
        QTest::keyClick(from, intoOther);
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(store.get("IP", QStringLiteral("Address%1").arg(start)), QString("10.0.0.9"));
    }

    void leavingThePortBox_acceptsOrRefuses_andRenewsTheHint_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("hintPort"); // empty: hint left alone

        QTest::newRow("1100") << "1100" << true << "1104";
        QTest::newRow("9900") << "9900" << true << "9904";
        QTest::newRow("10000") << "10000" << true << "10004";
        QTest::newRow("12300") << "12300" << true << "12304";
        QTest::newRow("65400") << "65400" << true << "65404";
        QTest::newRow("1000 below the range") << "1000" << false << "9904";
        QTest::newRow("65500 above the range") << "65500" << false << "9904";
        QTest::newRow("9950 not ending in 00") << "9950" << false << "9904";
        QTest::newRow("9900 and a blank") << "9900 " << false << "9904";
        QTest::newRow("letters") << "99OO" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("a fraction") << "9900.00" << false << "";
    }
    void leavingThePortBox_acceptsOrRefuses_andRenewsTheHint()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, hintPort);
        TempStore store;
        HostWindow w;
        QLineEdit *secondHost = w.address(1);
        QVERIFY(secondHost->toolTip().endsWith(" = 9904"));
        // A mark in the hint shows whether the check rebuilt it.
        const QString marked = secondHost->toolTip() + QStringLiteral(" (old)");
        secondHost->setToolTip(marked);

        typeInto(w.port(), typed);
        const int beeps = beepCount();
        pressTab(w.port());

        if (accepted) {
            QCOMPARE(w.port()->text(), typed);
            QCOMPARE(lastAccepted(w.port()), typed);
            QCOMPARE(store.get("IP", "Port", "9900"), typed); // the shown 9900 again writes nothing
            QCOMPARE(beepCount(), beeps);
            QVERIFY(!w.port()->hasFocus());
        } else {
            verifyRefused(w.port(), "9900", beeps);
            QVERIFY(!store.has("IP", "Port"));
            QCOMPARE(w.window->statusText(),
                     QStringLiteral("Base port \"%1\" not taken: a number from 1100 to 65400 ending in 00 is "
                                    "needed. Kept 9900.")
                         .arg(typed));
        }
        QCOMPARE(secondHost->toolTip(), hintPort.isEmpty() ? marked : secondHostHintStart + hintPort);
    }

    void setUpMovingTheFocusToTheGrid_checksTheReloadedBox()
    {
        TempStore store;
        HostWindow w;
        // Still being edited when Ctrl+R rebuilds the window: set-up puts the
        // stored port back, and the move to the grid accepts it (as it was,
        // so nothing is written).
        typeInto(w.port(), "9950");
        const int beeps = beepCount();
        toggleReceiverCount(*w.window);
        QVERIFY(w.grid()->hasFocus());
        QCOMPARE(w.port()->text(), QString("9900"));
        QCOMPARE(store.get("IP", "Port", "9900"), QString("9900"));
        QCOMPARE(beepCount(), beeps);
    }

    void sendAfterAPortChange_goesToTheNewPort()
    {
        LoopbackReceivers receivers;
        QVERIFY2(receivers.open(), "no free loopback port");
        const int base = receivers.base();
        TempStore store;
        store.put("IP", "Address0", "127.0.0.1");
        storeRow(store, 1, {"10491.500", "1500", "9750.000", "TOP", " "});
        HostWindow w;
        typeInto(w.port(), QString::number(base));
        clickCell(w.grid(), 1);
        QCOMPARE(lastAccepted(w.port()), QString::number(base));
        QTest::mouseClick(control<QPushButton>(*w.window, "sendx"), Qt::LeftButton);

        QCOMPARE(receivers.take(1),
                 QByteArray("[to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n"));
        QVERIFY(w.window->alertText().isEmpty());
    }
};

QTEST_MAIN(HostEntryWidgetsTest)
#include "test_hostentry_widgets.moc"
