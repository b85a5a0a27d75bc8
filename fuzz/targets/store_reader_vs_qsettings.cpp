// The store's reader against QSettings' own INI reader on the same bytes:
// what QSettings(IniFormat) reads from a file, the store reads too, key for
// key and text for text. Left out are only what the store reads otherwise on
// purpose: keys and values beyond its limits (store_format checks those),
// serialised objects and lists, which it never decodes, and the few forms
// QSettings itself never writes (see storeFormsQSettingsNeverWrites).
#include "fuzzcheck.h"
#include "store/inifile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

QTemporaryDir *root = nullptr;
int run = 0;

// QSettings writes UTF-8, ends every line it writes, keeps keys and values far shorter
// than a line of 8 KiB, never writes a vertical tab or form feed unescaped,
// and writes no byte order mark inside a value.
bool storeFormsQSettingsNeverWrites(const QByteArray &bytes)
{
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        return true;
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)QString(utf8(bytes));
    if (utf8.hasError())
        return true;
    if (bytes.contains('\v') || bytes.contains('\f') || bytes.indexOf("\xef\xbb\xbf", 1) >= 0)
        return true;
    // A line end in a value is written escaped ("\n"), never after a backslash.
    if (bytes.contains("\\\n") || bytes.contains("\\\r"))
        return true;
    // Nor a line end that is a lone CR, nor a section without a name: it
    // writes keys without a section under [General].
    for (qsizetype cr = bytes.indexOf('\r'); cr >= 0; cr = bytes.indexOf('\r', cr + 1)) {
        if (cr + 1 >= bytes.size() || bytes[cr + 1] != '\n')
            return true;
    }
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (line.size() > inifile::maxWrittenBytes
            || (trimmed.startsWith('[') && trimmed.mid(1, trimmed.indexOf(']') - 1).trimmed().isEmpty()))
            return true;
    }
    return false;
}

bool comparable(const QString &key, const QVariant &theirs)
{
    if (key.size() > inifile::maxKeyLength)
        return false;
    const int type = theirs.userType();
    if (type != QMetaType::QString && type != QMetaType::QByteArray)
        return false;
    return theirs.toString().size() <= inifile::maxValueLength;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QString scratch = qEnvironmentVariable("ZZI_FUZZ_SCRATCH");
    if (scratch.isEmpty() && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        scratch = QStringLiteral("/dev/shm");
    root = scratch.isEmpty() ? new QTemporaryDir
                             : new QTemporaryDir(scratch + QStringLiteral("/zzi-fuzz-ini-XXXXXX"));
    std::atexit([] { delete root; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (storeFormsQSettingsNeverWrites(bytes))
        return 0;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QSettings::SettingsMap ours;
    FUZZ_CHECK(inifile::read(buffer, ours));

    // A new name every time: QSettings keeps the files it has read.
    const QString path = root->path() + QStringLiteral("/%1.ini").arg(++run);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    // A key with an empty part ("/a//b") is listed under its written form
    // but found only under its tidy one, and a value that is no value
    // ("@Invalid()") is listed too: neither reads as a value.
    QSettings::SettingsMap theirs;
    QSet<QString> listed;
    {
        const QSettings settings(path, QSettings::IniFormat);
        for (const QString &key : settings.allKeys()) {
            const QString tidy = key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
            listed.insert(tidy);
            const QVariant value = tidy.isEmpty() ? QVariant() : settings.value(key);
            if (value.isValid())
                theirs.insert(tidy, value); // the value of the tidy key, whatever it was listed as
        }
    }
    QFile::remove(path);

    for (auto it = theirs.cbegin(); it != theirs.cend(); ++it) {
        if (!comparable(it.key(), it.value()))
            continue;
        if (!ours.contains(it.key()) || ours.value(it.key()).toString() != it.value().toString()) {
            std::fprintf(stderr, "key [%s]: QSettings [%s], store [%s]\n", qPrintable(it.key()),
                         qPrintable(it.value().toString()), qPrintable(ours.value(it.key()).toString()));
            FUZZ_CHECK(false);
        }
    }
    for (auto it = ours.cbegin(); it != ours.cend(); ++it) {
        if (!listed.contains(it.key())) {
            std::fprintf(stderr, "key [%s] only in the store\n", qPrintable(it.key()));
            FUZZ_CHECK(false);
        }
    }
    return 0;
}
