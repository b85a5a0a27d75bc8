// What the operator does with the keyboard and the mouse on the real window:
// give a box the focus, type into it, leave it with Tab or a click, pick a
// list item, click a grid cell, press Send. Every step goes through real
// focus changes, so the exit checks run exactly as they do for the operator.
#pragma once

#include "windowsupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

// The widget that receives the keys typed into a box: an editable
// selector's text field, or the box itself.
QWidget *keyTarget(QWidget *box);
QString boxText(QWidget *box);

void focusOn(QWidget *box);

// Focus on the box, then replace its whole text by typing.
void typeInto(QWidget *box, const QString &text);
void pressTab(QWidget *box);
// Types the text into the box, then leaves it with Tab.
void enterText(QWidget *box, const QString &text);

void clickOn(QWidget *widget);

// A click in the middle of a cell, which must be in sight.
void clickCell(FlexGrid *grid, int row, int col = 1);

// A mouse press and release on the send button.
void pressSend(QWidget &window, Qt::MouseButton button);

// Types a key with Ctrl into the window as the operator would: it goes to
// the control that has the focus.
void typeCtrl(QWidget &window, Qt::Key key);

// Ctrl+R, typed wherever the focus is.
void toggleReceiverCount(QWidget &window);

// Opens the selector's list from the keyboard, walks to the item with the
// given text and takes it with Enter, as the operator picks an item.
void pickItem(QComboBox *selector, const QString &text);
