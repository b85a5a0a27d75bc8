// A screen smaller than the window, such as the Raspberry Pi's 800 x 480
// touch display: the whole window is scaled down to fit the screen's
// available area, fonts with it, every control keeping its place relative to
// the others. On every screen the window fits, it is shown as designed.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <vector>

class QScreen;
class QTableView;
class QWidget;

class WindowFit : public QObject
{
public:
    // Fits `window` from now on, also whenever it moves to another screen or
    // its screen's available area changes.
    explicit WindowFit(QWidget &window);

    // Back to the designed sizes, for code that reads and sets them.
    void toDesign();
    // Scaled to fit the window's screen, or as designed where it fits.
    void fit();
    double scale() const { return scale_; }

    // The scale at which a window of `design` size, framed by `frame` more
    // pixels, fits `available`: 1 where it fits as it is.
    static double scaleToFit(QSize design, QSize frame, QSize available);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Designed
    {
        QPointer<QWidget> widget;
        QRect geometry;
        int fontPixels; // 0: the widget has the window's font
    };
    void apply(double scale);
    void followScreen();

    QWidget &window_;
    double scale_ = 1.0;
    QSize designSize_;
    int designFontPixels_ = 0;
    std::vector<Designed> designed_;
    QPointer<QTableView> grid_;
    int gridRowHeight_ = 0;
    std::vector<int> gridColumnWidths_;
    QPointer<QScreen> screen_;
    QMetaObject::Connection screenChanged_;
    QMetaObject::Connection areaChanged_;
    QSize frame_;
};
