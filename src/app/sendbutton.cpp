#include "sendbutton.h"

#include "command/sending.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QTouchEvent>
#include <qdrawutil.h>

SendButton::SendButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // A click does not move the focus by itself: the press is handled first,
    // so a host box still being edited has not been accepted yet.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    setAttribute(Qt::WA_AcceptTouchEvents);
    holdTimer_.setSingleShot(true);
    connect(&holdTimer_, &QTimer::timeout, this, [this] {
        endHold();
        emit MouseDown(RightButtonBit);
        setFocus(Qt::MouseFocusReason);
    });
    holdProgress_.setInterval(40);
    connect(&holdProgress_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void SendButton::setBackColour(const QColor &colour)
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
    const QColor face = backColour_;
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

    if (isHoldUnderWay()) {
        // A bar fills along the bottom edge as the hold goes on.
        const int interval = qMax(1, holdTimer_.interval());
        const QRect track = rect().adjusted(3, height() - 7, -3, -3);
        const qint64 done = qMin<qint64>(holdClock_.elapsed(), interval);
        painter.fillRect(QRect(track.topLeft(), QSize(int(track.width() * done / interval), track.height())),
                         QColor(0, 0, 128));
    }
}

bool SendButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        // The first finger decides; another one on the button changes nothing.
        const auto *touch = static_cast<QTouchEvent *>(event);
        const QEventPoint &point = touch->points().constFirst();
        if (event->type() == QEvent::TouchBegin)
            event->setAccepted(fingerDown(point.position()));
        else if (event->type() == QEvent::TouchEnd)
            fingerUp();
        else
            fingerMoved(point.position());
        return true;
    }
    case QEvent::TouchCancel:
        endHold();
        return true;
    // A pen: read as the single point it is, since some Qt builds leave
    // QTabletEvent out.
    case QEvent::TabletPress:
        event->setAccepted(fingerDown(static_cast<QSinglePointEvent *>(event)->position()));
        return true;
    case QEvent::TabletMove:
        fingerMoved(static_cast<QSinglePointEvent *>(event)->position());
        return true;
    case QEvent::TabletRelease:
        fingerUp();
        return true;
    default:
        return QPushButton::event(event);
    }
}

bool SendButton::fingerDown(QPointF at)
{
    if (!isEnabled() || !rect().contains(at.toPoint()))
        return false;
    holdTimer_.start(QGuiApplication::styleHints()->mousePressAndHoldInterval());
    holdClock_.start();
    holdProgress_.start();
    setDown(true);
    return true;
}

void SendButton::fingerMoved(QPointF at)
{
    if (isHoldUnderWay() && !rect().contains(at.toPoint()))
        endHold();
}

void SendButton::fingerUp()
{
    if (!isHoldUnderWay())
        return; // the hold has sent, or moved off
    endHold();
    emit MouseDown(LeftButtonBit);
    setFocus(Qt::MouseFocusReason);
}

void SendButton::endHold()
{
    holdTimer_.stop();
    holdProgress_.stop();
    setDown(false);
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
        if (!heldKey_.press(event->key(), event->isAutoRepeat(), event->timestamp()))
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
    heldKey_.release(event->key(), event->isAutoRepeat(), event->timestamp());
    event->ignore();
}

void SendButton::focusOutEvent(QFocusEvent *event)
{
    heldKey_.forget();
    QPushButton::focusOutEvent(event);
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
    button_->setBackColour(flashColour());
    sendxtimer.start(); // a send during the flash starts the period afresh
}

void SendFlash::sendxtimer_Timer()
{
    button_->setBackColour(normalColour_);
    sendxtimer.stop();
}
