#include "numbercheck.h"

#include "numbers.h"

std::optional<QString> checkNumberText(const QString &text, const NumberBoxRule &rule)
{
    const std::optional<double> value = numbers::wholeTextNumber(text);
    if (!value)
        return std::nullopt;
    const double v = *value;
    const bool aboveLower = rule.lowerInclusive ? v >= rule.lowerLimit : v > rule.lowerLimit;
    if (!aboveLower || !(v < numberBoxUpperLimit))
        return std::nullopt;
    return numbers::formatFixed(v, rule.decimals);
}
