// The typeable number boxes (frequency, symbol rate, LO) and the two step
// boxes that compose the frequency.
#pragma once

#include "numbercheck.h"

class QComboBox;

// What a check made of an entry: accepted, refused with the operator's
// words, or neither (the text was still the last accepted one).
struct EntryOutcome
{
    bool accepted = false;
    QString refusal;
};

// Accepts the box's text (rewritten in the rule's format, which becomes the
// last accepted text) or puts the last accepted text back, returns the focus
// to the box and beeps. A text that still is the last accepted one is left alone.
EntryOutcome CheckNumberBox(QComboBox *box, const NumberBoxRule &rule);

// The text of `frequency` changed: both step boxes are enabled afresh.
void frequencyTextChanged(QComboBox *frequencymegs, QComboBox *frequencydecimal);

// A MHz digit was chosen: floor(f / 10) * 10 + digit, then the step box goes
// back to its empty item and the focus to `frequency`.
void composeMegahertzDigit(QComboBox *frequency, QComboBox *frequencymegs);

// A fraction was chosen: floor(f) + fraction, then as above.
void composeFraction(QComboBox *frequency, QComboBox *frequencydecimal);

// The frequency texts the two step boxes compose (pure).
QString withMegahertzDigit(const QString &frequencyText, const QString &digit);
QString withFraction(const QString &frequencyText, const QString &fraction);
