#include "windowsupport.h"
#include "table/flexgrid.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>

std::unique_ptr<MainWindow> openWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->Form_Load();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("main window did not become active");
    return window;
}

FlexGrid *grid(const QWidget &window)
{
    return control<FlexGrid>(window, "msf1");
}

QImage shownPicture(QWidget &window)
{
    return window.grab().toImage();
}

QColor shownColour(const QImage &picture, const QWidget &window, const QWidget *control, QPoint at)
{
    return picture.pixelColor(control->mapTo(&window, at));
}
