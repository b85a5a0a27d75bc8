#include "inifiletext.h"

#include <QStringDecoder>

namespace inifile {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isHexDigit(uint c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

} // namespace

// A key or section name: UTF-8, where %XX and %UXXXX are characters and a
// backslash is '/'. The digits are taken as QSettings takes them, by a
// number conversion of the two or four characters that follow.
QString unescapeKey(QByteArrayView raw)
{
    const QString decoded = QString::fromUtf8(raw);
    const qsizetype size = decoded.size();
    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < size;) {
        const QChar c = decoded.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != QLatin1Char('%') || i == size - 1) {
            out += c;
            ++i;
            continue;
        }
        const bool wide = decoded.at(i + 1) == QLatin1Char('U');
        const qsizetype first = wide ? i + 2 : i + 1;
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code =
            first + digits > size ? 0 : QStringView(decoded).sliced(first, digits).toUShort(&ok, 16);
        if (!ok) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
    return out;
}

// A value's text: quotes removed, blanks around it dropped, escapes resolved
// (\n, \t, \", \\, \xHHHH, octal, a backslash before a line end joins the
// lines). A comma is an ordinary character here.
QString unescapeValue(QByteArrayView raw)
{
    QString out;
    QByteArray run; // UTF-8 bytes not yet decoded
    // A byte order mark inside a value is a character like any other.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    auto flush = [&] {
        out += utf8.decode(run);
        run.clear();
    };
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                      {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                      {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool quoted = false;
    bool anyQuote = false;
    qsizetype chopLimit = 0; // blanks from escapes are kept
    qsizetype i = 0;
    const qsizetype n = raw.size();
    while (i < n && isBlank(raw[i]))
        ++i;
    while (i < n) {
        const char c = raw[i++];
        if (c == '"') {
            anyQuote = true;
            quoted = !quoted;
            if (!quoted) {
                while (i < n && isBlank(raw[i]))
                    ++i;
            }
            continue;
        }
        if (c != '\\') {
            run += c;
            continue;
        }
        if (i >= n)
            break;
        flush();
        const char e = raw[i++];
        bool known = false;
        for (const auto &pair : escapes) {
            if (e == pair[0]) {
                out += QLatin1Char(pair[1]);
                known = true;
                break;
            }
        }
        if (!known && e == 'x') {
            char16_t code = 0;
            bool digits = false;
            while (i < n && isHexDigit(raw[i])) {
                code = char16_t(code << 4 | hexValue(raw[i++]));
                digits = true;
            }
            if (digits)
                out += QChar(code);
        } else if (!known && e >= '0' && e <= '7') {
            char16_t code = char16_t(e - '0');
            while (i < n && raw[i] >= '0' && raw[i] <= '7')
                code = char16_t(code << 3 | (raw[i++] - '0'));
            out += QChar(code);
        } else if (!known && (e == '\n' || e == '\r') && i < n && (raw[i] == '\n' || raw[i] == '\r')
                   && raw[i] != e) {
            ++i;
        }
        chopLimit = out.size();
    }
    flush();
    if (!anyQuote) {
        qsizetype end = out.size();
        while (end > chopLimit
               && (out.at(end - 1) == QLatin1Char(' ') || out.at(end - 1) == QLatin1Char('\t')))
            --end;
        out.truncate(end);
    }
    return out;
}

QByteArray escapeKey(const QString &key)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
                   || c == '-' || c == '.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 15];
        }
    }
    return out;
}

// As QSettings writes a text: quoted when it holds ';', ',' or '=' or has a
// blank at either end; control characters, quotes and backslashes escaped.
QByteArray escapeValue(const QString &text)
{
    const QString value = text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    QString out;
    out.reserve(value.size());
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar qc = value.at(i);
        const char16_t c = qc.unicode();
        // Half a surrogate pair has no UTF-8 form: escaped, it reads back.
        const bool lone =
            (qc.isHighSurrogate() && !(i + 1 < value.size() && value.at(i + 1).isLowSurrogate()))
            || (qc.isLowSurrogate() && !(i > 0 && value.at(i - 1).isHighSurrogate()));
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHexDigit && isHexDigit(c)) {
            out += QLatin1String("\\x") + QString::number(c, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case '\0':
            out += QLatin1String("\\0");
            escapeNextIfHexDigit = true;
            break;
        case '\a':
            out += QLatin1String("\\a");
            break;
        case '\b':
            out += QLatin1String("\\b");
            break;
        case '\f':
            out += QLatin1String("\\f");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\v':
            out += QLatin1String("\\v");
            break;
        case '"':
        case '\\':
            out += QLatin1Char('\\');
            out += qc;
            break;
        default:
            if (c <= 0x1F || lone) {
                out += QLatin1String("\\x") + QString::number(c, 16);
                escapeNextIfHexDigit = true;
            } else {
                out += qc;
            }
        }
    }
    QByteArray bytes = out.toUtf8();
    if (needsQuotes || bytes.startsWith(' ') || bytes.endsWith(' '))
        bytes = '"' + bytes + '"';
    return bytes;
}

} // namespace inifile
