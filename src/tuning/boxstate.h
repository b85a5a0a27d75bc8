// Small pieces of state and feedback that every checked box shares.
#pragma once

#include <QString>

class QComboBox;
class QWidget;

// A checked box's last accepted text, kept in its "Tag" property: the text a
// refused entry goes back to, and the value sending reads for the host boxes.
QString lastAccepted(const QWidget *box);
void setLastAccepted(QWidget *box, const QString &text);

// The system's standard beep, counted so that tests can tell it sounded.
void systemBeep();
int beepCount();

// Puts a text into a list-only selector by choosing the item with exactly that
// text; a text that is no item leaves the selector on its first item.
void chooseItemByText(QComboBox *selector, const QString &text);
