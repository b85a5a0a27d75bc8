// Number texts as the operator types them and as the window shows them.
// Everything here is pure and locale-independent: a full stop is always the
// decimal point, whatever the desktop's language.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace numbers {

// The value of the number at the start of a text. Blanks, tabs and line feeds
// are ignored wherever they stand; an optional sign, digits with a full stop,
// and an optional exponent are read until a character cannot continue the
// number. A text that does not start with a number gives 0. A number too
// large for a double gives +/- infinity, so callers can refuse it instead of
// working with a made-up value.
double leadingNumber(const QString &text);

// The value of a text that, apart from blanks (spaces, tabs) around it, is one
// plain decimal number: optional sign, digits, optional full stop and digits.
// No exponent, grouping, comma or hexadecimal. Empty when the text is anything
// else or the number does not fit a double.
std::optional<double> wholeTextNumber(const QString &text);

// The value of a text that, apart from blanks around it, is an optional sign
// followed by decimal digits only. Used for addresses and ports.
std::optional<long long> wholeTextInteger(const QString &text);

// The number rounded to `decimals` places, halves away from zero, written
// with at least one digit before the full stop and exactly `decimals` after
// it (no full stop for 0), no grouping, a minus sign only when the rounded
// value is not zero. The halfway decision is made on the number's shortest
// decimal text of at most 15 significant digits, so 1.0005 gives 1.001.
// A value that is not finite gives an empty text.
QString formatFixed(double value, int decimals);
inline QString threeDecimals(double value)
{
    return formatFixed(value, 3);
}
inline QString wholeNumber(double value)
{
    return formatFixed(value, 0);
}

// The value reduced to 15 significant decimal digits (rendered and read back).
double toFifteenDigits(double value);

// Nearest integer, exact halves to the even neighbour; empty when the value
// is not finite or does not fit 32 bits.
std::optional<int32_t> roundHalfEvenToInt32(double value);

// Floor; empty when the value is not finite or does not fit 32 bits.
std::optional<int32_t> floorToInt32(double value);

// Shortest decimal text of a value, as a plain number ("9904", "12.5").
QString shortestText(double value);

} // namespace numbers
