// The store's file format over arbitrary bytes, in memory: whatever a file
// holds reads as short texts, and what it reads as is written back so that it
// reads the same again.
#pragma once

#include "fuzzcheck.h"
#include "store/inifile.h"

#include <QBuffer>
#include <QSettings>

inline void checkStoreFormat(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    FUZZ_CHECK(inifile::read(file, map));
    for (const QVariant &value : std::as_const(map))
        FUZZ_CHECK(value.userType() == QMetaType::QString
                   && value.toString().size() <= inifile::maxValueLength);
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    FUZZ_CHECK(inifile::write(out, map));
    out.close();
    out.open(QIODevice::ReadOnly);
    QSettings::SettingsMap again;
    FUZZ_CHECK(inifile::read(out, again));
    FUZZ_CHECK(again == map);
}
