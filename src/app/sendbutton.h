// The Send button and the red flash that confirms a send.
#pragma once

#include "heldkey.h"
#include "sendbuttonbits.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

// The Send button: it acts when a mouse button goes down (any button) and
// when Space is typed on it, before the press moves the focus to it. The
// context-menu key and Shift+F10 are its right press; a key's auto-repeat
// sends nothing more. A touch or a pen is no mouse: a tap sends the left
// press's command when it lifts, a hold as long as the platform's
// press-and-hold time sends the right press's instead, and a hold that moves
// off the button sends nothing.
class SendButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SendButton(const QString &caption, QWidget *parent = nullptr);

    // The background it shows; the button draws it itself so that every
    // widget style shows it, and only the background changes: the caption
    // keeps its font.
    void setBackColour(const QColor &colour);
    QColor backColour() const { return backColour_; }

    // Whether a touch or a pen is down on it, waiting for the hold time.
    bool isHoldUnderWay() const { return holdTimer_.isActive(); }

signals:
    void MouseDown(int buttonBits);
    void KeyPress(int characterCode);

protected:
    bool event(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // A touch or pen press at `at`, its move, its lift; false: it was not taken.
    bool fingerDown(QPointF at);
    void fingerMoved(QPointF at);
    void fingerUp();
    void endHold();

    QColor backColour_;
    HeldKey heldKey_;
    QTimer holdTimer_; // runs from a touch's press until the hold time
    QTimer holdProgress_; // repaints the hold's progress meanwhile
    QElapsedTimer holdClock_;
};

// The Send button turns red for 100 ms after the last send.
class SendFlash : public QObject
{
    Q_OBJECT

public:
    static constexpr QColor flashColour() { return QColor(255, 0, 0); }
    static constexpr int flashMilliseconds = 100;

    explicit SendFlash(SendButton *button, QObject *parent = nullptr);

    // The button's colour outside a flash, which a flash ends in.
    QColor normalColour() const { return normalColour_; }
    void setNormalColour(const QColor &colour) { normalColour_ = colour; }

    void start();
    bool isFlashing() const { return sendxtimer.isActive(); }
    const QTimer &timer() const { return sendxtimer; }

    void sendxtimer_Timer();

private:
    SendButton *button_;
    QTimer sendxtimer;
    QColor normalColour_;
};
