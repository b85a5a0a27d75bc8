// wholeTextNumber and wholeTextInteger: a text that is one number as a whole.
#include "fuzzcheck.h"
#include "tuning/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::text(data, size);
    const QString core = fuzz::withoutBlanksAround(text);
    const std::optional<double> number = numbers::wholeTextNumber(text);
    const std::optional<long long> integer = numbers::wholeTextInteger(text);

    const bool plain = fuzz::matches(fuzz::plainDecimal, core);
    const double reference = plain ? fuzz::readDouble(core) : 0.0;
    FUZZ_CHECK(number.has_value() == (plain && std::isfinite(reference)));
    if (number)
        FUZZ_CHECK(fuzz::sameDouble(*number, reference));

    const bool numeric = fuzz::matches(fuzz::plainInteger, core);
    FUZZ_CHECK(integer.has_value() == numeric);
    if (integer) {
        FUZZ_CHECK(plain);
        const bool negative = core.startsWith(QLatin1Char('-'));
        FUZZ_CHECK(negative ? *integer <= 0 : *integer >= 0);
        QString digits = core;
        digits.remove(fuzz::compiled(QStringLiteral("^[+-]?0*")));
        if (digits.size() <= 15) {
            FUZZ_CHECK(*integer == fuzz::integerValue(core));
            FUZZ_CHECK(number && double(*integer) == *number);
        } else {
            // Saturated, never wrapped round to a small or opposite value.
            FUZZ_CHECK(negative ? *integer <= -1000000000000000LL : *integer >= 1000000000000000LL);
        }
    }
    return 0;
}
