// The accept-or-revert decision for the three typeable number boxes.
#pragma once

#include <QString>
#include <optional>

struct NumberBoxRule
{
    double lowerLimit;
    bool lowerInclusive;
    int decimals; // 3 for "0.000", 0 for "0"
};

// Frequency (MHz): above 0, below 100000, three decimals.
inline constexpr NumberBoxRule frequencyRule{0.0, false, 3};
// Symbol rate (kS/s): 0 or above, below 100000, whole number.
inline constexpr NumberBoxRule symbolRateRule{0.0, true, 0};
// Local oscillator (MHz): 0 or above, below 100000, three decimals.
inline constexpr NumberBoxRule offsetRule{0.0, true, 3};

inline constexpr double numberBoxUpperLimit = 100000.0;

// The text an accepted entry is rewritten to, or nothing when the entry is
// refused and the box must go back to its last accepted text.
std::optional<QString> checkNumberText(const QString &text, const NumberBoxRule &rule);
