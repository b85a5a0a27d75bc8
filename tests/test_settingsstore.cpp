// The settings store on a real file: where it lives, what reads back, and
// what a write that cannot reach the disk does.
#include "immutablepaths.h"
#include "store/settingsstore.h"
#include "tempstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A fresh settings folder next to the test executable. The build folder is on
// a real disk, where the immutable flag works (a tmpfs /tmp may not have it).
class StoreFolder : public TempStore
{
public:
    StoreFolder()
        : TempStore(QCoreApplication::applicationDirPath() + QStringLiteral("/store-XXXXXX"))
    { }
};

const QString noChattr =
    QStringLiteral("chattr +i is not available here (missing tool, no privilege, or a file system "
                   "without the immutable flag); the read-only store cannot be made");

} // namespace

class SettingsStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void store_livesInTheApplicationFolderOfTheConfigFolder()
    {
        StoreFolder folder;
        SettingsStore store;
        QCOMPARE(QFileInfo(store.fileName()).absoluteFilePath(),
                 QFileInfo(folder.filePath()).absoluteFilePath());
        QCOMPARE(QFileInfo(folder.filePath()).fileName(), QString("ZorudozaZudizirIvozudiro.conf"));
        QCOMPARE(QFileInfo(folder.folder()).fileName(), QString("ZorudozaZudizirIvozudiro"));
    }

    void write_isInTheFileBeforeItReturns()
    {
        StoreFolder folder;
        SettingsStore store;
        QVERIFY(!QFile::exists(folder.filePath()));

        QVERIFY(store.write("MaxReceivers", "Receivers", "8"));
        QByteArray onDisk = folder.readRaw();
        QVERIFY2(onDisk.contains("[MaxReceivers]\nReceivers=8\n"), onDisk.constData());

        QVERIFY(store.write("RX3", "Frequency", "10491.500"));
        onDisk = folder.readRaw();
        QVERIFY2(onDisk.contains("[RX3]\nFrequency=10491.500\n"), onDisk.constData());
        QVERIFY2(onDisk.contains("Receivers=8"), onDisk.constData());

        QVERIFY(store.write("MaxReceivers", "Receivers", "4"));
        QCOMPARE(folder.get("MaxReceivers", "Receivers"), QString("4"));
        QCOMPARE(folder.get("RX3", "Frequency"), QString("10491.500"));
    }

    void writtenText_readsBackFromAnotherFileUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("three decimals") << "10491.500";
        QTest::newRow("one blank") << " ";
        QTest::newRow("empty") << "";
        QTest::newRow("comma") << "10491,500";
        QTest::newRow("commas and blanks") << "a, b, c";
        QTest::newRow("quotes") << "\"quoted\"";
        QTest::newRow("equals sign") << "x = y";
        QTest::newRow("semicolon and hash") << "a;b #c";
        QTest::newRow("backslash") << "back\\slash";
        QTest::newRow("blanks around") << "  padded  ";
        QTest::newRow("one trailing blank") << "X-OFF ";
        QTest::newRow("tab and line feed") << "a\tb\nc";
        QTest::newRow("at sign first") << "@Variant(0)";
        QTest::newRow("non-ASCII") << QString::fromUtf8("Z\xc3\xbcrich \xe2\x82\xac");
        QTest::newRow("control character before a hex digit") << QString("\x01"
                                                                         "cd\x7f");
        QTest::newRow("character outside the BMP") << QString::fromUtf8("\xf0\x9f\x98\x80");
        QTest::newRow("comma-separated with quotes") << "\"a\", b";
        QTest::newRow("longest usable, control characters") << QString(1024, QChar(2));
    }

    void writtenText_readsBackFromAnotherFileUnchanged()
    {
        QFETCH(QString, text);
        StoreFolder first;
        {
            SettingsStore store;
            QVERIFY(store.write("RX0", "Voltage", text));
        }
        // A copy of the file under another path cannot be served from any
        // cache of the first one: this read parses the bytes on disk.
        StoreFolder second;
        QVERIFY(QDir().mkpath(second.folder()));
        QVERIFY(QFile::copy(first.filePath(), second.filePath()));
        SettingsStore store;
        QCOMPARE(store.read("RX0", "Voltage", "default"), text);

        // Byte for byte what QSettings' own INI writer makes of it, so files
        // stay exchangeable with earlier versions of the program.
        QTemporaryDir qtWritten;
        {
            QSettings settings(qtWritten.filePath("qt.conf"), QSettings::IniFormat);
            settings.setValue("RX0/Voltage", text);
        }
        QFile qtFile(qtWritten.filePath("qt.conf"));
        QVERIFY(qtFile.open(QIODevice::ReadOnly));
        // Qt ends lines with CR LF on Windows; the store writes one file for
        // every platform, so that it can be copied between them.
        QCOMPARE(first.readRaw(), qtFile.readAll().replace("\r\n", "\n"));
    }

    void handEditedFile_readsAsTheTextItHolds_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("byte order mark before the first section")
            << QByteArray("\xef\xbb\xbf[IP]\nPort=9700\n") << "IP"
            << "Port"
            << "9700";
        QTest::newRow("unquoted comma") << QByteArray("[RX0]\nFrequency=10491,500\n") << "RX0"
                                        << "Frequency"
                                        << "10491,500";
        QTest::newRow("unquoted comma with blanks") << QByteArray("[RX0]\nFrequency = 10491, 500 \n") << "RX0"
                                                    << "Frequency"
                                                    << "10491, 500";
        QTest::newRow("comma in the right section")
            << QByteArray("[RX1]\nFrequency=1,1\n[RX2]\nFrequency=2,2\n[RX3]\nFrequency=3,3\n") << "RX2"
            << "Frequency"
            << "2,2";
        QTest::newRow("comma beside a similar key")
            << QByteArray("[RX0]\nFrequencyX=9,9\nFrequency=1,5\n") << "RX0"
            << "Frequency"
            << "1,5";
        QTest::newRow("quoted") << QByteArray("[RX0]\nFrequency=\"10491.500\"\n") << "RX0"
                                << "Frequency"
                                << "10491.500";
        QTest::newRow("quoted comma") << QByteArray("[RX0]\nFrequency=\"10491,500\"\n") << "RX0"
                                      << "Frequency"
                                      << "10491,500";
        QTest::newRow("quoted blank") << QByteArray("[RX0]\nVoltage=\" \"\n") << "RX0"
                                      << "Voltage"
                                      << " ";
        QTest::newRow("empty value") << QByteArray("[RX0]\nVoltage=\n") << "RX0"
                                     << "Voltage"
                                     << "";
        QTest::newRow("count with a trailing blank")
            << QByteArray("[MaxReceivers]\nReceivers=\"8 \"\n") << "MaxReceivers"
            << "Receivers"
            << "8 ";
        QTest::newRow("Windows line ends") << QByteArray("[IP]\r\nPort=9900\r\n") << "IP"
                                           << "Port"
                                           << "9900";
        QTest::newRow("serialised object read as its text")
            << QByteArray("[RX0]\nFrequency=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10junk)\n") << "RX0"
            << "Frequency" << QString::fromUtf16(u"@Variant(\0\0\0\x7f\0\0\0\x10junk)", 22);
        QTest::newRow("byte array read as QSettings reads it")
            << QByteArray("[RX0]\nFrequency=@ByteArray(12)\n") << "RX0"
            << "Frequency"
            << "12";
        QTest::newRow("QSettings' form of a text with a NUL")
            << QByteArray("[IP]\nPort=@String(9700)\n") << "IP"
            << "Port"
            << "9700";
        QTest::newRow("UTF-8 names") << QByteArray("[R\xc3\xa9]\nk\xc3\xab=1\n")
                                     << QString::fromUtf8("R\xc3\xa9") << QString::fromUtf8("k\xc3\xab")
                                     << "1";
        QTest::newRow("percent escape read as a number, sign and all")
            << QByteArray("[R%U+058%30]\nFrequency=1\n") << "RX0"
            << "Frequency"
            << "1";
        QTest::newRow("escaped at sign") << QByteArray("[RX0]\nFrequency=@@x\n") << "RX0"
                                         << "Frequency"
                                         << "@x";
        QTest::newRow("comment after the value")
            << QByteArray("[RX0]\nFrequency=10491.500 ; typed\n") << "RX0"
            << "Frequency"
            << "10491.500";
        QTest::newRow("escapes") << QByteArray("[RX0]\nFrequency=\\x41\\102\\tC\\q\n") << "RX0"
                                 << "Frequency"
                                 << "AB\tC";
        QTest::newRow("line continued") << QByteArray("[RX0]\nFrequency=104\\\n91\n") << "RX0"
                                        << "Frequency"
                                        << "10491";
        QTest::newRow("percent-escaped names") << QByteArray("[R%58%U0030]\nFrequen%63y=1\n") << "RX0"
                                               << "Frequency"
                                               << "1";
        QTest::newRow("last of two") << QByteArray("[RX0]\nFrequency=1\n[RX0]\nFrequency=2\n") << "RX0"
                                     << "Frequency"
                                     << "2";
        QTest::newRow("value too long to be a setting") << "[RX0]\nFrequency=" + QByteArray(1025, '1') + "\n"
                                                        << "RX0"
                                                        << "Frequency"
                                                        << "default";
        QTest::newRow("longest usable value, escaped")
            << "[RX0]\nFrequency=" + QByteArray(1024, '\x01') + "\n"
            << "RX0"
            << "Frequency" << QString(1024, QChar(1));
        QTest::newRow("megabytes of escapes") << "[RX0]\nFrequency=" + QByteArray(1 << 20, '\\') + "\n"
                                              << "RX0"
                                              << "Frequency"
                                              << "default";
        QTest::newRow("unterminated quote") << QByteArray("[RX0]\nVoltage=\"X-OFF\nFrequency=1\n") << "RX0"
                                            << "Frequency"
                                            << "default";
    }

    void handEditedFile_readsAsTheTextItHolds()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        StoreFolder folder;
        folder.writeRaw(file);
        SettingsStore store;
        QCOMPARE(store.read(section, key, "default"), expected);
    }

    // What the operator wrote by hand survives a write: only the written
    // key's line changes, or one line (and its section) is added.
    void handEditedFile_writeChangesOnlyTheWrittenKeysLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray notes = "; a note\n# a note\n# note = with equals\n\n[Mine]\nmy key = a, b\n"
                                 "Path=C:\\temp\\x\n\n";
        QTest::newRow("comments, unknown section, spaces and backslashes; key replaced")
            << notes + "[IP]\nPort=9700\nAddress0=10.0.0.1\n"
            << "IP"
            << "Port"
            << "12000" << notes + "[IP]\nPort=12000\nAddress0=10.0.0.1\n";
        QTest::newRow("key added at the end of its section, order kept")
            << QByteArray("[RX1]\nVoltage=X-OFF\n; rx1 ends\n\n[IP]\nPort=9700\n") << "RX1"
            << "Antenna"
            << "BOT" << QByteArray("[RX1]\nVoltage=X-OFF\nAntenna=BOT\n; rx1 ends\n\n[IP]\nPort=9700\n");
        QTest::newRow("section added at the end") << notes << "MaxReceivers"
                                                  << "Receivers"
                                                  << "8" << notes + "\n[MaxReceivers]\nReceivers=8\n";
        QTest::newRow("no line end at the end")
            << QByteArray("[IP]\nPort=9700") << "IP"
            << "Address0"
            << "10.0.0.2" << QByteArray("[IP]\nPort=9700\nAddress0=10.0.0.2\n");
        QTest::newRow("comment after the value stays")
            << QByteArray("[IP]\n  Port = 9700   ; the old one\n") << "IP"
            << "Port"
            << "a;b" << QByteArray("[IP]\n  Port=\"a;b\"   ; the old one\n");
        QTest::newRow("Windows line ends and a byte order mark")
            << QByteArray("\xef\xbb\xbf[IP]\r\nPort=9700\r\n") << "RX0"
            << "Frequency"
            << "10491.500"
            << QByteArray("\xef\xbb\xbf[IP]\r\nPort=9700\r\n\r\n[RX0]\r\nFrequency=10491.500\r\n");
        QTest::newRow("an open quote would swallow the added line: written whole")
            << QByteArray("[RX0]\nVoltage=\"X-OFF\nFrequency=1\n") << "IP"
            << "Port"
            << "12000" << QByteArray("[IP]\nPort=12000\n\n[RX0]\nVoltage=\"X-OFF\\nFrequency=1\\n\"\n");
        QTest::newRow("of two, the one that is read") << QByteArray("[IP]\nPort=1\n[IP]\nPort=2\n") << "IP"
                                                      << "Port"
                                                      << "3" << QByteArray("[IP]\nPort=1\n[IP]\nPort=3\n");
    }

    void handEditedFile_writeChangesOnlyTheWrittenKeysLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        StoreFolder folder;
        folder.writeRaw(file);
        SettingsStore store;
        QVERIFY(store.write(section, key, text));
        QCOMPARE(folder.readRaw(), expected);
        QCOMPARE(folder.get(section, key), text); // as QSettings reads it
    }

    void missingValue_readsAsTheDefault_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("no file") << QByteArray() << false;
        QTest::newRow("empty file") << QByteArray() << true;
        QTest::newRow("other section") << QByteArray("[RX1]\nVoltage=X-OFF\n") << true;
        QTest::newRow("other key") << QByteArray("[RX0]\nAntenna=BOT\n") << true;
    }

    void missingValue_readsAsTheDefault()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, fileExists);
        StoreFolder folder;
        if (fileExists)
            folder.writeRaw(file);
        SettingsStore store;
        QCOMPARE(store.read("RX0", "Voltage", " "), QString(" "));
        QCOMPARE(store.read("RX0", "Voltage", ""), QString(""));
        QVERIFY(store.read("RX0", "Voltage", QString()).isEmpty());
        QCOMPARE(QFile::exists(folder.filePath()), fileExists); // reading creates nothing
        QVERIFY(!QFile::exists(folder.filePath() + ".lock")); // and locks nothing
    }

    void unwritableStore_failsVisiblyKeepsWhatWasStoredAndRecovers_data()
    {
        QTest::addColumn<QString>("blocker");
        QTest::newRow("immutable file") << "file";
        QTest::newRow("immutable folder") << "folder";
        QTest::newRow("immutable folder and file") << "both";
        QTest::newRow("immutable empty folder") << "emptyfolder";
        QTest::newRow("plain file in place of the folder") << "plainfile";
        QTest::newRow("plain file in place of the folder, saved by the retry") << "retry";
        QTest::newRow("folder in place of the file when the store was made") << "notafile";
    }

    void unwritableStore_failsVisiblyKeepsWhatWasStoredAndRecovers()
    {
        QFETCH(QString, blocker);
        StoreFolder folder;
        ImmutablePaths immutable;
        if (blocker == "notafile")
            QVERIFY(QDir().mkpath(folder.filePath()));
        auto store = std::make_unique<SettingsStore>();
        QSignalSpy problems(store.get(), &SettingsStore::writeProblemChanged);
        const bool plainFile = blocker == "plainfile" || blocker == "retry";

        const bool hasEarlierValues = blocker != "emptyfolder" && !plainFile && blocker != "notafile";
        if (hasEarlierValues) {
            QVERIFY(store->write("IP", "Port", "9900"));
            QVERIFY(store->write("RX0", "Frequency", "10491.500"));
        } else if (blocker == "emptyfolder") {
            QVERIFY(QDir().mkpath(folder.folder()));
        } else if (plainFile) {
            QVERIFY(writeFile(folder.folder(), "not a folder\n"));
        }
        QCOMPARE(problems.count(), 0);
        const QByteArray before = folder.readRaw();

        if (blocker == "file" || blocker == "both") {
            if (!immutable.add(folder.filePath()) || canAppendTo(folder.filePath()))
                QSKIP(qPrintable(noChattr));
        }
        if (blocker == "folder" || blocker == "both" || blocker == "emptyfolder") {
            if (!immutable.add(folder.folder()) || canCreateIn(folder.folder()))
                QSKIP(qPrintable(noChattr));
        }

        QVERIFY(!store->write("IP", "Port", "12000"));
        QCOMPARE(problems.count(), 1);
        QVERIFY(!problems.at(0).at(0).toString().isEmpty());
        QVERIFY(!store->write("RX0", "Frequency", "29.000"));
        QVERIFY(!problems.last().at(0).toString().isEmpty());
        QCOMPARE(store->unsaved().size(), 2);
        QCOMPARE(store->read("IP", "Port", ""), QString("12000")); // as accepted
        if (!plainFile)
            QCOMPARE(folder.readRaw(), before);
        // A refused replacement leaves no temporary file behind.
        if (blocker == "file")
            QCOMPARE(QDir(folder.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                     QStringList{QFileInfo(folder.filePath()).fileName()});
        if (plainFile)
            QVERIFY2(problems.last().at(0).toString().contains("is not a folder"),
                     qPrintable(problems.last().at(0).toString()));

        // The way to the disk opens again: the next write succeeds and the
        // problem is withdrawn; nothing stored earlier is lost.
        immutable.release();
        if (plainFile)
            QVERIFY(QFile::remove(folder.folder()));
        if (blocker == "notafile")
            QVERIFY(QDir().rmdir(folder.filePath()));
        problems.clear();
        if (blocker == "retry") {
            QTRY_VERIFY_WITH_TIMEOUT(store->unsaved().isEmpty(), 4 * SettingsStore::retryMs);
            QCOMPARE(folder.get("IP", "Port"), QString("12000"));
        }
        QVERIFY(store->write("RX0", "Antenna", "BOT"));
        QCOMPARE(problems.count(), 1);
        QCOMPARE(problems.at(0).at(0).toString(), QString());

        QCOMPARE(folder.get("RX0", "Antenna"), QString("BOT"));
        // The values refused by the disk went with the write that worked.
        QCOMPARE(folder.get("IP", "Port"), QString("12000"));
        QCOMPARE(folder.get("RX0", "Frequency"), QString("29.000"));
        QVERIFY(store->unsaved().isEmpty());
        // The same store reads the file it could not read before.
        QCOMPARE(store->read("IP", "Port", ""), QString("12000"));
        store.reset();
        SettingsStore again;
        QCOMPARE(again.read("RX0", "Antenna", "TOP"), QString("BOT"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "test_settingsstore.moc"
