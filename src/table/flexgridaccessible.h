// How the receiver table reads to a screen reader. The grid has an
// accessible table of its own: row 0's cells are the column headers, each
// row's RX cell is its row header, and every receiver cell is named with its
// place ("Receiver 3, Frequency 10491.500"), since not every bridge lets a
// reader ask a cell for its headers. The red-marked row is the table's one
// selected row, and its cells report the selected state. A cell reports the
// focus only while the grid has it, and header cells never do.
#pragma once

class FlexGrid;
class QModelIndex;

void exposeToScreenReaders(FlexGrid *grid);

// Tells assistive technology where the keyboard focus is in the grid: the
// current cell when the grid has the focus, and that it lost it otherwise.
void announceCurrentCell(FlexGrid *grid, const QModelIndex &current, const QModelIndex &previous);
void announceFocusLeft(FlexGrid *grid);
