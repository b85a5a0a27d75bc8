#include "inifile.h"

#include "inifiletext.h"

#include <QBuffer>
#include <QIODevice>
#include <QMap>

#include <algorithm>

namespace inifile {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isSpace(char c)
{
    return isBlank(c) || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

struct Line
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1;
};

// The next logical line from `pos`: blank lines and ';' comments skipped, a
// backslash escapes the next character (a line end too), quotes may span
// line ends, an unquoted ';' starts a comment. Each byte is looked at once.
bool nextLine(QByteArrayView data, qsizetype &pos, Line &line)
{
    const qsizetype n = data.size();
    for (;;) {
        while (pos < n && isSpace(data[pos]))
            ++pos;
        if (pos >= n || data[pos] != ';')
            break;
        while (pos < n && data[pos] != '\n' && data[pos] != '\r')
            ++pos;
    }
    if (pos >= n)
        return false;
    line = Line{pos, pos, -1};
    bool quoted = false;
    qsizetype i = pos;
    while (i < n) {
        const char c = data[i];
        if ((c == '\n' || c == '\r' || c == ';') && !quoted)
            break;
        if (c == '=' && !quoted && line.equals < 0)
            line.equals = i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == '\\' && i + 1 < n) {
            ++i;
            if (i + 1 < n
                && ((data[i] == '\n' && data[i + 1] == '\r') || (data[i] == '\r' && data[i + 1] == '\n')))
                ++i;
        }
        ++i;
    }
    line.end = pos = i;
    return true;
}

// Every section header (its name, or null when unusable, and where its line
// ends) and every key line (the whole key, its value or null when the value
// is unusable, and where the line is) in file order, as read() takes them.
template<typename OnSection, typename OnKey> void scan(QByteArrayView data, OnSection onSection, OnKey onKey)
{
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    QString section; // "" or "name/"
    bool usableSection = true;
    Line line;
    while (nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.end - line.start);
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            const QByteArrayView name = (close < 0 ? text.sliced(1) : text.sliced(1, close - 1)).trimmed();
            usableSection = name.size() <= maxWrittenBytes;
            if (!usableSection) {
                onSection(nullptr, line.end);
                continue;
            }
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + QLatin1Char('/');
            else
                section = unescapeKey(name) + QLatin1Char('/');
            // Its keys would all be too long; not joined to each of them.
            usableSection = section.size() <= maxKeyLength + 1;
            const QString sectionName = section.chopped(section.isEmpty() ? 0 : 1);
            onSection(usableSection ? &sectionName : nullptr, line.end);
            continue;
        }
        if (line.equals < 0 || !usableSection)
            continue;
        qsizetype keyEnd = line.equals;
        while (keyEnd > line.start && isBlank(data[keyEnd - 1]))
            --keyEnd;
        const qsizetype keyBytes = keyEnd - line.start;
        if (keyBytes == 0 || keyBytes > maxWrittenBytes)
            continue;
        // As QSettings has it: no empty part in a key ("a//b/" is "a/b").
        QString key = section + unescapeKey(data.sliced(line.start, keyBytes));
        if (key.startsWith(QLatin1Char('/')) || key.endsWith(QLatin1Char('/'))
            || key.contains(QLatin1String("//")))
            key = key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
        if (key.isEmpty() || key.size() > maxKeyLength)
            continue;
        const QByteArrayView raw = data.sliced(line.equals + 1, line.end - line.equals - 1);
        QString value = raw.size() > maxWrittenBytes ? QString() : unescapeValue(raw);
        if (raw.size() > maxWrittenBytes || value.size() > maxValueLength
            || value == QLatin1String("@Invalid()")) {
            onKey(key, nullptr, line);
            continue;
        }
        if (value.startsWith(QLatin1String("@@")))
            value.remove(0, 1);
        onKey(key, &value, line);
    }
}

// Where the physical line holding `pos` ends, its line end included.
qsizetype afterLineEnd(QByteArrayView data, qsizetype pos)
{
    const qsizetype newline = data.indexOf('\n', pos);
    return newline < 0 ? data.size() : newline + 1;
}

QByteArray keyLine(const QString &key, const QString &text)
{
    return escapeKey(key) + '=' + escapeValue(text);
}

QByteArray sectionHeader(const QString &section)
{
    return '['
        + (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 ? '%' + section.toLatin1()
                                                                               : escapeKey(section))
        + ']';
}

// One key set in the text, every other byte kept.
void setKey(QByteArray &data, const QString &fullKey, const QString &text)
{
    const qsizetype slash = fullKey.indexOf(QLatin1Char('/'));
    const QString section = slash < 0 ? QString() : fullKey.left(slash);
    const QString key = fullKey.mid(slash + 1);
    const qsizetype firstNewline = data.indexOf('\n');
    const QByteArray lineEnd =
        firstNewline > 0 && data[firstNewline - 1] == '\r' ? "\r\n" : "\n"; // as the file has it

    qsizetype keyStart = -1, keyEnd = -1; // the line read() takes the value from
    qsizetype insertAt = -1; // after the last line of the section's last block
    bool inSection = false;
    scan(
        data,
        [&](const QString *name, qsizetype end) {
            inSection = name && *name == section;
            if (inSection)
                insertAt = afterLineEnd(data, end);
        },
        [&](const QString &found, const QString *, const Line &line) {
            if (inSection)
                insertAt = afterLineEnd(data, line.end);
            if (found == fullKey) {
                keyStart = line.start;
                keyEnd = line.end;
            }
        });
    const QByteArray written = keyLine(key, text);
    if (keyStart >= 0) {
        // Blanks before a comment on the same line stay with the comment.
        if (keyEnd < data.size() && data[keyEnd] == ';')
            while (keyEnd > keyStart && isBlank(data[keyEnd - 1]))
                --keyEnd;
        data.replace(keyStart, keyEnd - keyStart, written);
        return;
    }
    if (!data.isEmpty() && !data.endsWith('\n') && (insertAt < 0 || insertAt == data.size())) {
        data += lineEnd;
        if (insertAt >= 0)
            insertAt = data.size();
    }
    if (insertAt >= 0) {
        data.insert(insertAt, written + lineEnd);
        return;
    }
    if (!data.isEmpty())
        data += lineEnd;
    data += sectionHeader(section) + lineEnd + written + lineEnd;
}

} // namespace

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("conf"), &inifile::read, &inifile::write);
    return registered;
}

bool read(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray bytes = device.readAll();
    scan(
        bytes, [](const QString *, qsizetype) {},
        [&](const QString &key, const QString *value, const Line &) {
            if (value)
                map.insert(key, *value);
            else
                map.remove(key);
        });
    return true;
}

bool write(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Keys without a section first, under [General], as QSettings puts them.
    QMap<QString, QByteArray> sections;
    QByteArray general;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QByteArray line = escapeKey(slash < 0 ? it.key() : it.key().mid(slash + 1)) + '='
            + escapeValue(it.value().toString()) + '\n';
        if (slash < 0)
            general += line;
        else
            sections[it.key().left(slash)] += line;
    }
    QByteArray out;
    if (!general.isEmpty())
        out += "[General]\n" + general;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!out.isEmpty())
            out += '\n';
        const QByteArray name = it.key().compare(QLatin1String("General"), Qt::CaseInsensitive) == 0
            ? '%' + it.key().toLatin1()
            : escapeKey(it.key());
        out += '[' + name + "]\n" + it.value();
    }
    return device.write(out) == out.size();
}

QByteArray edit(const QByteArray &file, const QSettings::SettingsMap &changes)
{
    QSettings::SettingsMap expected;
    QBuffer before;
    before.setData(file);
    before.open(QIODevice::ReadOnly);
    read(before, expected);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        expected.insert(it.key(), it.value());

    // Values too long to be settings are damage, not notes: they go, which
    // keeps a file that grew by accident from growing further.
    QByteArray out = file;
    QVector<std::pair<qsizetype, qsizetype>> damaged;
    scan(
        file, [](const QString *, qsizetype) {},
        [&](const QString &, const QString *value, const Line &line) {
            if (!value)
                damaged.append({line.start, afterLineEnd(file, line.end)});
        });
    for (auto it = damaged.crbegin(); it != damaged.crend(); ++it)
        out.remove(it->first, it->second - it->first);
    QByteArrayView data(out);
    const bool onlyBlank = std::all_of(data.begin(), data.end(), [](char c) { return isSpace(c); });
    if (!onlyBlank) {
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            setKey(out, it.key(), it.value().toString());
        QBuffer after;
        after.setData(out);
        after.open(QIODevice::ReadOnly);
        QSettings::SettingsMap got;
        read(after, got);
        if (got == expected)
            return out;
    }
    // A new file, or one whose damage would swallow the added lines (an open
    // quote to its end): written whole, as QSettings would.
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    write(whole, expected);
    return whole.data();
}

} // namespace inifile
