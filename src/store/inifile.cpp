#include "inifile.h"

#include "inifiletext.h"

#include <QBuffer>
#include <QHash>
#include <QIODevice>
#include <QMap>
#include <QSet>
#include <QVector>

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

// As QSettings turns a stored text into a value: "@String(x)" (its form of
// a text with a NUL) and "@ByteArray(x)" are x, "@@x" is "@x". Serialised
// objects ("@Variant(...)") are never decoded: they stay the text they are.
QString fromStoredForm(const QString &value)
{
    if (!value.startsWith(QLatin1Char('@')))
        return value;
    if (value.endsWith(QLatin1Char(')'))) {
        if (value.startsWith(QLatin1String("@String(")))
            return value.sliced(8).chopped(1);
        if (value.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(value.sliced(11).chopped(1).toLatin1());
    }
    return value.startsWith(QLatin1String("@@")) ? value.sliced(1) : value;
}

// Every section header (its name, or null when unusable, and where its line
// ends) and every key line (the whole key, its value or null when the value
// is unusable, and where the line is) in file order, as read() takes them.
// `joined`, when given, is set when a line read runs over a line end (a
// quote or a backslash joins the next line to it).
template<typename OnSection, typename OnKey>
void scan(QByteArrayView data, OnSection onSection, OnKey onKey, bool *joined = nullptr)
{
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    QString section; // "" or "name/"
    bool usableSection = true;
    Line line;
    while (nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.end - line.start);
        if (joined && !*joined)
            *joined = text.contains('\n') || text.contains('\r');
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
        value = fromStoredForm(value);
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

bool onlyBlanks(QByteArrayView data)
{
    return std::all_of(data.begin(), data.end(), [](char c) { return isSpace(c); });
}

QSettings::SettingsMap readBytes(const QByteArray &bytes)
{
    QSettings::SettingsMap map;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    read(buffer, map);
    return map;
}

// The given keys set in the text, every other byte kept: one scan finds
// each key's line and each section's end, one pass copies the text with
// the changes in place, so the cost grows with the file, not with the
// number of keys times the file.
QByteArray setKeys(const QByteArray &data, const QSettings::SettingsMap &changes,
                   QSettings::SettingsMap &before, bool &plain)
{
    const qsizetype firstNewline = data.indexOf('\n');
    const QByteArray lineEnd =
        firstNewline > 0 && data[firstNewline - 1] == '\r' ? "\r\n" : "\n"; // as the file has it

    struct Span
    {
        qsizetype start = -1;
        qsizetype end = -1;
    };
    QHash<QString, Span> keyLines; // the line read() takes each changed key's value from
    QHash<QString, qsizetype> ends; // after the last line of each section's last block
    QVector<Span> damaged; // lines of values too long to be settings
    QSet<QString> changedSections; // only their ends are needed
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        changedSections.insert(it.key().left(std::max(qsizetype(0), it.key().indexOf(QLatin1Char('/')))));
    QString section;
    bool tracked = changedSections.contains(section);
    scan(
        data,
        [&](const QString *name, qsizetype end) {
            tracked = name && changedSections.contains(*name);
            if (tracked) {
                section = *name;
                ends[section] = afterLineEnd(data, end);
            }
        },
        [&](const QString &key, const QString *value, const Line &line) {
            if (tracked)
                ends[section] = afterLineEnd(data, line.end);
            if (value)
                before.insert(key, *value);
            else
                before.remove(key);
            if (!value)
                damaged.append({line.start, afterLineEnd(data, line.end)});
            if (changes.contains(key))
                keyLines[key] = value ? Span{line.start, line.end} : Span{};
        },
        &plain);
    // Lines whole and ended alike, no damage: every added or replaced line
    // reads as written and leaves the others as they read.
    plain = !plain && damaged.isEmpty() && data.endsWith('\n');
    for (qsizetype cr = data.indexOf('\r'); plain && cr >= 0; cr = data.indexOf('\r', cr + 1))
        plain = cr + 1 < data.size() && data[cr + 1] == '\n';

    // Where each changed key goes: its own line, the end of its section, or
    // a section of its own at the end of the file.
    struct Change
    {
        qsizetype start;
        qsizetype end;
        QByteArray text;
    };
    QVector<Change> inPlace;
    QMap<qsizetype, QByteArray> added;
    QVector<QString> newSections;
    QHash<QString, QByteArray> newLines;
    for (const Span &span : std::as_const(damaged))
        inPlace.append({span.start, span.end, QByteArray()});
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString keySection = slash < 0 ? QString() : it.key().left(slash);
        const QByteArray written = keyLine(it.key().mid(slash + 1), it.value().toString());
        const Span found = keyLines.value(it.key());
        if (found.start >= 0) {
            qsizetype end = found.end;
            // Blanks before a comment on the same line stay with the comment.
            if (end < data.size() && data[end] == ';')
                while (end > found.start && isBlank(data[end - 1]))
                    --end;
            inPlace.append({found.start, end, written});
        } else if (ends.contains(keySection)) {
            added[ends.value(keySection)] += written + lineEnd;
        } else {
            if (!newLines.contains(keySection))
                newSections.append(keySection);
            newLines[keySection] += written + lineEnd;
        }
    }
    std::sort(inPlace.begin(), inPlace.end(),
              [](const Change &a, const Change &b) { return a.start < b.start; });

    QByteArray out;
    out.reserve(data.size() + 256);
    qsizetype copied = 0;
    auto copyTo = [&](qsizetype pos) {
        for (auto it = added.begin(); it != added.end() && it.key() <= pos;) {
            if (it.key() < data.size()) {
                if (it.key() > copied) {
                    out.append(data.constData() + copied, it.key() - copied);
                    copied = it.key();
                }
                out += it.value();
                it = added.erase(it);
            } else {
                ++it;
            }
        }
        if (pos > copied) {
            out.append(data.constData() + copied, pos - copied);
            copied = pos;
        }
    };
    for (const Change &change : std::as_const(inPlace)) {
        copyTo(change.start);
        out += change.text;
        copied = std::max(copied, change.end);
    }
    copyTo(data.size());
    const QByteArray atEnd = added.value(data.size());
    if (!atEnd.isEmpty()) {
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += lineEnd;
        out += atEnd;
    }
    for (const QString &name : std::as_const(newSections)) {
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += lineEnd;
        if (!out.isEmpty())
            out += lineEnd;
        out += sectionHeader(name) + lineEnd + newLines.value(name);
    }
    return out;
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

QByteArray edit(const QByteArray &file, const QSettings::SettingsMap &changes, QSettings::SettingsMap *result)
{
    QSettings::SettingsMap expected;
    bool plain = false;
    const QByteArray out = setKeys(file, changes, expected, plain);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        expected.insert(it.key(), it.value());
        plain = plain && it.key().size() <= maxKeyLength && it.value().toString().size() <= maxValueLength;
    }
    if (plain && !onlyBlanks(file)) {
        if (result)
            *result = std::move(expected);
        return out;
    }
    // Values too long to be settings are damage, not notes: they went, which
    // keeps a file that grew by accident from growing further. What is left
    // must read as the old values with the new ones set.
    if (!onlyBlanks(file)) {
        QSettings::SettingsMap got = readBytes(out);
        if (got == expected) {
            if (result)
                *result = std::move(got);
            return out;
        }
    }
    // A new file, or one whose damage would swallow the added lines (an open
    // quote to its end): written whole, as QSettings would.
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    write(whole, expected);
    if (result)
        *result = std::move(expected);
    return whole.data();
}

} // namespace inifile
