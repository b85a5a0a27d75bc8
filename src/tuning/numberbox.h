// The typeable number boxes (frequency, symbol rate, LO) and the two step
// boxes that compose the frequency.
#pragma once

#include "numbercheck.h"

class QComboBox;

// What a check made of an entry: accepted (the text now to keep as the last
// accepted one), refused with the operator's words, or neither (the text was
// still the last accepted one).
struct EntryOutcome
{
    bool accepted = false;
    QString refusal;
    QString acceptedText;
};

// Shows an accepted text in the rule's format, or puts `lastAccepted` back,
// returns the focus to the box and beeps (decideNumberEntry decides). The
// caller keeps the accepted text.
EntryOutcome CheckNumberBox(QComboBox *box, const NumberBoxRule &rule, const QString &lastAccepted);

// The text of `frequency` changed: both step boxes are enabled afresh.
void frequencyTextChanged(QComboBox *frequencymegs, QComboBox *frequencydecimal);

// A MHz digit was chosen: floor(f / 10) * 10 + digit, then the step box goes
// back to its empty item and the focus to `frequency`.
void composeMegahertzDigit(QComboBox *frequency, QComboBox *frequencymegs);

// A fraction was chosen: floor(f) + fraction, then as above.
void composeFraction(QComboBox *frequency, QComboBox *frequencydecimal);
