#include "tempstore.h"
#include "loopbackreceivers.h"
#include "store/storeschema.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTest>

void TempStore::use() const
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
}

void TempStore::put(const StoreKey &where, const QString &value)
{
    put(where.section, where.key, value);
}

void TempStore::put(const QString &section, const QString &key, const QString &value)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
}

// From a copy: Qt shares one parse of a path among its readers (the
// program's among them), and on Windows its INI reader ignores the case of
// keys where the store does not.
QString TempStore::get(const QString &section, const QString &key, const QString &fallback) const
{
    QTemporaryDir copy;
    QFile::copy(filePath(), copy.filePath(QStringLiteral("copy.conf")));
    QSettings settings(copy.filePath(QStringLiteral("copy.conf")), QSettings::IniFormat);
    return settings.value(section + QLatin1Char('/') + key, fallback).toString();
}

bool TempStore::has(const QString &section, const QString &key) const
{
    const QString absent = QStringLiteral("\x01absent");
    return get(section, key, absent) != absent;
}

void TempStore::writeRaw(const QByteArray &text)
{
    QDir().mkpath(folder());
    QVERIFY(writeFile(filePath(), text));
}

QByteArray TempStore::readRaw() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes, int ageSeconds)
{
    QFile file(path);
    // Flushed before it is dated: a later write would date it now again.
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && file.flush()
        && (ageSeconds == 0
            || file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                QFileDevice::FileModificationTime));
}

QStringList folderSnapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        // Only a plain file is opened: a FIFO would not answer.
        const bool isFile = it.fileInfo().isFile();
        entries << it.filePath() + QLatin1Char('=')
                + (!isFile                              ? QStringLiteral("<not a file>")
                       : file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().toHex())
                                                        : QStringLiteral("<unreadable>"));
    }
    entries.sort();
    return entries;
}

void storeRow(TempStore &store, int row, const Cells &cells)
{
    for (int col = 0; col < cells.size() && col < rowKeys().size(); ++col) {
        if (!cells[col].isNull())
            store.put(receiverSection(row), rowKeys()[col], cells[col]);
    }
}

void storeHosts(TempStore &store, int receivers, const QString &basePort)
{
    store.put(receiverCountKey(), QString::number(receivers));
    store.put(hostAddressKey(0), LoopbackReceivers::firstHost);
    store.put(hostAddressKey(1), LoopbackReceivers::secondHost);
    store.put(basePortKey(), basePort);
}

void storeHosts(TempStore &store, int receivers, int basePort)
{
    storeHosts(store, receivers, QString::number(basePort));
}
