// checkNumberText with the frequency, symbol-rate and LO rules.
#include "fuzzcheck.h"
#include "tuning/numbercheck.h"
#include "tuning/numbers.h"

namespace {

void checkRule(const QString &text, const NumberBoxRule &rule)
{
    const std::optional<QString> accepted = checkNumberText(text, rule);
    const std::optional<double> whole = numbers::wholeTextNumber(text);
    if (!whole) {
        FUZZ_CHECK(!accepted);
        return;
    }
    const double v = *whole;
    const bool inRange =
        (rule.lowerInclusive ? v >= rule.lowerLimit : v > rule.lowerLimit) && v < numberBoxUpperLimit;
    FUZZ_CHECK(accepted.has_value() == inRange);
    if (!accepted)
        return;

    // In the rule's form, never negative, never above the upper limit.
    FUZZ_CHECK(fuzz::matches(rule.decimals == 3 ? QStringLiteral("(0|[1-9][0-9]*)\\.[0-9]{3}")
                                                : QStringLiteral("(0|[1-9][0-9]*)"),
                             *accepted));
    FUZZ_CHECK(*accepted == numbers::formatFixed(v, rule.decimals));
    const double shown = fuzz::readDouble(*accepted);
    FUZZ_CHECK(shown >= 0 && shown <= numberBoxUpperLimit);

    // Checking the rewritten text again accepts it unchanged, unless rounding
    // carried it onto a limit (99999.9996 shows as 100000.000; a frequency of
    // 0.0004 shows as 0.000), which the next check refuses.
    const bool onLimit = shown == numberBoxUpperLimit || (!rule.lowerInclusive && shown == 0);
    const std::optional<QString> again = checkNumberText(*accepted, rule);
    FUZZ_CHECK(onLimit ? !again : again == accepted);
    const QString padded = QStringLiteral(" \t") + *accepted + QStringLiteral("  ");
    FUZZ_CHECK(checkNumberText(padded, rule) == again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::text(data, size);
    checkRule(text, frequencyRule);
    checkRule(text, symbolRateRule);
    checkRule(text, offsetRule);
    return 0;
}
