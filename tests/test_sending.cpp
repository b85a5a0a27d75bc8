// Sending the selected row from the real window to receivers that listen on
// loopback addresses: the exact datagram, its host and port, which presses
// and keys send, the red flash, and what is never sent.
#include "app/channelswindow.h"
#include "command/sending.h"
#include "designedlayout.h"
#include "loopbackreceivers.h"
#include "operatorsteps.h"
#include "store/storeschema.h"
#include "table/flexgrid.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QStyleHints>
#include <QUdpSocket>

namespace {

const Cells workedExample{"10491.500", "1500", "9750.000", "TOP", "X-HORIZ"};
// A finger instead of a mouse button: lifted at once, held, held and moved off.
constexpr int touchTap = -1, touchHold = -2, touchHoldMovedOff = -3;

SendButton *sendButton(const MainWindow &w)
{
    return control<SendButton>(w, "sendx");
}

QColor normalColour(const MainWindow &w)
{
    return w.sendFlash().normalColour();
}

QByteArray line(const char *text)
{
    return QByteArray(text) + "\r\n";
}

bool isIdle(const MainWindow &w)
{
    return !w.sendFlash().isFlashing() && !w.sendFlash().timer().isActive()
        && sendButton(w)->backColour() == normalColour(w);
}

bool isFlashingRed(const MainWindow &w)
{
    return w.sendFlash().isFlashing() && w.sendFlash().timer().interval() == 100
        && sendButton(w)->backColour() == QColor(255, 0, 0);
}

// The box around the caption's ink on the window's picture: every pixel
// inside the bevel that differs from the button's face.
QRect captionInk(MainWindow &w)
{
    SendButton *sendx = sendButton(w);
    const QImage picture = shownPicture(w);
    const QRect inside = sendx->rect().adjusted(4, 4, -4, -4);
    const QColor face = shownColour(picture, w, sendx, inside.topLeft());
    QRect ink;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (shownColour(picture, w, sendx, {x, y}) != face)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QColor shownFace(MainWindow &w)
{
    return shownColour(shownPicture(w), w, sendButton(w), {5, 5});
}

} // namespace

class SendingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(receivers_.open(), "no free base port for the loopback receivers"); }

    void init()
    {
        // Nothing left over from an earlier case.
        for (QList<int> left = receivers_.withMail(); !left.isEmpty(); left = receivers_.withMail()) {
            for (int receiver : left)
                receivers_.take(receiver);
        }
    }

    void pressOnSend_sendsLineOfCurrentRow_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QByteArray>("expected");

        const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
        const QByteArray ordinary =
            line("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI");
        QTest::newRow("left") << left << 2 << workedExample << ordinary;
        QTest::newRow("middle") << middle << 2 << workedExample << ordinary;
        QTest::newRow("right: uplink on the other input")
            << right << 2 << workedExample
            << line("[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI");
        QTest::newRow("right at 10490.000")
            << right << 3 << Cells{"10490.000", "1500", "9750.000", "TOP", " "}
            << line("[to@qv] rcv=3 freq=2400500 srate=1500 offset=0 fplug=B");
        QTest::newRow("right at 10499.999")
            << right << 4 << Cells{"10499.999", "2000", "9750.000", "BOT", "Y-OFF"}
            << line("[to@qv] rcv=4 freq=2410499 srate=2000 offset=0 fplug=A vgy=OFF");
        QTest::newRow("right at 10500.000: window end excluded")
            << right << 1 << Cells{"10500.000", "1500", "9750.000", "TOP", " "}
            << line("[to@qv] rcv=1 freq=10500000 srate=1500 offset=9750000 fplug=A");
        QTest::newRow("right at 10489.999")
            << right << 1 << Cells{"10489.999", "1500", "9750.000", "BOT", " "}
            << line("[to@qv] rcv=1 freq=10489999 srate=1500 offset=9750000 fplug=B");
        QTest::newRow("right with an odd antenna text")
            << right << 6 << Cells{"10491.500", "1500", "9750.000", "top", "Y-VERT-TONE"}
            << line("[to@qv] rcv=6 freq=2402000 srate=1500 offset=0 fplug=A vgy=LOT");
        QTest::newRow("left with an odd antenna text")
            << left << 6 << Cells{"10491.500", "1500", "9750.000", "top", "Y-VERT-TONE"}
            << line("[to@qv] rcv=6 freq=10491500 srate=1500 offset=9750000 fplug= vgy=LOT");
        QTest::newRow("left: cells converted on the second host")
            << left << 7 << Cells{"10491.5015", "333", "9750.9999", "BOT", "X-HORIZ-TONE"}
            << line("[to@qv] rcv=7 freq=10491502 srate=333 offset=9750999 fplug=B vgx=HIT");
        QTest::newRow("right outside the window")
            << right << 8 << Cells{"2400.250", "66", "0.000", "BOT", " "}
            << line("[to@qv] rcv=8 freq=2400250 srate=66 offset=0 fplug=B");
        QTest::newRow("touch tap: left, as it lifts") << touchTap << 2 << workedExample << ordinary;
        QTest::newRow("touch held: right, once")
            << touchHold << 2 << workedExample
            << line("[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI");
        QTest::newRow("touch held, moved off: nothing")
            << touchHoldMovedOff << 2 << workedExample << QByteArray();
    }

    void pressOnSend_sendsLineOfCurrentRow()
    {
        QFETCH(int, button);
        QFETCH(int, row);
        QFETCH(Cells, cells);
        QFETCH(QByteArray, expected);
        TempStore store;
        auto w = openOn(store, 8, row, cells);
        clickCell(grid(*w), row);
        QVERIFY(sendButton(*w)->isEnabled());
        if (button < 0) {
            static QPointingDevice *const finger = QTest::createTouchDevice();
            SendButton *sendx = sendButton(*w);
            const QPoint middle = sendx->rect().center();
            QTest::touchEvent(sendx, finger).press(0, middle);
            QVERIFY(sendx->isDown() && sendx->isHoldUnderWay());
            if (button == touchHoldMovedOff)
                QTest::touchEvent(sendx, finger).move(0, middle + QPoint(0, sendx->height()));
            if (button != touchTap)
                QTest::qWait(QGuiApplication::styleHints()->mousePressAndHoldInterval() + 200);
            QCOMPARE(receivers_.withMail().size(), int(button == touchHold));
            QTest::touchEvent(sendx, finger).release(0, middle);
            QVERIFY(!sendx->isDown());
            if (!expected.isEmpty())
                QCOMPARE(receivers_.take(row), expected);
            QVERIFY(receivers_.withMail().isEmpty());
            return;
        }

        // The send happens as the button goes down, not on release.
        QTest::mousePress(sendButton(*w), Qt::MouseButton(button));
        QCOMPARE(receivers_.withMail(), QList<int>{row});
        QCOMPARE(receivers_.take(row), expected);
        QVERIFY(isFlashingRed(*w));
        QTest::mouseRelease(sendButton(*w), Qt::MouseButton(button));
        QVERIFY(receivers_.withMail().isEmpty());
        QVERIFY(w->alertText().isEmpty());
    }

    void workedExample_travelsAs70Bytes_toBasePortPlus22()
    {
        TempStore store;
        auto w = openOn(store, 4, 2);
        clickCell(grid(*w), 2, 4);
        pressSend(*w, Qt::LeftButton);
        QCOMPARE(receivers_.withMail(), QList<int>{2});
        QCOMPARE(receivers_.portOf(2), quint16(receivers_.base() + 22));
        const QByteArray datagram = receivers_.take(2);
        QCOMPARE(datagram.size(), 70);
        QCOMPARE(datagram,
                 QByteArray("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 "
                            "fplug=A vgx=HI\r\n"));
    }

    void rowsOneToEight_reachTheirHostAndPort()
    {
        TempStore store;
        storeHosts(store, 8, receivers_.base());
        for (int row = 1; row <= 8; ++row)
            storeRow(
                store, row,
                {QStringLiteral("%1.000").arg(1240 + row), "125", "0.000", row % 2 ? "TOP" : "BOT", " "});
        auto w = openWindow();
        for (int row = 1; row <= 8; ++row) {
            clickCell(grid(*w), row);
            QTest::mouseClick(sendButton(*w), Qt::LeftButton);
            QCOMPARE(receivers_.withMail(), QList<int>{row});
            QCOMPARE(receivers_.take(row),
                     line(qPrintable(QStringLiteral("[to@qv] rcv=%1 freq=%2 srate=125 offset=0 fplug=%3")
                                         .arg(row)
                                         .arg((1240 + row) * 1000)
                                         .arg(row % 2 ? "A" : "B"))));
        }
        // The listeners' own addresses: 1 to 4 on the first host, 5 to 8 on
        // the second, ports base + 21 to base + 28.
        QCOMPARE(LoopbackReceivers::hostOf(4), LoopbackReceivers::firstHost);
        QCOMPARE(LoopbackReceivers::hostOf(5), LoopbackReceivers::secondHost);
        QCOMPARE(receivers_.portOf(8), quint16(receivers_.base() + 28));
    }

    void buttonsStayEnabled_afterArrowKeys_andSendTheNewCurrentRow_data()
    {
        QTest::addColumn<int>("downs"); // arrow presses from the clicked row to row 3
        QTest::addColumn<int>("button");
        QTest::addColumn<Cells>("cells"); // row 3's
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("right outside the band")
            << 1 << int(Qt::RightButton) << Cells{"146.000", "250", "0.000", "BOT", " "}
            << line("[to@qv] rcv=3 freq=146000 srate=250 offset=0 fplug=B");
        // Not filled, yet current: sent as it stands, with no plug letter.
        QTest::newRow("left, antenna empty")
            << 2 << int(Qt::LeftButton) << Cells{"10491.500", "1500", "9750.000", "", "X-OFF"}
            << line("[to@qv] rcv=3 freq=10491500 srate=1500 offset=9750000 fplug= vgx=OFF");
    }

    void buttonsStayEnabled_afterArrowKeys_andSendTheNewCurrentRow()
    {
        QFETCH(int, downs);
        QFETCH(int, button);
        QFETCH(Cells, cells);
        QFETCH(QByteArray, expected);
        TempStore store;
        storeRow(store, 3 - downs, workedExample);
        auto w = openOn(store, 4, 3, cells);
        clickCell(grid(*w), 3 - downs);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(grid(*w), Qt::Key_Down);
        QCOMPARE(grid(*w)->Row(), 3);
        QTest::mousePress(sendButton(*w), Qt::MouseButton(button));
        QCOMPARE(receivers_.withMail(), QList<int>{3});
        QCOMPARE(receivers_.take(3), expected);
        QVERIFY(w->alertText().isEmpty());
        // The status line: the time, the receiver, where it went and the line without CR LF.
        const QRegularExpression sent(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d  RX3 \u2192 127\\.0\\.0\\.1:%1  ")
                                          .arg(receivers_.base() + 23));
        QVERIFY2(sent.match(w->statusText()).hasMatch(), qPrintable(w->statusText()));
        QCOMPARE(w->statusText().section(QStringLiteral("  "), 2), QString::fromLatin1(expected.chopped(2)));
        QVERIFY(control<QLabel>(*w, "statusline")->text().startsWith(w->statusText().left(20)));
    }

    void spaceOnFocusedSend_sendsOncePerKeyPress_otherKeysNothing()
    {
        TempStore store;
        auto w = openOn(store, 4, 1);
        clickCell(grid(*w), 1);
        SendButton *sendx = sendButton(*w);
        focusOn(sendx);

        // A held key: one press, then the keyboard's auto-repeat, which sends nothing more.
        const auto hold = [sendx](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text) {
            for (bool repeat : {false, true, true, true}) {
                QKeyEvent press(QEvent::KeyPress, key, modifiers, text, repeat);
                QApplication::sendEvent(sendx, &press);
            }
            QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
            QApplication::sendEvent(sendx, &release);
        };
        hold(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QTest::keyClick(sendx, Qt::Key_Space);
        // Space is a left press: the ordinary line, also in the downlink band.
        const QByteArray ordinary =
            line("[to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI");
        for (int i = 0; i < 2; ++i)
            QCOMPARE(receivers_.take(1), ordinary);
        QVERIFY(receivers_.withMail().isEmpty());

        // The context-menu key and Shift+F10 are a right press: the uplink, once per press.
        const QByteArray uplink = line("[to@qv] rcv=1 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI");
        hold(Qt::Key_Menu, Qt::NoModifier, QString());
        hold(Qt::Key_F10, Qt::ShiftModifier, QString());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(receivers_.take(1), uplink);
        QVERIFY(receivers_.withMail().isEmpty());
        QTest::keyClick(sendx, Qt::Key_F10);
        QVERIFY(receivers_.withMail().isEmpty());

        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_A, Qt::Key_1})
            QTest::keyClick(sendx, key);
        QVERIFY(sendx->hasFocus());
        QVERIFY(receivers_.withMail().isEmpty());
    }

    // The channel library from the keyboard alone: Ctrl+L, a filter typed, and
    // Ctrl+Enter tunes the selected receiver; with none selected nothing goes.
    void channelsWindow_tunesTheSelectedReceiverFromTheKeyboard()
    {
        TempStore store;
        storeHosts(store, 4, receivers_.base());
        QVERIFY(writeFile(store.channelsFile(),
                          "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n"
                          "QO-100 beacon,10491.500,1500,9750.000,TOP,,\r\n"
                          "Sat One,11000.500,27500,9750.000,BOT,X-HORIZ,wide\r\n"));
        auto w = openWindow();
        for (int selected : {0, 3}) {
            if (selected)
                clickCell(grid(*w), selected);
            typeCtrl(*w, Qt::Key_L);
            auto *channels = w->findChild<ChannelsWindow *>();
            QVERIFY(channels && channels->isVisible());
            auto *filter = control<QLineEdit>(*channels, "channelfilter");
            auto *list = control<QAbstractItemView>(*channels, "channellist");
            QTest::keyClicks(filter, selected ? "" : "sat");
            QCOMPARE(list->model()->rowCount(), 1);
            QCOMPARE(list->currentIndex().data(Qt::AccessibleTextRole).toString(),
                     "Sat One, 11000.500 MHz, 27500 kS/s, LO 9750.000, BOT, X-HORIZ");
            if (!selected) {
                // Enter: the boxes as after "Copy from grid to settings", their last accepted texts kept.
                auto *frequency = control<QComboBox>(*w, "frequency");
                auto *megs = control<QComboBox>(*w, "frequencymegs");
                megs->setCurrentIndex(3);
                const QString kept = lastAccepted(frequency);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QCOMPARE(QStringList({frequency->currentText(),
                                      control<QComboBox>(*w, "symbolrate")->currentText(),
                                      control<QComboBox>(*w, "voltage")->currentText(), megs->currentText()}),
                         QStringList({"11000.500", "27500", "X-HORIZ", ""}));
                QCOMPARE(lastAccepted(frequency), kept);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
            if (!selected) {
                QCOMPARE(channels->message(),
                         "Nothing sent: no receiver is selected. Choose a row in the "
                         "receiver table first.");
                QCOMPARE(receivers_.await(0, 300), QStringList{});
                channels->close();
                continue;
            }
            QCOMPARE(
                receivers_.await(1, 5000),
                QStringList{"3: [to@qv] rcv=3 freq=11000500 srate=27500 offset=9750000 fplug=B vgx=HI\r\n"});
            QCOMPARE(channels->message(), "\"Sat One\" stored and sent.");
            QCOMPARE(store.get("RX3", "Frequency"), "11000.500");
            QCOMPARE(store.get("RX0", "Voltage"), "X-HORIZ");
            // Another program's change shows while the window is open.
            QFile library(store.channelsFile());
            QVERIFY(library.open(QIODevice::Append)
                    && library.write("Sat Two,11001.000,1500,9750.000,TOP,,\r\n"));
            library.close();
            QTRY_COMPARE(list->model()->rowCount(), 2);
        }
    }

    // Ctrl+Shift+S: every filled row in receiver order, one datagram each; the
    // status line counts them and names a row that could not go.
    void sendAll_sendsEveryFilledRowAndNamesThoseNotSent()
    {
        TempStore store;
        storeHosts(store, 8, receivers_.base());
        storeRow(store, 6, workedExample);
        storeRow(store, 2, {"10491.500", "1500", "9750.000", "BOT", " "});
        storeRow(store, 3, {"10491.500"}); // not filled: not sent, not counted
        storeRow(store, 4, {"10491.500", "15\r\n00", "9750.000", "TOP", " "});
        auto w = openWindow();
        QTest::keyClick(grid(*w), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(
            receivers_.await(2, 5000),
            (QStringList{"2: [to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=B\r\n",
                         "6: [to@qv] rcv=6 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n"}));
        QCOMPARE(w->statusText().mid(10),
                 "Sent 2 of 3 filled rows. Not sent: RX4: Not sent: row 4 has no usable "
                 "frequency, LO or symbol rate.");
    }

    // The status and alert lines clear of every designed control, the window at its size;
    // the focus ring's pixels, 2 px of navy outside the control, which itself looks the same.
    void statusAlertAndFocusRing_stayClearOfTheDesign()
    {
        for (int receivers : {4, 8}) {
            TempStore store;
            auto w = openOn(store, receivers, 1);
            const QSize size = w->size();
            clickCell(grid(*w), 1);
            SendButton *sendx = sendButton(*w);
            const QImage unfocused = shownPicture(*w).copy(sendx->geometry());
            QTest::mousePress(sendx, Qt::LeftButton);
            receivers_.take(1);
            QTRY_VERIFY(isIdle(*w)); // the flash over
            w->setSingleCopyProblem(QStringLiteral("A second copy would not be detected: ")
                                    + QString(60, 'x'));
            auto *status = control<QWidget>(*w, "statusline");
            auto *alert = control<QWidget>(*w, "alertmessage");
            QVERIFY(status->isVisible() && alert->isVisible()
                    && !status->geometry().intersects(alert->geometry()));
            // A problem reads red, the last send's report navy.
            const QImage lines = shownPicture(*w);
            QCOMPARE(shownText(lines, alert->geometry()).ink, QColor(192, 0, 0));
            QCOMPARE(shownText(lines, status->geometry()).ink, QColor(0, 0, 96));
            QCOMPARE(w->size(), size);
            for (const DesignedControl &designedControl : designedControls) {
                auto *widget = w->findChild<QWidget *>(QLatin1String(designedControl.name));
                for (QWidget *line : {status, alert, control<QWidget>(*w, "channelsbutton")})
                    QVERIFY2(widget == alert || !widget->isVisible()
                                 || !line->geometry().intersects(widget->geometry()),
                             qPrintable(line->objectName() + " covers " + designedControl.name));
            }
            focusOn(sendx);
            QCOMPARE(shownPicture(*w).copy(sendx->geometry()), unfocused);
            for (QWidget *focused : {static_cast<QWidget *>(sendx), control<QWidget>(*w, "antenna"),
                                     static_cast<QWidget *>(grid(*w))}) {
                focusOn(focused);
                // The grid grows or shrinks with the receiver count: the ring follows.
                if (focused == grid(*w))
                    typeCtrl(*w, Qt::Key_R);
                const QImage ringed = shownPicture(*w);
                const QRect r = focused->geometry();
                for (int depth : {2, 3}) {
                    for (const QPoint at :
                         {QPoint(r.left() - depth, r.center().y()), QPoint(r.right() + depth, r.center().y()),
                          QPoint(r.center().x(), r.top() - depth),
                          QPoint(r.center().x(), r.bottom() + depth)})
                        QCOMPARE(ringed.pixelColor(at), QColor(0, 0, 128));
                }
            }
        }
    }

    void pressWhileAddressIsEdited_sendsToLastAcceptedAddress()
    {
        TempStore store;
        auto w = openOn(store, 4, 3);
        clickCell(grid(*w), 3);
        auto *address = control<QLineEdit>(*w, "qvipaddress0");
        typeInto(address, "127.0.0.3");
        QCOMPARE(address->text(), QString("127.0.0.3"));
        QCOMPARE(lastAccepted(address), LoopbackReceivers::firstHost);

        QTest::mousePress(sendButton(*w), Qt::LeftButton);
        QCOMPARE(receivers_.withMail(), QList<int>{3});
        QCOMPARE(receivers_.take(3),
                 line("[to@qv] rcv=3 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI"));
        // The press then took the focus, and leaving the box accepted the text.
        QTest::mouseRelease(sendButton(*w), Qt::LeftButton);
        QTRY_VERIFY(sendButton(*w)->hasFocus());
        QCOMPARE(lastAccepted(address), QString("127.0.0.3"));
        QCOMPARE(store.get("IP", "Address0"), QString("127.0.0.3"));

        // From now on the new address is used (nobody listens there).
        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QVERIFY(receivers_.withMail().isEmpty());
    }

    void rowZero_sendsNothing()
    {
        TempStore store;
        auto w = openOn(store, 4, 1);
        QCOMPARE(grid(*w)->Row(), 0);
        QVERIFY(!sendButton(*w)->isEnabled());
        w->sendx_MouseDown(LeftButtonBit);
        w->sendx_KeyPress(' ');
        QVERIFY(receivers_.withMail().isEmpty());
        QVERIFY(isIdle(*w));
    }

    void rowWithoutUsableFrequency_sendsNothing_andTells_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::newRow("empty row") << Cells{"", "", "", "", ""};
        QTest::newRow("frequency empty") << Cells{"", "1500", "9750.000", "TOP", " "};
        QTest::newRow("frequency not a number") << Cells{"abc", "1500", "9750.000", "TOP", " "};
        QTest::newRow("number followed by text") << Cells{"10491.500 MHz", "1500", "9750.000", "TOP", " "};
        QTest::newRow("kHz beyond 32 bits") << Cells{"2147483.648", "1500", "0.000", "TOP", " "};
    }

    void rowWithoutUsableFrequency_sendsNothing_andTells()
    {
        QFETCH(Cells, cells);
        TempStore store;
        storeRow(store, 3, cells);
        auto w = openOn(store, 4, 2);
        auto *alert = control<QLabel>(*w, "alertmessage");
        QVERIFY(!alert->isVisible());

        // Reached with the arrow keys, so the buttons are still enabled.
        clickCell(grid(*w), 2);
        QTest::keyClick(grid(*w), Qt::Key_Down);
        QCOMPARE(grid(*w)->Row(), 3);
        pressSend(*w, Qt::LeftButton);
        QVERIFY(receivers_.withMail().isEmpty());
        QVERIFY(isIdle(*w));
        QVERIFY(alert->isVisible());
        QVERIFY(!alert->text().isEmpty());

        // The program goes on, and a send that goes out clears the text.
        clickCell(grid(*w), 2);
        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QCOMPARE(receivers_.withMail(), QList<int>{2});
        receivers_.take(2);
        QVERIFY(isFlashingRed(*w));
        QVERIFY(!alert->isVisible());
        QVERIFY(w->alertText().isEmpty());
    }

    void send_flashesRed_thenReturnsToNormalColour()
    {
        TempStore store;
        auto w = openOn(store, 4, 1);
        SendButton *sendx = sendButton(*w);
        QVERIFY(normalColour(*w) != QColor(255, 0, 0));
        QVERIFY(isIdle(*w));
        clickCell(grid(*w), 1);
        QVERIFY(isIdle(*w));

        // On screen only the face changes: the caption keeps its font and
        // size through any number of flashes, by mouse or by Space.
        const QColor normalFace = shownFace(*w);
        const QRect caption = captionInk(*w);
        QVERIFY2(caption.width() > sendx->width() / 2, qPrintable(QString::number(caption.width())));
        for (int send = 0; send < 3; ++send) {
            if (send == 2)
                QTest::keyClick(sendx, Qt::Key_Space);
            else
                QTest::mouseClick(sendx, Qt::LeftButton);
            QVERIFY(isFlashingRed(*w));
            QCOMPARE(shownFace(*w), QColor(255, 0, 0));
            QCOMPARE(captionInk(*w), caption);
            QTRY_VERIFY_WITH_TIMEOUT(!w->sendFlash().isFlashing(), 5000);
            QVERIFY(isIdle(*w));
            QCOMPARE(sendx->backColour(), normalColour(*w));
            QCOMPARE(shownFace(*w), normalFace);
            QCOMPARE(captionInk(*w), caption);
            QCOMPARE(receivers_.take(1).isEmpty(), false);
        }
    }

    void broadcastAddress_isSentToLikeAnyOther()
    {
        // The loopback network's broadcast address reaches a receiver that
        // listens on every address of its host.
        QUdpSocket receiver;
        QVERIFY(receiver.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress));
        TempStore store;
        store.put("IP", "Address0", "127.255.255.255");
        store.put("IP", "Port", QString::number(receiver.localPort() - 21));
        storeRow(store, 1, workedExample);
        auto w = openWindow();
        clickCell(grid(*w), 1);

        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QVERIFY(w->alertText().isEmpty());
        QVERIFY(isFlashingRed(*w));
        QVERIFY(receiver.hasPendingDatagrams() || receiver.waitForReadyRead(2000));
        QCOMPARE(receiver.receiveDatagram().data(),
                 line("[to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI"));
    }

    void sendDuringFlash_startsThePeriodAfresh()
    {
        TempStore store;
        auto w = openOn(store, 4, 1);
        clickCell(grid(*w), 1);
        const QTimer &timer = w->sendFlash().timer();

        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QVERIFY(isFlashingRed(*w));
        QTest::qWait(40);
        const int remainingBefore = timer.remainingTime(); // -1 once the flash ended
        QTest::mouseClick(sendButton(*w), Qt::RightButton);
        QVERIFY(isFlashingRed(*w));
        if (remainingBefore >= 0)
            QVERIFY2(timer.remainingTime() > remainingBefore,
                     qPrintable(QStringLiteral("%1 ms left before, %2 after")
                                    .arg(remainingBefore)
                                    .arg(timer.remainingTime())));
        QTRY_VERIFY_WITH_TIMEOUT(isIdle(*w), 5000);
        QCOMPARE(receivers_.take(1).isEmpty(), false);
        QCOMPARE(receivers_.take(1), line("[to@qv] rcv=1 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI"));
    }

    void platformRefusal_tellsWithoutFlash_untilNextSendGoesOut_data()
    {
        QTest::addColumn<QString>("secondAddress");
        QTest::addColumn<QString>("symbolRate");
        QTest::addColumn<bool>("crowded"); // two more alerts than the line can hold
        // More than a UDP datagram can carry.
        QTest::newRow("oversized datagram")
            << LoopbackReceivers::secondHost << QString(70000, QLatin1Char('9')) << false;
        QTest::newRow("oversized datagram, beside a store and a lock problem")
            << LoopbackReceivers::secondHost << QString(70000, QLatin1Char('9')) << true;
    }

    void platformRefusal_tellsWithoutFlash_untilNextSendGoesOut()
    {
        QFETCH(QString, secondAddress);
        QFETCH(QString, symbolRate);
        QFETCH(bool, crowded);
        TempStore store;
        storeHosts(store, 8, receivers_.base());
        store.put("IP", "Address1", secondAddress);
        storeRow(store, 1, workedExample);
        storeRow(store, 5, {"10491.500", "1500", "9750.000", "TOP", " "});
        auto w = openWindow();
        auto *alert = control<QLabel>(*w, "alertmessage");
        if (crowded) {
            w->setSingleCopyProblem("A second copy would not be detected: " + QString(300, 'x') + ".");
            QVERIFY(QDir(store.folder()).removeRecursively() && writeFile(store.folder(), {}));
            enterText(control<QLineEdit>(*w, "qvipport"), receivers_.base() == 12300 ? "12400" : "12300");
            QVERIFY(w->alertText().startsWith("Not saved"));
        }
        // Longer than any stored value can be: put into the row itself.
        RowCells cells = w->model().receiver(5);
        cells.symbolRate = symbolRate;
        w->model().setReceiver(5, cells);

        clickCell(grid(*w), 5);
        QVERIFY(sendButton(*w)->isEnabled());
        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QVERIFY(receivers_.withMail().isEmpty());
        QVERIFY(isIdle(*w));
        QVERIFY(alert->isVisible());
        QVERIFY(!w->alertText().isEmpty());
        if (crowded) {
            // What does not fit is counted: each message left out once.
            const QStringList all = w->alertText().split('\n');
            QCOMPARE(all.size(), 3);
            qsizetype shown = 0;
            for (const QString &message : all)
                shown += alert->text().contains(message.section(' ', 0, 1)) ? 1 : 0;
            QVERIFY2(shown < 3 && alert->text().endsWith(QString(" (+%1 more)").arg(3 - shown)),
                     qPrintable(alert->text()));
            return;
        }
        QCOMPARE(alert->text(), w->alertText());

        // Still running: the next send goes out and clears the text.
        clickCell(grid(*w), 1);
        QTest::mouseClick(sendButton(*w), Qt::LeftButton);
        QCOMPARE(receivers_.withMail(), QList<int>{1});
        receivers_.take(1);
        QVERIFY(isFlashingRed(*w));
        QVERIFY(w->alertText().isEmpty());
        QVERIFY(!alert->isVisible());
    }

private:
    LoopbackReceivers receivers_;

    // The window on a store with the loopback hosts, `receivers` rows and
    // `cells` in row `row`.
    std::unique_ptr<MainWindow> openOn(TempStore &store, int receivers, int row,
                                       const Cells &cells = workedExample)
    {
        storeHosts(store, receivers, receivers_.base());
        storeRow(store, row, cells);
        return openWindow();
    }
};

QTEST_MAIN(SendingTest)
#include "test_sending.moc"
