#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

FocusRing::FocusRing(QWidget *window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *focused)
{
    // A selector's line edit holds the focus for its box.
    while (focused && focused->parentWidget() && focused->parentWidget() != parentWidget()
           && !focused->isWindow())
        focused = focused->parentWidget();
    if (target_)
        target_->removeEventFilter(this);
    target_ = focused && focused->parentWidget() == parentWidget() && focused != this ? focused : nullptr;
    if (target_)
        target_->installEventFilter(this); // it may move, grow or hide
    place();
}

void FocusRing::place()
{
    if (!target_ || !target_->isVisible()) {
        hide();
        return;
    }
    const int outset = gap + thickness;
    setGeometry(target_->geometry().adjusted(-outset, -outset, outset, outset));
    show();
    raise();
    update();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == target_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(colour, thickness);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal half = thickness / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
