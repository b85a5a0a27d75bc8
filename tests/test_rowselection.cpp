// Choosing a receiver row on the real window: the red mark, the buttons and
// the uplink hint that follow the row, and which clicks and keys choose.
#include "operatorsteps.h"
#include "store/storeschema.h"
#include "table/flexgrid.h"
#include "table/rowselection.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// Four receivers: rows 1 to 3 filled (row 1 in the downlink band), row 4 empty.
void storeFourRows(TempStore &store)
{
    storeRow(store, 1, {"10491.500", "1500", "9750.000", "TOP", "X-HORIZ"});
    storeRow(store, 2, {"1240.000", "333", "0.000", "BOT", " "});
    storeRow(store, 3, {"2400.000", "2000", "0.000", "TOP", "Y-OFF"});
}

struct Selection
{
    explicit Selection(const MainWindow &w)
        : grid(control<FlexGrid>(w, "msf1"))
        , copytorx(control<QPushButton>(w, "copytorx"))
        , copytosettings(control<QPushButton>(w, "copytosettings"))
        , sendx(control<QPushButton>(w, "sendx"))
        , rightlabel(control<QLabel>(w, "rightlabel"))
    { }

    // Enabled state of copytorx, copytosettings, sendx, and the hint.
    QList<bool> buttonsAndHint() const
    {
        return {copytorx->isEnabled(), copytosettings->isEnabled(), sendx->isEnabled(),
                rightlabel->isVisible()};
    }

    FlexGrid *grid;
    QPushButton *copytorx;
    QPushButton *copytosettings;
    QPushButton *sendx;
    QLabel *rightlabel;
};

// The real window on a store that holds the four rows above.
struct FourRowWindow
{
    static std::unique_ptr<MainWindow> open(TempStore &store)
    {
        storeFourRows(store);
        return openWindow();
    }

    TempStore store;
    std::unique_ptr<MainWindow> w = open(store);
    Selection s{*w};
};

} // namespace

class RowSelectionTest : public QObject
{
    Q_OBJECT

private slots:
    void clickOnRow_marksItAlone_andOnlyTheFirstColumnChanges()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        storeFourRows(store);
        auto w = openWindow();
        Selection s(*w);
        QVERIFY(s.grid->cellColour(0, 0) != selectedRowColour);

        const auto before = cellColours(*s.grid);
        clickCell(s.grid, 3, 2);
        QCOMPARE(s.grid->Row(), 3);
        QCOMPARE(s.grid->Col(), 0);
        QCOMPARE(markedRows(*s.grid), QList<int>{3});
        QCOMPARE(s.grid->cellColour(3, 0), QColor(255, 0, 0));
        for (int row = 1; row <= 8; ++row) {
            if (row != 3)
                QCOMPARE(s.grid->cellColour(row, 0), s.grid->cellColour(0, 0));
        }
        const auto after = cellColours(*s.grid);
        QCOMPARE(after[0], before[0]);
        for (int row = 1; row <= 8; ++row)
            QCOMPARE(after[row].mid(1), before[row].mid(1));

        // The mark moves: the earlier row goes back to the header colour.
        clickCell(s.grid, 1, 5);
        QCOMPARE(markedRows(*s.grid), QList<int>{1});
        QCOMPARE(s.grid->cellColour(3, 0), s.grid->cellColour(0, 0));
        clickCell(s.grid, 3, 0);
        QCOMPARE(markedRows(*s.grid), QList<int>{3});
        QCOMPARE(s.grid->cellColour(1, 0), s.grid->cellColour(0, 0));
        QCOMPARE(cellColours(*s.grid), after);
        // Selecting never writes a cell's text.
        QCOMPARE(s.grid->TextMatrix(3, 0), QString("3"));
        QCOMPARE(s.grid->TextMatrix(3, 1), QString("2400.000"));
    }

    void selectedRow_setsButtonsAndHint_data()
    {
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("hint");

        QTest::newRow("band start 10490.000")
            << Cells{"10490.000", "1500", "9750.000", "TOP", " "} << true << true;
        QTest::newRow("band end 10500.000")
            << Cells{"10500.000", "1500", "9750.000", "BOT", " "} << true << true;
        QTest::newRow("just below 10489.999")
            << Cells{"10489.999", "1500", "9750.000", "TOP", " "} << true << false;
        QTest::newRow("just above 10500.001")
            << Cells{"10500.001", "1500", "9750.000", "TOP", " "} << true << false;
        QTest::newRow("leading number read")
            << Cells{"10495.000 MHz", "1500", "9750.000", "TOP", " "} << true << true;
        QTest::newRow("not a number") << Cells{"abc", "1500", "9750.000", "TOP", " "} << true << false;
        QTest::newRow("far from the band") << Cells{"146.000", "25", "0.000", "TOP", " "} << true << false;
        QTest::newRow("LO and voltage empty") << Cells{"10491.500", "1500", "", "TOP", ""} << true << true;
        QTest::newRow("frequency empty") << Cells{"", "1500", "9750.000", "TOP", " "} << false << false;
        QTest::newRow("symbol rate empty")
            << Cells{"10491.500", "", "9750.000", "TOP", " "} << false << false;
        QTest::newRow("antenna empty") << Cells{"10491.500", "1500", "9750.000", "", " "} << false << false;
        QTest::newRow("empty row") << Cells{"", "", "", "", ""} << false << false;
    }

    void selectedRow_setsButtonsAndHint()
    {
        QFETCH(Cells, cells);
        QFETCH(bool, filled);
        QFETCH(bool, hint);
        TempStore store;
        storeRow(store, 1, {"10491.500", "1500", "9750.000", "TOP", " "});
        storeRow(store, 2, {"1240.000", "333", "0.000", "BOT", " "});
        storeRow(store, 3, cells);
        auto w = openWindow();
        Selection s(*w);

        // From a row that shows the hint and one that does not: the result
        // depends on row 3 only.
        for (int from : {1, 2}) {
            clickCell(s.grid, from, 1);
            clickCell(s.grid, 3, 1);
            QCOMPARE(markedRows(*s.grid), QList<int>{3});
            QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, filled, filled, hint}));
        }
    }

    void setUp_leavesNothingSelected_andSpaceOrEnterOnHeaderSelectsNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void setUp_leavesNothingSelected_andSpaceOrEnterOnHeaderSelectsNothing()
    {
        QFETCH(int, key);
        FourRowWindow window;
        Selection &s = window.s;
        QVERIFY(s.grid->hasFocus());
        QCOMPARE(s.grid->Row(), 0);
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{false, false, false, false}));

        QTest::keyClick(s.grid, Qt::Key(key));
        QCOMPARE(s.grid->Row(), 0);
        QVERIFY(markedRows(*s.grid).isEmpty());
        for (int row = 1; row <= 4; ++row)
            QCOMPARE(s.grid->cellColour(row, 0), s.grid->cellColour(0, 0));
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{false, false, false, false}));
    }

    void arrowKeys_moveCurrentRowOnly_andEnterThenSelects()
    {
        FourRowWindow window;
        Selection &s = window.s;

        clickCell(s.grid, 2, 3);
        const QList<bool> row2State{true, true, true, false};
        QCOMPARE(s.buttonsAndHint(), row2State);
        const auto coloursOfRow2 = cellColours(*s.grid);

        QTest::keyClick(s.grid, Qt::Key_Down);
        QTest::keyClick(s.grid, Qt::Key_Down);
        QCOMPARE(s.grid->Row(), 4);
        QCOMPARE(markedRows(*s.grid), QList<int>{2});
        QCOMPARE(cellColours(*s.grid), coloursOfRow2);
        QCOMPARE(s.buttonsAndHint(), row2State);

        // A letter goes to the grid without choosing the row.
        QTest::keyClick(s.grid, Qt::Key_A);
        QCOMPARE(s.grid->Row(), 4);
        QCOMPARE(markedRows(*s.grid), QList<int>{2});
        QCOMPARE(s.buttonsAndHint(), row2State);

        // The mark is repainted where it stands: the current cell, and with it
        // a screen reader's focus, does not run through the rows.
        QSignalSpy moves(s.grid, &QTableWidget::currentCellChanged);
        QTest::keyClick(s.grid, Qt::Key_Return);
        QCOMPARE(moves.count(), 0);
        QCOMPARE(s.grid->Row(), 4);
        QCOMPARE(markedRows(*s.grid), QList<int>{4});
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, false, false, false}));

        // Up to row 1 and Space: the key chooses as Enter does.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(s.grid, Qt::Key_Up);
        QCOMPARE(markedRows(*s.grid), QList<int>{4});
        QTest::keyClick(s.grid, Qt::Key_Space);
        QCOMPARE(markedRows(*s.grid), QList<int>{1});
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, true, true, true}));
    }

    void emptyRowAfterFilledRow_isMarked_withOnlyCopyToGridEnabled()
    {
        FourRowWindow window;
        Selection &s = window.s;

        clickCell(s.grid, 1, 1);
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, true, true, true}));
        clickCell(s.grid, 4, 4);
        QCOMPARE(markedRows(*s.grid), QList<int>{4});
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, false, false, false}));
        QVERIFY(s.grid->hasFocus());
    }

    void clickOnHeaderOrWithAnotherButton_choosesNothing()
    {
        FourRowWindow window;
        Selection &s = window.s;

        clickCell(s.grid, 0, 2);
        QCOMPARE(s.grid->Row(), 0);
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{false, false, false, false}));

        clickCell(s.grid, 2, 1);
        for (int col = 0; col < s.grid->Cols(); ++col)
            clickCell(s.grid, 0, col);
        // Only the primary button chooses a row.
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            const QRect cell = s.grid->visualRect(s.grid->model()->index(1, 1));
            QTest::mouseClick(s.grid->viewport(), button, {}, cell.center());
        }
        QCOMPARE(s.grid->Row(), 2);
        QCOMPARE(markedRows(*s.grid), QList<int>{2});
        QCOMPARE(s.buttonsAndHint(), (QList<bool>{true, true, true, false}));
    }

    void gridOnScreen_showsCellColoursUnaltered_inItsOwnColours_data()
    {
        QTest::addColumn<bool>("gridFocused");
        QTest::newRow("grid has the focus") << true;
        QTest::newRow("focus elsewhere") << false;
    }
    void gridOnScreen_showsCellColoursUnaltered_inItsOwnColours()
    {
        QFETCH(bool, gridFocused);
        FourRowWindow window;
        Selection &s = window.s;
        MainWindow &w = *window.w;
        const QColor header = s.grid->cellColour(0, 0);
        const QColor ordinary = s.grid->cellColour(1, 1);
        QVERIFY(header != ordinary);
        auto inCell = [&](const QImage &picture, int row, int col) {
            return shownCellColour(picture, w, s.grid, row, col);
        };

        // The header cell is current after set-up, the row cell after a click.
        for (int row : {0, 1}) {
            if (row == 1)
                clickCell(s.grid, 1, 2);
            if (!gridFocused)
                control<QWidget>(w, "frequencymegs")->setFocus();
            QCOMPARE(s.grid->hasFocus(), gridFocused);
            const QImage picture = shownPicture(w);
            QCOMPARE(inCell(picture, 0, 0), header);
            // A header cell is never framed, current or not.
            QCOMPARE(shownCellColour(picture, w, s.grid, 0, 0, QPoint(1, 1)), header);
            QCOMPARE(inCell(picture, 1, 0), row == 1 ? QColor(255, 0, 0) : ordinary);
            QCOMPARE(inCell(picture, 1, 2), ordinary);
        }

        // Moved by the arrows, the current cell is framed while the grid has
        // the focus; inside the frame its colour shows exactly, the red mark's too.
        auto frameAndInside = [&](int row, int col) {
            const QImage picture = shownPicture(w);
            const QRect cell = s.grid->visualRect(s.grid->model()->index(row, col));
            const QPoint midLeft(cell.left(), cell.center().y());
            return QList<QColor>{
                shownColour(picture, w, s.grid->viewport(), cell.topLeft() + QPoint(1, 1)),
                shownColour(picture, w, s.grid->viewport(), cell.bottomRight() - QPoint(2, 2)),
                shownColour(picture, w, s.grid->viewport(), midLeft + QPoint(4, 0)),
                shownColour(picture, w, s.grid->viewport(), cell.center())};
        };
        const QList<std::pair<QList<Qt::Key>, QColor>> moves{
            {{Qt::Key_Left, Qt::Key_Left}, QColor(255, 0, 0)}, // to (1, 0), the marked cell
            {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right}, ordinary}, // to (4, 1), empty
        };
        for (const auto &[keys, fill] : moves) {
            for (Qt::Key key : keys)
                QTest::keyClick(s.grid, key);
            const QList<QColor> shown = frameAndInside(s.grid->Row(), s.grid->Col());
            QCOMPARE(shown[0] != fill, gridFocused);
            QCOMPARE(shown[1] != fill, gridFocused);
            QCOMPARE(shown[2], fill);
            if (fill == ordinary)
                QCOMPARE(shown[3], fill);
        }
        QCOMPARE(s.grid->Row(), 4);

        // Light-grey lines between the cells and grey outside them, whatever
        // the window's own background.
        const QImage picture = shownPicture(w);
        const QRect last = s.grid->visualRect(s.grid->model()->index(4, 5));
        const QRect all = s.grid->viewport()->rect();
        QVERIFY(last.bottom() + 1 < all.bottom() && last.right() + 1 < all.right());
        const QColor lightGrey(192, 192, 192);
        QCOMPARE(shownColour(picture, w, s.grid->viewport(), {10, last.bottom() + 1}), lightGrey);
        QCOMPARE(shownColour(picture, w, s.grid->viewport(), {last.right() + 1, 10}), lightGrey);
        const QColor grey(128, 128, 128);
        QCOMPARE(shownColour(picture, w, s.grid->viewport(), {10, all.bottom()}), grey);
        QCOMPARE(shownColour(picture, w, s.grid->viewport(), {all.right(), 10}), grey);
    }
};

QTEST_MAIN(RowSelectionTest)
#include "test_rowselection.moc"
