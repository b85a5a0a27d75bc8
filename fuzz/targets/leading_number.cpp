// leadingNumber: the number at the start of any text, blanks anywhere ignored.
#include "fuzzcheck.h"
#include "tuning/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::text(data, size);
    const double value = numbers::leadingNumber(text);
    FUZZ_CHECK(!std::isnan(value));

    // Reference reading: drop blanks, tabs and line feeds, take the longest
    // leading plain number with an exponent only when digits follow it.
    QString squeezed = text;
    squeezed.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    const QRegularExpression leading =
        fuzz::compiled(QStringLiteral("^") + fuzz::plainDecimal + QStringLiteral("([eE][+-]?[0-9]+)?"));
    const QRegularExpressionMatch match = leading.match(squeezed);
    const double expected = match.hasMatch() ? fuzz::readDouble(match.captured(0)) : 0.0;
    FUZZ_CHECK(fuzz::sameDouble(value, expected));

    // Blanks move nothing, and a letter after the text cannot continue it.
    FUZZ_CHECK(fuzz::sameDouble(numbers::leadingNumber(squeezed), value));
    FUZZ_CHECK(fuzz::sameDouble(numbers::leadingNumber(text + QLatin1Char('x')), value));

    // A text that is one number as a whole starts with that number.
    if (const std::optional<double> whole = numbers::wholeTextNumber(text))
        FUZZ_CHECK(fuzz::sameDouble(*whole, value));
    return 0;
}
