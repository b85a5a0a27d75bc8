#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace numbers {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether a number whose digits from_chars found out of range is too large
// (rather than too small) for a double: the sign of its decimal magnitude,
// from the digits before and after the point and the exponent. Only called
// for a nonzero mantissa, so the sign is never in doubt.
bool overflows(const std::string &s)
{
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    long long magnitude = 0;
    bool seenNonZero = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        seenNonZero = seenNonZero || s[i] != '0';
        if (seenNonZero)
            ++magnitude;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]) && !seenNonZero; ++i) {
            if (s[i] != '0')
                seenNonZero = true;
            else
                --magnitude;
        }
        while (i < s.size() && isDigit(s[i]))
            ++i;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        long long exponent = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 1000000LL); // far past any double
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

// A plain decimal number with an optional exponent, read in the C locale's
// terms whatever the desktop's locale: a full stop is always the point. Too
// large gives infinity and too small zero, of the number's sign, as strtod
// has it.
double parseC(const std::string &s)
{
    const bool negative = !s.empty() && s[0] == '-';
    const char *first = s.data() + ((!s.empty() && s[0] == '+') ? 1 : 0);
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(first, s.data() + s.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = overflows(s) ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -std::abs(value) : std::abs(value);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The text without the blanks around it, as Latin-1; characters outside
// Latin-1 cannot be part of a number, so they become a character that stops
// any reading.
std::string trimmedAscii(const QString &text)
{
    int first = 0;
    int last = int(text.size());
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    std::string out;
    out.reserve(size_t(last - first));
    for (int i = first; i < last; ++i) {
        const ushort u = text.at(i).unicode();
        out.push_back(u < 128 ? char(u) : '\x7f');
    }
    return out;
}

// Length of the plain decimal number [+-]?(d+(.d*)?|.d+) at the start of s.
size_t plainDecimalLength(const std::string &s, size_t start = 0)
{
    size_t i = start;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    return digits == 0 ? 0 : i - start;
}

} // namespace

double leadingNumber(const QString &text)
{
    std::string s;
    s.reserve(size_t(text.size()));
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == ' ' || u == '\t' || u == '\n')
            continue;
        s.push_back(u < 128 ? char(u) : '\x7f');
    }
    size_t length = plainDecimalLength(s);
    if (length == 0)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (length < s.size() && (s[length] == 'e' || s[length] == 'E')) {
        size_t i = length + 1;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        if (i < s.size() && isDigit(s[i])) {
            while (i < s.size() && isDigit(s[i]))
                ++i;
            length = i;
        }
    }
    return parseC(s.substr(0, length));
}

std::optional<double> wholeTextNumber(const QString &text)
{
    const std::string s = trimmedAscii(text);
    if (s.empty() || plainDecimalLength(s) != s.size())
        return std::nullopt;
    const double value = parseC(s);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> wholeTextInteger(const QString &text)
{
    const std::string s = trimmedAscii(text);
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    if (i == s.size())
        return std::nullopt;
    for (size_t k = i; k < s.size(); ++k) {
        if (!isDigit(s[k]))
            return std::nullopt;
    }
    const bool negative = s[0] == '-';
    // Saturate instead of overflowing: every caller only compares the value
    // with small limits.
    long long value = 0;
    constexpr long long cap = std::numeric_limits<long long>::max() / 10 - 10;
    for (; i < s.size(); ++i) {
        if (value < cap)
            value = value * 10 + (s[i] - '0');
    }
    return negative ? -value : value;
}

QString formatFixed(double value, int decimals)
{
    if (!std::isfinite(value) || decimals < 0)
        return {};
    const bool negative = std::signbit(value);
    char buffer[64];
    // 15 significant digits: d.dddddddddddddde+XX
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string sci(buffer, result.ptr);
    const size_t ePos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
    const int pointPos = std::atoi(sci.c_str() + ePos + 1) + 1; // digits before the point

    std::string integerDigits;
    std::string fraction;
    const int count = int(digits.size());
    if (pointPos <= 0) {
        fraction = std::string(size_t(-pointPos), '0') + digits;
    } else if (pointPos >= count) {
        integerDigits = digits + std::string(size_t(pointPos - count), '0');
    } else {
        integerDigits = digits.substr(0, size_t(pointPos));
        fraction = digits.substr(size_t(pointPos));
    }
    if (fraction.size() < size_t(decimals) + 1)
        fraction.append(size_t(decimals) + 1 - fraction.size(), '0');

    std::string kept = integerDigits + fraction.substr(0, size_t(decimals));
    if (fraction[size_t(decimals)] >= '5') {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9') {
            kept[size_t(i)] = '0';
            --i;
        }
        if (i >= 0)
            ++kept[size_t(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    std::string wholePart = kept.substr(0, kept.size() - size_t(decimals));
    const std::string fractionPart = kept.substr(kept.size() - size_t(decimals));
    const size_t firstNonZero = wholePart.find_first_not_of('0');
    wholePart = firstNonZero == std::string::npos ? "0" : wholePart.substr(firstNonZero);
    const bool isZero = kept.find_first_not_of('0') == std::string::npos;

    std::string out;
    if (negative && !isZero)
        out.push_back('-');
    out += wholePart;
    if (decimals > 0) {
        out.push_back('.');
        out += fractionPart;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

double toFifteenDigits(double value)
{
    if (!std::isfinite(value))
        return value;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double back = 0.0;
    std::from_chars(buffer, result.ptr, back);
    return back;
}

std::optional<int32_t> roundHalfEvenToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default mode: ties to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return int32_t(rounded);
}

std::optional<int32_t> floorToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double floored = std::floor(value);
    if (floored < -2147483648.0 || floored > 2147483647.0)
        return std::nullopt;
    return int32_t(floored);
}

QString shortestText(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, qsizetype(result.ptr - buffer));
}

} // namespace numbers
