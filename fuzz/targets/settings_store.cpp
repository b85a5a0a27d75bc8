// SettingsStore over an arbitrary hand-edited file: the input becomes the
// store's file in a fresh folder, and every key the program reads is read and
// handed to the code that uses it. The file format alone, far faster, is
// also the target store_format.
#include "command/commandline.h"
#include "command/hostentry.h"
#include "fuzzcheck.h"
#include "store/settingsstore.h"
#include "storeformatcheck.h"
#include "tuning/numbers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QTemporaryDir *root = nullptr;
int run = 0;

struct Key
{
    QString section;
    QString key;
};

QList<Key> programKeys()
{
    QList<Key> keys{{"MaxReceivers", "Receivers"}, {"IP", "Address0"}, {"IP", "Address1"}, {"IP", "Port"}};
    for (int row = 0; row <= 8; ++row) {
        for (const char *key : {"Frequency", "SymbolRate", "Offset", "Antenna", "Voltage"})
            keys.append({QStringLiteral("RX%1").arg(row), QLatin1String(key)});
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // A GUI application, as in the program, so that a value that names a GUI
    // type (@Variant(...) of a bitmap) would be decoded as it would there;
    // the store decodes none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    // In memory where there is such a folder: the disk is far slower. A
    // fuzzing run ends without running exit handlers, so run-fuzz.sh hands
    // over a scratch folder of its own (ZZI_FUZZ_SCRATCH) and removes it.
    QString scratch = qEnvironmentVariable("ZZI_FUZZ_SCRATCH");
    if (scratch.isEmpty() && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        scratch = QStringLiteral("/dev/shm");
    root = scratch.isEmpty() ? new QTemporaryDir
                             : new QTemporaryDir(scratch + QStringLiteral("/zzi-fuzz-store-XXXXXX"));
    std::atexit([] { delete root; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkStoreFormat(data, size);

    // The store on a real file is slow (folders, files, QSettings' caches):
    // one input in four (by its length) takes that path.
    if (size % 4 != 0)
        return 0;

    // A new folder every run: QSettings caches files it has read.
    const QString folder = root->path() + QStringLiteral("/%1").arg(++run);
    const QString appFolder = folder + QLatin1Char('/') + SettingsStore::applicationName;
    QDir().mkpath(appFolder);
    {
        QFile file(appFolder + QLatin1Char('/') + SettingsStore::applicationName + QStringLiteral(".conf"));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);

    {
        SettingsStore store;
        SettingsStore second;
        QStringList before;
        RowCells row[9];
        QString ip[3];
        for (const Key &k : programKeys()) {
            const QString value = store.read(k.section, k.key, QStringLiteral("fallback-one"));
            const QString other = store.read(k.section, k.key, QStringLiteral("fallback-two"));
            // A missing key gives the fallback, a stored one its text, every time.
            FUZZ_CHECK(value == other
                       || (value == QLatin1String("fallback-one") && other == QLatin1String("fallback-two")));
            FUZZ_CHECK(second.read(k.section, k.key, QStringLiteral("fallback-one")) == value);

            before << value;
            const QString text = value == QLatin1String("fallback-one") ? QString() : value;
            if (k.section == QLatin1String("MaxReceivers")) {
                FUZZ_CHECK(!std::isnan(numbers::leadingNumber(text)));
            } else if (k.section == QLatin1String("IP")) {
                ip[k.key == QLatin1String("Port") ? 2 : k.key.right(1).toInt()] = text;
            } else {
                RowCells &cells = row[k.section.mid(2).toInt()];
                QString *const cellTexts[] = {&cells.frequency, &cells.symbolRate, &cells.offset,
                                              &cells.antenna, &cells.voltage};
                static const QStringList order{"Frequency", "SymbolRate", "Offset", "Antenna", "Voltage"};
                *cellTexts[order.indexOf(k.key)] = text;
            }
        }
        // What the program does with the values: destinations and command lines.
        for (int i = 0; i < 2; ++i) {
            if (const std::optional<QString> address = normaliseAddress(ip[i]))
                FUZZ_CHECK(normaliseAddress(*address) == address);
        }
        for (int receiver = 1; receiver <= 8; ++receiver) {
            if (const std::optional<quint16> port = receiverPort(ip[2], receiver))
                FUZZ_CHECK(*port >= 1);
            if (const std::optional<CommandFields> fields = commandFieldsFromCells(receiver, row[receiver]))
                fuzz::checkCommandLine(FormatCommandLine(*fields), receiver);
        }

        // A value the program writes over the hand-edited file reads back.
        // Every write is flushed to the disk, which is slow, so only one input
        // in eight of those (by its length) takes this path.
        if (size % 32 == 0) {
            FUZZ_CHECK(store.write(QStringLiteral("IP"), QStringLiteral("Port"), QStringLiteral("12300")));
            FUZZ_CHECK(store.read(QStringLiteral("IP"), QStringLiteral("Port"), QString())
                       == QLatin1String("12300"));
            // QSettings rewrites the whole file; every other key still reads
            // as the text it held.
            SettingsStore after;
            const QList<Key> keys = programKeys();
            for (int i = 0; i < keys.size(); ++i) {
                if (keys[i].key != QLatin1String("Port"))
                    FUZZ_CHECK(after.read(keys[i].section, keys[i].key, QStringLiteral("fallback-one"))
                               == before[i]);
            }
        }
    }
    QDir(folder).removeRecursively();
    return 0;
}
