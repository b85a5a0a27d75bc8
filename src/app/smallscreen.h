// A screen smaller than the window, such as the 800 x 480 touch display of a
// Raspberry Pi: the window is shown inside a scroll area that fits the
// screen. On every screen the window fits, it is shown as designed, alone.
#pragma once

#include <QScrollArea>
#include <memory>

class SmallScreenFrame : public QScrollArea
{
public:
    // A frame around `window` when the window does not fit its screen's
    // available area, otherwise none. The window stays the caller's.
    static std::unique_ptr<SmallScreenFrame> aroundIfTooLarge(QWidget &window);
    ~SmallScreenFrame() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    SmallScreenFrame(QWidget &window, const QRect &available);
    void fit();

    QRect available_;
};
