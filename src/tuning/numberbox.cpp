#include "numberbox.h"

#include "boxstate.h"

#include <QComboBox>

namespace {

// Back to the empty item; choosing it runs the step box's handler again,
// which stops at once, so it is not run at all here.
void finishStep(QComboBox *frequency, QComboBox *stepBox)
{
    stepBox->setCurrentIndex(0);
    frequency->setFocus(Qt::OtherFocusReason);
}

} // namespace

EntryOutcome CheckNumberBox(QComboBox *box, const NumberBoxRule &rule, const QString &lastAccepted)
{
    const NumberEntryDecision decision = decideNumberEntry(box->currentText(), lastAccepted, rule);
    switch (decision.verdict) {
    case NumberEntryDecision::Unchanged:
        break;
    case NumberEntryDecision::Accepted:
        box->setEditText(decision.text);
        return {true, {}, decision.text};
    case NumberEntryDecision::Refused:
        box->setEditText(lastAccepted);
        box->setFocus(Qt::OtherFocusReason);
        systemBeep();
        return {false, decision.text, {}};
    }
    return {};
}

void frequencyTextChanged(QComboBox *frequencymegs, QComboBox *frequencydecimal)
{
    // A disabled widget that holds the focus would hand it on to the next
    // box and run that box's check, so a focused step box is left alone.
    for (QComboBox *stepBox : {frequencymegs, frequencydecimal}) {
        if (!stepBox->hasFocus())
            stepBox->setEnabled(false);
    }
    frequencymegs->setEnabled(true);
    frequencydecimal->setEnabled(true);
}

void composeMegahertzDigit(QComboBox *frequency, QComboBox *frequencymegs)
{
    const QString digit = frequencymegs->currentText();
    if (digit.isEmpty())
        return;
    frequency->setEditText(withMegahertzDigit(frequency->currentText(), digit));
    finishStep(frequency, frequencymegs);
}

void composeFraction(QComboBox *frequency, QComboBox *frequencydecimal)
{
    const QString fraction = frequencydecimal->currentText();
    if (fraction.isEmpty())
        return;
    frequency->setEditText(withFraction(frequency->currentText(), fraction));
    finishStep(frequency, frequencydecimal);
}
