// How the receiver table looks, whatever the window or the desktop around
// it does: its own cell, text, line and background colours, and cells
// painted as they are coloured, with a focus frame of their own.
#pragma once

#include <QColor>

class QTableWidget;

QColor headerCellColour();
QColor ordinaryCellColour();

// Gives the grid its colours, its line colour and its cell painting.
void giveGridItsOwnLook(QTableWidget *grid);
