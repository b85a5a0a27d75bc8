// What a copy into a row writes for the working settings' texts, the
// frequencies the two step boxes compose, and how the model keeps its state.
#include "model/copyrules.h"
#include "model/receivermodel.h"
#include "tuning/numbercheck.h"

#include <QSignalSpy>
#include <QTest>

class PureOperationsTest : public QObject
{
    Q_OBJECT

private slots:
    void rowCells_formatFrequencyAndNumericLoOnly_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("frequencyCell");
        QTest::addColumn<QString>("offsetCell");

        QTest::newRow("plain numbers") << "10491.5"
                                       << "9750"
                                       << "10491.500"
                                       << "9750.000";
        QTest::newRow("frequency with letters after") << "10491.5abc"
                                                      << "9750.000"
                                                      << "10491.500"
                                                      << "9750.000";
        QTest::newRow("frequency with blanks inside") << "1 0491.5"
                                                      << "9750"
                                                      << "10491.500"
                                                      << "9750.000";
        QTest::newRow("empty frequency") << ""
                                         << "9750"
                                         << "0.000"
                                         << "9750.000";
        QTest::newRow("frequency no number") << "abc"
                                             << "9750"
                                             << "0.000"
                                             << "9750.000";
        QTest::newRow("frequency rounded") << "10491.5005"
                                           << "0"
                                           << "10491.501"
                                           << "0.000";
        QTest::newRow("LO with blanks around") << "10491.5"
                                               << " 9750 "
                                               << "10491.500"
                                               << "9750.000";
        QTest::newRow("empty LO stays empty") << "10491.5"
                                              << ""
                                              << "10491.500"
                                              << "";
        QTest::newRow("LO with letters stays as it is") << "10491.5"
                                                        << "9750 MHz"
                                                        << "10491.500"
                                                        << "9750 MHz";
        QTest::newRow("LO with exponent stays as it is") << "10491.5"
                                                         << "9.75e3"
                                                         << "10491.500"
                                                         << "9.75e3";
        // No three-decimal form exists beyond a double; no made-up value.
        QTest::newRow("frequency too large for a double") << "1e999"
                                                          << "9750"
                                                          << "1e999"
                                                          << "9750.000";
        QTest::newRow("LO too large for a double") << "10491.5"
                                                   << "9" + QString(400, '9') << "10491.500"
                                                   << "9" + QString(400, '9');
    }
    void rowCells_formatFrequencyAndNumericLoOnly()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, offset);
        QFETCH(QString, frequencyCell);
        QFETCH(QString, offsetCell);
        const RowCells cells = rowCellsFromSettings({frequency, " 1500.0 ", offset, "top", " "});
        QCOMPARE(cells.frequency, frequencyCell);
        QCOMPARE(cells.offset, offsetCell);
        // The other three go in as they stand.
        QCOMPARE(cells.symbolRate, QString(" 1500.0 "));
        QCOMPARE(cells.antenna, QString("top"));
        QCOMPARE(cells.voltage, QString(" "));
    }

    void megahertzDigit_replacesTheUnitsDigitAndDropsTheFraction_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("digit");
        QTest::addColumn<QString>("expected");

        QTest::newRow("10491.500 with 7") << "10491.500"
                                          << "7"
                                          << "10497.000";
        QTest::newRow("29.000 with 0") << "29.000"
                                       << "0"
                                       << "20.000";
        QTest::newRow("5.000 with 0") << "5.000"
                                      << "0"
                                      << "0.000";
        QTest::newRow("empty with 5") << ""
                                      << "5"
                                      << "5.000";
        QTest::newRow("word with 5") << "abc"
                                     << "5"
                                     << "5.000";
        QTest::newRow("too large for a double with 5") << "1e999"
                                                       << "5"
                                                       << "5.000";
        QTest::newRow("negative with 3") << "-5"
                                         << "3"
                                         << "-7.000";
    }
    void megahertzDigit_replacesTheUnitsDigitAndDropsTheFraction()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, digit);
        QFETCH(QString, expected);
        QCOMPARE(withMegahertzDigit(frequency, digit), expected);
    }

    void fraction_replacesTheFractionalPart_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("fraction");
        QTest::addColumn<QString>("expected");

        QTest::newRow("10497.000 with .125") << "10497.000"
                                             << ".125"
                                             << "10497.125";
        QTest::newRow("replaces an earlier fraction") << "10491.500"
                                                      << ".875"
                                                      << "10491.875";
        QTest::newRow("with .000") << "10491.625"
                                   << ".000"
                                   << "10491.000";
        QTest::newRow("empty with .500") << ""
                                         << ".500"
                                         << "0.500";
        QTest::newRow("word with .500") << "abc"
                                        << ".500"
                                        << "0.500";
        QTest::newRow("negative floors down") << "-0.5"
                                              << ".250"
                                              << "-0.750";
    }
    void fraction_replacesTheFractionalPart()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, fraction);
        QFETCH(QString, expected);
        QCOMPARE(withFraction(frequency, fraction), expected);
    }

    // Ctrl+R there and back on a store that cannot be read: the window has
    // only the model to show receivers 5 to 8 from.
    void model_keepsHiddenReceiversAndSignalsOnlyRealChanges()
    {
        const RowCells beacon{"10491.500", "1500", "9750.000", "BOT", "X-OFF"};
        ReceiverModel model;
        model.setMaxreceivers(8);
        model.setReceiver(7, beacon);
        model.setSelectedReceiver(7);
        QSignalSpy counts(&model, &ReceiverModel::maxreceiversChanged);
        QSignalSpy rows(&model, &ReceiverModel::receiverChanged);
        QSignalSpy selections(&model, &ReceiverModel::selectedReceiverChanged);

        model.setMaxreceivers(4);
        QCOMPARE(model.selectedReceiver(), 0);
        QVERIFY(!model.isReceiver(5) && model.receiver(7) == RowCells{});
        model.setReceiver(7, RowCells{}); // not a receiver now: ignored
        model.setSelectedReceiver(7);
        model.setMaxreceivers(8);
        QVERIFY(model.receiver(7) == beacon && model.receiver(8) == RowCells{});
        QCOMPARE(model.selectedReceiver(), 0);

        // The same values again change nothing and tell nothing.
        model.setMaxreceivers(8);
        model.setReceiver(7, beacon);
        model.setSelectedReceiver(0);
        model.setLastAccepted(ReceiverModel::CheckedEntry::BasePort, QString());
        QCOMPARE(counts.size(), 2);
        QCOMPARE(rows.size(), 0);
        QCOMPARE(selections.size(), 1);
    }
};

QTEST_APPLESS_MAIN(PureOperationsTest)
#include "test_pureoperations.moc"
