// The store's file format: the INI text that QSettings' native format has
// always written on this system (sections, percent-escaped keys, quoted and
// backslash-escaped values), read and written here so that reading is linear
// in the file's size and never decodes serialised objects.
#pragma once

#include <QSettings>

namespace inifile {

// Longer values are hand-edited damage, not settings: they read as missing,
// so the key gets its default, and the next rewrite of the file leaves them
// out. Limits are in characters as read; a text is not even decoded when
// its written form is longer than any usable one can be (escaped, a
// character takes at most 6 bytes).
constexpr qsizetype maxValueLength = 1024;
constexpr qsizetype maxKeyLength = 256; // of "section/key"
constexpr qsizetype maxWrittenBytes = 8192;

// The format to give QSettings: QSettings keeps its atomic save and its lock,
// these functions only turn text into values and back.
QSettings::Format format();

// Every value is a QString under the key "section/key". A value QSettings'
// native format would decode ("@Variant(...)", "@ByteArray(...)", an
// unquoted comma list) is the text it stands as; "@@x" reads as "@x", and
// "@String(x)" and "@ByteArray(x)" read as x, as QSettings reads them.
bool read(QIODevice &device, QSettings::SettingsMap &map);
bool write(QIODevice &device, const QSettings::SettingsMap &map);

// The file's text with the given keys set: each key's line is replaced (the
// one read() takes its value from), a missing key is added at the end of its
// section and a missing section at the end of the file. Every other byte stays
// as it was: comments, blank lines, unknown sections and keys, their order,
// except the lines of values too long to be usable, which are left out.
// The keys' own lines are written as write() writes them. `result`, when
// given, receives what the returned text reads as. The cost grows linearly
// with the file's size: one scan, one copy, one read of the result.
QByteArray edit(const QByteArray &file, const QSettings::SettingsMap &changes,
                QSettings::SettingsMap *result = nullptr);

} // namespace inifile
