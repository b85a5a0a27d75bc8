#include "numberbox.h"

#include "boxstate.h"
#include "numbers.h"

#include <QComboBox>
#include <QCoreApplication>
#include <cmath>

namespace {

// The step boxes take a text that is not a number, or one too large for a
// double, as 0.
double frequencyValue(const QString &text)
{
    const double value = numbers::leadingNumber(text);
    return std::isfinite(value) ? value : 0.0;
}

// Back to the empty item; choosing it runs the step box's handler again,
// which stops at once, so it is not run at all here.
void finishStep(QComboBox *frequency, QComboBox *stepBox)
{
    stepBox->setCurrentIndex(0);
    frequency->setFocus(Qt::OtherFocusReason);
}

} // namespace

EntryOutcome CheckNumberBox(QComboBox *box, const NumberBoxRule &rule)
{
    // An accepted entry may be shown in a form the check itself refuses
    // (99999.9996 shows as 100000.000); refusing it on every later exit would
    // keep the operator in the box for good. A text that is still the last
    // accepted one is left as it is.
    if (box->currentText() == lastAccepted(box))
        return {};
    const QString typed = box->currentText();
    const std::optional<QString> accepted = checkNumberText(typed, rule);
    if (accepted) {
        box->setEditText(*accepted);
        setLastAccepted(box, *accepted);
        return {true, {}};
    }
    box->setEditText(lastAccepted(box));
    box->setFocus(Qt::OtherFocusReason);
    systemBeep();
    QString refusal = refusalText(rule.boxName, rule.needed, typed, lastAccepted(box));
    // The decimal comma of much of Europe is the likeliest reason of all.
    if (typed.contains(QLatin1Char(',')))
        refusal += QCoreApplication::translate("EntryCheck", " The decimal mark is a full stop.");
    return {false, refusal};
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
