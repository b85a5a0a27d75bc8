// Ctrl+R rebuilds the window from the store: edits that were not accepted are
// dropped, and only the box that held the focus is checked, on the value just
// loaded. And a press on one cell released over another still selects the
// pressed row, so the mark always shows the row the buttons act on.
#include "operatorsteps.h"
#include "tuning/boxstate.h"

#include <QLabel>
#include <QPushButton>

class RebuildAndClicksTest : public QObject
{
    Q_OBJECT

private slots:
    void ctrlR_dropsAnUnacceptedAddressEdit_andChecksTheLoadedOne()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        store.put("IP", "Address1", "127.0.0.2");
        auto w = openWindow();
        auto *second = control<QLineEdit>(*w, "qvipaddress1");
        typeInto(second, "127.0.0.9"); // a good address, not yet accepted
        const int beeps = beepCount();

        toggleReceiverCount(*w); // 8 -> 4 hides the box that is being edited

        QCOMPARE(int(w->model().maxreceivers()), 4);
        QCOMPARE(second->text(), QString("127.0.0.2"));
        QCOMPARE(lastAccepted(second), QString("127.0.0.2"));
        QCOMPARE(store.get("IP", "Address1"), QString("127.0.0.2"));
        QCOMPARE(beepCount(), beeps);
        toggleReceiverCount(*w);
        QCOMPARE(second->text(), QString("127.0.0.2"));
    }

    void ctrlR_withTheFocusOnAButton_checksNoBox()
    {
        TempStore store;
        storeRow(store, 1, {"10491.500", "1500", {}, "TOP"});
        store.put("IP", "Port", "abc"); // hand-edited; its check would refuse it
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        clickCell(grid, 1);
        auto *load = control<QPushButton>(*w, "copytosettings");
        QVERIFY(load->isEnabled());
        focusOn(load);
        const int beeps = beepCount();

        toggleReceiverCount(*w); // set-up disables the focused button

        QCOMPARE(beepCount(), beeps);
        QVERIFY(grid->hasFocus());
        QCOMPARE(control<QLineEdit>(*w, "qvipport")->text(), QString("abc"));
        QVERIFY(!store.has("IP", "Address0"));
        QCOMPARE(store.get("IP", "Port"), QString("abc"));
    }

    void ctrlR_inAnEditedNumberBox_checksTheLoadedValueOnly()
    {
        TempStore store;
        auto w = openWindow();
        auto *rate = control<QComboBox>(*w, "symbolrate");
        typeInto(rate, "junk");
        const int beeps = beepCount();

        toggleReceiverCount(*w);

        QCOMPARE(rate->currentText(), QString("1500"));
        QCOMPARE(beepCount(), beeps);
        QVERIFY(control<FlexGrid>(*w, "msf1")->hasFocus());
    }

    void ctrlR_withAListOpen_togglesAndClosesTheList()
    {
        TempStore store;
        auto w = openWindow();
        auto *voltage = control<QComboBox>(*w, "voltage");
        focusOn(voltage);
        QTest::keyClick(voltage, Qt::Key_F4);
        QTRY_VERIFY(voltage->view()->isVisible());

        QTest::keyClick(voltage->view(), Qt::Key_R, Qt::ControlModifier);

        QCOMPARE(int(w->model().maxreceivers()), 8);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("8"));
        QTRY_VERIFY(!voltage->view()->isVisible());
        QCOMPARE(voltage->currentText(), QString(" "));
    }

    void pressOnOneRow_releasedOverAnother_selectsThePressedRow()
    {
        TempStore store;
        for (int row : {2, 3})
            storeRow(store, row, {"10491.500", "1500", {}, "TOP"});
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        clickCell(grid, 2);
        QCOMPARE(grid->cellColour(2, 0), QColor(255, 0, 0));

        QTest::mousePress(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(3, 1)).center());
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {},
                            grid->visualItemRect(grid->item(2, 1)).center());

        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->cellColour(3, 0), QColor(255, 0, 0));
        QCOMPARE(grid->cellColour(2, 0), grid->cellColour(0, 0));
    }
};

QTEST_MAIN(RebuildAndClicksTest)
#include "test_rebuildandclicks.moc"
