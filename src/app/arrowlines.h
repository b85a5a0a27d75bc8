// The red arrows drawn on the window between the working settings and the
// grid: up beside "Copy from grid to settings ", down beside "Copy from
// settings to grid" and down from "Send Selected" towards the grid.
#pragma once

#include <QWidget>

class ArrowLines : public QWidget
{
public:
    explicit ArrowLines(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
