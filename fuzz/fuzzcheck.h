// Shared pieces of the fuzz targets: how an input becomes text, the property
// check that stops the run, and reference readings of number texts written
// independently of the program's own parser.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRegularExpression>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// A property that must hold for every input; a failure is reported as a
// crash so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

namespace fuzz {

// Input bytes as an operator's or a hand-edited store's text (UTF-8; what is
// not valid UTF-8 becomes replacement characters).
inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Compiling a pattern costs far more than matching it, and each target uses
// a handful of patterns millions of times: each is compiled once.
inline const QRegularExpression &compiled(const QString &pattern)
{
    static QHash<QString, QRegularExpression> cache;
    auto found = cache.find(pattern);
    if (found == cache.end())
        found = cache.insert(pattern, QRegularExpression(pattern));
    return *found;
}

inline bool matches(const QString &pattern, const QString &subject)
{
    return compiled(QRegularExpression::anchoredPattern(pattern)).match(subject).hasMatch();
}

// strtod on an ASCII text; the targets never change the C locale, so the
// full stop is the decimal point.
inline double readDouble(const QString &ascii)
{
    const std::string s = ascii.toStdString();
    return std::strtod(s.c_str(), nullptr);
}

// The text without spaces and tabs around it.
inline QString withoutBlanksAround(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (first < last && blank(text.at(first)))
        ++first;
    while (last > first && blank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

inline const QString plainDecimal = QStringLiteral("[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)");
inline const QString plainInteger = QStringLiteral("[+-]?[0-9]+");

// Value of a numeric text ([+-]?digits), saturated well above any limit the
// program compares with.
inline long long integerValue(const QString &numeric)
{
    long long value = 0;
    for (const QChar c : numeric) {
        if (c.isDigit() && value < 100000000000000000LL)
            value = value * 10 + (c.unicode() - '0');
    }
    return numeric.startsWith(QLatin1Char('-')) ? -value : value;
}

inline bool sameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// What every command line must look like, whatever the cells held.
inline void checkCommandLine(const QString &line, int receiver)
{
    for (const QChar c : line)
        FUZZ_CHECK(c.unicode() < 128);
    FUZZ_CHECK(line.endsWith(QLatin1String("\r\n")));
    FUZZ_CHECK(line.count(QLatin1Char('\r')) == 1);
    FUZZ_CHECK(line.count(QLatin1Char('\n')) == 1);
    FUZZ_CHECK(line.startsWith(QStringLiteral("[to@qv] rcv=%1 freq=").arg(receiver)));
    FUZZ_CHECK(matches(QStringLiteral("\\[to@qv\\] rcv=-?[0-9]+ freq=-?(0|[1-9][0-9]*) srate=[\\x20-\\x7e]*"
                                      " offset=-?(0|[1-9][0-9]*) fplug=(A|B)?"
                                      "( vg[xy]=(OFF|LO|HI|LOT|HIT))?\\r\\n"),
                       line));
}

} // namespace fuzz
