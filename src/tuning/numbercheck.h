// The accept-or-revert decision for the three typeable number boxes.
#pragma once

#include <QString>
#include <optional>

// Each rule carries the words the operator is told when it refuses an
// entry, beside the limits they describe, so the two cannot drift apart.
struct NumberBoxRule
{
    double lowerLimit;
    bool lowerInclusive;
    int decimals; // 3 for "0.000", 0 for "0"
    const char *boxName;
    const char *needed;
};

// Frequency (MHz): above 0, below 100000, three decimals.
inline constexpr NumberBoxRule frequencyRule{0.0, false, 3, "Frequency",
                                             "a number above 0 and below 100000 (MHz) is needed"};
// Symbol rate (kS/s): 0 or above, below 100000, whole number.
inline constexpr NumberBoxRule symbolRateRule{0.0, true, 0, "Symbol rate",
                                              "a number from 0 up to below 100000 is needed"};
// Local oscillator (MHz): 0 or above, below 100000, three decimals.
inline constexpr NumberBoxRule offsetRule{0.0, true, 3, "Loc Osc",
                                          "a number from 0 up to below 100000 (MHz) is needed"};

inline constexpr double numberBoxUpperLimit = 100000.0;

// The text an accepted entry is rewritten to, or nothing when the entry is
// refused and the box must go back to its last accepted text.
std::optional<QString> checkNumberText(const QString &text, const NumberBoxRule &rule);

// What leaving a number box makes of its text. A text that still is the last
// accepted one is left alone: an accepted entry may be shown in a form the
// check itself refuses (99999.9996 shows as 100000.000), and refusing it on
// every later exit would keep the operator in the box for good.
struct NumberEntryDecision
{
    enum Verdict { Unchanged, Accepted, Refused };
    Verdict verdict = Unchanged;
    QString text; // Accepted: the text to show and keep; Refused: the operator's words
};
NumberEntryDecision decideNumberEntry(const QString &typed, const QString &lastAccepted,
                                      const NumberBoxRule &rule);

// The frequency texts the two step boxes compose: floor(f / 10) * 10 + digit,
// and floor(f) + fraction. A text that is not a number, or one too large for
// a double, counts as 0.
QString withMegahertzDigit(const QString &frequencyText, const QString &digit);
QString withFraction(const QString &frequencyText, const QString &fraction);

// What the status line says about a refused entry, for example
// `Symbol rate "x" not taken: a number from 0 up to below 100000 is needed. Kept 1500.`
QString refusalText(const char *boxName, const char *needed, const QString &typed, const QString &kept);
