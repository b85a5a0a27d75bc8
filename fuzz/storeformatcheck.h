// The store's file format over arbitrary bytes, in memory: whatever a file
// holds reads as short texts, and what it reads as is written back so that it
// reads the same again. A write of one key into it reads as the file did
// with that key set, and leaves every other line as it was.
#pragma once

#include "fuzzcheck.h"
#include "store/inifile.h"

#include <QBuffer>
#include <QSettings>

#include <algorithm>

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

    const QString setText = QString::fromLatin1(bytes.left(12).toHex());
    QSettings::SettingsMap changes{{QStringLiteral("RX1/Frequency"), setText}};
    const QByteArray edited = inifile::edit(bytes, changes);
    QBuffer editedFile;
    editedFile.setData(edited);
    editedFile.open(QIODevice::ReadOnly);
    QSettings::SettingsMap afterEdit;
    FUZZ_CHECK(inifile::read(editedFile, afterEdit));
    map.insert(QStringLiteral("RX1/Frequency"), setText);
    FUZZ_CHECK(afterEdit == map);

    // Where no quote or backslash joins lines and nothing is too long to be
    // kept, at most one line of the file changes, and at most a section's two
    // lines with a blank line and a line end are added.
    const QList<QByteArray> before = bytes.split('\n');
    const bool plain = !bytes.contains('"') && !bytes.contains('\\') && !bytes.contains('\r')
        && !bytes.contains("@Invalid()")
        && std::all_of(before.begin(), before.end(), [](const QByteArray &l) { return l.size() < 1000; });
    if (!plain || bytes.trimmed().isEmpty())
        return;
    const QList<QByteArray> after = edited.split('\n');
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    FUZZ_CHECK(before.size() - head - tail <= 1);
    FUZZ_CHECK(after.size() - head - tail <= 4);
}
