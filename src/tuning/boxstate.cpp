#include "boxstate.h"

#include <QApplication>
#include <QComboBox>

namespace {
int beeps = 0;
} // namespace

void systemBeep()
{
    ++beeps;
    QApplication::beep();
}

int beepCount()
{
    return beeps;
}

void chooseItemByText(QComboBox *selector, const QString &text)
{
    const int index = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    selector->setCurrentIndex(index >= 0 ? index : 0);
}
