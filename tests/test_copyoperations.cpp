// The two copies between the working settings and a receiver row, on the
// real window with a real settings file: what the row and the store receive,
// what survives a restart or a receiver-count toggle, and what a load leaves
// alone.
#include "operatorsteps.h"
#include "store/storeschema.h"

#include <QPushButton>

namespace {
const QColor red(255, 0, 0);

struct CopyWindow
{
    // Opened on the TempStore that the test made before it.
    CopyWindow() { open(); }

    void open()
    {
        window = openWindow();
        grid = control<FlexGrid>(*window, "msf1");
        copytorx = control<QPushButton>(*window, "copytorx");
        copytosettings = control<QPushButton>(*window, "copytosettings");
    }

    QComboBox *box(const char *name) const { return control<QComboBox>(*window, name); }
    QStringList rowTexts(int row) const { return ::rowTexts(*grid, row); }
    QStringList boxTexts() const { return ::boxTexts(*window); }

    std::unique_ptr<MainWindow> window;
    FlexGrid *grid = nullptr;
    QPushButton *copytorx = nullptr;
    QPushButton *copytosettings = nullptr;
};

QStringList sectionTexts(const TempStore &store, int section)
{
    QStringList texts;
    for (const QString &key : rowKeys())
        texts << store.get(receiverSection(section), key, QStringLiteral("<missing>"));
    return texts;
}

} // namespace

class CopyOperationsTest : public QObject
{
    Q_OBJECT

private slots:
    void copyToRow3_storesRowAndWorkingSettings_andARestartShowsThem()
    {
        TempStore store;
        CopyWindow w;
        typeInto(w.box("frequency"), "1296.25");
        typeInto(w.box("symbolrate"), "333");
        typeInto(w.box("offset"), "0");
        pickItem(w.box("antenna"), "BOT");
        pickItem(w.box("voltage"), "X-VERT-TONE");
        clickCell(w.grid, 3);
        clickOn(w.copytorx);

        const QStringList expected = {"1296.250", "333", "0.000", "BOT", "X-VERT-TONE"};
        QCOMPARE(w.rowTexts(3), expected);
        QCOMPARE(sectionTexts(store, 0), expected);
        QCOMPARE(sectionTexts(store, 3), expected);
        QCOMPARE(w.grid->Row(), 3);
        QCOMPARE(w.grid->cellColour(3, 0), red);
        QVERIFY(w.copytosettings->isEnabled());

        w.window.reset();
        w.open();
        QCOMPARE(w.rowTexts(3), expected);
        QCOMPARE(w.boxTexts(), expected);
        QCOMPARE(lastAccepted(w.box("frequency")), QString("1296.250"));
    }

    void copyToRow7_survivesToggleToFourAndBack()
    {
        TempStore store;
        CopyWindow w;
        toggleReceiverCount(*w.window);
        QCOMPARE(w.window->model().maxreceivers(), 8);
        clickCell(w.grid, 7);
        clickOn(w.copytorx);
        const QStringList expected = {"10491.500", "1500", "9750.000", "TOP", " "};
        QCOMPARE(sectionTexts(store, 7), expected);

        toggleReceiverCount(*w.window);
        QCOMPARE(w.grid->Rows(), 5);
        QCOMPARE(sectionTexts(store, 7), expected);
        toggleReceiverCount(*w.window);
        QCOMPARE(w.grid->Rows(), 9);
        QCOMPARE(w.rowTexts(7), expected);
    }

    void loadRow2ThenCopyToRow5_makesRow5AnExactCopy()
    {
        TempStore store;
        store.put("MaxReceivers", "Receivers", "8");
        const QStringList row2 = {"145.800", "333", "0.000", "BOT", "Y-HORIZ-TONE"};
        storeRow(store, 2, row2);
        CopyWindow w;
        clickCell(w.grid, 2);
        clickOn(w.copytosettings);
        QCOMPARE(w.boxTexts(), row2);

        clickCell(w.grid, 5);
        clickOn(w.copytorx);
        QCOMPARE(w.rowTexts(5), row2);
        QCOMPARE(sectionTexts(store, 0), row2);
        QCOMPARE(sectionTexts(store, 5), row2);
        QCOMPARE(sectionTexts(store, 2), row2);
    }

    void loadingARow_setsOnlyTheBoxTexts()
    {
        TempStore store;
        storeRow(store, 1, {"145.800", "333", "0.000", "BOT", "Y-HORIZ"});
        CopyWindow w;
        QComboBox *frequencymegs = w.box("frequencymegs");
        QComboBox *frequencydecimal = w.box("frequencydecimal");
        QStringList tags;
        for (const char *name : {"frequency", "symbolrate", "offset"})
            tags << lastAccepted(w.box(name));
        clickCell(w.grid, 1);
        const QByteArray before = store.readRaw();

        clickOn(w.copytosettings);

        QCOMPARE(w.boxTexts(), QStringList({"145.800", "333", "0.000", "BOT", "Y-HORIZ"}));
        QCOMPARE(w.box("voltage")->currentIndex(), w.box("voltage")->findText("Y-HORIZ"));
        QCOMPARE(store.readRaw(), before);
        QCOMPARE(frequencymegs->currentIndex(), 0);
        QCOMPARE(frequencydecimal->currentIndex(), 0);
        QVERIFY(frequencymegs->isEnabled());
        QVERIFY(frequencydecimal->isEnabled());
        QStringList tagsAfter;
        for (const char *name : {"frequency", "symbolrate", "offset"})
            tagsAfter << lastAccepted(w.box(name));
        QCOMPARE(tagsAfter, tags);
        QCOMPARE(QApplication::focusWidget(), w.copytosettings);
        QCOMPARE(w.grid->Row(), 1);
        QCOMPARE(w.grid->cellColour(1, 0), red);

        // Nor does the next start show the loaded row: only a copy into the
        // grid changes the working settings that are kept.
        w.window.reset();
        w.open();
        QCOMPARE(w.boxTexts(), QStringList({"10491.500", "1500", "9750.000", "TOP", " "}));
    }

    void loadingAfterArrowKeys_takesTheCurrentRow_andSkipsARowWithoutFrequency()
    {
        TempStore store;
        storeRow(store, 1, {"145.800", "333", "0.000", "BOT", "Y-HORIZ"});
        storeRow(store, 2, {"435.000", "250", "0.000", "TOP", "X-OFF"});
        storeRow(store, 3, {"", "1000", "9750.000", "TOP", " "});
        CopyWindow w;
        const QStringList untouched = w.boxTexts();
        clickCell(w.grid, 1);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(w.grid->Row(), 3);
        clickOn(w.copytosettings);
        QCOMPARE(w.boxTexts(), untouched);

        clickCell(w.grid, 1);
        QTest::keyClick(w.grid, Qt::Key_Down);
        clickOn(w.copytosettings);
        QCOMPARE(w.boxTexts(), QStringList({"435.000", "250", "0.000", "TOP", "X-OFF"}));
    }

    void copyToRow_convertsFrequencyAndLoOnly_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("symbolRate");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QStringList>("cells");

        QTest::newRow("as accepted") << "10491.5"
                                     << "1500"
                                     << "9750" << QStringList{"10491.500", "1500", "9750.000"};
        QTest::newRow("frequency with letters after")
            << "10491.5abc"
            << "1500"
            << "9750.000" << QStringList{"10491.500", "1500", "9750.000"};
        QTest::newRow("frequency empty") << ""
                                         << "1500"
                                         << "9750.000" << QStringList{"0.000", "1500", "9750.000"};
        QTest::newRow("frequency a word") << "high"
                                          << "1500"
                                          << "9750.000" << QStringList{"0.000", "1500", "9750.000"};
        QTest::newRow("LO empty") << "10491.500"
                                  << "1500"
                                  << "" << QStringList{"10491.500", "1500", ""};
        QTest::newRow("LO with blanks") << "10491.500"
                                        << "1500"
                                        << " 10207.4074 " << QStringList{"10491.500", "1500", "10207.407"};
        QTest::newRow("LO not a number") << "10491.500"
                                         << "1500"
                                         << "9750MHz" << QStringList{"10491.500", "1500", "9750MHz"};
        QTest::newRow("symbol rate verbatim")
            << "10491.500"
            << " 1500.7 "
            << "9750.000" << QStringList{"10491.500", " 1500.7 ", "9750.000"};
    }
    void copyToRow_convertsFrequencyAndLoOnly()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, symbolRate);
        QFETCH(QString, offset);
        QFETCH(QStringList, cells);
        TempStore store;
        CopyWindow w;
        clickCell(w.grid, 2);
        // Put straight into the boxes: the focus stays in the grid, so no
        // check runs before the copy takes the texts as they stand.
        w.box("frequency")->setEditText(frequency);
        w.box("symbolrate")->setEditText(symbolRate);
        w.box("offset")->setEditText(offset);
        clickOn(w.copytorx);

        const QStringList expected = cells + QStringList{"TOP", " "};
        QCOMPARE(w.rowTexts(2), expected);
        // A working setting equal to the one shown before (the default on an
        // empty store) is no change and is not written.
        const QStringList shown{"10491.500", "1500", "9750.000", "TOP", " "};
        const QStringList working = sectionTexts(store, 0);
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(working[i] == expected[i] || (working[i] == "<missing>" && expected[i] == shown[i]),
                     qPrintable(working.join('|')));
        // An empty cell over a row never stored (which reads empty) likewise.
        QCOMPARE(sectionTexts(store, 2).replaceInStrings("<missing>", ""), expected);
        QCOMPARE(w.box("frequency")->currentText(), frequency);
        QCOMPARE(lastAccepted(w.box("frequency")), QString("10491.500"));
    }

    void copyAfterArrowKeys_writesAndMarksTheCurrentRow()
    {
        TempStore store;
        CopyWindow w;
        clickCell(w.grid, 1);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QTest::keyClick(w.grid, Qt::Key_Down);
        QCOMPARE(w.grid->cellColour(1, 0), red);
        clickOn(w.copytorx);

        QCOMPARE(w.rowTexts(3).first(), QString("10491.500"));
        QCOMPARE(w.rowTexts(1).first(), QString());
        QVERIFY(!store.has("RX1", "Frequency"));
        QCOMPARE(store.get("RX3", "Frequency"), QString("10491.500"));
        QCOMPARE(w.grid->cellColour(3, 0), red);
        QVERIFY(w.grid->cellColour(1, 0) != red);
        QCOMPARE(w.grid->Row(), 3);
    }

    void copyClick_takesTheBoxTextsAfterTheirCheck_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("cell");

        QTest::newRow("symbol rate refused") << "symbolrate"
                                             << "abc" << 2 << "1500";
        QTest::newRow("symbol rate rounded") << "symbolrate"
                                             << "1500.5" << 2 << "1501";
        QTest::newRow("frequency refused") << "frequency"
                                           << "0" << 1 << "10491.500";
        QTest::newRow("LO refused") << "offset"
                                    << "-1" << 3 << "9750.000";
    }
    void copyClick_takesTheBoxTextsAfterTheirCheck()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, col);
        QFETCH(QString, cell);
        TempStore store;
        CopyWindow w;
        clickCell(w.grid, 4);
        typeInto(w.box(qPrintable(box)), typed);
        clickOn(w.copytorx);
        QCOMPARE(w.grid->TextMatrix(4, col), cell);
        QCOMPARE(store.get("RX4", rowKeys().at(col - 1)), cell);
    }
};

QTEST_MAIN(CopyOperationsTest)
#include "test_copyoperations.moc"
