// The receiver count: how a stored count is laid out, and the Ctrl+R toggle
// whatever control has the focus.
#include "designedlayout.h"
#include "operatorsteps.h"
#include "store/settingsstore.h"
#include "store/storeschema.h"
#include "table/flexgrid.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>

namespace {

// Counts the presses of one key that reach a widget itself.
class KeyPressCounter : public QObject
{
public:
    KeyPressCounter(QObject *watched, Qt::Key key)
        : key_(key)
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == key_)
            ++count;
        return false;
    }

private:
    Qt::Key key_;
};

void verifyLayoutFor(const MainWindow &w, int receivers)
{
    auto *grid = control<FlexGrid>(w, "msf1");
    const int h = grid->RowHeightTwips(0);
    QCOMPARE(int(w.model().maxreceivers()), receivers);
    QCOMPARE(grid->Rows(), receivers + 1);
    for (int row = 1; row <= receivers; ++row)
        QCOMPARE(grid->TextMatrix(row, 0), QString::number(row));
    QCOMPARE(grid->HeightTwips(), designed("msf1").height + h * (receivers - 4));
    QCOMPARE(w.HeightTwips(), designedFormHeight + h * (receivers - 4));
    QCOMPARE(control<QLabel>(w, "selectmessage")->y() * 15,
             designed("selectmessage").top + h * (receivers - 4));
    QCOMPARE(control<QLineEdit>(w, "qvipaddress1")->isVisible(), receivers > 4);
    QCOMPARE(control<QLabel>(w, "secondlabel")->isVisible(), receivers > 4);
    const QRect visible = grid->viewport()->rect();
    for (int row = 0; row <= receivers; ++row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 5));
        QVERIFY2(visible.contains(cell), qPrintable(QString("row %1 does not show").arg(row)));
    }
}

} // namespace

class ReceiverCountTest : public QObject
{
    Q_OBJECT

private slots:
    void storedCount_isLaidOut_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("receivers");
        QTest::newRow("4") << "4" << 4;
        QTest::newRow("8") << "8" << 8;
        QTest::newRow("6") << "6" << 6;
        QTest::newRow("trailing blank") << "8 " << 8;
        QTest::newRow("8.4") << "8.4" << 8;
        QTest::newRow("7.5 to even") << "7.5" << 8;
        QTest::newRow("8.5 to even") << "8.5" << 8;
        QTest::newRow("blanks inside") << " 1 2" << 12;
        QTest::newRow("number then letters") << "5x" << 5;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("16") << "16" << 16;
        QTest::newRow("0 as default") << "0" << 4;
        QTest::newRow("0.4 as default") << "0.4" << 4;
        QTest::newRow("negative as default") << "-3" << 4;
        QTest::newRow("17 as default") << "17" << 4;
        QTest::newRow("letters as default") << "abc" << 4;
        QTest::newRow("empty as default") << "" << 4;
        QTest::newRow("beyond a double as default") << "1e999" << 4;
        QTest::newRow("beyond 16 bits as default") << "65540" << 4;
    }

    void storedCount_isLaidOut()
    {
        QFETCH(QString, stored);
        QFETCH(int, receivers);
        TempStore store;
        store.put("MaxReceivers", "Receivers", stored);
        for (int row = 1; row <= 16; ++row)
            store.put(QString("RX%1").arg(row), "Frequency", QString("%1.000").arg(1000 + row));
        auto w = openWindow();
        verifyLayoutFor(*w, receivers);
        auto *grid = control<FlexGrid>(*w, "msf1");
        for (int row = 1; row <= receivers; ++row)
            QCOMPARE(grid->TextMatrix(row, 1), QString("%1.000").arg(1000 + row));
        QCOMPARE(store.get("MaxReceivers", "Receivers"), stored); // read, never rewritten
    }

    void ctrlR_togglesFourAndEightAndKeepsOtherCounts_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("after");
        QTest::newRow("empty store") << QString() << 8;
        QTest::newRow("4") << "4" << 8;
        QTest::newRow("8") << "8" << 4;
        QTest::newRow("8.4 read as 8") << "8.4" << 4;
        QTest::newRow("6 stays") << "6" << 6;
        QTest::newRow("1 stays") << "1" << 1;
        QTest::newRow("16 stays") << "16" << 16;
        QTest::newRow("0 taken as 4") << "0" << 8;
    }

    void ctrlR_togglesFourAndEightAndKeepsOtherCounts()
    {
        QFETCH(QString, stored);
        QFETCH(int, after);
        TempStore store;
        if (!stored.isNull())
            store.put("MaxReceivers", "Receivers", stored);
        auto w = openWindow();
        typeCtrl(*w, Qt::Key_R);
        verifyLayoutFor(*w, after);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString::number(after));
    }

    void ctrlR_isCaughtWhateverHasTheFocus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("editable box") << "frequency";
        QTest::newRow("editable box with typed text") << "symbolrate";
        QTest::newRow("list-only box") << "voltage";
        QTest::newRow("text box") << "qvipport";
        QTest::newRow("grid") << "msf1";
        QTest::newRow("button") << "copytorx";
    }

    void ctrlR_isCaughtWhateverHasTheFocus()
    {
        QFETCH(QString, name);
        TempStore store;
        store.put("RX0", "SymbolRate", "1200");
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        if (name == "copytorx")
            clickCell(grid, 1, 0); // enables the button
        QWidget *target = control<QWidget>(*w, qPrintable(name));
        target->setFocus();
        QTRY_VERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
        QWidget *focused = QApplication::focusWidget();

        auto textOf = [&] {
            if (auto *box = qobject_cast<QComboBox *>(target))
                return box->currentText();
            if (auto *box = qobject_cast<QLineEdit *>(target))
                return box->text();
            return QString();
        };
        if (name == "symbolrate") {
            // Typing goes into the box; Ctrl+R must not add to it.
            auto *line = control<QComboBox>(*w, "symbolrate")->lineEdit();
            line->end(false);
            QTest::keyClicks(line, "0");
            QCOMPARE(textOf(), QString("12000"));
            line->setText("1200");
        }
        const QString before = textOf();

        KeyPressCounter counter(focused, Qt::Key_R);
        typeCtrl(*w, Qt::Key_R);
        QCOMPARE(counter.count, 0);
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("8"));
        QCOMPARE(textOf(), before);
        QCOMPARE(grid->Rows(), 9);
        QCOMPARE(QApplication::focusWidget(), grid);

        typeCtrl(*w, Qt::Key_R);
        QCOMPARE(w->model().maxreceivers(), 4);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("4"));
    }

    void otherControlCharacter_passesThroughAndTogglesNothing()
    {
        TempStore store;
        auto w = openWindow();
        auto *port = control<QLineEdit>(*w, "qvipport");
        focusOn(port);
        port->end(false);
        QVERIFY(port->selectedText().isEmpty());
        KeyPressCounter counter(port, Qt::Key_A);

        typeCtrl(*w, Qt::Key_A); // code 1
        QCOMPARE(counter.count, 1);
        QCOMPARE(port->selectedText(), QString("9900"));
        QCOMPARE(w->model().maxreceivers(), 4);
        QCOMPARE(control<FlexGrid>(*w, "msf1")->Rows(), 5);
        QVERIFY(port->hasFocus());
        QVERIFY(!store.has("MaxReceivers", "Receivers"));
    }

    void ctrlR_afterARowWasSelected_removesTheMarkAndTheSelection_data()
    {
        QTest::addColumn<QList<int>>("arrowKeys");
        QTest::newRow("row clicked") << QList<int>{};
        QTest::newRow("then moved off the mark") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Down};
    }
    void ctrlR_afterARowWasSelected_removesTheMarkAndTheSelection()
    {
        QFETCH(QList<int>, arrowKeys);
        TempStore store;
        storeRow(store, 3, {"10491.500", "1500", {}, "TOP"});
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        const QColor fixedcolor = grid->cellColour(0, 0);

        clickCell(grid, 3, 0);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->cellColour(3, 0), QColor(255, 0, 0));
        for (const char *name : {"copytosettings", "copytorx", "sendx"})
            QVERIFY(control<QWidget>(*w, name)->isEnabled());
        QVERIFY(control<QLabel>(*w, "rightlabel")->isVisible());
        for (int key : arrowKeys)
            QTest::keyClick(grid, Qt::Key(key));
        const QList<QList<QColor>> before = cellColours(*grid);

        typeCtrl(*w, Qt::Key_R);
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(grid->cellColour(3, 0), fixedcolor);
        QVERIFY(markedRows(*grid).isEmpty());
        // On screen too: the first cells in the header colour, the data cells
        // as they were.
        const QImage picture = shownPicture(*w);
        for (int row = 1; row <= 4; ++row) {
            for (int col = 0; col < grid->Cols(); ++col)
                QCOMPARE(shownCellColour(picture, *w, grid, row, col),
                         col == 0 ? fixedcolor : before[row][col]);
        }
        QCOMPARE(grid->Row(), 0);
        for (const char *name : {"copytosettings", "copytorx", "sendx"})
            QVERIFY2(!control<QWidget>(*w, name)->isEnabled(), name);
        QVERIFY(!control<QLabel>(*w, "rightlabel")->isVisible());
    }

    void ctrlR_withNoRowSelected_writesNoCellColour()
    {
        TempStore store;
        auto w = openWindow();
        auto *grid = control<FlexGrid>(*w, "msf1");
        const QColor green(0, 255, 0);
        const QColor blue(0, 0, 255);
        grid->setCol(0);
        grid->setRow(2);
        grid->setCellBackColor(blue);
        grid->setRow(0);
        grid->setCol(3);
        grid->setCellBackColor(green); // the current cell is (0, 3)

        typeCtrl(*w, Qt::Key_R);
        QCOMPARE(w->model().maxreceivers(), 8);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("8"));
        QCOMPARE(grid->cellColour(2, 0), blue);
        QCOMPARE(grid->cellColour(0, 3), green);
    }

    void unwritableStore_ctrlRStillTogglesAndTheWindowTellsWhy()
    {
        TempStore store;
        // A plain file where the store's folder must go: nothing can be saved.
        QVERIFY(writeFile(store.folder(), {}));
        auto w = openWindow();
        auto *alert = control<QLabel>(*w, "alertmessage");
        // Told at start: no settings could be read from there.
        QVERIFY2(w->alertText().contains("is not a folder"), qPrintable(w->alertText()));

        // Any message box would stop the program until answered; note and
        // close one should it appear.
        int boxes = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(top); box && box->isVisible()) {
                    ++boxes;
                    box->done(QMessageBox::Ok);
                }
            }
        });
        watch.start(20);

        typeCtrl(*w, Qt::Key_R);
        QTest::qWait(100);
        QCOMPARE(boxes, 0);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        verifyLayoutFor(*w, 8);
        QVERIFY(alert->isVisible());
        QVERIFY(!alert->text().isEmpty());
        QVERIFY(!w->alertText().isEmpty());

        // Once the store can be written again, the next toggle is saved and
        // the alert goes.
        QVERIFY(QFile::remove(store.folder()));
        typeCtrl(*w, Qt::Key_R);
        verifyLayoutFor(*w, 4);
        QCOMPARE(store.get("MaxReceivers", "Receivers"), QString("4"));
        QVERIFY(alert->isHidden());
        QCOMPARE(boxes, 0);
    }

    // Ctrl+R while the file cannot be read shows no default as a value, and
    // passing through the host boxes writes none over the values once the
    // file is back. A hand edit is told, shown by Ctrl+R and kept.
    void ctrlR_showsTheFilesValuesOrKeepsTheWindowsAndWritesNoDefault_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("port"); // shown after Ctrl+R, and in the file at the end
        for (const char *blocker :
             {"folder", "FIFO", "link to /dev/zero", "over the size limit", "folder deleted"})
            QTest::newRow(blocker) << blocker << "9900";
        QTest::newRow("hand edit of the same size") << "hand edit"
                                                    << "9700";
    }

    void ctrlR_showsTheFilesValuesOrKeepsTheWindowsAndWritesNoDefault()
    {
        QFETCH(QString, change);
        QFETCH(QString, port);
        TempStore store;
        const QByteArray text =
            "[IP]\nAddress0=127.0.0.1\nPort=9900 ; the base\n[RX1]\nFrequency=10491.500\n";
        store.writeRaw(text);
        auto w = openWindow();
        auto *address = control<QLineEdit>(*w, "qvipaddress0");
        auto *portBox = control<QLineEdit>(*w, "qvipport");
        auto *grid = control<FlexGrid>(*w, "msf1");
        auto *antenna = control<QComboBox>(*w, "antenna");
        auto *voltage = control<QComboBox>(*w, "voltage");
        pickItem(antenna, "BOT");
        pickItem(voltage, "Y-HORIZ");
        const QString path = store.filePath();
        const QByteArray name = QFile::encodeName(path);
        if (change == "hand edit") {
            QVERIFY(writeFile(path, QByteArray(text).replace("9900", "9700"), -60));
            QTRY_VERIFY(w->statusText().contains("changed outside"));
        } else if (change == "folder deleted") {
            QVERIFY(QDir().rename(store.folder(), store.folder() + ".aside"));
        } else {
            QVERIFY(QFile::rename(path, path + ".aside"));
            if (change == "folder")
                QVERIFY(QDir().mkdir(path));
            else if (change == "FIFO")
                QCOMPARE(::mkfifo(name.constData(), 0600), 0);
            else if (change == "link to /dev/zero")
                QVERIFY(QFile::link("/dev/zero", path));
            else
                store.writeRaw(text + QByteArray(SettingsStore::maxFileBytes, ';'));
        }
        const auto passThrough = [&] {
            for (QLineEdit *box : {address, portBox}) {
                focusOn(box);
                clickCell(grid, 1);
            }
        };
        passThrough();
        typeCtrl(*w, Qt::Key_R);
        verifyLayoutFor(*w, 8);
        QCOMPARE(address->text(), QString("127.0.0.1"));
        QCOMPARE(portBox->text(), port);
        QCOMPARE(grid->TextMatrix(1, 1), QString("10491.500"));
        // The selectors are refilled; a file read shows its own working settings.
        QCOMPARE(antenna->currentText(), QString(change == "hand edit" ? "TOP" : "BOT"));
        QCOMPARE(voltage->currentText(), QString(change == "hand edit" ? " " : "Y-HORIZ"));
        if (change != "hand edit")
            QVERIFY2(w->alertText().startsWith("Not "), qPrintable(w->alertText()));
        passThrough();

        if (change == "folder deleted") {
            QVERIFY(QDir(store.folder()).removeRecursively());
            QVERIFY(QDir().rename(store.folder() + ".aside", store.folder()));
        } else if (change != "hand edit") {
            QVERIFY(change == "folder" ? QDir(path).removeRecursively() : QFile::remove(path));
            QVERIFY(QFile::rename(path + ".aside", path));
        }
        QTest::qWait(SettingsStore::retryMs + 500); // the retry has written what it held
        QCOMPARE(store.get("IP", "Address0"), QString("127.0.0.1"));
        QCOMPARE(store.get("IP", "Port"), port);
        QVERIFY(store.readRaw().contains("Port=" + port.toLatin1() + " ; the base\n"));
    }
};

QTEST_MAIN(ReceiverCountTest)
#include "test_receivercount.moc"
