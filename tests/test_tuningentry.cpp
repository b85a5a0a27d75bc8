// The working-settings boxes on the real window: composing the frequency
// with the two step boxes, and the accept-or-revert checks of frequency,
// symbol rate and LO as the focus leaves them.
#include "operatorsteps.h"
#include "tuning/boxstate.h"

#include <QLabel>
#include <QWindow>

namespace {
const QString loadedFrequency = QStringLiteral("10491.500");

struct TuningWindow
{
    TempStore store;
    std::unique_ptr<MainWindow> window = openWindow();
    QComboBox *frequency = control<QComboBox>(*window, "frequency");
    QComboBox *frequencymegs = control<QComboBox>(*window, "frequencymegs");
    QComboBox *frequencydecimal = control<QComboBox>(*window, "frequencydecimal");
    FlexGrid *grid = control<FlexGrid>(*window, "msf1");

    QComboBox *stepBox(const QString &name) const
    {
        return name == QLatin1String("frequencymegs") ? frequencymegs : frequencydecimal;
    }
    QComboBox *box(const QString &name) const { return control<QComboBox>(*window, qPrintable(name)); }
};
} // namespace

class TuningEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void stepBoxPick_composesTheFrequency_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("stepBox");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("composed");

        QTest::newRow("MHz digit 7 into 10491.500") << "10491.500"
                                                    << "frequencymegs"
                                                    << "7"
                                                    << "10497.000";
        QTest::newRow("fraction .125 into 10497.000") << "10497.000"
                                                      << "frequencydecimal"
                                                      << ".125"
                                                      << "10497.125";
        QTest::newRow("MHz digit drops the fraction") << "10491.875"
                                                      << "frequencymegs"
                                                      << "3"
                                                      << "10493.000";
        QTest::newRow("MHz digit 0 into 29.000") << "29.000"
                                                 << "frequencymegs"
                                                 << "0"
                                                 << "20.000";
        QTest::newRow("MHz digit 0 into 5.000") << "5.000"
                                                << "frequencymegs"
                                                << "0"
                                                << "0.000";
        QTest::newRow("MHz digit into empty") << ""
                                              << "frequencymegs"
                                              << "5"
                                              << "5.000";
        QTest::newRow("MHz digit into a word") << "abc"
                                               << "frequencymegs"
                                               << "5"
                                               << "5.000";
        QTest::newRow("fraction into empty") << ""
                                             << "frequencydecimal"
                                             << ".500"
                                             << "0.500";
        QTest::newRow("fraction into a word") << "abc"
                                              << "frequencydecimal"
                                              << ".500"
                                              << "0.500";
    }
    void stepBoxPick_composesTheFrequency()
    {
        QFETCH(QString, start);
        QFETCH(QString, stepBox);
        QFETCH(QString, item);
        QFETCH(QString, composed);
        TuningWindow t;
        // The text is put in while the grid has the focus, so no check runs
        // on it before the pick (as after a copy from the grid).
        QVERIFY(t.grid->hasFocus());
        t.frequency->setEditText(start);
        const int beeps = beepCount();

        pickItem(t.stepBox(stepBox), item);

        QCOMPARE(t.frequency->currentText(), composed);
        QCOMPARE(t.stepBox(stepBox)->currentIndex(), 0);
        QCOMPARE(t.stepBox(stepBox)->currentText(), QString());
        QTRY_VERIFY(t.frequency->hasFocus());
        QCOMPARE(lastAccepted(t.frequency), loadedFrequency);
        QCOMPARE(beepCount(), beeps);
        QVERIFY(t.frequencymegs->isEnabled());
        QVERIFY(t.frequencydecimal->isEnabled());
    }

    void megahertzThenFraction_composeStepByStep()
    {
        TuningWindow t;
        focusOn(t.frequency);
        pickItem(t.frequencymegs, "7");
        QCOMPARE(t.frequency->currentText(), QString("10497.000"));
        QTRY_VERIFY(t.frequency->hasFocus());
        pickItem(t.frequencydecimal, ".125");
        QCOMPARE(t.frequency->currentText(), QString("10497.125"));
        QTRY_VERIFY(t.frequency->hasFocus());
        pressTab(t.frequency);
        QCOMPARE(lastAccepted(t.frequency), QString("10497.125"));
    }

    void keyboardPickInStepBox_composesLikeAClick()
    {
        TuningWindow t;
        focusOn(t.frequencymegs);
        // Down moves from the empty item to "0"; typing a digit finds its item.
        QTest::keyClick(t.frequencymegs, Qt::Key_Down);
        QCOMPARE(t.frequency->currentText(), QString("10490.000"));
        QCOMPARE(t.frequencymegs->currentIndex(), 0);
        QTRY_VERIFY(t.frequency->hasFocus());

        focusOn(t.frequencymegs);
        QTest::keyClicks(t.frequencymegs, "8");
        QCOMPARE(t.frequency->currentText(), QString("10498.000"));
        QCOMPARE(t.frequencymegs->currentIndex(), 0);
        QTRY_VERIFY(t.frequency->hasFocus());

        focusOn(t.frequencydecimal);
        QTest::keyClick(t.frequencydecimal, Qt::Key_End);
        QCOMPARE(t.frequency->currentText(), QString("10498.875"));
        QCOMPARE(t.frequencydecimal->currentIndex(), 0);
        QTRY_VERIFY(t.frequency->hasFocus());
    }

    void composedZero_isRefusedByTheNextCheck()
    {
        TuningWindow t;
        typeInto(t.frequency, "5");
        pressTab(t.frequency);
        QCOMPARE(lastAccepted(t.frequency), QString("5.000"));

        pickItem(t.frequencymegs, "0");
        QCOMPARE(t.frequency->currentText(), QString("0.000"));
        QTRY_VERIFY(t.frequency->hasFocus());
        const int beeps = beepCount();
        pressTab(t.frequency);
        verifyRefused(t.frequency, "5.000", beeps);
    }

    void emptyStepItem_changesNothing_data()
    {
        QTest::addColumn<QString>("stepBox");
        QTest::newRow("MHz digit") << "frequencymegs";
        QTest::newRow("fraction") << "frequencydecimal";
    }
    void emptyStepItem_changesNothing()
    {
        QFETCH(QString, stepBox);
        TuningWindow t;
        t.frequency->setEditText("1296.250");
        QComboBox *box = t.stepBox(stepBox);
        // The list opens on the empty item; choosing it again is no change.
        pickItem(box, QString());
        // Nor is choosing it while another item shows.
        {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(3);
        }
        pickItem(box, QString());
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(t.frequency->currentText(), QString("1296.250"));
        QCOMPARE(lastAccepted(t.frequency), loadedFrequency);
        QVERIFY(box->hasFocus());
    }

    void leavingANumberBox_acceptsOrReverts_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // empty: refused

        QTest::newRow("frequency 10491.5") << "frequency"
                                           << "10491.5"
                                           << "10491.500";
        QTest::newRow("frequency with blanks") << "frequency"
                                               << "  10491.5 "
                                               << "10491.500";
        QTest::newRow("frequency rounds up to 100000") << "frequency"
                                                       << "99999.9996"
                                                       << "100000.000";
        QTest::newRow("frequency 0") << "frequency"
                                     << "0"
                                     << "";
        QTest::newRow("frequency empty") << "frequency"
                                         << ""
                                         << "";
        QTest::newRow("frequency letters after") << "frequency"
                                                 << "10491.5MHz"
                                                 << "";
        QTest::newRow("frequency 10491,5") << "frequency"
                                           << "10491,5"
                                           << "";
        QTest::newRow("LO 9750,5") << "offset"
                                   << "9750,5"
                                   << "";
        QTest::newRow("frequency 100000") << "frequency"
                                          << "100000"
                                          << "";

        QTest::newRow("symbol rate 1500.5") << "symbolrate"
                                            << "1500.5"
                                            << "1501";
        QTest::newRow("symbol rate with blanks") << "symbolrate"
                                                 << " 333 "
                                                 << "333";
        QTest::newRow("symbol rate 0") << "symbolrate"
                                       << "0"
                                       << "0";
        QTest::newRow("symbol rate 99999.6") << "symbolrate"
                                             << "99999.6"
                                             << "100000";
        QTest::newRow("symbol rate -1") << "symbolrate"
                                        << "-1"
                                        << "";

        QTest::newRow("LO 9750") << "offset"
                                 << "9750"
                                 << "9750.000";
        QTest::newRow("LO 0") << "offset"
                              << "0"
                              << "0.000";
        QTest::newRow("LO 10207.4074") << "offset"
                                       << "10207.4074"
                                       << "10207.407";
        QTest::newRow("LO -9750") << "offset"
                                  << "-9750"
                                  << "";
    }
    void leavingANumberBox_acceptsOrReverts()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TuningWindow t;
        QComboBox *entry = t.box(box);
        const QString remembered = lastAccepted(entry);
        const int items = entry->count();

        typeInto(entry, typed);
        const int beeps = beepCount();
        pressTab(entry);

        if (shown.isEmpty()) {
            verifyRefused(entry, remembered, beeps);
            // The status line names the box, the entry and the rule, until
            // the box's next accepted entry.
            const QMap<QString, QString> rules{
                {"frequency",
                 "Frequency \"%1\" not taken: a number above 0 and below 100000 (MHz) is needed."},
                {"symbolrate", "Symbol rate \"%1\" not taken: a number from 0 up to below 100000 is needed."},
                {"offset", "Loc Osc \"%1\" not taken: a number from 0 up to below 100000 (MHz) is needed."}};
            QCOMPARE(t.window->statusText(),
                     rules[box].arg(typed) + QStringLiteral(" Kept %1.").arg(remembered)
                         + (typed.contains(',') ? " The decimal mark is a full stop." : ""));
            QVERIFY(
                control<QLabel>(*t.window, "statusline")->text().startsWith(t.window->statusText().left(10)));
            typeInto(entry, "7");
            pressTab(entry);
            QCOMPARE(t.window->statusText(), QString());
        } else {
            QCOMPARE(entry->currentText(), shown);
            QCOMPARE(lastAccepted(entry), shown);
            QVERIFY(!entry->hasFocus());
            QCOMPARE(beepCount(), beeps);
            QCOMPARE(t.window->statusText(), QString());
        }
        QCOMPARE(entry->count(), items);
    }

    void frequencyCheck_runsWhereverTheFocusGoes_data()
    {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");

        for (const char *destination : {"step box", "button", "grid", "symbol rate box"}) {
            QTest::addRow("%s, accepted", destination) << destination << "1296.25"
                                                       << "1296.250";
            QTest::addRow("%s, refused", destination) << destination << "-1296"
                                                      << "10491.500";
        }
    }
    void frequencyCheck_runsWhereverTheFocusGoes()
    {
        QFETCH(QString, destination);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TempStore store;
        storeRow(store, 1, {"145.800", "333", {}, "TOP"});
        auto window = openWindow();
        auto *frequency = control<QComboBox>(*window, "frequency");
        auto *grid = control<FlexGrid>(*window, "msf1");
        auto *copytosettings = control<QPushButton>(*window, "copytosettings");
        clickCell(grid, 1); // a button to click needs a selected row
        QVERIFY(copytosettings->isEnabled());

        typeInto(frequency, typed);
        const int beeps = beepCount();
        if (destination == QLatin1String("step box")) {
            pressTab(frequency);
        } else if (destination == QLatin1String("button")) {
            // The click's own work (loading row 1) comes after the check.
            clickOn(copytosettings);
            QCOMPARE(frequency->currentText(), QString("145.800"));
        } else if (destination == QLatin1String("grid")) {
            clickCell(grid, 3);
        } else {
            clickOn(control<QComboBox>(*window, "symbolrate"));
        }

        const bool refused = shown == QLatin1String("10491.500");
        if (destination != QLatin1String("button"))
            QCOMPARE(frequency->currentText(), shown);
        QCOMPARE(lastAccepted(frequency), shown);
        QCOMPARE(beepCount(), beeps + (refused ? 1 : 0));
        QCOMPARE(frequency->hasFocus(), refused);
    }

    void anotherProgramTakingTheKeyboard_checksNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("checked"); // once the focus goes on in this program
        QTest::addColumn<bool>("backToTheBox");
        for (bool back : {true, false}) {
            const char *then = back ? "back to the box" : "on to a window of this program";
            QTest::addRow("accepted, %s", then) << "1049"
                                                << "1049.000" << back;
            QTest::addRow("refused, %s", then) << "-1049" << loadedFrequency << back;
        }
    }
    void anotherProgramTakingTheKeyboard_checksNothing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, checked);
        QFETCH(bool, backToTheBox);
        TuningWindow t;
        typeInto(t.frequency, typed);
        const int beeps = beepCount();

        QWindow anotherProgram; // not one of this program's widgets
        anotherProgram.show();
        anotherProgram.requestActivate();
        QTRY_VERIFY(!QApplication::activeWindow());
        QCOMPARE(t.frequency->currentText(), typed);
        QCOMPARE(lastAccepted(t.frequency), loadedFrequency);
        QCOMPARE(beepCount(), beeps);

        if (backToTheBox) {
            t.window->activateWindow();
            QTRY_VERIFY(t.frequency->hasFocus());
            QCOMPARE(t.frequency->currentText(), typed);
            QCOMPARE(lastAccepted(t.frequency), loadedFrequency);
            QCOMPARE(beepCount(), beeps);
            return;
        }
        QLineEdit messageBox; // stands in for a dialog of this program
        messageBox.show();
        messageBox.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&messageBox));
        QTRY_COMPARE(lastAccepted(t.frequency), checked);
        QCOMPARE(t.frequency->currentText(), checked);
        QCOMPARE(beepCount(), beeps + (checked == loadedFrequency ? 1 : 0));
    }

    void refusedEntryAfterCopyFromGrid_goesBackToTheLastAccepted_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("fromGrid");

        QTest::newRow("frequency") << "frequency"
                                   << "10491.500"
                                   << "145.800";
        QTest::newRow("symbol rate") << "symbolrate"
                                     << "1500"
                                     << "333";
        QTest::newRow("LO") << "offset"
                            << "9750.000"
                            << "0.000";
    }
    void refusedEntryAfterCopyFromGrid_goesBackToTheLastAccepted()
    {
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QFETCH(QString, fromGrid);
        TempStore store;
        storeRow(store, 2, {"145.800", "333", "0.000", "BOT", "X-VERT"});
        auto window = openWindow();
        auto *entry = control<QComboBox>(*window, qPrintable(box));
        clickCell(control<FlexGrid>(*window, "msf1"), 2);
        clickOn(control<QPushButton>(*window, "copytosettings"));
        QCOMPARE(entry->currentText(), fromGrid);
        QCOMPARE(lastAccepted(entry), loaded);

        typeInto(entry, "?");
        const int beeps = beepCount();
        pressTab(entry);
        verifyRefused(entry, loaded, beeps);
    }

    void twoBoxesHoldingRefusedText_neverPassTheFocusBackAndForth()
    {
        TempStore store;
        // A hand-edited row: none of its three numbers would pass a check.
        storeRow(store, 1, {"junk", "fast", "far", "TOP"});
        auto window = openWindow();
        auto *frequency = control<QComboBox>(*window, "frequency");
        auto *symbolrate = control<QComboBox>(*window, "symbolrate");
        auto *offset = control<QComboBox>(*window, "offset");
        clickCell(control<FlexGrid>(*window, "msf1"), 1);
        clickOn(control<QPushButton>(*window, "copytosettings"));
        QCOMPARE(symbolrate->currentText(), QString("fast"));

        // Each leave refuses once, and the focus stays where it was; the box
        // the focus was heading for never had it, so it is not checked.
        auto leaveRefused = [](QComboBox *from, QComboBox *to, bool byTab) {
            QTest::keyClicks(from->lineEdit(), "?");
            const QString aimedAt = to->currentText();
            const int beeps = beepCount();
            if (byTab)
                pressTab(from);
            else
                clickOn(to);
            QCoreApplication::processEvents();
            QCOMPARE(beepCount(), beeps + 1);
            QVERIFY(from->hasFocus());
            QCOMPARE(from->currentText(), lastAccepted(from));
            QCOMPARE(to->currentText(), aimedAt);
        };

        clickOn(symbolrate);
        QTRY_VERIFY(symbolrate->hasFocus());
        for (int leave = 0; leave < 4; ++leave) {
            leaveRefused(symbolrate, offset, leave % 2 == 0);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(offset->currentText(), QString("far"));

        typeInto(symbolrate, "2000");
        clickOn(offset);
        QTRY_VERIFY(offset->hasFocus());
        for (int leave = 0; leave < 3; ++leave) {
            leaveRefused(offset, frequency, false);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(frequency->currentText(), QString("junk"));
        QCOMPARE(offset->currentText(), QString("9750.000"));

        // Still answering: a good entry leaves the box as usual.
        typeInto(offset, "10600");
        pressTab(offset);
        QCOMPARE(offset->currentText(), QString("10600.000"));
        QVERIFY(!offset->hasFocus());
    }

    void pickingFromABoxOwnList_runsNoCheck_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("frequency band start") << "frequency"
                                              << "29.000"
                                              << "10491.500";
        QTest::newRow("symbol rate") << "symbolrate"
                                     << "27500"
                                     << "1500";
        QTest::newRow("LO") << "offset"
                            << "10600.000"
                            << "9750.000";
    }
    void pickingFromABoxOwnList_runsNoCheck()
    {
        QFETCH(QString, box);
        QFETCH(QString, item);
        QFETCH(QString, remembered);
        TuningWindow t;
        QComboBox *entry = t.box(box);
        // A text that would be refused: opening the list is no leave.
        typeInto(entry, "?");
        const int beeps = beepCount();
        pickItem(entry, item);
        QCOMPARE(entry->currentText(), item);
        QCOMPARE(lastAccepted(entry), remembered);
        QCOMPARE(beepCount(), beeps);
        QTRY_VERIFY(entry->hasFocus());
        pressTab(entry);
        QCOMPARE(lastAccepted(entry), item);
    }

    void typingAFrequency_keepsStepBoxesEnabledAndAddsNoItems()
    {
        TuningWindow t;
        const int items = t.frequency->count();
        typeInto(t.frequency, "1296.2");
        QVERIFY(t.frequencymegs->isEnabled());
        QVERIFY(t.frequencydecimal->isEnabled());
        QTest::keyClick(t.frequency->lineEdit(), Qt::Key_Return);
        QTest::keyClicks(t.frequency->lineEdit(), "5");
        pressTab(t.frequency);
        QCOMPARE(t.frequency->currentText(), QString("1296.250"));
        QCOMPARE(t.frequency->count(), items);
        QVERIFY(t.frequencymegs->isEnabled());
        QVERIFY(t.frequencydecimal->isEnabled());
    }
};

QTEST_MAIN(TuningEntryTest)
#include "test_tuningentry.moc"
