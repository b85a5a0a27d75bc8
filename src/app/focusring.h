// A ring around whichever of the window's controls has the keyboard, drawn
// outside the control so that its own look, caption and colours stay as
// they are; the style's own 1 px hint is too faint on the lavender window.
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class FocusRing : public QWidget
{
public:
    static constexpr int thickness = 2;
    static constexpr int gap = 1; // between the control and the ring
    static inline const QColor colour{0, 0, 128}; // navy: about 10:1 against the lavender

    explicit FocusRing(QWidget *window);

    // The control the ring is around, or nothing when it is hidden.
    QWidget *target() const { return target_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(QWidget *focused);
    void place();

    QPointer<QWidget> target_;
};
