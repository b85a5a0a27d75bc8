// The real main window for the widget tests, on a store in a temporary
// folder, its controls by name, and what the operator does with the keyboard
// and the mouse on it: give a box the focus, type into it, leave it with Tab
// or a click, pick a list item, click a grid cell, press Send. Every step
// goes through real focus changes, so the exit checks run exactly as they do
// for the operator.
#pragma once

#include "app/mainwindow.h"
#include "table/flexgrid.h"
#include "tempstore.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <memory>

// The real window, loaded as at start-up, shown and active.
std::unique_ptr<MainWindow> openWindow();

template<typename T> T *control(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// What the window's model keeps as the last accepted text of the entry that
// `box` edits.
QString lastAccepted(const QWidget *box);

// The receiver grid.
FlexGrid *grid(const QWidget &window);

// The texts of a grid row's five cells, and of the five working-settings boxes.
QStringList rowTexts(const FlexGrid &grid, int row);
QStringList boxTexts(const QWidget &window);

// The receiver rows whose first cell has the selection's red mark.
QList<int> markedRows(const FlexGrid &grid);
// Every cell's background colour, row by row.
QList<QList<QColor>> cellColours(const FlexGrid &grid);

// What the window shows at a point of one of its controls, from the window's
// own rendered picture: what the operator sees, not a property.
QImage shownPicture(QWidget &window);
QColor shownColour(const QImage &picture, const QWidget &window, const QWidget *control, QPoint at);
// Just inside a grid cell's top left corner, clear of its text.
QColor shownCellColour(const QImage &picture, const QWidget &window, const FlexGrid *grid, int row, int col,
                       QPoint inset = QPoint(3, 3));

// A text as shown in a part of a picture: what lies behind it (the
// commonest colour at the part's edges), its ink (the colour that stands out most from that) and
// the contrast between the two, as accessibility guidelines reckon it.
struct ShownText
{
    QColor ink;
    QColor background;
    double contrast = 1.0;
};
ShownText shownText(const QImage &picture, const QRect &part);

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

// After a refused entry: the last accepted text again, the focus back in
// the box, and one beep.
void verifyRefused(QWidget *box, const QString &remembered, int beepsBefore);

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
