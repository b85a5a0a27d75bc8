// Faults that fuzzing found, each kept as a case of its own. The inputs that
// found them are also replayed from fuzz/regressions/ (tests/fuzzreplay).
#include "operatorsteps.h"
#include "table/flexgrid.h"

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
        enterText(port, "12300");
        QVERIFY(!port->hasFocus());
        QCOMPARE(w->alertText(), QString());
        QVERIFY(store.readRaw().contains("Port=12300"));

        // And the next save is judged on its own.
        enterText(port, "12400");
        QCOMPARE(w->alertText(), QString());
        QVERIFY(store.readRaw().contains("Port=12400"));
    }

    // QSettings rewrites the whole file on every write, each value in its
    // own form: @Variant junk it reads as the number 0 came back as
    // "Frequency=0", a frequency the receiver was then sent; an unquoted
    // comma came back with a blank after it.
    void handEditedVariantAndComma_surviveAWriteOfAnotherKey()
    {
        TempStore store;
        store.writeRaw("[RX4]\nFrequency=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)\n"
                       "SymbolRate=1500,000\nOffset=0\nAntenna=BOT\n");
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        const QString frequency = grid->TextMatrix(4, 1);
        QVERIFY(frequency.startsWith("@Variant("));
        QCOMPARE(grid->TextMatrix(4, 2), QString("1500,000"));

        QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier); // stores the count, reloads the rows
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(grid->TextMatrix(4, 1), frequency);
        QCOMPARE(grid->TextMatrix(4, 2), QString("1500,000"));
        SettingsStore fresh;
        QCOMPARE(fresh.read("RX4", "Frequency", QString()), frequency);
        QCOMPARE(fresh.read("RX4", "SymbolRate", QString()), QString("1500,000"));
    }

    // QSettings parses a section when a key of it is first asked for; a
    // second header "[RX3\" continued on the next line hid section RX3 from
    // that lookup, so row 3 showed empty at start and filled after the next
    // write had parsed the whole file.
    void sectionHeaderBrokenOverTwoLines_rowShowsFromTheStart()
    {
        TempStore store;
        store.writeRaw("[RX3]\nFrequency=10492.500\nSymbolRate=1500\nAntenna=TOP\n\n[RX3\\\nx]\nk=v\n");
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        QCOMPARE(grid->TextMatrix(3, 1), QString("10492.500"));
        QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(grid->TextMatrix(3, 1), QString("10492.500"));
    }
};

QTEST_MAIN(FuzzRegressionsTest)
#include "test_fuzzregressions.moc"
