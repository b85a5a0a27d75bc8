#include "sendbutton.h"

#include "table/flexgrid.h"

#include "command/sending.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <qdrawutil.h>

SendButton::SendButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // A click does not move the focus by itself: the press is handled first,
    // so a host box still being edited has not been accepted yet.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void SendButton::setBackColour(int colour)
{
    if (colour == backColour_)
        return;
    backColour_ = colour;
    update();
}

void SendButton::paintEvent(QPaintEvent *)
{
    // Drawn here rather than by a style sheet: a style sheet would also take
    // the window's font away from the caption.
    QPainter painter(this);
    const QColor face = FlexGrid::colourFromValue(backColour_);
    const QPalette bevel(face);
    // The focus shows as the window's ring; sunken would read as pressed.
    const bool sunken = isDown();
    qDrawShadePanel(&painter, rect(), bevel, sunken, 2, nullptr);
    painter.fillRect(rect().adjusted(2, 2, -2, -2), face);

    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    option.palette.setColor(QPalette::ButtonText,
                            isEnabled() ? palette().color(QPalette::ButtonText) : QColor(128, 128, 128));
    style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, this);
}

void SendButton::mousePressEvent(QMouseEvent *event)
{
    int bits = 0;
    if (event->button() == Qt::LeftButton)
        bits = LeftButtonBit;
    else if (event->button() == Qt::RightButton)
        bits = RightButtonBit;
    else if (event->button() == Qt::MiddleButton)
        bits = MiddleButtonBit;
    event->accept();
    emit MouseDown(bits);
    setFocus(Qt::MouseFocusReason);
}

void SendButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double click is a press like any other.
    mousePressEvent(event);
}

void SendButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void SendButton::keyPressEvent(QKeyEvent *event)
{
    // The desktop's keyboard route to a right click.
    const bool rightPress = event->key() == Qt::Key_Menu
        || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (rightPress || event->text() == QLatin1String(" ")) {
        // A held key is one press: every send retunes the receiver, which
        // then never gets to lock.
        event->accept();
        if (event->isAutoRepeat())
            return;
        if (rightPress)
            emit MouseDown(RightButtonBit);
        else
            emit KeyPress(' ');
        return;
    }
    event->ignore();
}

void SendButton::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu key is already a right press; no menu follows it.
    event->accept();
}

void SendButton::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
}

SendFlash::SendFlash(SendButton *button, QObject *parent)
    : QObject(parent)
    , button_(button)
{
    sendxtimer.setInterval(flashMilliseconds);
    connect(&sendxtimer, &QTimer::timeout, this, &SendFlash::sendxtimer_Timer);
}

void SendFlash::start()
{
    button_->setBackColour(flashColour);
    sendxtimer.start(); // a send during the flash starts the period afresh
}

void SendFlash::sendxtimer_Timer()
{
    button_->setBackColour(normalColour_);
    sendxtimer.stop();
}
