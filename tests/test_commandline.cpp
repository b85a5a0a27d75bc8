// The command line built from a receiver row: the kHz conversions, the plug
// and voltage codes, the exact text and bytes, rows that give no command, and
// the uplink variant of a right press.
#include "app/sendbuttonbits.h"
#include "command/commandline.h"

#include <QTest>

Q_DECLARE_METATYPE(RowCells)

namespace {
const QString noFields = QStringLiteral("<no fields>");

RowCells row(const QString &frequency, const QString &symbolRate, const QString &offset,
             const QString &antenna, const QString &voltage)
{
    return {frequency, symbolRate, offset, antenna, voltage};
}

// The line of a row, or noFields when the row gives no command.
QString lineOf(int receiver, const RowCells &cells, int buttonBits = LeftButtonBit)
{
    const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, cells);
    if (!fields)
        return noFields;
    return FormatCommandLine(fieldsForVariant(*fields, sendVariantOfButtons(buttonBits)));
}
} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void frequencyKhz_roundsToTheNearestKhzWithHalvesToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<int>("expected");

        QTest::newRow("three decimals") << "10491.500" << true << 10491500;
        QTest::newRow("half down to even") << "10491.5005" << true << 10491500;
        QTest::newRow("half up to even") << "10491.5015" << true << 10491502;
        QTest::newRow("half up to even from below") << "10491.4995" << true << 10491500;
        QTest::newRow("blanks around") << " 10491.5 " << true << 10491500;
        QTest::newRow("one kHz") << "0.001" << true << 1;
        QTest::newRow("largest kHz") << "2147483.647" << true << 2147483647;
        QTest::newRow("smallest kHz") << "-2147483.648" << true << int(-2147483647 - 1);
        QTest::newRow("one above the largest kHz") << "2147483.648" << false << 0;
        QTest::newRow("far beyond 32 bits") << "3000000" << false << 0;
        QTest::newRow("far below 32 bits") << "-3000000" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("word") << "abc" << false << 0;
        QTest::newRow("letters after") << "10491.5abc" << false << 0;
        QTest::newRow("too large for a double") << "1e999" << false << 0;
    }
    void frequencyKhz_roundsToTheNearestKhzWithHalvesToEven()
    {
        QFETCH(QString, text);
        QFETCH(bool, converts);
        QFETCH(int, expected);
        const std::optional<int32_t> khz = frequencyKhz(text);
        QCOMPARE(khz.has_value(), converts);
        if (converts)
            QCOMPARE(*khz, expected);
    }

    void offsetKhz_floorsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<int>("expected");

        QTest::newRow("9750.000") << "9750.000" << true << 9750000;
        QTest::newRow("9388.888") << "9388.888" << true << 9388888;
        // Exactly 10207407 as a double product; a wider product floors to 10207406.
        QTest::newRow("10207.407") << "10207.407" << true << 10207407;
        QTest::newRow("floor, not nearest") << "9750.9999" << true << 9750999;
        QTest::newRow("zero") << "0.000" << true << 0;
        QTest::newRow("negative floors down") << "-0.0005" << true << -1;
        QTest::newRow("empty") << "" << true << 0;
        QTest::newRow("word") << "none" << true << 0;
        QTest::newRow("letters after") << "9750MHz" << true << 9750000;
        QTest::newRow("blanks inside") << "9 750" << true << 9750000;
        QTest::newRow("beyond 32 bits") << "3000000" << false << 0;
        QTest::newRow("too large for a double") << "1e999" << false << 0;
    }
    void offsetKhz_floorsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, converts);
        QFETCH(int, expected);
        const std::optional<int32_t> khz = offsetKhz(text);
        QCOMPARE(khz.has_value(), converts);
        if (converts)
            QCOMPARE(*khz, expected);
    }

    void commandLine_endsWithTheVoltageCodeOfTheCell_data()
    {
        QTest::addColumn<QString>("voltage");
        QTest::addColumn<QString>("ending");

        QTest::newRow("X-OFF") << "X-OFF"
                               << " fplug=A vgx=OFF\r\n";
        QTest::newRow("X-VERT") << "X-VERT"
                                << " fplug=A vgx=LO\r\n";
        QTest::newRow("X-HORIZ") << "X-HORIZ"
                                 << " fplug=A vgx=HI\r\n";
        QTest::newRow("X-VERT-TONE") << "X-VERT-TONE"
                                     << " fplug=A vgx=LOT\r\n";
        QTest::newRow("X-HORIZ-TONE") << "X-HORIZ-TONE"
                                      << " fplug=A vgx=HIT\r\n";
        QTest::newRow("Y-OFF") << "Y-OFF"
                               << " fplug=A vgy=OFF\r\n";
        QTest::newRow("Y-VERT") << "Y-VERT"
                                << " fplug=A vgy=LO\r\n";
        QTest::newRow("Y-HORIZ") << "Y-HORIZ"
                                 << " fplug=A vgy=HI\r\n";
        QTest::newRow("Y-VERT-TONE") << "Y-VERT-TONE"
                                     << " fplug=A vgy=LOT\r\n";
        QTest::newRow("Y-HORIZ-TONE") << "Y-HORIZ-TONE"
                                      << " fplug=A vgy=HIT\r\n";
        QTest::newRow("blank choice") << " "
                                      << " fplug=A\r\n";
        QTest::newRow("empty") << ""
                               << " fplug=A\r\n";
        QTest::newRow("lower case") << "x-off"
                                    << " fplug=A\r\n";
        QTest::newRow("blank after the name") << "X-OFF "
                                              << " fplug=A\r\n";
    }
    void commandLine_endsWithTheVoltageCodeOfTheCell()
    {
        QFETCH(QString, voltage);
        QFETCH(QString, ending);
        const QString line = lineOf(1, row("10491.500", "1500", "9750.000", "TOP", voltage));
        QVERIFY2(line.endsWith(ending), qPrintable(line));
        QCOMPARE(line.count(QStringLiteral(" vg")), ending.contains(QStringLiteral(" vg")) ? 1 : 0);
    }

    void commandLine_writesEachCellAsTheWireExpects_data()
    {
        QTest::addColumn<int>("receiver");
        QTest::addColumn<RowCells>("cells");
        QTest::addColumn<QString>("expected");

        QTest::newRow("worked example")
            << 2 << row("10491.500", "1500", "9750.000", "TOP", "X-HORIZ")
            << "[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
        QTest::newRow("BOT and no voltage")
            << 3 << row("10491.500", "1500", "9750.000", "BOT", " ")
            << "[to@qv] rcv=3 freq=10491500 srate=1500 offset=9750000 fplug=B\r\n";
        QTest::newRow("antenna in lower case leaves the plug empty")
            << 1 << row("10491.500", "1500", "9750.000", "top", "Y-VERT-TONE")
            << "[to@qv] rcv=1 freq=10491500 srate=1500 offset=9750000 fplug= vgy=LOT\r\n";
        QTest::newRow("no LO") << 4 << row("2400.000", "333", "0.000", "BOT", "X-OFF")
                               << "[to@qv] rcv=4 freq=2400000 srate=333 offset=0 fplug=B vgx=OFF\r\n";
        QTest::newRow("LO that is no number")
            << 1 << row("10491.500", "1500", "", "TOP", " ")
            << "[to@qv] rcv=1 freq=10491500 srate=1500 offset=0 fplug=A\r\n";
        QTest::newRow("symbol rate sent verbatim")
            << 5 << row("10491.500", " 15 00.0x", "9750.000", "TOP", " ")
            << "[to@qv] rcv=5 freq=10491500 srate= 15 00.0x offset=9750000 fplug=A\r\n";
        QTest::newRow("empty symbol rate") << 1 << row("10491.500", "", "9750.000", "TOP", " ")
                                           << "[to@qv] rcv=1 freq=10491500 srate= offset=9750000 fplug=A\r\n";
        QTest::newRow("negative values in decimal form")
            << 6 << row("-1.5", "1500", "-1", "TOP", " ")
            << "[to@qv] rcv=6 freq=-1500 srate=1500 offset=-1000 fplug=A\r\n";
        QTest::newRow("row 8") << 8 << row("10491.500", "1500", "9750.000", "TOP", " ")
                               << "[to@qv] rcv=8 freq=10491500 srate=1500 offset=9750000 fplug=A\r\n";
    }
    void commandLine_writesEachCellAsTheWireExpects()
    {
        QFETCH(int, receiver);
        QFETCH(RowCells, cells);
        QFETCH(QString, expected);
        QCOMPARE(lineOf(receiver, cells), expected);
    }

    void workedExample_isOneAsciiDatagramOf70Bytes()
    {
        const std::optional<CommandFields> fields =
            commandFieldsFromCells(2, row("10491.500", "1500", "9750.000", "TOP", "X-HORIZ"));
        QVERIFY(fields);
        const QString line = FormatCommandLine(*fields);
        QCOMPARE(line.size(), 70);
        QCOMPARE(line.left(68),
                 QString("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI"));
        const QByteArray datagram = commandDatagram(*fields);
        QCOMPARE(datagram,
                 QByteArray("[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 "
                            "fplug=A vgx=HI\r\n"));
        QCOMPARE(datagram.size(), 70);
        QCOMPARE(datagram.right(2), QByteArray("\x0d\x0a"));
    }

    void rowWithoutAUsableValue_givesNoCommand_data()
    {
        QTest::addColumn<RowCells>("cells");

        QTest::newRow("empty frequency") << row("", "1500", "9750.000", "TOP", " ");
        QTest::newRow("frequency not a number") << row("abc", "1500", "9750.000", "TOP", " ");
        QTest::newRow("frequency with letters after") << row("10491.5MHz", "1500", "9750.000", "TOP", " ");
        QTest::newRow("frequency too large for a double") << row("1e999", "1500", "9750.000", "TOP", " ");
        QTest::newRow("frequency kHz beyond 32 bits") << row("3000000", "1500", "9750.000", "TOP", " ");
        QTest::newRow("LO kHz beyond 32 bits") << row("10491.500", "1500", "3000000", "TOP", " ");
        QTest::newRow("LO kHz below 32 bits") << row("10491.500", "1500", "-3000000", "TOP", " ");
        QTest::newRow("symbol rate with CR LF")
            << row("10491.500", "1500\r\n[to@qv] rcv=1", "9750.000", "TOP", " ");
        QTest::newRow("symbol rate with a line feed") << row("10491.500", "15\n00", "9750.000", "TOP", " ");
        QTest::newRow("symbol rate with a carriage return")
            << row("10491.500", "1500\r", "9750.000", "TOP", " ");
        QTest::newRow("symbol rate with a non-ASCII letter")
            << row("10491.500", QString::fromUtf8("15\u00e900"), "9750.000", "TOP", " ");
        QTest::newRow("symbol rate with a euro sign")
            << row("10491.500", QString::fromUtf8("1500\u20ac"), "9750.000", "TOP", " ");
    }
    void rowWithoutAUsableValue_givesNoCommand()
    {
        QFETCH(RowCells, cells);
        QVERIFY(!commandFieldsFromCells(1, cells));
    }

    void press_sendsTheUplinkOnlyForARightPressInTheDownlinkWindow_data()
    {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("antenna");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("expected");

        const int right = RightButtonBit;
        QTest::newRow("right press, TOP becomes B, no LO")
            << "10491.500"
            << "TOP" << right << "[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI\r\n";
        QTest::newRow("right press, BOT becomes A")
            << "10491.500"
            << "BOT" << right << "[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=A vgx=HI\r\n";
        QTest::newRow("right press, other antenna becomes A")
            << "10491.500"
            << "top" << right << "[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=A vgx=HI\r\n";
        QTest::newRow("right press at the window's start")
            << "10490.000"
            << "TOP" << right << "[to@qv] rcv=2 freq=2400500 srate=1500 offset=0 fplug=B vgx=HI\r\n";
        QTest::newRow("right press at the window's last kHz")
            << "10499.999"
            << "TOP" << right << "[to@qv] rcv=2 freq=2410499 srate=1500 offset=0 fplug=B vgx=HI\r\n";
        QTest::newRow("right press at the window's excluded end")
            << "10500.000"
            << "TOP" << right << "[to@qv] rcv=2 freq=10500000 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
        QTest::newRow("right press just below the window")
            << "10489.999"
            << "TOP" << right << "[to@qv] rcv=2 freq=10489999 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
        QTest::newRow("right press with another button too")
            << "10491.500"
            << "TOP" << int(LeftButtonBit | RightButtonBit)
            << "[to@qv] rcv=2 freq=2402000 srate=1500 offset=0 fplug=B vgx=HI\r\n";
        QTest::newRow("left press in the window")
            << "10491.500"
            << "TOP" << int(LeftButtonBit)
            << "[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
        QTest::newRow("middle press in the window")
            << "10491.500"
            << "TOP" << int(MiddleButtonBit)
            << "[to@qv] rcv=2 freq=10491500 srate=1500 offset=9750000 fplug=A vgx=HI\r\n";
    }
    void press_sendsTheUplinkOnlyForARightPressInTheDownlinkWindow()
    {
        QFETCH(QString, frequency);
        QFETCH(QString, antenna);
        QFETCH(int, buttons);
        QFETCH(QString, expected);
        QCOMPARE(lineOf(2, row(frequency, "1500", "9750.000", antenna, "X-HORIZ"), buttons), expected);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "test_commandline.moc"
