// The accept-or-revert decision of the frequency, symbol rate and LO boxes:
// which texts pass and what an accepted text is rewritten to.
#include "tuning/numbercheck.h"

#include <QTest>

namespace {
enum Box { Frequency, SymbolRate, Offset };

const NumberBoxRule &ruleOf(int box)
{
    switch (box) {
    case Frequency:
        return frequencyRule;
    case SymbolRate:
        return symbolRateRule;
    default:
        return offsetRule;
    }
}

const QString refused = QStringLiteral("<refused>");
} // namespace

class NumberCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void checkNumberText_acceptsOrRefusesAsEachBoxRequires_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("frequency 10491.5") << int(Frequency) << "10491.5"
                                           << "10491.500";
        QTest::newRow("frequency with blanks around") << int(Frequency) << " 10491.5 "
                                                      << "10491.500";
        QTest::newRow("frequency with tabs around") << int(Frequency) << "\t10491.5\t"
                                                    << "10491.500";
        QTest::newRow("frequency 99999.999") << int(Frequency) << "99999.999"
                                             << "99999.999";
        QTest::newRow("frequency rounding up to 100000") << int(Frequency) << "99999.9996"
                                                         << "100000.000";
        QTest::newRow("frequency just above 0") << int(Frequency) << "0.0001"
                                                << "0.000";
        QTest::newRow("frequency 0") << int(Frequency) << "0" << refused;
        QTest::newRow("frequency -5") << int(Frequency) << "-5" << refused;
        QTest::newRow("frequency empty") << int(Frequency) << "" << refused;
        QTest::newRow("frequency blank") << int(Frequency) << " " << refused;
        QTest::newRow("frequency word") << int(Frequency) << "abc" << refused;
        QTest::newRow("frequency with letters after") << int(Frequency) << "10491.5abc" << refused;
        QTest::newRow("frequency 100000") << int(Frequency) << "100000" << refused;
        QTest::newRow("frequency blank inside") << int(Frequency) << "10 491.5" << refused;
        QTest::newRow("frequency exponent") << int(Frequency) << "1e3" << refused;
        QTest::newRow("frequency decimal comma") << int(Frequency) << "10491,5" << refused;

        QTest::newRow("symbol rate 1500") << int(SymbolRate) << "1500"
                                          << "1500";
        QTest::newRow("symbol rate 1500.4") << int(SymbolRate) << "1500.4"
                                            << "1500";
        QTest::newRow("symbol rate 1500.5") << int(SymbolRate) << "1500.5"
                                            << "1501";
        QTest::newRow("symbol rate with blanks around") << int(SymbolRate) << " 333 "
                                                        << "333";
        QTest::newRow("symbol rate 0") << int(SymbolRate) << "0"
                                       << "0";
        QTest::newRow("symbol rate 99999.6") << int(SymbolRate) << "99999.6"
                                             << "100000";
        QTest::newRow("symbol rate -1") << int(SymbolRate) << "-1" << refused;
        QTest::newRow("symbol rate -0.4") << int(SymbolRate) << "-0.4" << refused;
        QTest::newRow("symbol rate 100000") << int(SymbolRate) << "100000" << refused;
        QTest::newRow("symbol rate empty") << int(SymbolRate) << "" << refused;
        QTest::newRow("symbol rate word") << int(SymbolRate) << "fast" << refused;

        QTest::newRow("LO 9750") << int(Offset) << "9750"
                                 << "9750.000";
        QTest::newRow("LO with blanks around") << int(Offset) << "  9750  "
                                               << "9750.000";
        QTest::newRow("LO 0") << int(Offset) << "0"
                              << "0.000";
        QTest::newRow("LO 10207.4074") << int(Offset) << "10207.4074"
                                       << "10207.407";
        QTest::newRow("LO -9750") << int(Offset) << "-9750" << refused;
        QTest::newRow("LO 100000") << int(Offset) << "100000" << refused;
        QTest::newRow("LO empty") << int(Offset) << "" << refused;
        QTest::newRow("LO with letters after") << int(Offset) << "9750MHz" << refused;

        // A number beyond a double must be refused, not turned into a made-up value.
        const QString digits400 = QStringLiteral("9") + QString(399, QLatin1Char('0'));
        for (const int box : {int(Frequency), int(SymbolRate), int(Offset)}) {
            const QByteArray name = QByteArray::number(box);
            QTest::newRow(("1e999 in box " + name).constData()) << box << "1e999" << refused;
            QTest::newRow(("400 digits in box " + name).constData()) << box << digits400 << refused;
            QTest::newRow(("-400 digits in box " + name).constData()) << box << "-" + digits400 << refused;
        }
    }
    void checkNumberText_acceptsOrRefusesAsEachBoxRequires()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<QString> result = checkNumberText(text, ruleOf(box));
        QCOMPARE(result.value_or(refused), expected);
    }

    void checkNumberText_acceptedTextPassesAgainUnchanged_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("frequency") << int(Frequency) << " 10491.5 ";
        QTest::newRow("symbol rate") << int(SymbolRate) << "1500.5";
        QTest::newRow("LO") << int(Offset) << "10207.4074";
    }
    void checkNumberText_acceptedTextPassesAgainUnchanged()
    {
        // The rewritten text becomes the box's remembered text, so leaving the
        // box again must keep it as it is.
        QFETCH(int, box);
        QFETCH(QString, text);
        const std::optional<QString> first = checkNumberText(text, ruleOf(box));
        QVERIFY(first);
        QCOMPARE(checkNumberText(*first, ruleOf(box)), first);
    }
};

QTEST_APPLESS_MAIN(NumberCheckTest)
#include "test_numbercheck.moc"
