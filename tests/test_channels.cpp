// The channel library without a window: its CSV as RFC 4180 has it and as
// hand edits and other programs write it, the checks every value passes, and
// the changes to channels.csv, which never go over a file that does not read.
#include "channels/channellibrary.h"
#include "tempstore.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// Each channel as "name|frequency|symbolRate|locOsc|antenna|voltage|notes".
QStringList flat(const QVector<Channel> &channels)
{
    QStringList lines;
    for (const Channel &c : channels)
        lines << QStringList{c.name,          c.values.frequency, c.values.symbolRate,
                             c.values.offset, c.values.antenna,   c.values.voltage,
                             c.notes}
                     .join('|');
    return lines;
}

const QByteArray header = "Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n";

} // namespace

class ChannelsTest : public QObject
{
    Q_OBJECT

private slots:
    void readCsv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("channels");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("shown forms, blank voltage")
            << header + "Beacon,10491.5,1499.6,9750,TOP,,\r\n"
            << QStringList{"Beacon|10491.500|1500|9750.000|TOP| |"} << QStringList{};
        QTest::newRow("quoted comma, quote and line end; LF line ends; blank lines")
            << QByteArray("Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\n\n"
                          "\"A, \"\"b\"\"\",1,2,3,BOT,Y-VERT-TONE,\"two\r\nlines\"\n\n")
            << QStringList{"A, \"b\"|1.000|2|3.000|BOT|Y-VERT-TONE|two\r\nlines"} << QStringList{};
        QTest::newRow("byte-order mark, blanks around the name, antenna and voltage")
            << "\xef\xbb\xbf" + header + "  Beacon ,10491.5,1500,9750, TOP , X-OFF ,\r\n"
            << QStringList{"Beacon|10491.500|1500|9750.000|TOP|X-OFF|"} << QStringList{};
        QTest::newRow("without Voltage and Notes, the last line without its end")
            << QByteArray("LocOsc,Antenna,Name,Frequency,SymbolRate\r\n0,TOP,Low,146.5,66")
            << QStringList{"Low|146.500|66|0.000|TOP| |"} << QStringList{};
        QTest::newRow("not UTF-8") << header + "A,1,1,1,TOP,,\r\nB\xff,1,1,1,TOP,,\r\n"
                                   << QStringList{} << QStringList{"line 3: not UTF-8 text"};
        QTest::newRow("a quoted field never closed")
            << header + "A,1,1,1,TOP,,\"open\r\nB,1,1,1,TOP,,\r\n"
            << QStringList{}
            << QStringList{"line 2: a quoted field is not closed before the end of the file"};
        QTest::newRow("text after a closing quote, on the line the record starts")
            << header + "A,1,1,1,TOP,,\"a\r\nb\"c\r\n"
            << QStringList{} << QStringList{"line 2: text follows a closing quote"};
        QTest::newRow("a column missing, one named twice")
            << QByteArray("Name,Frequency,LocOsc,Antenna,Name\r\n") << QStringList{}
            << QStringList{"line 1, Name: the column is named twice in the header",
                           "line 1, SymbolRate: the header has no such column"};
        QTest::newRow("empty") << QByteArray() << QStringList{}
                               << QStringList{"line 1: no header line "
                                              "(Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes)"};
        QTest::newRow("limits: 40 characters, 99999.9996 that would show as 100000.000, BOT only in capitals")
            << header + QByteArray(40, 'n') + ",1,0,0,TOP,,\r\n" + QByteArray(41, 'n') + ",1,0,0,TOP,,\r\n"
                + "A,99999.9996,0,0,TOP,,\r\nB,1,-1,0,TOP,,\r\nC,1,0,0,bot,,\r\n"
            << QStringList{}
            << QStringList{
                   "line 3, Name: \"" + QString(41, 'n') + "\" is longer than 40 characters",
                   "line 4, Frequency: \"99999.9996\" is not taken: a number above 0 and below 100000 "
                   "(MHz) is needed",
                   "line 5, SymbolRate: \"-1\" is not taken: a number from 0 up to below 100000 is needed",
                   "line 6, Antenna: \"bot\" is not taken: TOP or BOT is needed"};
    }

    void readCsv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, channels);
        QFETCH(QStringList, problems);
        const ChannelsRead read = readChannelsCsv(bytes);
        QStringList told;
        for (const LineProblem &problem : read.problems)
            told << lineProblemText(problem);
        QCOMPARE(told, problems);
        QCOMPARE(flat(read.channels), channels);
        // What was read writes back as text that reads the same.
        QCOMPARE(flat(readChannelsCsv(writeChannelsCsv(read.channels)).channels), channels);
    }

    // Each change reads the file afresh; a refused one leaves the file alone.
    void libraryChanges_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QString>("change"); // add NAME, rename OLD NEW, remove NAME
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QByteArray>("after");
        const QByteArray two = header + "Beta,2.000,2,2.000,BOT,,\r\nalpha,1.000,1,1.000,TOP,,note\r\n";
        const QByteArray beacon = "QO-100 beacon,10491.500,1500,9750.000,TOP,,\r\n";
        QTest::newRow("first start: the beacon, then the new one")
            << QByteArray() << "add New"
            << "" << header + beacon + "New,3.000,3,3.000,TOP,X-HORIZ,\r\n";
        QTest::newRow("add: a name taken, in other case")
            << two << "add ALPHA"
            << "There is a channel named \"alpha\" already." << two;
        QTest::newRow("rename to its own name in other case")
            << two << "rename alpha ALPHA"
            << "" << header + "Beta,2.000,2,2.000,BOT,,\r\nALPHA,1.000,1,1.000,TOP,,note\r\n";
        QTest::newRow("rename onto another channel") << two << "rename alpha beta"
                                                     << "There is a channel named \"Beta\" already." << two;
        QTest::newRow("remove, case not looked at") << two << "remove BETA"
                                                    << "" << header + "alpha,1.000,1,1.000,TOP,,note\r\n";
        QTest::newRow("remove an unknown one") << two << "remove Gamma"
                                               << "There is no channel named \"Gamma\"." << two;
        // One more channel would take the file past what is read again.
        QByteArray full = header + "Big,1.000,1,1.000,TOP,,";
        full += QByteArray(ChannelLibrary::maxFileBytes - full.size() - 12, 'x') + "\r\n";
        QTest::newRow("add: the file would pass the limit") << full << "add New"
                                                            << "would be larger than 16 MiB" << full;
        const QByteArray damaged = two + "Gamma,x,1,1,TOP,,\r\n";
        QTest::newRow("damaged: never written over") << damaged << "remove alpha"
                                                     << "does not read as channels" << damaged;
    }

    void libraryChanges()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, change);
        QFETCH(QString, refusal);
        QFETCH(QByteArray, after);
        TempStore store;
        const QString path = store.channelsFile();
        if (!before.isEmpty())
            QVERIFY(QDir().mkpath(store.folder()) && writeFile(path, before));
        ChannelLibrary library(store.filePath());
        const QStringList words = change.split(' ');
        QString told;
        if (words[0] == "add")
            told = library.add({words[1], {"3", "3", "3", "TOP", "X-HORIZ"}, ""});
        else if (words[0] == "rename")
            told = library.rename(words[1], words[2]);
        else
            told = library.remove(words[1]);
        QVERIFY2(refusal.isEmpty() ? told.isEmpty() : told.contains(refusal), qPrintable(told));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
        QCOMPARE(writeChannelsCsv(library.channels()) == after, refusal != "does not read as channels");
    }

    void merge_countsAddedAndReplacedAndWritesOnlyAChange()
    {
        TempStore store;
        ChannelLibrary library(store.filePath());
        int added = -1;
        int replaced = -1;
        const Channel beacon = firstStartChannel();
        QCOMPARE(library.merge({beacon}, &added, &replaced), QString());
        QCOMPARE(std::make_pair(added, replaced), std::make_pair(0, 0));
        QVERIFY(!QFile::exists(library.fileName())); // nothing changed, nothing written
        Channel renamed = beacon;
        renamed.name = "qo-100 BEACON";
        Channel other = beacon;
        other.name = "Other";
        QCOMPARE(library.merge({renamed, other}, &added, &replaced), QString());
        QCOMPARE(std::make_pair(added, replaced), std::make_pair(1, 1));
        QCOMPARE(flat(ChannelLibrary(store.filePath()).channels()),
                 (QStringList{"qo-100 BEACON|10491.500|1500|9750.000|TOP| |",
                              "Other|10491.500|1500|9750.000|TOP| |"}));
        QCOMPARE(spokenChannel(beacon), "QO-100 beacon, 10491.500 MHz, 1500 kS/s, LO 9750.000, TOP");
    }
};

QTEST_GUILESS_MAIN(ChannelsTest)
#include "test_channels.moc"
