// Faults that fuzzing found, each kept as a case of its own. The inputs that
// found them are also replayed from fuzz/regressions/ (tests/fuzzreplay).
#include "testsupport.h"

#include <QLineEdit>

class FuzzRegressionsTest : public QObject
{
    Q_OBJECT
private slots:
    // QSettings reports a format error for a hand-edited file with a line it
    // cannot parse, even though it rewrote the file with the new value; that
    // must not be taken for a failed save.
    void fileWithUnparsableLine_acceptedPortIsStoredWithoutAlert()
    {
        TempStore store;
        store.writeRaw("[IP]\nPort=9900\n%General\n=\n");
        auto w = openWindow();
        auto *port = control<QLineEdit>(*w, "qvipport");
        port->setFocus();
        QTRY_VERIFY(port->hasFocus());
        port->selectAll();
        QTest::keyClicks(port, "12300");
        QTest::keyClick(port, Qt::Key_Tab);
        QVERIFY(!port->hasFocus());
        QCOMPARE(w->alertText(), QString());
        QVERIFY(store.readRaw().contains("Port=12300"));

        // And the next save is judged on its own.
        port->setFocus();
        QTRY_VERIFY(port->hasFocus());
        port->selectAll();
        QTest::keyClicks(port, "12400");
        QTest::keyClick(port, Qt::Key_Tab);
        QCOMPARE(w->alertText(), QString());
        QVERIFY(store.readRaw().contains("Port=12400"));
    }
};

QTEST_MAIN(FuzzRegressionsTest)
#include "test_fuzzregressions.moc"
