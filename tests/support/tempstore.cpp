#include "tempstore.h"
#include "loopbackreceivers.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

const QStringList cellKeys{"Frequency", "SymbolRate", "Offset", "Antenna", "Voltage"};

void TempStore::use() const
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
}

void TempStore::put(const QString &section, const QString &key, const QString &value)
{
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
}

QString TempStore::get(const QString &section, const QString &key, const QString &fallback) const
{
    QSettings settings(filePath(), QSettings::IniFormat);
    return settings.value(section + QLatin1Char('/') + key, fallback).toString();
}

bool TempStore::has(const QString &section, const QString &key) const
{
    QSettings settings(filePath(), QSettings::IniFormat);
    return settings.contains(section + QLatin1Char('/') + key);
}

void TempStore::writeRaw(const QByteArray &text)
{
    QDir().mkpath(folder());
    QFile file(filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray TempStore::readRaw() const
{
    QFile file(filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void storeRow(TempStore &store, int row, const Cells &cells)
{
    for (int col = 0; col < cells.size() && col < cellKeys.size(); ++col)
        store.put(QStringLiteral("RX%1").arg(row), cellKeys[col], cells[col]);
}

void storeHosts(TempStore &store, int receivers, const QString &basePort)
{
    store.put("MaxReceivers", "Receivers", QString::number(receivers));
    store.put("IP", "Address0", LoopbackReceivers::firstHost);
    store.put("IP", "Address1", LoopbackReceivers::secondHost);
    store.put("IP", "Port", basePort);
}

void storeHosts(TempStore &store, int receivers, int basePort)
{
    storeHosts(store, receivers, QString::number(basePort));
}
