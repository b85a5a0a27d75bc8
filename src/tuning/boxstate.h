// Small pieces of state and feedback that every checked box shares.
#pragma once

#include <QString>

class QComboBox;

// The system's standard beep, counted so that tests can tell it sounded.
void systemBeep();
int beepCount();

// Puts a text into a list-only selector by choosing the item with exactly that
// text; a text that is no item leaves the selector on its first item.
void chooseItemByText(QComboBox *selector, const QString &text);
