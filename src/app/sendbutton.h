// The Send button and the red flash that confirms a send.
#pragma once

#include <QPushButton>
#include <QTimer>

// The Send button: it acts when a mouse button goes down (any button) and
// when Space is typed on it, before the press moves the focus to it. The
// context-menu key and Shift+F10 are its right press; a key's auto-repeat
// sends nothing more.
class SendButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SendButton(const QString &caption, QWidget *parent = nullptr);

    // The background it shows, as a 0x00BBGGRR value; the button draws it
    // itself so that every widget style shows it, and only the background
    // changes: the caption keeps its font.
    void setBackColour(int colour);
    int backColour() const { return backColour_; }

signals:
    void MouseDown(int buttonBits);
    void KeyPress(int characterCode);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int backColour_ = -1;
};

// The Send button turns red for 100 ms after the last send.
class SendFlash : public QObject
{
    Q_OBJECT

public:
    static constexpr int flashColour = 255;
    static constexpr int flashMilliseconds = 100;

    explicit SendFlash(SendButton *button, QObject *parent = nullptr);

    // The button's colour outside a flash, which a flash ends in.
    int normalColour() const { return normalColour_; }
    void setNormalColour(int colour) { normalColour_ = colour; }

    void start();
    bool isFlashing() const { return sendxtimer.isActive(); }
    const QTimer &timer() const { return sendxtimer; }

    void sendxtimer_Timer();

private:
    SendButton *button_;
    QTimer sendxtimer;
    int normalColour_ = -1;
};
