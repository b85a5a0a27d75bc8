#include "numbercheck.h"

#include "numbers.h"

#include <QCoreApplication>
#include <cmath>

namespace {

double frequencyValue(const QString &text)
{
    const double value = numbers::leadingNumber(text);
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

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

QString refusalText(const char *boxName, const char *needed, const QString &typed, const QString &kept)
{
    return QCoreApplication::translate("EntryCheck", "%1 \"%2\" not taken: %3. Kept %4.")
        .arg(QCoreApplication::translate("EntryCheck", boxName), typed,
             QCoreApplication::translate("EntryCheck", needed), kept);
}

NumberEntryDecision decideNumberEntry(const QString &typed, const QString &lastAccepted,
                                      const NumberBoxRule &rule)
{
    if (typed == lastAccepted)
        return {};
    if (const std::optional<QString> accepted = checkNumberText(typed, rule))
        return {NumberEntryDecision::Accepted, *accepted};
    QString refusal = refusalText(rule.boxName, rule.needed, typed, lastAccepted);
    // The decimal comma of much of Europe is the likeliest reason of all.
    if (typed.contains(QLatin1Char(',')))
        refusal += QCoreApplication::translate("EntryCheck", " The decimal mark is a full stop.");
    return {NumberEntryDecision::Refused, refusal};
}

QString withMegahertzDigit(const QString &frequencyText, const QString &digit)
{
    const double f = frequencyValue(frequencyText);
    const double n = numbers::leadingNumber(digit);
    return numbers::threeDecimals(std::floor(f / 10.0) * 10.0 + n);
}

QString withFraction(const QString &frequencyText, const QString &fraction)
{
    const double f = frequencyValue(frequencyText);
    const double x = numbers::leadingNumber(fraction);
    return numbers::threeDecimals(std::floor(f) + x);
}
