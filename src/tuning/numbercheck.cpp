#include "numbercheck.h"

#include "numbers.h"

#include <QCoreApplication>

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
