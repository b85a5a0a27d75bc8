// The program's settings store in a temporary folder, and the rows and hosts
// the tests put into it, written through QSettings as the program writes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct StoreKey;

// A fresh, empty settings folder; the program's store lives in it while this
// object exists. Use a new one for every test case.
class TempStore
{
public:
    TempStore() { use(); }
    // In a folder made from `templatePath` (see QTemporaryDir), for a store
    // that has to be on a particular file system.
    explicit TempStore(const QString &templatePath)
        : dir_(templatePath)
    {
        use();
    }

    // The configuration folder (XDG_CONFIG_HOME) that holds the store's folder.
    QString configHome() const { return dir_.path(); }
    QString folder() const { return configHome() + QStringLiteral("/ZorudozaZudizirIvozudiro"); }
    QString filePath() const { return folder() + QStringLiteral("/ZorudozaZudizirIvozudiro.conf"); }
    QString channelsFile() const { return folder() + QStringLiteral("/channels.csv"); }

    void put(const QString &section, const QString &key, const QString &value);
    void put(const StoreKey &where, const QString &value);

    // Reads the file afresh from disk (not from any cache of the program).
    QString get(const QString &section, const QString &key, const QString &fallback = QString()) const;
    bool has(const QString &section, const QString &key) const;

    // Replaces the whole file with the given text.
    void writeRaw(const QByteArray &text);
    QByteArray readRaw() const;

private:
    void use() const;

    QTemporaryDir dir_;
};

// Writes a new or emptied file at `path`, dated `ageSeconds` back from now
// (negative: ahead); false where it could not be written so.
bool writeFile(const QString &path, const QByteArray &bytes, int ageSeconds = 0);

// Everything below a folder, sorted, as "path=" and a file's bytes in hex or
// another entry's kind: a new, changed or removed file or folder shows.
QStringList folderSnapshot(const QString &folder);

using Cells = QStringList; // Frequency, Symbol Rate, Loc Osc, Antenna, Voltage

// Row `row`'s section (RX0 is the working settings) with as many of the
// cells as are given; a null cell (QString()) leaves its key out.
void storeRow(TempStore &store, int row, const Cells &cells);

// The receiver count, the loopback receivers' two hosts and a base port.
void storeHosts(TempStore &store, int receivers, const QString &basePort);
void storeHosts(TempStore &store, int receivers, int basePort);
