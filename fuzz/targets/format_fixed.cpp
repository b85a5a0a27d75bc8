// formatFixed in both forms ("0.000" and "0"), fed with doubles taken from
// the input's bytes and with the numbers that the input's text holds.
#include "fuzzcheck.h"
#include "tuning/numbers.h"

namespace {

void checkForm(double value, int decimals)
{
    const QString shown = numbers::formatFixed(value, decimals);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(shown.isEmpty());
        return;
    }
    FUZZ_CHECK(fuzz::matches(decimals == 3 ? QStringLiteral("-?(0|[1-9][0-9]*)\\.[0-9]{3}")
                                           : QStringLiteral("-?(0|[1-9][0-9]*)"),
                             shown));
    FUZZ_CHECK(shown == (decimals == 3 ? numbers::threeDecimals(value) : numbers::wholeNumber(value)));

    // A minus sign only for a negative value that does not round to zero.
    const bool zero = !shown.contains(fuzz::compiled(QStringLiteral("[1-9]")));
    FUZZ_CHECK(shown.startsWith(QLatin1Char('-')) == (value < 0 && !zero));

    // Near the largest double the 15-digit cut can round past it (the
    // largest double shows as 17976931348623200...0), so the text cannot be
    // read back; everything below is checked against the value read back.
    if (std::fabs(value) >= 1e308)
        return;

    // Within half a unit of the last place (plus the 15-digit cut).
    const double back = fuzz::readDouble(shown);
    const double unit = decimals == 3 ? 0.001 : 1.0;
    FUZZ_CHECK(std::fabs(back - value) <= unit / 2 * (1 + 1e-9) + std::fabs(value) * 1e-14);

    // Halves away from zero: the form of -x is the form of x with a minus.
    const QString mirrored = numbers::formatFixed(-value, decimals);
    FUZZ_CHECK(zero ? mirrored == shown
                    : mirrored
                       == (shown.startsWith(QLatin1Char('-')) ? shown.mid(1) : QLatin1Char('-') + shown));

    // Showing a shown value again changes nothing.
    FUZZ_CHECK(numbers::formatFixed(back, decimals) == shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        checkForm(value, 3);
        checkForm(value, 0);
    }
    const QString text = fuzz::text(data, size);
    if (const std::optional<double> whole = numbers::wholeTextNumber(text)) {
        checkForm(*whole, 3);
        checkForm(*whole, 0);
    }
    const double leading = numbers::leadingNumber(text);
    checkForm(leading, 3);
    checkForm(leading, 0);
    return 0;
}
