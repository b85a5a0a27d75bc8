// Choosing the receiver row to act on: the red mark in its first cell, and
// the buttons and uplink hint that follow the row's contents.
#pragma once

#include <QString>

class FlexGrid;
class QWidget;

// The colour value of the mark, pure red.
inline constexpr int selectedRowColour = 255;

struct RowSelectionControls
{
    FlexGrid *grid;
    QWidget *copytorx;
    QWidget *copytosettings;
    QWidget *sendx;
    QWidget *rightlabel;
};

// Takes the mark off every receiver row that shows it, wherever the current
// cell is, and leaves the current cell and every other colour as they are.
void clearSelectionMark(FlexGrid &grid, int maxreceivers, int fixedcolor);

// Marks the grid's current row and sets the buttons and the hint for it.
void selectCurrentRow(const RowSelectionControls &controls, int maxreceivers, int fixedcolor);

// A row is filled when its Frequency, Symbol Rate and Antenna cells hold text.
bool isFilledRow(const FlexGrid &grid, int row);
