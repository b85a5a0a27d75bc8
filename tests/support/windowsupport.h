// The real main window for the widget tests, on a store in a temporary
// folder, and its controls by name.
#pragma once

#include "app/mainwindow.h"
#include "tempstore.h"

#include "table/flexgrid.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

// The real window, loaded as at start-up, shown and active.
std::unique_ptr<MainWindow> openWindow();

template <typename T>
T *control(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// The receiver grid.
FlexGrid *grid(const QWidget &window);

// What the window shows at a point of one of its controls, from the window's
// own rendered picture: what the operator sees, not a property.
QImage shownPicture(QWidget &window);
QColor shownColour(const QImage &picture, const QWidget &window, const QWidget *control, QPoint at);
