#include "operatorsteps.h"
#include "table/flexgrid.h"
#include "tuning/boxstate.h"

#include <QComboBox>
#include <QLineEdit>

class SmokeTest : public QObject
{
    Q_OBJECT
private slots:
    void emptyStore_showsDefaults()
    {
        TempStore store;
        auto w = openWindow();
        QCOMPARE(w->model().maxreceivers(), 4);
        QCOMPARE(control<QComboBox>(*w, "frequency")->currentText(), QString("10491.500"));
        QCOMPARE(control<FlexGrid>(*w, "msf1")->Rows(), 5);
        QCOMPARE(control<FlexGrid>(*w, "msf1")->ColWidthTwips(0), 2042);
        QTest::keyClick(control<QComboBox>(*w, "symbolrate"), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("8"));
    }
    void frequencyCheck_rejectsOnTab()
    {
        TempStore store;
        auto w = openWindow();
        auto *f = control<QComboBox>(*w, "frequency");
        focusOn(f);
        f->lineEdit()->selectAll();
        QTest::keyClicks(f->lineEdit(), "abc");
        const int beeps = beepCount();
        QTest::keyClick(f->lineEdit(), Qt::Key_Tab);
        verifyRefused(f, "10491.500", beeps);
        QTest::keyClicks(f->lineEdit(), "x");
        f->lineEdit()->selectAll();
        QTest::keyClicks(f->lineEdit(), " 7.5 ");
        QTest::keyClick(f->lineEdit(), Qt::Key_Tab);
        QCOMPARE(f->currentText(), QString("7.500"));
        QVERIFY(!f->hasFocus());
    }
};

QTEST_MAIN(SmokeTest)
#include "test_smoke.moc"
