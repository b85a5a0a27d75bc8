// What the operator does with the keyboard and the mouse on the real window:
// give a box the focus, type into it, leave it with Tab or a click, pick a
// list item. Every step goes through real focus changes, so the exit checks
// run exactly as they do for the operator.
#pragma once

#include "testsupport.h"
#include "table/flexgrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

// The widget that receives the keys typed into a box: an editable
// selector's text field, or the box itself.
inline QWidget *keyTarget(QWidget *box)
{
    if (auto *selector = qobject_cast<QComboBox *>(box); selector && selector->isEditable())
        return selector->lineEdit();
    return box;
}

inline QString boxText(QWidget *box)
{
    if (auto *selector = qobject_cast<QComboBox *>(box))
        return selector->currentText();
    return static_cast<QLineEdit *>(box)->text();
}

inline void focusOn(QWidget *box)
{
    box->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(box->hasFocus());
}

// Focus on the box, then replace its whole text by typing.
inline void typeInto(QWidget *box, const QString &text)
{
    focusOn(box);
    QWidget *target = keyTarget(box);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QCOMPARE(boxText(box), text);
}

inline void pressTab(QWidget *box)
{
    QTest::keyClick(keyTarget(box), Qt::Key_Tab);
}

inline void clickOn(QWidget *widget)
{
    QTest::mouseClick(keyTarget(widget), Qt::LeftButton);
}

inline void clickCell(FlexGrid *grid, int row, int col = 1)
{
    const QRect cell = grid->visualItemRect(grid->item(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Ctrl+R, typed wherever the focus is.
inline void toggleReceiverCount(QWidget &window)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &window, Qt::Key_R, Qt::ControlModifier);
}

// Opens the selector's list from the keyboard, walks to the item with the
// given text and takes it with Enter, as the operator picks an item.
inline void pickItem(QComboBox *selector, const QString &text)
{
    const int index = selector->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    focusOn(selector);
    QTest::keyClick(selector, Qt::Key_F4);
    QAbstractItemView *list = selector->view();
    QTRY_VERIFY(list->isVisible());
    const Qt::Key step = index < selector->currentIndex() ? Qt::Key_Up : Qt::Key_Down;
    while (list->currentIndex().row() != index) {
        const int before = list->currentIndex().row();
        QTest::keyClick(list, step);
        QVERIFY(list->currentIndex().row() != before);
    }
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
}
